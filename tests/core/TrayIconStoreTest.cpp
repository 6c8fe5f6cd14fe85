#include "core/TrayFakes.h"
#include "tray/TrayIconStore.h"
#include "dock/TaskbarHidePlan.h"
#include "support/TrayRecords.h"
#include "tray/AppBarRecord.h"
#include "tray/TaskbarCreated.h"
#include "tray/TrayCallbacks.h"
#include "tray/TraySchedule.h"
#include "tray/TrayStrip.h"
#include "bar/BarTooltips.h"
#include "bar/BarTrayRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

using Sent = std::vector<uint32_t>;

Sent List(const TrayMessages& m) {
    return {m.messages.begin(), m.messages.begin() + static_cast<std::ptrdiff_t>(m.count)};
}

TEST(TrayCallbacks, EachVersionGetsItsParametersAndMessages) {
    // Version, icon id, mouse message; wParam and lParam at (-5, 300).
    const std::tuple<uint32_t, uint32_t, uint32_t, uint64_t, int64_t> packs[] = {
        {4, 7, 0x201, 0x012CFFFB, 0x00070201},
        {4, 0x18001, 0x10202, 0x012CFFFB, 0x80010202},  // zero-extended
        {3, 7, 0x201, 7, 0x201},
        {0, 0xFFFFFFFF, 0x205, 0xFFFFFFFF, 0x205},
    };
    for (const auto& [version, id, message, wParam, lParam] : packs) {
        const TrayCallbackParams params = PackTrayCallback(version, id, message, -5, 300);
        EXPECT_EQ(std::pair(params.wParam, params.lParam), std::pair(wParam, lParam))
            << version << " " << id;
    }

    EXPECT_EQ(List(TrayMouseMessages(4, 0x205)), (Sent{0x205, 0x7B}));
    EXPECT_EQ(List(TrayMouseMessages(0, 0x205)), Sent{0x205});
    EXPECT_TRUE(TrayMouseMessages(0, 0x207).grantForeground);
    EXPECT_FALSE(TrayMouseMessages(4, 0x202).grantForeground);
    // A left click on a version-3 icon is selected on release.
    EXPECT_EQ(List(TrayMouseMessages(3, 0x201)), Sent{0x201});
    EXPECT_EQ(List(TrayMouseMessages(3, 0x202)), (Sent{0x202, 0x400}));
    EXPECT_EQ(List(TrayHoverMessages(3)), Sent{0x2A1});
    EXPECT_EQ(List(TrayLeaveMessages(4)), (Sent{0x2A3, 0x407}));
}

TEST(TraySchedule, BroadcastsAfterAStart) {
    std::vector<uint64_t> at = {0};  // the start broadcasts at once
    uint32_t step = 1;
    for (std::optional<unsigned> delay = trayperiods::kFirstRebroadcastMs; delay && at.size() < 9;
         delay = NextTrayBroadcast(step)) {
        at.push_back(at.back() + *delay);
    }
    EXPECT_EQ(at, (std::vector<uint64_t>{0, 2500, 10500, 30500, 75500}));
    EXPECT_EQ(step, 0u);
}

TEST(TraySchedule, WatchdogLooksCloselyOnlyAfterTaskbarEventsAndResumesWhenTheTaskbarStayed) {
    using A = TrayWatchdogAction;
    // Explorer's taskbar is destroyed at 1000, made again at 5000 and
    // flickers at 6000; each is an event, which makes the host look at once.
    const auto present = [](uint64_t t) { return t < 1000 || (t >= 5000 && t != 6000); };
    const uint64_t events[] = {1000, 5000, 6000};
    const uint64_t* event = std::begin(events);
    TrayWatchdogState state;
    std::vector<std::pair<uint64_t, A>> actions;
    int quietChecks = 0;  // once all has settled, over 110 s
    for (uint64_t t = 0, next = 0; t <= 130000; t = next) {
        if (event != std::end(events) && *event <= t) {
            t = *event++;
            AlertTrayWatchdog(state, t);
        }
        const A a = StepTrayWatchdog(state, {t, present(t), true, false, 0});
        if (a != A::None) {
            actions.emplace_back(t, a);
        }
        quietChecks += t > 20000 ? 1 : 0;
        next = t + NextTrayWatchdogCheck(state, t);
    }
    EXPECT_EQ(actions,
              (std::vector<std::pair<uint64_t, A>>{{1000, A::Suspend}, {8000, A::Resume}}));
    EXPECT_LE(quietChecks, 4) << "the watchdog keeps looking when nothing happens";

    // At 30 s with the taskbar there: the host first, a broadcast pending, the last one; action.
    const std::tuple<bool, bool, uint64_t, A> rows[] = {
        {true, false, 0, A::None},
        {false, true, 0, A::Raise},
        {false, false, 20000, A::Raise},
        {false, false, 19999, A::RaiseAndCatchUp},
    };
    for (const auto& [hostIsFirst, pending, lastBroadcast, action] : rows) {
        TrayWatchdogState running;
        EXPECT_EQ(StepTrayWatchdog(running, {30000, true, hostIsFirst, pending, lastBroadcast}),
                  action)
            << lastBroadcast;
    }
}

