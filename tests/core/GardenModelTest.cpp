#include "config/Language.h"
#include "config/SettingsText.h"
#include "garden/GardenModel.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Ids = std::vector<std::wstring>;

GardenItems Items(const Ids& ids) {
    GardenItems items;
    for (const std::wstring& id : ids) {
        items[id] = MakeGardenItem(L"d", id, id.starts_with(L"dir"));
    }
    return items;
}

// Beds as "ids|ids*" with "*" after the catch-all bed.
std::wstring Show(const std::vector<Bed>& beds) {
    std::wstring text;
    for (const Bed& bed : beds) {
        text += (&bed == &beds.front() ? L"" : L" ") + JoinList(bed.items, L",") +
                (bed.catchAll ? L"*" : L"");
    }
    return text;
}

std::vector<Bed> Beds(const std::vector<Ids>& lists, const std::vector<std::size_t>& catchAll) {
    std::vector<Bed> beds;
    for (const Ids& ids : lists) {
        beds.push_back({L"B", {}, false, false, ids});
    }
    for (std::size_t i : catchAll) {
        beds[i].catchAll = true;
    }
    return beds;
}

TEST(GardenModel, ItemRecordsFollowTheFileName) {
    const struct {
        std::wstring file;
        bool folder;
        std::wstring name, exe;
    } rows[] = {
        {L"Tool.LNK", false, L"Tool", L""},    {L"Site.Url", false, L"Site", L""},
        {L"Old.lnk", true, L"Old.lnk", L""},   {L"Run.EXE", false, L"Run.EXE", L"C:\\D\\Run.EXE"},
        {L"Pack.exe", true, L"Pack.exe", L""}, {L"note.txt", false, L"note.txt", L""},
    };
    for (const auto& row : rows) {
        const GardenItem item = MakeGardenItem(L"C:\\D", row.file, row.folder);
        EXPECT_EQ(item.entry.name, row.name) << row.file;
        EXPECT_EQ(item.entry.exePath, row.exe) << row.file;
        EXPECT_EQ(item.entry.hasExe, !row.exe.empty()) << row.file;
        EXPECT_EQ(item.entry.key, L"garden:c:\\d\\" + ToLower(row.file));
    }
}

TEST(GardenModel, AssignmentKeepsEveryIdInExactlyOneBed) {
    const struct {
        std::vector<Ids> beds;
        std::vector<std::size_t> catchAll;
        Ids files;
        std::wstring shown;
    } rows[] = {
        {{{L"b", L"a"}, {L"a", L"c", L"c"}}, {0, 1}, {L"a", L"b", L"c", L"e", L"d"}, L"b,a c,d,e*"},
        {{{L"gone"}, {}}, {}, {L"x"}, L"gone,x* "},
        {{{}, {}, {}}, {2}, {L"x"}, L"  x*"},
    };
    for (const auto& row : rows) {
        std::vector<Bed> beds = Beds(row.beds, row.catchAll);
        AssignItems(beds, Items(row.files));
        EXPECT_EQ(Show(beds), row.shown);
    }
}

TEST(GardenModel, FirstRunSortsAppsFromTheRest) {
    SetNorwegian(false);
    const GardenItems items =
        Items({L"a.url", L"b.appref-ms", L"c.txt", L"dir.lnk", L"e.exe", L"f.lnk"});
    const std::vector<Bed> beds = DefaultBeds(items, {10, 20, 2000, 1000}, 144);
    ASSERT_EQ(beds.size(), 2u);
    EXPECT_EQ(beds[0].name + beds[1].name, L"AppsDesktop");
    EXPECT_EQ(Show(beds), L"a.url,b.appref-ms,e.exe,f.lnk " + GardenItemId(kRecycleBinPath) +
                              L",c.txt,dir.lnk*");
    EXPECT_EQ(beds[0].rect, (PixelRect{46, 56, 604, 506}));
    EXPECT_EQ(beds[1].rect, (PixelRect{628, 56, 1186, 506}));
}

TEST(GardenModel, DropMovesBeforeTheVisibleItemOrChangesNothing) {
    const struct {
        std::size_t source;
        std::wstring id;
        std::size_t target;
        int32_t index;
        std::wstring shown;  // empty: unchanged
    } rows[] = {
        {0, L"a", 0, 0, L""},
        {0, L"a", 0, 1, L""},
        {0, L"c", 0, 9, L""},
        {0, L"a", 0, 2, L"gone,b,a,c x,y*"},
        {0, L"c", 0, -5, L"c,a,gone,b x,y*"},
        {0, L"a", 1, 1, L"gone,b,c x,a,y*"},
        {1, L"y", 0, 3, L"a,gone,b,c,y x*"},
        {1, L"nope", 0, 0, L""},
        {0, L"a", 5, 0, L""},
    };
    const GardenItems items = Items({L"a", L"b", L"c", L"x", L"y"});
    for (const auto& row : rows) {
        std::vector<Bed> beds = Beds({{L"a", L"gone", L"b", L"c"}, {L"x", L"y"}}, {1});
        const std::wstring before = Show(beds);
        const DropResult result = DropItem(beds, row.source, row.id, row.target, row.index, items);
        EXPECT_EQ(result, row.shown.empty() ? DropResult::Unchanged : DropResult::Moved) << row.id;
        EXPECT_EQ(Show(beds), row.shown.empty() ? before : row.shown) << row.id << row.index;
    }
}

TEST(GardenModel, DeleteAndSortKeepTheIds) {
    std::vector<Bed> beds = Beds({{L"q"}, {L"b", L"zz", L"a"}, {L"p"}}, {1});
    EXPECT_FALSE(DeleteBed(beds, 1));
    EXPECT_TRUE(DeleteBed(beds, 2));
    EXPECT_EQ(Show(beds), L"q b,zz,a,p*");
    // By display name, a missing one by its id.
    GardenItems items = Items({L"a", L"b", L"p"});
    items[L"a"].entry.name = L"3";
    items[L"b"].entry.name = L"1";
    items[L"p"].entry.name = L"2";
    SortBed(beds[1], items, [](std::wstring_view x, std::wstring_view y) { return x.compare(y); });
    EXPECT_EQ(Show(beds), L"q b,p,a,zz*");
}

}  // namespace
}  // namespace corvane
