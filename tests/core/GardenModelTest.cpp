#include "config/Language.h"
#include "base/TextHelpers.h"
#include "core/FakeProfileStore.h"
#include "garden/GardenFile.h"
#include "garden/GardenModel.h"
#include "garden/BedMenu.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

// Beds as "a,b c*": ids joined by ",", beds by " ", "-" for none, "*" marks catch-all.
std::vector<Bed> Beds(std::wstring_view text) {
    std::vector<Bed> beds;
    for (std::wstring ids : SplitList(text, L' ')) {
        beds.emplace_back().catchAll = std::erase(ids, L'*') > 0;
        beds.back().items = SplitList(ids == L"-" ? L"" : ids, L',');
    }
    return beds;
}

std::wstring Show(const std::vector<Bed>& beds) {
    std::vector<std::wstring> shown;
    for (const Bed& b : beds) {
        shown.push_back((b.items.empty() ? L"-" : JoinList(b.items, L",")) +
                        (b.catchAll ? L"*" : L""));
    }
    return JoinList(shown, L" ");
}

// Files named by their ids; those starting with "dir" are folders.
GardenItems Items(std::wstring_view ids) {
    GardenItems items;
    for (const std::wstring& id : SplitList(ids, L',')) {
        items[id] = MakeGardenItem(L"d", id, id.starts_with(L"dir"));
    }
    return items;
}

TEST(GardenModel, ItemRecordsFollowTheFileName) {
    using Row = std::tuple<std::wstring, uint32_t, std::wstring>;  // file, attributes, item
    for (const auto& [file, attributes, shown] :
         {Row{L"Tool.LNK", 0, L"Tool"}, Row{L"Site.Url", 0x20, L"Site"},
          Row{L"Old.lnk", 0x10, L"Old.lnk"}, Row{L"Run.EXE", 0, L"Run.EXE C:\\D\\Run.EXE!"},
          Row{L"Pack.exe", 0x10, L"Pack.exe"}, Row{L"a.txt", 0, L"a.txt"}, Row{L"..", 0x10, L""},
          Row{L"h.txt", 0x2, L""}, Row{L"s.lnk", 0x4, L""}}) {
        GardenItems items;
        AddDesktopEntry(items, L"C:\\D", file, attributes);
        const AppEntry e = items.empty() ? AppEntry{} : items.at(L"c:\\d\\" + ToLower(file)).entry;
        EXPECT_EQ(Trim(e.name + L" " + e.exePath) + (e.hasExe ? L"!" : L""), shown);
    }
    const GardenItem bin = RecycleBinItem();
    SetNorwegian(!IsNorwegian());
    EXPECT_NE(GardenItemName(bin), bin.entry.name);  // named when shown, not when found
    SetNorwegian(!IsNorwegian());
}

TEST(GardenModel, AssignmentKeepsEveryIdInExactlyOneBedAndTheFirstRunSortsApps) {
    using Row = std::tuple<std::wstring, std::wstring, std::wstring>;  // beds, files, result
    for (const auto& [text, files, shown] :
         {Row{L"b,a* a,c,c*", L"a,b,c,e,d", L"b,a c,d,e*"}, Row{L"gone -", L"x", L"gone,x* -"},
          Row{L"- - -*", L"x", L"- - x*"}}) {
        std::vector<Bed> beds = Beds(text);
        AssignItems(beds, Items(files));
        EXPECT_EQ(Show(beds), shown) << text;
    }

    // The first run puts apps apart from the rest.
    const std::vector<Bed> beds = DefaultBeds(Items(L"a.url,b.appref-ms,c.txt,dir.lnk,e.exe,f.lnk"),
                                              {10, 20, 2000, 1000}, 144);
    EXPECT_EQ(Show(beds), L"a.url,b.appref-ms,e.exe,f.lnk " + GardenItemId(kRecycleBinPath) +
                              L",c.txt,dir.lnk*");
}

