// The two built-in menus.txt texts: every line means what it looks like,
// and both languages offer the same commands; the file's bytes, and when a
// file counts as an untouched default.

#include "appmenus/MenusParser.h"
#include "base/TextHelpers.h"
#include "resources/DefaultMenusText.h"
#include "appmenus/MenusFileText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// No line the parser would skip or have to guess about: every item is valid
// and belongs to a menu of a section. "…" is one character, with a space
// before it in Norwegian only.
TEST(MenusText, EveryLineParsesEllipsesFollowTheLanguageAndBothOfferTheSameCommands) {
    for (const bool norwegian : {false, true}) {
        SCOPED_TRACE(norwegian ? "Norwegian" : "English");
        const std::wstring_view text = DefaultMenusText(norwegian);
        ASSERT_TRUE(text.ends_with(L"\n"));
        EXPECT_FALSE(text.ends_with(L"\n\n"));
        bool inSection = false;
        bool inMenu = false;
        for (const std::wstring& line : SplitListUntrimmed(text, L'\n')) {
            EXPECT_EQ(line.find_first_of(L"\r\t"), std::wstring::npos) << line;
            EXPECT_FALSE(line.ends_with(L" ")) << line;
            if (line.empty() || line.starts_with(L"#")) {
                continue;
            }
            if (line.starts_with(L"[")) {
                EXPECT_TRUE(line.ends_with(L"]")) << line;
                inSection = true;
                inMenu = false;
            } else if (line.starts_with(L"    ")) {
                EXPECT_TRUE(inMenu) << line;
                EXPECT_TRUE(ParseMenuItem(Trim(line)).has_value()) << line;
            } else {
                EXPECT_TRUE(inSection) << line;
                EXPECT_EQ(Trim(line), line);
                inMenu = true;
            }
        }
        EXPECT_EQ(text.find(L"..."), std::wstring_view::npos);
        int count = 0;
        for (std::size_t at = text.find(L'\u2026', 1); at != std::wstring_view::npos;
             at = text.find(L'\u2026', at + 1), ++count) {
            if (text[at + 1] != L')') {  // "(File, Edit …)" in the comment block
                EXPECT_EQ(text[at - 1] == L' ', norwegian) << "at " << at;
            }
        }
        EXPECT_GT(count, 10);
    }

    // Both languages have the same menus and commands, item by item.
    const MenuProfileTable en = ParseAppMenus(DefaultMenusText(false));
    const MenuProfileTable no = ParseAppMenus(DefaultMenusText(true));
    ASSERT_EQ(en.Keys(), no.Keys());
    // Applications without a profile of their own fall back to this one.
    ASSERT_NE(en.Find(L"*"), nullptr);
    std::size_t commands = 0;
    for (const std::wstring& key : en.Keys()) {
        const MenuProfile& a = *en.Find(key);
        const MenuProfile& b = *no.Find(key);
        ASSERT_EQ(a.size(), b.size()) << key;
        for (std::size_t m = 0; m < a.size(); ++m) {
            ASSERT_EQ(a[m].items.size(), b[m].items.size()) << a[m].title;
            for (std::size_t i = 0; i < a[m].items.size(); ++i) {
                const AppMenuItem& x = a[m].items[i];
                const AppMenuItem& y = b[m].items[i];
                EXPECT_EQ(x.chords, y.chords) << x.name;
                EXPECT_EQ(x.shortcutText, y.shortcutText) << x.name;
                EXPECT_EQ(x.runTarget, y.runTarget) << x.name;
                EXPECT_EQ(x.isSeparator, y.isSeparator) << x.name;
                EXPECT_EQ(x.name.empty(), x.isSeparator);
                EXPECT_EQ(y.name.empty(), y.isSeparator);
                commands += x.isSeparator ? 0 : 1;
            }
        }
    }
    EXPECT_GT(commands, 150u);
}

using Bytes = std::vector<uint8_t>;

std::wstring DecodeFile(const std::string& bytes) {
    return DecodeMenusFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        out += c == L'\n' ? L"\r\n" : std::wstring(1, c);
    }
    return out;
}

TEST(MenusFileBytes, MarkIsSkippedOnlyAtTheStartAndWrittenWithCrLf) {
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF[a.exe]"), L"[a.exe]");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF\xEF\xBB\xBFx"), L"\uFEFFx");
    EXPECT_EQ(DecodeFile("x\xEF\xBB\xBF"), L"x\uFEFF");
    EXPECT_EQ(DecodeFile(std::string("\xEF\xBB") + "a"), L"\uFFFDa");  // half a mark is broken
    EXPECT_EQ(EncodeMenusFileBytes(L"F\u00E5\n  x\n"),
              (Bytes{0xEF, 0xBB, 0xBF, 'F', 0xC3, 0xA5, 0x0D, 0x0A, ' ', ' ', 'x', 0x0D, 0x0A}));
}

TEST(MenusTextChoice, EmptyFallsBackUntouchedOtherDefaultIsReplacedAnyEditStays) {
    for (const bool otherIsNorwegian : {false, true}) {
        const std::wstring other(DefaultMenusText(otherIsNorwegian));
        std::wstring oneChar = other;
        oneChar[oneChar.find(L"Ctrl+T")] = L'c';
        // The file; whether the current default is used and the file rewritten.
        const std::pair<std::wstring, MenusTextChoice> cases[] = {
            {L"", {true, false}},
            {other, {true, true}},
            {L"\uFEFF" + WithCrLf(other), {true, true}},
            {other + L"\n\n   \r\n \n", {true, true}},
            {other.substr(0, other.size() - 1), {true, true}},
            // Carriage returns, trailing spaces and line feeds and one
            // leading mark are all that the comparison leaves out.
            {oneChar, {false, false}},
            {L" " + other, {false, false}},
            {other + L"\t", {false, false}},
            {other + L"\u00A0", {false, false}},
            {L"\uFEFF\uFEFF" + other, {false, false}},
            {other.substr(0, other.size() - 2), {false, false}},
            {std::wstring(DefaultMenusText(!otherIsNorwegian)), {false, false}},
            {L"\n", {false, false}}};  // blank but not empty: parsed as it is
        for (const auto& [file, expected] : cases) {
            const MenusTextChoice choice = ChooseMenusText(file, other);
            EXPECT_EQ(std::pair(choice.useCurrentDefault, choice.rewriteFile),
                      std::pair(expected.useCurrentDefault, expected.rewriteFile))
                << file.size() << (otherIsNorwegian ? " after Norwegian" : "");
        }
    }
}

}  // namespace
}  // namespace corvane