TEST(AppBarRecord, AnsweredByTheHostOnlyWhileTheDockHidesTheTaskbarForOthers) {
    using enum AppBarRoute;
    const struct {
        uint32_t message, block;
        bool dockHides, fromHostThread;
        AppBarRoute route;
        int64_t reply;
        std::size_t size = 56;
    } cases[] = {
        // Answered: always on top without auto-hide; no auto-hide bar.
        {4, 0, true, false, Answer, 2},      {7, 0, true, false, Answer, 0},
        {11, 0, true, false, Answer, 0, 52}, {4, 0, false, false, Forward, 0},
        {4, 0, true, true, Forward, 0},      {4, 0, true, false, Forward, 0, 51},
        {2, 9, true, false, Relay, 0, 64},   {3, 9, false, true, Relay, 0},
        {5, 9, false, false, Relay, 0},      {5, 9, false, false, Forward, 0, 65},
        {5, 0, false, false, Forward, 0},    {9, 9, true, false, Forward, 0},
    };
    for (const auto& c : cases) {
        const auto record = test::Sized(test::AppBar(c.message, c.block, 1), c.size);
        const AppBarDecision d =
            RouteAppBar(DecodeAppBarRecord(record), c.dockHides, c.fromHostThread);
        EXPECT_EQ(std::pair(d.route, d.reply), std::pair(c.route, c.reply)) << c.message;
    }
}

TEST(TaskbarCreated, OnlyWhatArrivesInsideOurOwnSendIsOurs) {
    {
        const OwnTaskbarCreatedScope ours;
        {
            const OwnTaskbarCreatedScope nested;
            EXPECT_TRUE(IsOwnTaskbarCreated());
        }
        EXPECT_TRUE(IsOwnTaskbarCreated());
    }
    EXPECT_FALSE(IsOwnTaskbarCreated());
}

TEST(TaskbarHidePlan, AHideThatDidNotHoldIsRetriedBoundedlyAndAnewOnEveryEvent) {
    using E = TaskbarHideEvent;
    TaskbarHideState state;
    EXPECT_EQ(StepTaskbarHiding(state, E::DockCreated, true, false), TaskbarHideStep::Hide);
    for (int i = 0; i < taskbarhide::kRetries && RetryTaskbarHide(state, false); ++i) {
        EXPECT_EQ(StepTaskbarHiding(state, E::RetryDue, true, false), TaskbarHideStep::Hide);
    }
    EXPECT_EQ(StepTaskbarHiding(state, E::RetryDue, true, false), TaskbarHideStep::None);
    EXPECT_EQ(StepTaskbarHiding(state, E::ExplorerRestarted, true, true), TaskbarHideStep::Hide);
    EXPECT_EQ(StepTaskbarHiding(state, E::SettingChanged, false, true), TaskbarHideStep::GiveBack);
}

using Names = std::vector<std::wstring>;

TrayIcon Icon(std::wstring exe, std::wstring tip = L"", uint32_t callback = 0x8000) {
    TrayIcon icon;
    icon.icon = 1;
    icon.callbackMessage = callback;
    icon.tooltip = std::move(tip);
    icon.exeName = std::move(exe);
    return icon;
}

