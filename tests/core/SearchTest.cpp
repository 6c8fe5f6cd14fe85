#include "start/CatalogRules.h"
#include "start/LaunchRecords.h"
#include "start/LetterRows.h"
#include "start/PinRules.h"
#include "start/Search.h"
#include "start/LauncherGrid.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using List = std::vector<std::wstring>;

// Stands in for the system's folding: ASCII lower case and one accent.
std::wstring TestFold(std::wstring_view text) {
    std::wstring folded;
    for (wchar_t c : text) {
        folded.push_back(c == L'é'                ? L'e'
                         : c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32)
                                                  : c);
    }
    return folded;
}

TEST(Search, ScoresFoldedQueriesOfOneOrSeveralWords) {
    const std::tuple<const wchar_t*, const wchar_t*, int> cases[] = {
        // text, query, score
        {L"display", L"display", 100},
        {L"visual studio code", L"v", 80},
        {L"visual studio code", L"visual studio", 80},  // several words read as one first
        {L"visual studio code", L"studio", 60},
        {L"visual studio code", L"vsc", 50},
        {L"notepad++", L"pad", 40},
        {L"paint-shop", L"shop", 60},
        {L"æble øl", L"øl", 60},
        {L"visual studio code", L"visual code", 60},    // the weakest word, in order
        {L"visual studio code", L"code visual", 55},    // another order counts less
        {L"visual studio code", L"vs code", 50},        // initials as one word
        {L"microsoft visual studio", L"vs micro", 45},  // initials from any word
        {L"visual studio code", L"  code   vis ", 55},
        {L"visual studio code", L"code od", 0},  // a word inside a word is not enough
        {L"calculator", L"xyz", 0},
        {L"calculator", L"", 0}};
    for (const auto& [text, query, score] : cases) {
        EXPECT_EQ(ScoreMatch(text, query), score) << text << " / " << query;
    }
}

AppEntry App(const wchar_t* name, const wchar_t* exePath = L"") {
    AppEntry entry;
    entry.name = name;
    entry.target = std::wstring(L"shell:AppsFolder\\") + name;
    entry.key = entry.target;
    entry.exePath = exePath;
    entry.hasExe = *exePath != L'\0';
    return entry;
}

List Names(const std::vector<AppEntry>& entries) {
    List names;
    for (const AppEntry& entry : entries) {
        names.push_back(entry.name);
    }
    return names;
}

TEST(Search, RanksByScoreThenHistoryThenCatalogOrder) {
    const std::vector<AppEntry> catalog = {App(L"Browser", L"C:\\Program Files\\Edge\\msedge.exe"),
                                           App(L"Display Fusion"),
                                           App(L"Display"),
                                           App(L"Mail and Calendar"),
                                           App(L"Café Notes"),
                                           App(L"Cafe Stats"),
                                           App(L"Cafe Map")};
    const std::vector<AppEntry> settingsPages = SettingsEntries(false);
    const SearchIndex apps(catalog, TestFold);
    const SearchIndex settings(settingsPages, TestFold);
    LaunchRecords none;

    EXPECT_EQ(Names(SearchEntries(apps, settings, none, L"  Display ", 9)),
              (List{L"Display", L"Display", L"Display Fusion"}));
    EXPECT_TRUE(SearchEntries(apps, settings, none, L"display", 9)[1].isSetting);
    EXPECT_EQ(Names(SearchEntries(apps, {}, none, L"msedge", 9)), List{L"Browser"});
    EXPECT_TRUE(SearchEntries(apps, settings, none, L"   ", 9).empty());
    // The other language's name still finds a settings page.
    const auto norwegian = SearchEntries({}, settings, none, L"skjerm", 9);
    ASSERT_EQ(norwegian.size(), 1u);
    EXPECT_EQ(norwegian[0].target, L"ms-settings:display");

    // Equal scores: started more often first, then more lately, then the
    // catalog; a started app that does not match stays out, and a settings
    // page's starts change nothing.
    LaunchRecords history;
    for (int i = 0; i < 3; ++i) {
        history.Record(catalog[4].key, 500);
    }
    history.Record(catalog[5].key, 1000);
    history.Record(catalog[5].key, 1000);
    history.Record(catalog[6].key, 2000);
    history.Record(catalog[6].key, 2000);
    history.Record(catalog[2].key, 3000);
    history.Record(L"ms-settings:display", 3000);
    EXPECT_EQ(Names(SearchEntries(apps, {}, none, L"cafe", 2)),
              (List{L"Café Notes", L"Cafe Stats"}));
    EXPECT_EQ(Names(SearchEntries(apps, {}, history, L"cafe", 9)),
              (List{L"Café Notes", L"Cafe Map", L"Cafe Stats"}));
    EXPECT_EQ(Names(SearchEntries(apps, settings, history, L"display", 9)),
              (List{L"Display", L"Display", L"Display Fusion"}));
    // A higher score is never passed by a more started app.
    history.Record(catalog[1].key, 4000);
    EXPECT_EQ(Names(SearchEntries(apps, {}, history, L"display", 1)), List{L"Display"});
}

