#include "config/Language.h"
#include "base/TextHelpers.h"
#include "core/FakeProfileStore.h"
#include "garden/GardenFile.h"
#include "garden/GardenModel.h"
#include "garden/BedMenu.h"
#include "garden/BedGeometry.h"
#include "garden/BedLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(BedLayout, GridIsCentredScrollsAndHitsAndPaintsCellsBelowTheHeader) {
    // W, H, count, wanted scroll, collapsed; columns, offset, content height, scroll (exact).
    const float rows[][9] = {
        {100, 300, 0, 50, 0, 1, 8, 8, 0},    {352, 200, 10, 1000, 0, 4, 8, 248, 78},
        {352, 200, 10, -5, 0, 4, 8, 248, 0}, {351, 200, 10, 1000, 0, 3, 49.5f, 328, 158},
        {352, 200, 10, 50, 1, 4, 8, 248, 0}, {50, 200, 3, 40, 0, 1, -17, 248, 40}};
    for (const auto& r : rows) {
        const BedGrid g = LayoutBed(r[0], r[1], static_cast<int32_t>(r[2]), r[3], r[4] != 0);
        EXPECT_EQ(std::tuple(g.columns, g.gridOffset, g.contentHeight, g.scroll),
                  std::tuple(static_cast<int32_t>(r[5]), r[6], r[7], r[8]))
            << r[0] << " " << r[3];
    }
    // Count, scroll, collapsed; the painted cells. Four columns, client 200 high.
    const int32_t painted[][5] = {{40, 0, 0, 0, 12}, {40, 84, 0, 4, 16}, {40, 83, 0, 0, 16},
                                  {5, 0, 0, 0, 5},   {40, 0, 1, 0, 0},   {0, 0, 0, 0, 0}};
    for (const auto& r : painted) {
        const BedGrid g = LayoutBed(352, 200, r[0], static_cast<float>(r[1]), r[2] != 0);
        const BedCellRange range = VisibleBedCells(g, r[0], 200, r[2] != 0);
        EXPECT_EQ(std::pair(range.first, range.end), std::pair(r[3], r[4])) << r[0] << " " << r[1];
    }
    EXPECT_EQ(DropBarRect(LayoutBed(352, 200, 10, 0, false), 5),
              (PointRect{90.5f, 122, 93.5f, 184}));
    for (const auto& [dpi, pixels] : {std::pair{0u, 38}, {120u, 48}, {144u, 57}, {168u, 67}}) {
        EXPECT_EQ(BedIconPixels(dpi), pixels) << dpi;
    }
    EXPECT_EQ(std::pair(WheelScroll(0, -120), WheelScroll(100, 240)), std::pair(48.0f, 4.0f));

    // Four columns from x = 8, ten items; scroll, x, y; hit, insertion index. Cell 0 spans
    // 8..92 x 34..114 unscrolled; with scroll 20 its top is under the header; 80 is clamped to 78.
    const float hits[][5] = {{0, 11.9f, 50, -1, 0}, {0, 88, 50, -1, 1},   {0, 87.9f, 111.9f, 0, 1},
                             {0, 49, 112, -1, 0},   {0, 20, 116, 4, 4},   {0, 100, 200, 9, 9},
                             {0, 180, 200, -1, 10}, {20, 49, 29, -1, 0},  {20, 49, 31, 0, 0},
                             {0, 340, 50, -1, 4},   {0, -50, -50, -1, 0}, {80, 20, 50, 4, 4}};
    for (const auto& r : hits) {
        const BedGrid g = LayoutBed(352, 200, 10, r[0], false);
        EXPECT_EQ(
            std::pair(BedHitTest(g, 10, r[1], r[2], false), BedInsertionIndex(g, 10, r[1], r[2])),
            std::pair(static_cast<int32_t>(r[3]), static_cast<int32_t>(r[4])))
            << r[0] << ": " << r[1] << "," << r[2];
    }
    EXPECT_EQ(BedHitTest(LayoutBed(352, 200, 10, 0, true), 10, 12, 36, true), -1);
}

