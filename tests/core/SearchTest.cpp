#include "start/LaunchRecords.h"
#include "start/Search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

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
    struct Case {
        const wchar_t* text;
        const wchar_t* query;
        int score;
    };
    const Case cases[] = {
        {L"display", L"display", 100},
        {L"visual studio code", L"v", 80},
        {L"visual studio code", L"visual studio", 80},  // several words read as one first
        {L"visual studio code", L"studio", 60},
        {L"visual studio code", L"vsc", 50},
        {L"visual studio code", L"s", 60},  // one character: a word start, never initials
        {L"notepad++", L"pad", 40},
        {L"paint-shop", L"shop", 60},
        {L"æble øl", L"øl", 60},
        {L"visual studio code", L"visual code", 60},    // the weakest word, in order
        {L"visual studio code", L"code visual", 55},    // another order counts less
        {L"visual studio code", L"vs code", 50},        // initials as one word
        {L"microsoft visual studio", L"vs micro", 45},  // initials from any word
        {L"visual studio code", L"  code   vis ", 55},
        {L"visual studio code", L"code od", 0},  // a word inside a word is not enough
        {L"visual studio code", L"code xyz", 0},
        {L"calculator", L"xyz", 0},
        {L"calculator", L"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScoreMatch(c.text, c.query), c.score) << c.text << " / " << c.query;
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

std::vector<std::wstring> Names(const std::vector<AppEntry>& entries) {
    std::vector<std::wstring> names;
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
              (std::vector<std::wstring>{L"Display", L"Display", L"Display Fusion"}));
    EXPECT_TRUE(SearchEntries(apps, settings, none, L"display", 9)[1].isSetting);
    EXPECT_EQ(Names(SearchEntries(apps, {}, none, L"msedge", 9)),
              std::vector<std::wstring>{L"Browser"});
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
              (std::vector<std::wstring>{L"Café Notes", L"Cafe Stats"}));
    EXPECT_EQ(Names(SearchEntries(apps, {}, history, L"cafe", 9)),
              (std::vector<std::wstring>{L"Café Notes", L"Cafe Map", L"Cafe Stats"}));
    EXPECT_EQ(Names(SearchEntries(apps, settings, history, L"display", 9)),
              (std::vector<std::wstring>{L"Display", L"Display", L"Display Fusion"}));
    // A higher score is never passed by a more started app.
    history.Record(catalog[1].key, 4000);
    EXPECT_EQ(Names(SearchEntries(apps, {}, history, L"display", 1)),
              std::vector<std::wstring>{L"Display"});
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

}  // namespace
}  // namespace corvane