TEST(Search, LaunchHistoryIsBoundedAndSkipsDamagedLines) {
    LaunchRecords records;
    for (int i = 0; i <= static_cast<int>(LaunchRecords::kMaxRecords); ++i) {
        records.Record(L"app" + std::to_wstring(i), 100 + i);
    }
    records.Record(L"app5", 9999);
    const LaunchRecords read = LaunchRecords::FromText(records.ToText());
    ASSERT_EQ(read.Items().size(), LaunchRecords::kMaxRecords);
    EXPECT_EQ(read.Ranked().front()->key, L"app5");  // twice, and the latest
    EXPECT_EQ(read.Ranked().front()->starts, 2u);
    for (const LaunchRecord& record : read.Items()) {
        EXPECT_NE(record.key, L"app0");  // the oldest made room
    }

    const LaunchRecords damaged = LaunchRecords::FromText(
        L"3\t50\tgood\r\nx\t1\tbad\n0\t5\tnone\n\t\t\n99999999999999999999\t1\thuge\n2\t-4\tneg\n"
        L"1\t7\tgood\n4\t9");
    ASSERT_EQ(damaged.Items().size(), 1u);
    EXPECT_EQ(damaged.Items()[0].starts, 4u);
    EXPECT_EQ(damaged.Items()[0].lastStart, 50);

    // Starts made before the file was read are added to it.
    LaunchRecords early;
    early.Record(L"good", 60);
    early.AddOnto(damaged);
    EXPECT_EQ(early.Items()[0].starts, 5u);
    EXPECT_EQ(early.Items()[0].lastStart, 60);
}

TEST(Search, FileSearchUriEncodesAllButLettersDigitsAndThreeMarks) {
    EXPECT_EQ(SearchFilesUri(L"a b&c"), L"search-ms:query=a%20b%26c");
    EXPECT_EQ(SearchFilesUri(L"x-y.z_1%"), L"search-ms:query=x-y.z_1%25");
    EXPECT_EQ(SearchFilesUri(L"é€"), L"search-ms:query=é€");
    EXPECT_EQ(SearchFilesUri(L"\u00A7"), L"search-ms:query=%A7");
}

TEST(CatalogRules, ParsingNamesOfTheApplicationsFolderAndUninstallers) {
    const std::wstring guid = L"{6D809377-6AF0-444B-8957-A3773F02200E}";
    // Parsing name; a web link, a drive path, known folder "|" the rest.
    const std::tuple<std::wstring, bool, bool, std::wstring> names[] = {
        {L"https://example.com/app", true, false, L""},
        {L"C:\\Tools\\app.exe", false, true, L""},
        {L"C:", false, false, L""},
        {guid + L"\\Vendor\\app.exe", false, false, guid + L"|\\Vendor\\app.exe"},
        {guid, false, false, L""},
        {L"{6D809377-6AF0-444B-8957-A3773F02200}\\Vendor\\app.exe", false, false, L""},
        {L"Microsoft.WindowsCalculator_8wekyb3d8bbwe!App", false, false, L""}};
    for (const auto& [name, webLink, drivePath, expected] : names) {
        EXPECT_EQ(IsWebLink(name), webLink) << name;
        EXPECT_EQ(IsDrivePath(name), drivePath) << name;
        const auto split = SplitKnownFolderPrefix(name);
        EXPECT_EQ(split ? std::wstring(split->first) + L"|" + std::wstring(split->second) : L"",
                  expected);
    }

    // Uninstallers are left out.
    const std::tuple<const wchar_t*, const wchar_t*, bool> cases[] = {
        // name, program, left out
        {L"Uninstall Foo", L"C:\\F\\f.exe", true},
        {L"Foo uninstall tool", L"", true},
        {L"AVInstaller", L"", true},
        {L"Foo", L"C:\\F\\unins000.exe", true},
        {L"Foo", L"C:/F/Uninstall.exe", true},
        {L"Foo Uninstaller", L"C:\\F\\u.exe", false},
        {L"Foo Uninstaller", L"UNINS1.EXE", true},
        {L"Foo Uninstall", L"", false}};
    for (const auto& [name, exePath, uninstaller] : cases) {
        EXPECT_EQ(IsUninstaller(name, exePath), uninstaller) << name << " " << exePath;
    }
}