TEST(BedLayout, LargerTextDeepensTheHeaderAndTheLabelsInsideTheirCells) {
    for (const float scale : {1.0f, 2.0f, 2.25f}) {
        const BedGrid g = LayoutBed(352, 400, 10, 0, false, scale);
        const PointRect first = BedCellRect(g, 0);
        const PointRect name = BedLabelRect(g, first);
        // The classic 30-DIP header and label band, scaled; below the header and
        // the icon, inside the cell, which meets the next row's.
        EXPECT_GE(std::min(g.headerHeight, name.bottom - name.top), 30 * scale) << scale;
        EXPECT_GE(first.top, g.headerHeight) << scale;
        EXPECT_GE(name.top, first.top + 6 + static_cast<float>(kBedIconSize)) << scale;
        EXPECT_TRUE(name.left >= first.left && name.right <= first.right &&
                    name.bottom <= first.bottom && BedCellRect(g, 4).top == first.bottom)
            << scale;
        EXPECT_EQ(BedHitTest(g, 10, (name.left + name.right) / 2, name.bottom - 1, false), 0);
        const PixelRect rolled = KeepBedMinimum({0, 0, 300, 10}, BedEdge::Bottom, true, 96, scale);
        EXPECT_GE(static_cast<float>(rolled.Height()), g.headerHeight) << scale;
    }
    const BedGrid classic = LayoutBed(352, 400, 10, 0, false);
    EXPECT_EQ(BedLabelRect(classic, BedCellRect(classic, 0)), (PointRect{13, 82, 87, 112}));
}

TEST(BedGeometry, EdgesHaveAHalfHighTopBandResizingStopsAtTheMinimumAndSnappingKeepsTheSize) {
    // x, y, collapsed, DPI; edge. Window 100,100 .. 400,400.
    const int32_t rows[][5] = {
        {100, 100, 0, 96, 4}, {105, 102, 0, 96, 4}, {105, 103, 0, 0, 1},   {106, 102, 0, 96, 3},
        {399, 102, 0, 96, 5}, {394, 103, 0, 96, 2}, {393, 200, 0, 96, 0},  {200, 394, 0, 96, 6},
        {100, 399, 0, 96, 7}, {399, 399, 0, 96, 8}, {400, 200, 0, 96, -1}, {100, 100, 1, 96, 1},
        {200, 100, 1, 96, 0}, {399, 399, 1, 96, 2}, {108, 200, 0, 144, 1}, {200, 103, 0, 144, 3}};
    for (const auto& r : rows) {
        const auto dpi = static_cast<uint32_t>(r[3]);
        EXPECT_EQ(BedEdgeAt({100, 100, 400, 400}, r[0], r[1], r[2] != 0, dpi), BedEdge{r[4]})
            << r[0] << "," << r[1] << " " << r[2] << " " << r[3];
    }
    // Edge, dx, dy, collapsed, DPI; rectangle, from 100,100 .. 500,400.
    const int32_t drags[][9] = {
        {1, 300, 0, 0, 96, 320, 100, 500, 400},   {2, -300, 0, 0, 96, 100, 100, 280, 400},
        {4, -10, 500, 0, 96, 90, 280, 500, 400},  {8, 10, -500, 0, 96, 100, 100, 510, 220},
        {3, 0, -20, 0, 96, 100, 80, 500, 400},    {6, 0, 50, 1, 96, 100, 100, 500, 400},
        {2, -1000, 0, 1, 96, 100, 100, 280, 400}, {1, 1000, 0, 0, 144, 230, 100, 500, 400}};
    for (const auto& d : drags) {
        EXPECT_EQ(ResizeBed({100, 100, 500, 400}, BedEdge{d[0]}, d[1], d[2], d[3] != 0,
                            static_cast<uint32_t>(d[4])),
                  (PixelRect{d[5], d[6], d[7], d[8]}))
            << d[0] << " " << d[1] << "," << d[2] << " " << d[3];
    }
    // The system's size loop: edge, collapsed, proposed rectangle; kept rectangle.
    const int32_t sizings[][10] = {{4, 1, 100, 100, 200, 150, 20, 120, 200, 150},
                                   {2, 1, 100, 100, 200, 400, 100, 100, 280, 130}};
    for (const auto& s : sizings) {
        EXPECT_EQ(KeepBedMinimum({s[2], s[3], s[4], s[5]}, BedEdge{s[0]}, s[1] != 0, 96),
                  (PixelRect{s[6], s[7], s[8], s[9]}));
    }

    // Snapping goes to the first edge in reach.
    // Left, top, DPI; snapped left and top of a 300 x 200 bed beside three others. Near 1000
    // both aligning lefts (1000) and aligning rights (995) are in reach: the first wins.
    const int32_t snaps[][5] = {
        {27, 500, 96, 27, 500},   {1605, 500, 96, 1610, 500}, {500, 838, 96, 500, 830},
        {915, 700, 96, 910, 700}, {285, 700, 96, 290, 700},   {605, 395, 96, 600, 400},
        {14, 500, 96, 10, 500},   {27, 500, 144, 15, 500},    {998, 50, 96, 1000, 50}};
    const PixelRect others[] = {{600, 300, 900, 600}, {0, 0, 5, 5}, {1000, 800, 1295, 1000}};
    for (const auto& r : snaps) {
        EXPECT_EQ(SnapBed({r[0], r[1], r[0] + 300, r[1] + 200}, {0, 0, 1920, 1040}, others,
                          static_cast<uint32_t>(r[2])),
                  (PixelRect{r[3], r[4], r[3] + 300, r[4] + 200}))
            << r[0] << "," << r[1] << " " << r[2];
    }
}