TEST(TrayStrip, WhichIconsAreShown) {
    TrayIcon hiddenByOwner = Icon(L"a.exe"), noIcon = Icon(L"a.exe");
    hiddenByOwner.hiddenByState = true;
    noIcon.icon = 0;
    // The icon, the hidden list; shown.
    const std::tuple<TrayIcon, Names, bool> rows[] = {
        {Icon(L"a.exe"), {L"", L"b.exe"}, true},
        {hiddenByOwner, {}, false},
        {noIcon, {}, false},
        {Icon(L"a.exe", L"", 0), {}, false},  // neither callback nor tooltip
        {Icon(L"a.exe", L"Hi", 0), {}, true},
        {Icon(L"onedrive.exe"), {L"onedrive.exe"}, false},
        {Icon(L"onedrive.exe"), {L"onedrive"}, true},  // exe names match whole
        {Icon(L"x.exe", L"Windows DeFender: OK"), {L"defender"}, false},
        {Icon(L"x.exe", L"ØDELAGT SKJERM"), {L"ødelagt"}, false},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [icon, hidden, shown] = rows[i];
        EXPECT_EQ(IsTrayIconShown(icon, hidden), shown) << "row " << i;
    }
}

// The strip's programs from left to right, one letter each.
std::wstring Strip(const std::vector<TrayIcon>& icons, const Names& order,
                   std::wstring_view below = L"") {
    std::wstring seq;
    for (const TraySlot& slot : LayoutTrayStrip(icons, order, {}, below, 500, 28).slots) {
        seq += icons[slot.iconIndex].exeName.front();
    }
    return seq;
}

TEST(TrayStrip, ProgramsSortByTheOrderListUnlistedOnesLast) {
    const std::vector<TrayIcon> icons = {Icon(L"a.exe"), Icon(L"c.exe"), Icon(L"b.exe"),
                                         Icon(L"a.exe"), Icon(L"d.exe", L"", 0)};
    EXPECT_EQ(Strip(icons, {}), L"acba");
    EXPECT_EQ(Strip(icons, {L"b.exe", L"a.exe"}), L"baac");
    EXPECT_EQ(Strip(icons, {L"gone.exe", L"c.exe"}), L"caba");
    EXPECT_EQ(Strip(icons, {L"b.exe", L"a.exe"}, L"a.exe"), L"bc");

    // Arrival order within one place holds for a strip of any length.
    std::vector<TrayIcon> many;
    for (int i = 0; i < 40; ++i) {
        many.push_back(Icon(i % 4 == 0 ? L"listed.exe" : L"u" + std::to_wstring(i) + L".exe"));
    }
    std::vector<std::size_t> arrival;
    for (const TraySlot& slot : LayoutTrayStrip(many, {L"listed.exe"}, {}, L"", 2000, 28).slots) {
        arrival.push_back(slot.iconIndex);
    }
    EXPECT_TRUE(std::is_sorted(arrival.begin(), arrival.begin() + 10));
    EXPECT_TRUE(std::is_sorted(arrival.begin() + 10, arrival.end()));

    const TrayStripLayout layout = LayoutTrayStrip(icons, {}, {}, L"", 500, 28);
    EXPECT_EQ(layout.slots[3].rect, (PointRect{474, 3, 500, 25}));
    EXPECT_EQ(layout.strip, (PointRect{396, 3, 500, 25}));
    EXPECT_EQ(layout.nextRight, 390);
    EXPECT_EQ(LayoutTrayStrip({}, {}, {}, L"", 500, 28).nextRight, 500);  // no strip, no gap
    EXPECT_EQ(TraySlotOnScreen(layout.slots[0].rect, 144, -1920, 0),
              (PixelRect{-1326, 4, -1287, 37}));
}