TEST(CatalogRules, KeepsProgramFilesOnlyAndTheFirstOfEachEntry) {
    const AppEntry document = MakeAppEntry(L"Readme", L"C:\\Docs\\Readme.lnk", L"C:\\a.txt");
    EXPECT_TRUE(document.exePath.empty() && !document.hasExe);
    std::vector<AppEntry> entries = {
        MakeAppEntry(L"beta", L"shell:AppsFolder\\B", L"C:\\b.exe"),
        MakeAppEntry(L"Beta again", L"SHELL:AppsFolder\\b", L""),
        MakeAppEntry(L"Tool", L"C:\\User\\Tool.lnk", L"C:\\T\\tool.exe"),
        MakeAppEntry(L"Tool", L"C:\\Common\\Tool.lnk", L"c:/t/TOOL.exe"),
        MakeAppEntry(L"Tool Safe", L"C:\\Common\\Safe.lnk", L"C:\\T\\tool.exe"),
        MakeAppEntry(L"beta", L"shell:AppsFolder\\B2", L"C:\\b.exe"),
        document};
    // Descending, so that the order can only come from the comparison.
    FinishCatalog(entries, [](std::wstring_view a, std::wstring_view b) { return b.compare(a); });
    EXPECT_EQ(Names(entries), (List{L"beta", L"beta", L"Tool Safe", L"Tool", L"Readme"}));
    EXPECT_NE(FindPinnedEntry(entries, L"shell:AppsFolder\\B2"), nullptr);
    EXPECT_NE(FindPinnedEntry(entries, L"C:\\USER\\Tool.lnk"), nullptr);
    EXPECT_EQ(FindPinnedEntry(entries, L"c:\\t\\TOOL.EXE"), &entries[2]);
    EXPECT_EQ(FindPinnedEntry(entries, L"C:\\a.txt"), nullptr);
}

// A console and its developer prompt run one program; Wine lists shortcuts.
TEST(PinRules, AppsSharingAProgramPinShowStartAndUnpinApart) {
    const std::wstring cmd = L"C:\\Windows\\cmd.exe", legacy = L"c:\\WINDOWS\\CMD.exe";
    const std::vector<AppEntry> catalog = {
        MakeAppEntry(L"Prompt",
                     L"shell:AppsFolder\\{F38BF404-1D43-42F2-9305-67DE0B28FC23}\\cmd.exe", cmd),
        MakeAppEntry(L"Dev Prompt", L"C:\\Menu\\Dev Prompt.lnk", cmd)};
    const std::wstring prompt = catalog[0].target, dev = catalog[1].target, gone = L"D:\\Gone.exe";
    // A program file names the first app running it, and only that one.
    const std::tuple<List, std::size_t, bool, List> rows[] = {
        {{gone}, 1, true, {gone, dev}},
        {{dev, gone, prompt}, 1, false, {gone, prompt}},
        {{legacy, gone}, 1, true, {legacy, gone, dev}},
        {{legacy, dev}, 1, false, {legacy}},
        {{legacy, dev}, 0, false, {dev}}};
    for (const auto& [before, app, pin, after] : rows) {
        EXPECT_NE(IsPinned(before, catalog[app], catalog), pin);
        EXPECT_EQ(WithPinned(before, catalog[app], pin, catalog), after);
        EXPECT_EQ(IsPinned(after, catalog[1 - app], catalog),
                  IsPinned(before, catalog[1 - app], catalog));
    }
    EXPECT_EQ(FindPinnedEntry(catalog, PinIdentifier(catalog[1])), &catalog[1]);
    EXPECT_EQ(FindPinnedEntry(catalog, legacy), &catalog[0]);

    // The dock gets what starts the app; a program pin is the app whose target is that program.
    EXPECT_EQ(WithDockPin({legacy}, catalog[1]), (List{legacy, dev}));
    EXPECT_FALSE(WithDockPin({legacy}, catalog[0]).has_value());
    AppEntry setting = catalog[1];
    setting.isSetting = true;
    EXPECT_FALSE(WithDockPin({}, setting).has_value());
    EXPECT_FALSE(WithDockPin({}, MakeAppEntry(L"Bad", L"C:\\a|b.lnk", L"")).has_value());

    const MenuPinnedList first = LoadMenuPinned(false, {L"m"}, {L"d"});
    EXPECT_TRUE(first.mustSave && first.identifiers == List{L"d"});
    const MenuPinnedList emptied = LoadMenuPinned(true, {}, {L"d"});
    EXPECT_TRUE(!emptied.mustSave && emptied.identifiers.empty());
}

