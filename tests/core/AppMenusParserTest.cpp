// The grammar of menus.txt: chords and the key presses they turn into,
// items line by line, and the sections and menus a whole text parses to;
// then the built-in texts and the file's bytes.

#include "appmenus/KeyChordParser.h"
#include "appmenus/KeyStrokes.h"
#include "appmenus/MenusParser.h"
#include "base/TextHelpers.h"
#include "resources/DefaultMenusText.h"
#include "appmenus/MenusFileText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using namespace std::string_view_literals;

TEST(KeyChord, ValidAndInvalidChords) {
    const std::pair<std::wstring_view, KeyChord> cases[] = {
        {L"Ctrl+Shift+T", {{0x11, 0x10}, 'T', 0}},
        {L"Shift+Ctrl+T", {{0x10, 0x11}, 'T', 0}},
        {L"Control+Alt+Win+Shift+A", {{0x11, 0x12, 0x5B, 0x10}, 'A', 0}},
        {L"ctrl+CTRL+Ctrl+x", {{0x11, 0x11, 0x11}, 'X', 0}},
        {L"\tCtrl\t+\tEnd\t", {{0x11}, 0x23, 1}},
        {L"F1", {{}, 0x70, 0}},
        {L"Shift+F24", {{0x10}, 0x87, 0}},
        {L"F1x", {{}, 0x70, 0}},  // the number is a decimal prefix
        {L"F05", {{}, 0x74, 0}},
        {L"Alt+Left", {{0x12}, 0x25, 1}},
        {L"ctrl+PLUS", {{0x11}, 0xBB, 0}},
        // Letters and digits are their upper-case codes; the ends of each range.
        {L"z", {{}, 'Z', 0}},
        {L"Ctrl+0", {{0x11}, '0', 0}},
        {L"9", {{}, '9', 0}},
    };
    for (const auto& [text, chord] : cases) {
        EXPECT_EQ(ParseKeyChord(text), chord) << std::wstring(text);
    }

    // Invalid chords: "+" only separates parts (the key is written "Plus"); far too many
    // digits still end as "outside 1-24", not as an overflow.
    std::vector<std::wstring> invalid = SplitList(
        L"F25 F0 F00 F100 Fx1 F4294967297 F99999999999999999999999999999 Ctrl++ + Ctrl+ +A Hyper+A "
        L"Ctrl+Hyper Ctrl Ctrl+Shift A+Ctrl ab Ctrl+PageUpp \u00F8 Ctrl+\u00C6 Ctrl+!",
        L' ');
    invalid.push_back(L"");
    invalid.push_back(std::wstring(L"Ctrl+A\0", 7));
    for (const std::wstring_view text : invalid) {
        EXPECT_FALSE(ParseKeyChord(text).has_value()) << std::wstring(text);
    }
}

TEST(KeyStrokes, ModifiersAroundTheKeyWithTheExtendedFlagOnTheKeyOnly) {
    constexpr uint32_t kUp = kStrokeKeyUp;
    constexpr uint32_t kExt = kStrokeExtended;
    const std::pair<KeyChord, std::vector<KeyStroke>> cases[] = {
        {{{0x11, 0x10}, 'T', 0},
         {{0x11, 0}, {0x10, 0}, {'T', 0}, {'T', kUp}, {0x10, kUp}, {0x11, kUp}}},
        {{{0x12}, 0x25, 1}, {{0x12, 0}, {0x25, kExt}, {0x25, kExt | kUp}, {0x12, kUp}}},
        {{{}, 0x74, 0}, {{0x74, 0}, {0x74, kUp}}},
    };
    for (const auto& [chord, strokes] : cases) {
        EXPECT_EQ(ChordKeyStrokes(chord), strokes) << chord.key;
    }
}

AppMenuItem Item(std::wstring name, std::wstring shortcut, std::vector<KeyChord> chords,
                 std::wstring run = L"") {
    return {.name = std::move(name),
            .shortcutText = std::move(shortcut),
            .chords = std::move(chords),
            .runTarget = std::move(run),
            .children = {}};
}

AppMenuItem RunItem(std::wstring name, std::wstring target) {
    return Item(std::move(name), L"", {}, std::move(target));
}

TEST(MenusParser, ItemLines) {
    AppMenuItem separator;
    separator.isSeparator = true;
    const KeyChord ctrlK{{0x11}, 'K', 0};
    const std::pair<std::wstring_view, std::optional<AppMenuItem>> cases[] = {
        {L"-", separator},
        {L"Open Folder = Ctrl+K Ctrl+O",
         Item(L"Open Folder", L"Ctrl+K Ctrl+O", {ctrlK, {{0x11}, 'O', 0}})},
        // Chords split at plain spaces only; the text keeps its case.
        {L"Many = ctrl+k    SHIFT+end",
         Item(L"Many", L"ctrl+k    SHIFT+end", {ctrlK, {{0x10}, 0x23, 1}})},
        {L"Tabbed = Ctrl+K\tCtrl+O", std::nullopt},
        {L"= Ctrl+A", Item(L"", L"Ctrl+A", {{{0x11}, 'A', 0}})},
        // One invalid chord drops the whole item.
        {L"Second bad = Ctrl+K Ctrl+Nope", std::nullopt},
        {L"A = B = Ctrl+B", std::nullopt},
        {L"Empty =", std::nullopt},
        {L"No equals sign", std::nullopt},
        {L"Display = RUN:ms-settings:display", RunItem(L"Display", L"ms-settings:display")},
        {L"Spaced = run:   C:\\Tools\\My App.exe", RunItem(L"Spaced", L"C:\\Tools\\My App.exe")},
        // Whatever follows "run:" is a target, even if it looks like a shortcut.
        {L"Odd = Run:Ctrl+A", RunItem(L"Odd", L"Ctrl+A")},
        {L"Set = run:cmd /c set X=1", RunItem(L"Set", L"cmd /c set X=1")},
        {L"NotRun = runx:ms-settings:", std::nullopt},
    };
    for (const auto& [line, item] : cases) {
        EXPECT_EQ(ParseMenuItem(line), item) << std::wstring(line);
    }
}