TEST(GardenModel, DropDeleteAndSortKeepTheIds) {
    // source, id, target, insertion index, result ("" for unchanged)
    using Row = std::tuple<std::size_t, std::wstring, std::size_t, int32_t, std::wstring>;
    const std::wstring start = L"a,gone,b,c x,y*";
    for (const auto& [source, id, target, index, shown] :
         {Row{0, L"a", 0, 0, L""}, Row{0, L"a", 0, 1, L""}, Row{0, L"c", 0, 9, L""},
          Row{1, L"q", 0, 0, L""}, Row{0, L"a", 5, 0, L""}, Row{0, L"a", 0, 2, L"gone,b,a,c x,y*"},
          Row{0, L"c", 0, -5, L"c,a,gone,b x,y*"}, Row{0, L"a", 1, 1, L"gone,b,c x,a,y*"},
          Row{1, L"y", 0, 3, L"a,gone,b,c,y x*"}}) {
        std::vector<Bed> beds = Beds(start);
        const DropResult result = DropItem(beds, source, id, target, index, Items(L"a,b,c,x,y"));
        EXPECT_EQ(result, shown.empty() ? DropResult::Unchanged : DropResult::Moved);
        EXPECT_EQ(Show(beds), shown.empty() ? start : shown) << id << index;
    }

    // Delete and sort keep the ids.
    std::vector<Bed> beds = Beds(L"q bbbbb,cccc* aaa.lnk");
    EXPECT_FALSE(DeleteBed(beds, 1));
    EXPECT_TRUE(DeleteBed(beds, 2));
    EXPECT_EQ(Show(beds), L"q bbbbb,cccc,aaa.lnk*");
    // By the length of the display name ("aaa"), or of the id for a missing file.
    SortBed(beds[1], Items(L"aaa.lnk,bbbbb"), [](std::wstring_view x, std::wstring_view y) {
        return static_cast<int>(x.size()) - static_cast<int>(y.size());
    });
    EXPECT_EQ(Show(beds), L"q aaa.lnk,cccc,bbbbb*");
}

constexpr PixelRect kScreen{-1920, 0, 1920, 1080};

// "name left top right bottom C * ids", C when collapsed, * when catch-all.
std::wstring Show(const Bed& b) {
    const PixelRect& r = b.rect;
    return JoinList({b.name, std::to_wstring(r.left), std::to_wstring(r.top),
                     std::to_wstring(r.right), std::to_wstring(r.bottom), b.collapsed ? L"C" : L"-",
                     b.catchAll ? L"*" : L"-", JoinList(b.items, L",")},
                    L" ");
}

TEST(GardenFile, LoadClampsEveryValue) {
    using Row = std::tuple<std::wstring, std::wstring, std::wstring>;  // Count, [Bed0], beds read
    for (const auto& [count, bed0, read] :
         {Row{L"100", L"", L"1 Bed 100 100 460 380 - - "},
          Row{L"x", L"", L"1 Bed 100 100 460 380 - - "},
          Row{L"1", L"Name=Ø\nX=-50\nY=10\nW=50\nH=20\nCollapsed=1\nCatchAll=7\nItems=a||b|",
              L"1 Ø -50 10 70 90 C * a,b"},
          Row{L"1", L"X=2147483600\nY=-2147483648\nW=2000000000\nH=99999",
              L"1 Bed -1860 60 6332 8252 - - "},
          Row{L"1", L"X=1900\nY=-279", L"1 Bed 1900 -279 2260 1 - - "},
          Row{L"1", L"X=1920", L"1 Bed -1860 60 -1500 340 - - "}}) {
        test::FakeProfileStore store(L"[Bed0]\n" + bed0 + L"\n[Garden]\nCount=" + count);
        const std::vector<Bed> beds = ReadBeds(store, kScreen);
        EXPECT_EQ(std::to_wstring(beds.size()) + (beds.empty() ? L"" : L" " + Show(beds[0])), read);
    }
}