// Norwegian-like: Ø sorts after Z; É and Ä fold to E and A, Þ to nothing.
const LetterLocale kLocale = {
    [](wchar_t c) { return c == L'Ø'; },
    [](wchar_t c) { return c == L'É'   ? L'E'
                           : c == L'Ä' ? L'A'
                                       : c; },
    [](wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c >= 0xC0; },
    [](wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= 0xE0 && c <= 0xFE) ? c - 0x20 : c; },
    [](wchar_t c) { return LetterInScripts(c, L"Latn;"); }};

std::vector<AppEntry> Catalog(std::initializer_list<const wchar_t*> names) {
    std::vector<AppEntry> catalog;
    for (const wchar_t* name : names) {
        catalog.push_back(MakeAppEntry(name, name, L""));
    }
    return catalog;
}

TEST(LetterRows, HeadersAndIndex) {
    // Headers as their letter, app rows as their entry index.
    std::wstring rows;
    for (const LetterRow& row :
         BuildLetterRows(Catalog({L"7-Zip", L"", L"éclair", L"Edge", L"Ärger", L"zebra", L"Øl",
                                  L"þorn", L"Жук", L"中文"}),
                         kLocale)) {
        rows += row.header ? row.letter : static_cast<wchar_t>(L'0' + row.entry);
    }
    EXPECT_EQ(rows, L"#01E23A4Z5Ø6Þ7…89");
    const std::vector<wchar_t> letters = IndexLetters(
        BuildLetterRows(Catalog({L"Øl", L"Þorn", L"Øre", L"Ярлык", L"Åpen"}), kLocale));
    EXPECT_EQ(std::wstring(letters.begin(), letters.end()), L"#ABCDEFGHIJKLMNOPQRSTUVWXYZØÞÅ…");
    // Whole codes only, letters of the listed alphabets only.
    EXPECT_TRUE(LetterInScripts(L'Ж', L"Latn;Cyrl;"));
    EXPECT_FALSE(LetterInScripts(L'Ж', L"Cyrls;") || LetterInScripts(L'a', L"Cyrl;") ||
                 LetterInScripts(L'中', L"Hani;"));
}

TEST(LauncherGrid, LaysOutPagesForTheDisplay) {
    // width, height, icon, cell width and height, x0, y0, columns, rows, per page
    const LauncherLayout cases[] = {
        {1920, 1080, 84, 168, 134, 204, 160, 9, 6, 54},
        {800, 400, 56, 112, 106, 64, 116, 6, 2, 12},
        {3840, 1200, 84, 168, 134, 1164, 220, 9, 6, 54},
        {400, 770, 70, 140, 120, -80, 167, 4, 4, 16},
    };
    for (const LauncherLayout& c : cases) {
        EXPECT_EQ(LayOutLauncher(c.width, c.height), c) << c.width << "x" << c.height;
    }
    const LauncherLayout l = cases[0];
    EXPECT_EQ(std::tuple(l.Pages(0), l.Pages(54), l.Pages(55)), std::tuple(1, 1, 2));
    EXPECT_EQ(l.CellOf(64, 0.5f), (LauncherCell{204 + 168 + 960, 160 + 134}));
}

