#include "start/Search.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

TEST(Search, ScoresFromEqualToNothing) {
    struct Case {
        const wchar_t* text;
        const wchar_t* query;
        int score;
    };
    const Case cases[] = {
        {L"Display", L"display", 100},     {L"Visual Studio", L"v", 80},
        {L"Visual Studio", L"studio", 60}, {L"Visual Studio", L"vs", 50},
        {L"Visual Studio", L"s", 60},  // one character: a word start, never initials
        {L"Notepad++", L"pad", 40},        {L"Paint-Shop", L"shop", 60},
        {L"app.exe", L"exe", 60},          {L"Æble Øl", L"øl", 60},  // lower-cased beyond ASCII
        {L"Calculator", L"xyz", 0},        {L"Calculator", L"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScoreMatch(c.text, c.query), c.score) << c.text << " / " << c.query;
    }
}

AppEntry App(const wchar_t* name, const wchar_t* exePath = L"") {
    AppEntry entry;
    entry.name = name;
    entry.target = std::wstring(L"shell:AppsFolder\\") + name;
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

TEST(Search, RanksAppsBeforeSettingsAndHalvesProgramFileMatches) {
    const std::vector<AppEntry> catalog = {App(L"Browser", L"C:\\Program Files\\Edge\\msedge.exe"),
                                           App(L"Display Fusion"), App(L"Display"),
                                           App(L"Mail and Calendar")};
    const std::vector<AppEntry> settings = SettingsEntries(false);

    EXPECT_EQ(Names(SearchEntries(catalog, settings, L"  Display ", 9)),
              (std::vector<std::wstring>{L"Display", L"Display", L"Display Fusion"}));
    EXPECT_TRUE(SearchEntries(catalog, settings, L"display", 9)[1].isSetting);
    // Equal scores keep catalog order; the result is cut to its size.
    EXPECT_EQ(Names(SearchEntries(catalog, {}, L"a", 2)),
              (std::vector<std::wstring>{L"Mail and Calendar", L"Display Fusion"}));
    // Only the program file matches: 80 halved, behind a word-start match.
    const std::vector<AppEntry> edge = {App(L"Edge Helper", L"C:\\x\\msedge.exe"),
                                        App(L"Tools msedge")};
    EXPECT_EQ(Names(SearchEntries(edge, {}, L"msedge", 9)),
              (std::vector<std::wstring>{L"Tools msedge", L"Edge Helper"}));
    EXPECT_TRUE(SearchEntries(catalog, settings, L"   ", 9).empty());
    // The other language's name still finds a settings page.
    const auto norwegian = SearchEntries({}, settings, L"skjerm", 9);
    ASSERT_EQ(norwegian.size(), 1u);
    EXPECT_EQ(norwegian[0].target, L"ms-settings:display");
}

TEST(Search, FileSearchUriEncodesAllButLettersDigitsAndThreeMarks) {
    EXPECT_EQ(SearchFilesUri(L"a b&c"), L"search-ms:query=a%20b%26c");
    EXPECT_EQ(SearchFilesUri(L"x-y.z_1%"), L"search-ms:query=x-y.z_1%25");
    EXPECT_EQ(SearchFilesUri(L"é€"), L"search-ms:query=é€");
    EXPECT_EQ(SearchFilesUri(L"\u00A7"), L"search-ms:query=%A7");
}

}  // namespace
}  // namespace corvane