// The table in one line: "key:[title|item,item][title]" per key; items as
// "-", "name=shortcut" or "name>target".
std::wstring Describe(const MenuProfileTable& table) {
    std::wstring out;
    for (const std::wstring& key : table.Keys()) {
        out += (out.empty() ? L"" : L" ") + key + L":";
        for (const AppMenu& menu : *table.Find(key)) {
            out += L"[" + menu.title;
            for (std::size_t i = 0; i < menu.items.size(); ++i) {
                const AppMenuItem& item = menu.items[i];
                out += i == 0 ? L"|" : L",";
                out += item.isSeparator         ? L"-"
                       : item.runTarget.empty() ? item.name + L"=" + item.shortcutText
                                                : item.name + L">" + item.runTarget;
            }
            out += L"]";
        }
    }
    return out;
}

TEST(MenusParser, SectionsMenusAndLines) {
    const std::pair<std::wstring_view, std::wstring_view> cases[] = {
        // Header names are trimmed and lower-cased; empty pieces are dropped.
        {L"[Chrome.EXE, ,msedge.exe]\nFile\n    New = Ctrl+N\n    -\n    Go = run:x\nEdit\n",
         L"chrome.exe:[File|New=Ctrl+N,-,Go>x][Edit] msedge.exe:[File|New=Ctrl+N,-,Go>x][Edit]"},
        {L"[a.exe, b.exe]\nFirst\n[c.exe, A.exe]\nSecond\n",
         L"a.exe:[Second] b.exe:[First] c.exe:[Second]"},
        // Comments and separators by indentation; a "-" title is a title.
        {L"[a.exe]\nMenu\n    # c\n\t; c\n    -\n    Item = Ctrl+I\n-\n# c\n  ; x = Ctrl+A\n",
         L"a.exe:[Menu|-,Item=Ctrl+I][-]"},
        // Lines without indentation are titles whatever they hold; an indented
        // header is still a header.
        {L"[a.exe]\nTitle with spaces \t\nNew = Ctrl+N\n[unclosed\n  [b.exe]  \nB\n",
         L"a.exe:[Title with spaces][New = Ctrl+N][[unclosed] b.exe:[B]"},
        {L"[a.exe]\n    Lost = Ctrl+L\nMenu\n    Bad\n    Kept = Ctrl+K",
         L"a.exe:[Menu|Kept=Ctrl+K]"},
        {L"Orphan\n    X = Ctrl+X\n[]\nAlso\n[ , ]\nThird\n[a.exe]\nKept\n", L"a.exe:[Kept]"},
        {L"[a.exe]\r\nFile\r\n    New = Ctrl+N\r\n    -\r\n", L"a.exe:[File|New=Ctrl+N,-]"},
        // Only line feeds end lines.
        {L"[a.exe]\nFile\r    New = Ctrl+N\r", L"a.exe:[File\r    New = Ctrl+N]"},
        {L"", L""},
        {L"\n\r\n \t\n", L""},
        {L"[a.exe]\nF\uFFFDle\n    N\0me = Ctrl+N\n"sv, L"a.exe:[F\uFFFDle|N\0me=Ctrl+N]"sv},
    };
    for (const auto& [text, table] : cases) {
        EXPECT_EQ(Describe(ParseAppMenus(text)), table);
    }
}

// Over-long lines are kept whole, and a header naming 20,000 programs
// shares one section among them rather than copying it per name.
TEST(MenusParser, HugeLinesAndHeaders) {
    const std::wstring title(300000, L'T');
    const std::wstring name(200000, L'n');
    std::wstring shortcut;
    for (int i = 0; i < 20000; ++i) {
        shortcut += L"Ctrl+Shift+A ";
    }
    for (int i = 0; i < 5000; ++i) {
        shortcut += L"Shift+";
    }
    std::wstring header = L"[";
    for (int i = 0; i < 20000; ++i) {
        header += L"p" + std::to_wstring(i) + L".exe,";
    }
    const std::wstring brackets = std::wstring(100000, L'[') + std::wstring(100000, L']');
    const MenuProfileTable table = ParseAppMenus(header + L"]\nMenu\n    Item = Ctrl+A\n[a.exe]\n" +
                                                 title + L"\n" + std::wstring(100000, L' ') + name +
                                                 L" = " + shortcut + L"Z\n" + brackets + L"\n");
    ASSERT_EQ(table.Size(), 20002u);
    const MenuProfile* shared = table.Find(L"p0.exe");
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared->at(0).items.size(), 1u);
    EXPECT_EQ(shared, table.Find(L"p19999.exe"));
    const MenuProfile* menus = table.Find(L"a.exe");
    ASSERT_NE(menus, nullptr);
    ASSERT_EQ(menus->size(), 1u);
    EXPECT_EQ(menus->at(0).title, title);
    ASSERT_EQ(menus->at(0).items.size(), 1u);
    EXPECT_EQ(menus->at(0).items[0].name, name);
    const std::vector<KeyChord>& chords = menus->at(0).items[0].chords;
    ASSERT_EQ(chords.size(), 20001u);
    EXPECT_EQ(chords.back(), (KeyChord{std::vector<uint16_t>(5000, 0x10), 'Z', 0}));
    // The bracket line is a header whose single name is all brackets.
    EXPECT_NE(table.Find(brackets.substr(1, brackets.size() - 2)), nullptr);
}

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