TEST(BedGeometry, RollEasesOutAndNewAndDefaultBedsScaleWithTheDpi) {
    // From, to, elapsed ms; height.
    const int32_t rolls[][4] = {{300, 30, 0, 300},  {300, 30, 75, 64},  {300, 30, 150, 30},
                                {300, 30, 900, 30}, {300, 30, -5, 300}, {30, 300, 50, 220}};
    for (const auto& r : rolls) {
        EXPECT_EQ(RollHeight(r[0], r[1], r[2]), r[3]) << r[0] << " " << r[2];
    }
    // Pointer, DPI; the new bed on a 1920 x 1040 work area.
    const int32_t beds[][7] = {{960, 500, 96, 800, 485, 1120, 705},
                               {10, 10, 96, 8, 8, 328, 228},
                               {1915, 1035, 0, 1592, 812, 1912, 1032},
                               {960, 500, 144, 720, 477, 1200, 807}};
    for (const auto& b : beds) {
        EXPECT_EQ(NewBedRect(b[0], b[1], {0, 0, 1920, 1040}, static_cast<uint32_t>(b[2])),
                  (PixelRect{b[3], b[4], b[5], b[6]}))
            << b[0] << "," << b[1] << " " << b[2];
    }
    const DefaultBedRects small = DefaultBedPlaces({0, 0, 1920, 1040}, 96);
    const DefaultBedRects large = DefaultBedPlaces({-1920, 40, 0, 1080}, 144);
    EXPECT_EQ(std::pair(small.apps, small.desktop),
              std::pair(PixelRect{24, 24, 396, 324}, PixelRect{412, 24, 784, 324}));
    EXPECT_EQ(std::pair(large.apps, large.desktop),
              std::pair(PixelRect{-1884, 76, -1326, 526}, PixelRect{-1302, 76, -744, 526}));
}

TEST(BedGeometry, RenameTextLosesControlsAndSpacesAndStopsAt127Units) {
    const std::wstring x126(126, L'x');
    const std::wstring rows[][2] = {
        {L"  Bilder\t\n ", L"Bilder"},       {L"a\1b\205c", L"abc"},       {L" \t\r ", L""},
        {L"  " + x126 + L"xy", x126 + L"x"}, {x126 + L"\U0001F600", x126}, {x126 + L" yy", x126}};
    for (const auto& r : rows) {
        EXPECT_EQ(BedNameFromRename(r[0]), r[1]) << r[0].size();
    }
}

}  // namespace
}  // namespace corvane
