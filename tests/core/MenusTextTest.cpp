// The two built-in menus.txt texts and the profiles they parse to.

#include "appmenus/MenusParser.h"
#include "resources/DefaultMenusText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

using Keys = std::vector<std::wstring>;

std::vector<std::wstring> LinesOf(std::wstring_view text) {
    std::vector<std::wstring> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            end = text.size();
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The part after " = " of an item line, or the whole line for anything else.
std::wstring ShortcutPart(const std::wstring& line) {
    const std::size_t at = line.find(L" = ");
    return at == std::wstring::npos ? line : line.substr(at);
}

class MenusText : public testing::TestWithParam<bool> {
protected:
    std::wstring_view Text() const { return DefaultMenusText(GetParam()); }
};

TEST_P(MenusText, Has285LinesEachEndingInALineFeed) {
    const std::wstring_view text = Text();
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 285);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), L'\n');
    EXPECT_EQ(text.find(L'\r'), std::wstring_view::npos);
    const auto lines = LinesOf(text);
    ASSERT_EQ(lines.size(), kDefaultMenusLineCount);
    // No line that the parser would have to guess about.
    for (const std::wstring& line : lines) {
        EXPECT_EQ(line.find(L'\t'), std::wstring::npos);
        EXPECT_TRUE(line.empty() || line.back() != L' ');
    }
}

TEST_P(MenusText, ParsesToEightSectionsNamingTwentyTwoExecutablesAndTheDefault) {
    const auto lines = LinesOf(Text());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::wstring& l) { return l.starts_with(L"["); }),
              8);
    const MenuProfileTable table = ParseAppMenus(Text());
    Keys expected = {L"brave.exe",
                     L"chrome.exe",
                     L"msedge.exe",
                     L"vivaldi.exe",
                     L"opera.exe",
                     L"opera_gx.exe",
                     L"thorium.exe",
                     L"chromium.exe",
                     L"firefox.exe",
                     L"zen.exe",
                     L"librewolf.exe",
                     L"waterfox.exe",
                     L"floorp.exe",
                     L"explorer.exe",
                     L"code.exe",
                     L"cursor.exe",
                     L"windsurf.exe",
                     L"vscodium.exe",
                     L"discord.exe",
                     L"spotify.exe",
                     L"windowsterminal.exe",
                     L"wt.exe",
                     L"*"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(table.Keys(), expected);
    // Every name of a section shows the same menus.
    EXPECT_EQ(*table.Find(L"brave.exe"), *table.Find(L"chromium.exe"));
    EXPECT_EQ(*table.Find(L"firefox.exe"), *table.Find(L"floorp.exe"));
    EXPECT_EQ(*table.Find(L"code.exe"), *table.Find(L"vscodium.exe"));
    EXPECT_EQ(*table.Find(L"windowsterminal.exe"), *table.Find(L"wt.exe"));
    EXPECT_NE(*table.Find(L"chrome.exe"), *table.Find(L"firefox.exe"));
    // Every line of the text ended up somewhere: no item was dropped.
    std::size_t items = 0;
    std::size_t menus = 0;
    for (const wchar_t* key : {L"chrome.exe", L"firefox.exe", L"explorer.exe", L"code.exe",
                               L"discord.exe", L"spotify.exe", L"wt.exe", L"*"}) {
        for (const AppMenu& menu : *table.Find(key)) {
            ++menus;
            items += menu.items.size();
        }
    }
    EXPECT_EQ(menus + items + 8 + 7 + 15, kDefaultMenusLineCount);
}

TEST_P(MenusText, ExplorerEndsWithTheSettingsRunItem) {
    const MenuProfileTable table = ParseAppMenus(Text());
    const MenuProfile* explorer = table.Find(L"explorer.exe");
    ASSERT_NE(explorer, nullptr);
    ASSERT_EQ(explorer->size(), 4u);
    const AppMenuItem& last = explorer->back().items.back();
    EXPECT_EQ(last.runTarget, L"ms-settings:");
    EXPECT_TRUE(last.chords.empty());
    EXPECT_TRUE(last.shortcutText.empty());
    EXPECT_EQ(last.name, GetParam() ? L"Innstillinger" : L"Settings");
}