TEST(GardenFile, BedsAreTheBedSectionsInNumberOrderAndOnlyAReadFileIsReplaced) {
    EXPECT_EQ(JoinList(BedSectionsToRead({L"bed10", L"Garden", L"Bed2", L"BED02", L"Bedroom",
                                          L"Bed", L"Bed-1", L"Bed 3", L"Bed1234567", L"Bed000000"}),
                       L","),
              L"Bed000000,Bed2,bed10");
    std::vector<std::wstring> sections;
    for (int i = 69; i >= 0; --i) {
        sections.push_back(L"Bed" + std::to_wstring(i));
    }
    EXPECT_EQ(BedSectionsToRead(sections).back(), L"Bed63");

    // Only a file that was read is replaced, and only after a copy.
    using S = GardenFileState;
    using L = GardenLoadStep;
    using Row = std::tuple<S, bool, L>;  // the file, whether it gave beds, the step
    for (const auto& [state, found, step] : {Row{S::Missing, false, L::WriteDefaults},
                                             Row{S::Unreadable, false, L::KeepFileUseDefaults},
                                             Row{S::Readable, false, L::BackUpThenWriteDefaults},
                                             Row{S::Readable, true, L::UseBeds}}) {
        EXPECT_EQ(DecideGardenLoad(state, found), step) << static_cast<int>(state) << found;
    }
}

TEST(GardenFile, SavedBedsComeBackWithoutUnstorableOrCutIds) {
    const std::vector<std::wstring> many(200000, L"1234567890");  // 11 characters with the "|"
    test::FakeProfileStore store;
    ASSERT_TRUE(
        WriteBeds(store, {{L"A\nB", {-5, -6, 200, 300}, true, false, {L"x", L"b|d", L"y\tz", L"ø"}},
                          {L"D", {0, 0, 400, 300}, false, true, many}}));
    EXPECT_EQ(store.CreatedBytes(), (std::vector<uint8_t>{0xFF, 0xFE}));
    std::vector<Bed> read = ReadBeds(store, kScreen);
    // Longer than the first buffer, cut at the last one: only whole ids come back.
    EXPECT_EQ(read.at(1).items, std::vector<std::wstring>((kWholeValueMaxChars - 1) / 11, many[0]));
    read[1].items.clear();
    EXPECT_EQ(Show(read[0]) + L"|" + Show(read[1]), L"AB -5 -6 200 300 C - x,ø|D 0 0 400 300 - * ");
}

TEST(BedMenuTest, EntriesFollowTheBed) {
    SetNorwegian(false);
    // Collapsed, catch-all, the entries ("id text", "-" a separator).
    const std::tuple<bool, bool, const wchar_t*> rows[] = {
        {false, false,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll up|-|5 Delete bed (files stay)|-|6 "
         L"CorGarden settings \u2026"},
        {true, true,
         L"1 New bed|2 Rename \u2026|3 Sort by name|4 Roll down|-|6 CorGarden settings \u2026"},
    };
    for (const auto& [collapsed, catchAll, expected] : rows) {
        Bed bed;
        bed.collapsed = collapsed;
        bed.catchAll = catchAll;
        std::wstring entries;
        for (const BedMenuEntry& entry : BedMenuEntries(bed, true)) {
            entries += entries.empty() ? L"" : L"|";
            entries += entry.command == BedCommand::None
                           ? std::wstring(L"-")
                           : std::to_wstring(static_cast<int>(entry.command)) + L" " + entry.text;
        }
        EXPECT_EQ(entries, expected) << collapsed << catchAll;
    }
    for (const BedMenuEntry& entry : BedMenuEntries(Bed{}, false)) {  // no room for a bed
        EXPECT_EQ(entry.enabled, entry.command != BedCommand::NewBed);
    }
}

}  // namespace
}  // namespace corvane
