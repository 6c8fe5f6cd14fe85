#include "core/TrayFakes.h"
#include "tray/TrayIconStore.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace corvane {
namespace {

using test::Note;
using test::Position;
using test::Sized;
using namespace trayflags;

constexpr uint32_t kAdd = 0, kModify = 1, kDelete = 2, kFocus = 3, kVersion = 4;
constexpr uint32_t kW1 = 0x110, kW2 = 0x220, kDead = 0x330;

// Owner, id, callback, version, tooltip, hidden.
using Seen = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, std::wstring, bool>;
using Messages = std::vector<std::vector<uint8_t>>;

TEST(TrayIconStore, NotificationsChangeTheListOrGoToExplorer) {
    const auto a = Note(kAdd, kW1, 1, kMessage | kTip | kIcon, 0x8001, 77, u"Alpha");
    const auto guidAdd = Note(kAdd, kW1, 1, kGuid | kMessage, 0x8001, 0, u"", 0, 0, 0, 9);
    const auto byGuid = [](uint8_t guid, uint32_t flags) {
        return Note(kModify, 0, 0, flags | kTip, 0, 0, u"By GUID", 0, 0, 0, guid);
    };
    // The messages; which went to Explorer, the icons after them.
    const std::tuple<const char*, Messages, std::vector<bool>, std::vector<Seen>> rows[] = {
        {"a second add acts as a modify",
         {a, Note(kAdd, kW1, 1, kTip, 0, 0, u"Beta")},
         {false, false},
         {{kW1, 1, 0x8001, 0, L"Beta", false}}},
        {"a GUID-only modify finds the icon by its GUID, and only with the flag",
         {guidAdd, byGuid(8, kGuid), byGuid(9, 0), byGuid(9, kGuid)},
         {false, true, true, false},
         {{kW1, 1, 0x8001, 0, L"By GUID", false}}},
        {"unknown icons, owner 0, dead owners and other commands go to Explorer",
         {a, Note(kDelete, kW1, 5), Note(kModify, kW2, 1), Note(kFocus, kW2, 1),
          Note(kVersion, kW2, 1), Note(kAdd, 0, 1), Note(kAdd, kDead, 1, kIcon, 0, 5),
          Note(5, kW1, 1), Sized(a, 31)},
         {false, true, true, true, true, true, true, true, true},
         {{kW1, 1, 0x8001, 0, L"Alpha", false}}},
        {"delete keeps the others in order; focus and version on known icons",
         {a, Note(kAdd, kW2, 2, kIcon, 0, 5), Note(kAdd, kW1, 3, kMessage, 0x8003),
          Note(kDelete, kW2, 2), Note(kFocus, kW1, 3),
          Note(kVersion, kW1, 3, 0, 0, 0, u"", 0, 0, 4)},
         {false, false, false, false, false, false},
         {{kW1, 1, 0x8001, 0, L"Alpha", false}, {kW1, 3, 0x8003, 4, L"", false}}},
        {"hidden only under the mask; the shortest and oversized records are read",
         {Sized(Note(kAdd, kW1, 1, kMessage, 0x8001), 32),
          Note(kModify, kW1, 1, kState, 0, 0, u"", 1, 1),
          Note(kModify, kW1, 1, kState, 0, 0, u"", 0, 0),
          Sized(Note(kModify, kW1, 1, kTip, 0, 0, std::u16string(130, u'x')), 4096)},
         {false, false, false, false},
         {{kW1, 1, 0x8001, 0, std::wstring(128, L'x'), true}}},
    };
    for (const auto& [name, messages, forwarded, icons] : rows) {
        SCOPED_TRACE(name);
        test::FakeTraySystem system({kW1, kW2});
        TrayIconStore store(system);
        for (std::size_t i = 0; i < messages.size(); ++i) {
            const TrayReaction reaction = store.Handle(kTrayDataNotify, messages[i]);
            EXPECT_EQ(reaction.forward, forwarded[i]) << "message " << i;
            EXPECT_EQ(reaction.reply, forwarded[i] ? 0 : 1) << "message " << i;
        }
        std::vector<Seen> seen;
        for (const TrayIcon& i : store.Icons()) {
            seen.emplace_back(i.ownerWindow, i.id, i.callbackMessage, i.version, i.tooltip,
                              i.hiddenByState);
        }
        EXPECT_EQ(seen, icons);
    }
}

// A record for Explorer: command, icon hidden there, callback, version field.
using Copy = std::tuple<uint32_t, bool, uint32_t, uint32_t>;

std::vector<Copy> Copies(const TrayReaction& reaction) {
    std::vector<Copy> copies;
    for (const std::vector<uint8_t>& record : reaction.toExplorer) {
        const TrayNotification n = DecodeTrayNotification(record).value();
        const bool hidden = (n.flags & kState) != 0 && (n.state & n.stateMask & 1) != 0;
        copies.emplace_back(n.command, hidden, n.callbackMessage, n.version);
    }
    return copies;
}

TEST(TrayIconStore, BalloonsReachExplorerWithTheIconHiddenThereUntilItIsDeleted) {
    const auto balloon = [](uint32_t command, uint32_t flags = 0, uint32_t mask = 0) {
        return Note(command, kW1, 1, flags | kInfo, 0, 0, u"", 0, mask, 9000);
    };
    const auto added = Note(kAdd, kW1, 1, kMessage, 0x8001);
    const auto v4 = Note(kVersion, kW1, 1, 0, 0, 0, u"", 0, 0, 4);
    // The messages; the records each sends to Explorer.
    const std::tuple<const char*, Messages, std::vector<std::vector<Copy>>> rows[] = {
        {"a plain add drops Explorer's icon; a balloon adds it hidden, then modifies it",
         {added, balloon(kModify), balloon(kModify), Note(kModify, kW1, 1, kTip),
          Note(kDelete, kW1, 1), balloon(kModify)},
         {{{kDelete, false, 0x8001, 0}},
          {{kAdd, true, 0x8001, 9000}},
          {{kModify, true, 0x8001, 9000}},
          {},
          {{kDelete, false, 0, 0}},
          {}}},
        {"hidden even when the program shows it; versions follow; a plain add drops it",
         {balloon(kAdd, kMessage | kState, 1), v4, Note(kAdd, kW1, 1, kTip), v4,
          Note(kDelete, kW1, 1)},
         {{{kAdd, true, 0, 9000}}, {{kVersion, false, 0, 4}}, {{kDelete, false, 0, 0}}, {}, {}}},
        {"a new hidden copy gets the version; too short for a balloon is none",
         {added, v4, Sized(balloon(kModify), 943), balloon(kModify)},
         {{{kDelete, false, 0x8001, 0}},
          {},
          {},
          {{kAdd, true, 0x8001, 9000}, {kVersion, false, 0, 4}}}},
    };
    for (const auto& [name, messages, copies] : rows) {
        SCOPED_TRACE(name);
        test::FakeTraySystem system({kW1});
        TrayIconStore store(system);
        for (std::size_t i = 0; i < messages.size(); ++i) {
            EXPECT_EQ(Copies(store.Handle(kTrayDataNotify, messages[i])), copies[i]) << i;
        }
    }
    test::FakeTraySystem system({kW1});
    TrayIconStore store(system);
    (void)store.Handle(kTrayDataNotify, balloon(kAdd));
    const TrayReaction release{.toExplorer = store.ReleaseExplorerCopies()};
    EXPECT_EQ(Copies(release), (std::vector<Copy>{{kDelete, false, 0, 9000}}));
    EXPECT_EQ(Copies(store.Handle(kTrayDataNotify, balloon(kModify))),
              (std::vector<Copy>{{kAdd, true, 0, 9000}}));
}

TEST(TrayIconStore, PositionQueriesAnswerTheDrawnCorner) {
    test::FakeTraySystem system({kW1});
    TrayIconStore store(system);
    (void)store.Handle(kTrayDataNotify, Note(kAdd, kW1, 1, kGuid, 0, 0, u"", 0, 0, 0, 9));
    store.Find(kW1, 1)->screenRect = {-30, 2, 126, 30};
    // The query; the reply, -1 when it is Explorer's to answer.
    const std::pair<std::vector<uint8_t>, int64_t> rows[] = {
        {Position(1, kW1, 1), 0x0002FFE2},
        {Position(2, kW1, 1), 0x001E007E},
        {Position(1, 0, 0, 9), 0x0002FFE2},
        {Position(1, kW1, 2), -1},
        {Position(1, 0, 1), -1},
        {Position(3, kW1, 1), -1},
        {Sized(Position(1, kW1, 1), 39), -1},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const TrayReaction reaction = store.Handle(kTrayDataPosition, rows[i].first);
        EXPECT_EQ(reaction.forward ? -1 : reaction.reply, rows[i].second) << "row " << i;
        EXPECT_FALSE(reaction.changed);
    }
}

// That each icon copy is destroyed exactly once is the tray fuzzer's check.
TEST(TrayIconStore, AFullListRefusesNewIconsAndStillTakesChanges) {
    test::FakeTraySystem system({kW1, kW2});
    TrayIconStore store(system);
    const auto send = [&](const std::vector<uint8_t>& m) {
        return !store.Handle(kTrayDataNotify, m).forward;
    };
    for (uint32_t id = 0; store.Icons().size() < kMaxTrayIcons; ++id) {
        ASSERT_TRUE(send(Note(kAdd, kW2, id, kIcon, 0, 5)));
    }
    EXPECT_FALSE(send(Note(kAdd, kW1, 1, kIcon, 0, 5)));
    EXPECT_TRUE(send(Note(kModify, kW2, 7)));
    EXPECT_EQ(store.Find(kW2, 7)->exeName, L"p34.exe");
}

TEST(TrayIconStore, NoTwoPicturesEverShareAGeneration) {
    test::FakeTraySystem system({kW1});
    TrayIconStore first(system);
    TrayIconStore second(system);  // as after the host started again
    std::set<uint64_t> seen;
    const auto pictureIsNew = [&](TrayIconStore& store, uint32_t command) {
        (void)store.Handle(kTrayDataNotify, Note(command, kW1, 1, kIcon, 0, 5));
        return seen.insert(store.Find(kW1, 1)->iconGeneration).second;
    };
    EXPECT_TRUE(pictureIsNew(first, kAdd));
    EXPECT_TRUE(pictureIsNew(first, kModify));
    (void)first.Handle(kTrayDataNotify, Note(kDelete, kW1, 1));
    EXPECT_TRUE(pictureIsNew(first, kAdd));  // the same owner and id, before any paint
    EXPECT_TRUE(pictureIsNew(second, kAdd));
}

}  // namespace
}  // namespace corvane