TEST_P(MenusText, DefaultProfileMenus) {
    const MenuProfileTable table = ParseAppMenus(Text());
    const MenuProfile* fallback = table.Find(L"*");
    ASSERT_NE(fallback, nullptr);
    ASSERT_EQ(fallback->size(), 3u);
    const bool no = GetParam();
    EXPECT_EQ((*fallback)[0].title, no ? L"Fil" : L"File");
    EXPECT_EQ((*fallback)[1].title, no ? L"Rediger" : L"Edit");
    EXPECT_EQ((*fallback)[2].title, no ? L"Vindu" : L"Window");
    const AppMenuItem& move = (*fallback)[2].items.back();
    EXPECT_EQ(move.name, no ? L"Flytt til neste skjerm" : L"Move to Next Display");
    ASSERT_EQ(move.chords.size(), 1u);
    EXPECT_EQ(move.chords[0].modifiers, (std::vector<uint16_t>{0x5B, 0x10}));
    EXPECT_EQ(move.chords[0].key, 0x27);
    EXPECT_EQ(move.chords[0].extended, 1);
}

TEST_P(MenusText, EllipsisIsOneCharacterWithASpaceBeforeItOnlyInNorwegian) {
    const std::wstring_view text = Text();
    EXPECT_EQ(text.find(L"..."), std::wstring_view::npos);
    std::size_t count = 0;
    for (std::size_t at = text.find(L'\u2026'); at != std::wstring_view::npos;
         at = text.find(L'\u2026', at + 1)) {
        ++count;
        ASSERT_GT(at, 0u);
        if (at + 1 < text.size() && text[at + 1] == L')') {
            continue;  // "(File, Edit …)" in the comment block
        }
        EXPECT_EQ(text[at - 1] == L' ', GetParam()) << "at " << at;
    }
    EXPECT_GT(count, 10u);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, MenusText, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Norwegian" : "English";
                         });

TEST(MenusTexts, StartWithTheirCommentBlocks) {
    const auto en = LinesOf(DefaultMenusText(false));
    const auto no = LinesOf(DefaultMenusText(true));
    EXPECT_EQ(en.at(0), L"# Corvane \u2013 app menus");
    EXPECT_EQ(no.at(0), L"# Corvane \u2013 appmenyer");
    EXPECT_EQ(en.at(13), L"# automatically if they have no profile here.");
    EXPECT_EQ(no.at(13), L"# automatisk hvis de ikke har en profil her.");
    EXPECT_EQ(en.at(14), L"");
    EXPECT_EQ(no.at(14), L"");
    for (std::size_t i = 0; i < 14; ++i) {
        EXPECT_TRUE(en[i].starts_with(L"#"));
        EXPECT_TRUE(no[i].starts_with(L"#"));
    }
}

TEST(MenusTexts, SameShapeAndShortcutsLineForLine) {
    const auto en = LinesOf(DefaultMenusText(false));
    const auto no = LinesOf(DefaultMenusText(true));
    ASSERT_EQ(en.size(), no.size());
    for (std::size_t i = 14; i < en.size(); ++i) {
        EXPECT_EQ(ShortcutPart(en[i]).starts_with(L" = "), ShortcutPart(no[i]).starts_with(L" = "))
            << "line " << i + 1;
        if (en[i].starts_with(L"[") || en[i].empty() || en[i] == L"    -" ||
            en[i].find(L" = ") != std::wstring::npos) {
            EXPECT_EQ(ShortcutPart(en[i]), ShortcutPart(no[i])) << "line " << i + 1;
        }
        EXPECT_EQ(en[i].starts_with(L"    "), no[i].starts_with(L"    ")) << "line " << i + 1;
    }
}

TEST(MenusTexts, ParseToTheSameChordsItemByItem) {
    const MenuProfileTable en = ParseAppMenus(DefaultMenusText(false));
    const MenuProfileTable no = ParseAppMenus(DefaultMenusText(true));
    ASSERT_EQ(en.Keys(), no.Keys());
    std::size_t compared = 0;
    for (const std::wstring& key : en.Keys()) {
        const MenuProfile& a = *en.Find(key);
        const MenuProfile& b = *no.Find(key);
        ASSERT_EQ(a.size(), b.size()) << std::string(key.begin(), key.end());
        for (std::size_t m = 0; m < a.size(); ++m) {
            EXPECT_NE(a[m].title, L"");
            ASSERT_EQ(a[m].items.size(), b[m].items.size());
            for (std::size_t i = 0; i < a[m].items.size(); ++i) {
                const AppMenuItem& x = a[m].items[i];
                const AppMenuItem& y = b[m].items[i];
                EXPECT_EQ(x.chords, y.chords);
                EXPECT_EQ(x.shortcutText, y.shortcutText);
                EXPECT_EQ(x.runTarget, y.runTarget);
                EXPECT_EQ(x.isSeparator, y.isSeparator);
                EXPECT_EQ(x.isSeparator || !x.runTarget.empty(), x.chords.empty());
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 200u);
}

}  // namespace
}  // namespace corvane