TEST(TrayStrip, DraggingReordersWholeProgramsKeepsAbsentOnesAndHidesBelowTheBar) {
    const std::vector<TrayIcon> icons = {Icon(L"a.exe"), Icon(L"b.exe"), Icon(L"a.exe"),
                                         Icon(L"c.exe")};
    Names order = {L"gone.exe"};
    const auto drag = [&](std::wstring_view exe, float x) {
        const TrayStripLayout layout = LayoutTrayStrip(icons, order, {}, L"", 500, 28);
        order = ReorderTray(TrayStripPrograms(icons, layout), exe, x, order).value_or(order);
        return Strip(icons, order);
    };
    // Slot centres from the left: 409, 435, 461, 487.
    EXPECT_EQ(drag(L"c.exe", 380), L"caab");
    EXPECT_EQ(drag(L"a.exe", 470), L"caab");  // left of b's centre
    EXPECT_EQ(drag(L"a.exe", 490), L"cbaa");
    EXPECT_EQ(drag(L"b.exe", 440), L"cbaa");  // at its own place
    EXPECT_EQ(drag(L"x.exe", 380), L"cbaa");  // not in the strip
    const std::vector<TrayIcon> one = {Icon(L"a.exe"), Icon(L"a.exe")};
    EXPECT_FALSE(ReorderTray(TrayStripPrograms(one, LayoutTrayStrip(one, {}, {}, L"", 500, 28)),
                             L"a.exe", 0, {}));

    // Entries of absent programs keep their places and spelling.
    const Names cases[][3] = {
        // the order, the strip, the order after
        {{L"gone", L"a", L" odd ", L"", L"b"}, {L"b", L"a"}, {L"gone", L"b", L" odd ", L"", L"a"}},
        {{L"gone", L"a"}, {L"new", L"a"}, {L"gone", L"new", L"a"}},
        {{L"a", L"gone", L"a"}, {L"a"}, {L"a", L"gone"}},
    };
    for (const auto& [order, strip, merged] : cases) {
        EXPECT_EQ(MergeTrayOrder(order, strip), merged) << order.size();
    }

    // Dropping below the bar hides the program.
    // DPI; the lowest y (in client pixels under a 28-pixel client) that keeps the program.
    for (const auto& [dpi, lowestKept] : {std::pair{96u, 52}, {144u, 64}, {98u, 53}}) {
        EXPECT_FALSE(TrayDragIsBelow(lowestKept, 28, dpi)) << dpi;
        EXPECT_TRUE(TrayDragIsBelow(lowestKept + 1, 28, dpi)) << dpi;
    }

    const Names hidden = HideTrayProgram({L"defender"}, L"a.exe");
    EXPECT_EQ(HideTrayProgram(HideTrayProgram(hidden, L"a.exe"), L""), hidden);
    EXPECT_EQ(UnhideTrayEntry(hidden, L"A.EXE"), Names{L"defender"});
    EXPECT_TRUE(UnhideTrayEntry(hidden, L"").empty());
}

TEST(BarTray, ReleaseDeliversTheClickOrEndsTheDrag) {
    // Pressed message (0: nothing), dragged, dropped below the bar, program; click
    // delivered, drag finished, program to hide.
    using Row = std::tuple<uint32_t, bool, bool, const wchar_t*, uint32_t, bool, const wchar_t*>;
    for (const auto& [press, dragging, below, exe, click, finish, hide] :
         {Row{0x201, false, false, L"a.exe", 0x201, false, L""},
          Row{0x203, false, false, L"a.exe", 0x203, false, L""},
          Row{0x201, true, false, L"a.exe", 0, true, L""},
          Row{0x201, true, true, L"a.exe", 0, true, L"a.exe"},
          Row{0x201, true, true, L"", 0, true, L""}, Row{0, false, false, L"", 0, false, L""}}) {
        SCOPED_TRACE(testing::Message() << press << dragging << below);
        TrayDrag drag;
        if (press != 0) {
            drag.Press(3, press, 10, 10, {4, 4}, exe);
        }
        if (dragging) {
            (void)drag.press.Move(30, 10);
        }
        drag.dragBelow = below;
        const TrayRelease release = ReleaseTrayDrag(drag);
        EXPECT_EQ(release.clickMessage, click);
        EXPECT_EQ(release.finishDrag, finish);
        EXPECT_EQ(release.hideExeName, hide);
        EXPECT_FALSE(drag.Active());
        EXPECT_EQ(TrayDraggedBelow(drag), L"");
    }
    // The tooltip is held back only for version 4 without the standard tip.
    for (const auto& [version, showTip, shown] :
         {std::tuple{0u, false, true}, {3u, false, true}, {4u, false, false}, {4u, true, true}}) {
        TrayIcon icon;
        icon.tooltip = L"Volume";
        icon.version = version;
        icon.showTip = showTip;
        EXPECT_EQ(TrayTooltipText(icon), shown ? L"Volume" : L"") << version << showTip;
    }
}

}  // namespace
}  // namespace corvane