TEST(LauncherGrid, DragsKeepTheKeysOfMissingAppsInPlace) {
    // Apps are letters in catalog order; p to y are apps missing now.
    const std::tuple<std::wstring, std::wstring, int32_t, int32_t, std::wstring, std::wstring>
        cases[] = {{L"c|x|a|c", L"abcd", 0, 1, L"acbd", L"x|a|c|b|d"},
                   {L"a|x|b|y|c", L"abcd", 2, 0, L"cabd", L"c|a|x|b|y|d"},
                   {L"x||y", L"abcd", 1, 4, L"abcd", L"x|y|a|b|c|d"},
                   // A catalog from another source that matches no stored key.
                   {L"p|q|r", L"abc", 2, 0, L"cab", L"p|q|r|c|a|b"}};
    for (const auto& [stored, present, from, to, grid, saved] : cases) {
        std::vector<AppEntry> catalog(present.size());
        for (std::size_t i = 0; i < catalog.size(); ++i) {
            catalog[i].key = present.substr(i, 1);
        }
        LauncherArrangement arranged = ArrangeLauncher(stored, catalog);
        MoveArranged(arranged, from, to);
        std::wstring shown;
        for (const AppEntry& entry : arranged.grid) {
            shown += entry.key;
        }
        EXPECT_EQ(std::pair(shown, JoinArrangement(arranged)), std::pair(grid, saved)) << stored;
    }
}

TEST(LauncherGrid, FindsItemsSlotsPageDotsAndEdgesUnderThePointer) {
    const LauncherLayout l = LayOutLauncher(1920, 1080);  // 9 x 6 cells from (204, 160)
    // page, x, y, the item hit and the drop slot among 60 items
    const std::tuple<int32_t, float, float, int32_t, int32_t> cases[] = {
        {0, 212.0f, 160.0f, 0, 0},     {0, 211.9f, 160.0f, -1, 0},  {0, 364.0f, 200.0f, -1, 0},
        {0, 380.0f, 294.0f, 10, 10},   {0, 250.0f, 290.0f, -1, 0},  {0, 0.0f, 0.0f, -1, 0},
        {0, 1919.0f, 1079.0f, -1, 53}, {1, 250.0f, 200.0f, 54, 54}, {1, 1250.0f, 200.0f, -1, 59},
        {1, 1919.0f, 1079.0f, -1, 59}, {0, 548.0f, 294.0f, 11, 11}, {2, 250.0f, 200.0f, -1, 59},
    };
    for (const auto& [page, x, y, item, slot] : cases) {
        EXPECT_EQ(LauncherItemAt(l, 60, page, static_cast<float>(page), x, y), item)
            << x << "," << y;
        EXPECT_EQ(LauncherDropSlot(l, 60, page, x, y), slot) << x << "," << y;
    }
    // Three dots centred at x 942, 960, 978 on y 1024: x, y, the dot hit.
    const std::tuple<float, float, int32_t> dots[] = {
        {933.0f, 1024.0f, 0}, {932.5f, 1024.0f, -1}, {960.0f, 1011.0f, -1},
        {987.0f, 1036.0f, 2}, {987.0f, 1036.5f, -1},
    };
    for (const auto& [x, y, k] : dots) {
        EXPECT_EQ(PageDotAt(l, 3, x, y), k) << x << "," << y;
        EXPECT_EQ(PageDotAt(l, 1, x, y), -1);
    }
    // A drag turns pages near the edges: pointer x; the edge.
    const std::pair<float, int32_t> edges[] = {{500.0f, 0},  {40.0f, -1},  {41.0f, 0},
                                               {1880.0f, 1}, {1879.0f, 0}, {-5.0f, -1}};
    for (const auto& [x, edge] : edges) {
        EXPECT_EQ(EdgeUnderDrag(l, x), edge) << x;
    }
}

TEST(LauncherGrid, IndicesAndPageStayInsideAListThatShrank) {
    // index, count; the index kept
    const std::tuple<int32_t, std::size_t, int32_t> indices[] = {
        {-1, 5, -1}, {0, 0, -1}, {3, 5, 3}, {5, 5, 4}, {70, 5, 4}, {4, 1, 0}};
    for (const auto& [index, count, kept] : indices) {
        EXPECT_EQ(KeepIndexIn(index, count), kept) << index << " of " << count;
    }
    // page, pages now; the page kept, at rest there
    const std::tuple<int32_t, int32_t, int32_t> pages[] = {{3, 2, 1}, {1, 2, 1}, {2, 0, 0}};
    for (const auto& [page, count, kept] : pages) {
        PageMotion motion;
        motion.Reset(page);
        motion.ClampToPages(count);
        EXPECT_EQ(std::pair(motion.Page(), motion.Scroll()), std::pair(kept, float(kept))) << page;
    }
    // A wheel report without a delta turns nothing.
    PageMotion motion;
    motion.Reset(1);
    EXPECT_FALSE(motion.Wheel(0, 3, 1000));
    EXPECT_EQ(std::pair(motion.Page(), motion.FreeScroll()), std::pair(1, false));
}

TEST(LauncherGrid, WheelNotchesTurnOnePageAtMostEvery180MsAndSwipesRubberBand) {
    // Reports of a signed delta so many ms apart over so many pages; the page reached.
    const std::tuple<int32_t, int32_t, double, int32_t, int32_t> cases[] = {
        {120, 1, 0, 3, 1},   {240, 1, 0, 3, 1},   {-120, 1, 0, 3, 0},
        {120, 3, 60, 3, 1},  {120, 2, 179, 3, 1}, {120, 4, 180, 3, 2},
        {120, 2, 180, 3, 2}, {120, 2, 180, 1, 0}, {37, 2, 180, 1, 0}};
    for (const auto& [delta, reports, interval, pages, page] : cases) {
        PageMotion motion;
        double last = 1000;
        for (int32_t i = 0; i < reports; ++i) {
            last = 1000 + interval * i;
            motion.Wheel(delta, pages, last);
        }
        EXPECT_EQ(motion.Page(), page) << delta << " x" << reports << " " << interval;
        motion.Tick(last + 170, pages);  // eased: 1 - 0.5^3 of the way at half time
        EXPECT_GE(motion.Scroll(), 0.8f * static_cast<float>(page)) << page;
        motion.Tick(last + 340, pages);
        EXPECT_EQ(motion.Scroll(), static_cast<float>(page));
    }

    // Touchpad swipes rubber-band and settle on a page.
    // page, precision delta, reports, ms apart; scroll at the end, page settled on
    const std::tuple<int32_t, int32_t, int32_t, double, float, int32_t> swipes[] = {
        {2, 90, 3, 10, 2.09f, 2},    {2, 90, 20, 10, 2.25f, 2},   {0, -90, 20, 10, -0.25f, 0},
        {0, 60, 5, 10, 0.3333f, 1},  {0, 60, 5, 200, 0.3333f, 0}, {1, -60, 5, 10, 0.6667f, 0},
        {1, 300, 1, 10, 1.3333f, 1}, {0, 90, 2, 30, 0.2f, 0},
    };
    for (const auto& [from, delta, events, interval, scroll, settles] : swipes) {
        PageMotion motion;
        motion.Reset(from);
        double now = 1000;
        for (int32_t i = 0; i < events; ++i, now += interval) {
            EXPECT_TRUE(motion.Wheel(delta, 3, now));
        }
        const double last = now - interval;
        EXPECT_NEAR(motion.Scroll(), scroll, 1e-3) << from << " " << delta;
        motion.Tick(last + 109, 3);
        EXPECT_TRUE(motion.FreeScroll());
        motion.Tick(last + 110, 3);
        EXPECT_EQ(motion.Page(), settles) << from << " " << delta << " " << interval;
        motion.Tick(last + 410, 3);
        EXPECT_EQ(motion.Scroll(), static_cast<float>(settles));
    }
}

TEST(LauncherGrid, KeysMoveTheSelectionAcrossPagesSideBySide) {
    const LauncherLayout l = LayOutLauncher(1920, 1080);  // 9 columns, 6 rows, 54 a page
    using K = LauncherKey;
    // key, shown count, selection, page; the selection and page after it
    const std::tuple<K, std::size_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {K::PageDown, 60, -1, 0, -1, 1}, {K::PageDown, 60, 5, 0, 59, 1},
        {K::PageUp, 60, 57, 1, 3, 0},    {K::Down, 60, -1, 1, 54, 1},
        {K::Right, 60, 8, 0, 54, 1},     {K::Right, 60, 17, 0, 59, 1},
        {K::Left, 60, 54, 1, 8, 0},      {K::Left, 60, 9, 0, 9, 0},
        {K::Right, 60, 59, 1, 59, 1},    {K::Down, 60, 50, 0, 50, 0},
        {K::Down, 60, 55, 1, 55, 1},     {K::Down, 14, 6, 0, 13, 0},
        {K::Up, 60, 3, 0, 3, 0},         {K::Up, 60, 20, 0, 11, 0},
        {K::Down, 0, -1, 0, -1, 0},
    };
    for (const auto& [key, count, selection, page, toSelection, toPage] : cases) {
        const LauncherKeyMove move = MoveInLauncher(l, count, key, selection, page);
        EXPECT_EQ(std::pair(move.selection, move.page), std::pair(toSelection, toPage))
            << int(key) << " from " << selection << " of " << count;
    }
}

}  // namespace
}  // namespace corvane
