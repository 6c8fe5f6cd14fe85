// The grammar of menus.txt, line by line.

#include "appmenus/MenusParser.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

namespace corvane {
namespace {

using Keys = std::vector<std::wstring>;
using Mods = std::vector<uint16_t>;

// The one profile stored under a key; fails the test when there is none.
const MenuProfile& ProfileOf(const MenuProfileTable& table, std::wstring_view key) {
    static const MenuProfile kNone;
    const MenuProfile* profile = table.Find(key);
    EXPECT_NE(profile, nullptr) << "no profile for " << std::string(key.begin(), key.end());
    return profile != nullptr ? *profile : kNone;
}

// Items of the only menu of the only profile "a.exe".
std::vector<AppMenuItem> ItemsOf(const std::wstring& itemLines) {
    const MenuProfileTable table = ParseAppMenus(L"[a.exe]\nMenu\n" + itemLines);
    const MenuProfile& profile = ProfileOf(table, L"a.exe");
    if (profile.size() != 1) {
        ADD_FAILURE() << "expected one menu, got " << profile.size();
        return {};
    }
    return profile[0].items;
}

TEST(MenusParser, SectionHeaderNamesAreTrimmedLowerCasedAndEmptyPiecesDropped) {
    const MenuProfileTable table =
        ParseAppMenus(L"[Chrome.EXE, ,msedge.exe]\nFile\n    New = Ctrl+N\n");
    EXPECT_EQ(table.Keys(), (Keys{L"chrome.exe", L"msedge.exe"}));
    EXPECT_EQ(ProfileOf(table, L"chrome.exe"), ProfileOf(table, L"msedge.exe"));
    EXPECT_EQ(ProfileOf(table, L"chrome.exe").at(0).title, L"File");
    // Lookup is exact: the key is stored lower case, and nothing else matches.
    EXPECT_EQ(table.Find(L"Chrome.EXE"), nullptr);
    EXPECT_EQ(table.Find(L""), nullptr);
}

TEST(MenusParser, StarSectionIsTheDefaultKey) {
    const MenuProfileTable table = ParseAppMenus(L"[ * ]\nEdit\n    Undo = Ctrl+Z\n");
    EXPECT_EQ(table.Keys(), (Keys{L"*"}));
}

TEST(MenusParser, LaterSectionWithTheSameNameWins) {
    const MenuProfileTable table = ParseAppMenus(
        L"[a.exe, b.exe]\nFirst\n    X = Ctrl+X\n"
        L"[c.exe, A.exe]\nSecond\n    Y = Ctrl+Y\n");
    EXPECT_EQ(table.Keys(), (Keys{L"a.exe", L"b.exe", L"c.exe"}));
    ASSERT_EQ(ProfileOf(table, L"a.exe").size(), 1u);
    EXPECT_EQ(ProfileOf(table, L"a.exe")[0].title, L"Second");
    EXPECT_EQ(ProfileOf(table, L"b.exe")[0].title, L"First");
}

TEST(MenusParser, MenusInFileOrderWithTheirItems) {
    const MenuProfileTable table = ParseAppMenus(
        L"[a.exe]\n"
        L"File\n"
        L"    New = Ctrl+N\n"
        L"    -\n"
        L"    Quit = Alt+F4\n"
        L"Edit\n"
        L"    Copy = Ctrl+C\n");
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].title, L"File");
    EXPECT_EQ(menus[0].nativeSubmenu, nullptr);
    EXPECT_EQ(menus[0].nativePosition, -1);
    ASSERT_EQ(menus[0].items.size(), 3u);
    EXPECT_EQ(menus[0].items[0].name, L"New");
    EXPECT_TRUE(menus[0].items[1].isSeparator);
    EXPECT_EQ(menus[0].items[2].shortcutText, L"Alt+F4");
    ASSERT_EQ(menus[1].items.size(), 1u);
    EXPECT_EQ(menus[1].items[0].name, L"Copy");
}

TEST(MenusParser, ItemWithTwoChordsKeepsItsShortcutText) {
    const auto items = ItemsOf(L"    Open Folder = Ctrl+K Ctrl+O\n");
    ASSERT_EQ(items.size(), 1u);
    const AppMenuItem& item = items[0];
    EXPECT_EQ(item.name, L"Open Folder");
    EXPECT_EQ(item.shortcutText, L"Ctrl+K Ctrl+O");
    ASSERT_EQ(item.chords.size(), 2u);
    EXPECT_EQ(item.chords[0].modifiers, (Mods{0x11}));
    EXPECT_EQ(item.chords[0].key, 0x4B);
    EXPECT_EQ(item.chords[1].modifiers, (Mods{0x11}));
    EXPECT_EQ(item.chords[1].key, 0x4F);
    EXPECT_TRUE(item.runTarget.empty());
    EXPECT_FALSE(item.isSeparator);
    EXPECT_EQ(item.commandId, 0u);
    EXPECT_FALSE(item.disabled);
    EXPECT_FALSE(item.checked);
    EXPECT_TRUE(item.children.empty());
}

TEST(MenusParser, ShortcutSplitsAtPlainSpacesOnlyAndKeepsItsCase) {
    const auto items = ItemsOf(
        L"    Many = ctrl+k    SHIFT+end  \n"
        L"    Tabbed = Ctrl+K\tCtrl+O\n");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].shortcutText, L"ctrl+k    SHIFT+end");
    ASSERT_EQ(items[0].chords.size(), 2u);
    EXPECT_EQ(items[0].chords[1].key, 0x23);
    EXPECT_EQ(items[0].chords[1].extended, 1);
}

TEST(MenusParser, InvalidChordsDropTheWholeItem) {
    const auto items = ItemsOf(
        L"    Plus = ctrl+PLUS\n"
        L"    DoublePlus = Ctrl++\n"
        L"    Hyper = Hyper+A\n"
        L"    F1 = F1\n"
        L"    F25 = F25\n"
        L"    F0 = F0\n"
        L"    F1x = F1x\n"
        L"    Second bad = Ctrl+K Ctrl+Nope\n"
        L"    Empty =\n"
        L"    Blank =    \n"
        L"    No equals sign\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].name, L"Plus");
    EXPECT_EQ(items[0].chords.at(0).key, 0xBB);
    EXPECT_EQ(items[1].name, L"F1");
    EXPECT_EQ(items[1].chords.at(0).key, 0x70);
    EXPECT_EQ(items[2].name, L"F1x");
    EXPECT_EQ(items[2].chords.at(0).key, 0x70);
}

TEST(MenusParser, RunItems) {
    const auto items = ItemsOf(
        L"    Display = RUN:ms-settings:display\n"
        L"    Spaced = run:   C:\\Tools\\My App.exe  \n"
        L"    Odd = Run:Ctrl+A\n"
        L"    NotRun = runx:ms-settings:\n");
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].runTarget, L"ms-settings:display");
    EXPECT_TRUE(items[0].shortcutText.empty());
    EXPECT_TRUE(items[0].chords.empty());
    EXPECT_EQ(items[1].runTarget, L"C:\\Tools\\My App.exe");
    // Whatever follows "run:" is a target, even if it looks like a shortcut.
    EXPECT_EQ(items[2].runTarget, L"Ctrl+A");
    EXPECT_TRUE(items[2].chords.empty());
}

TEST(MenusParser, NameIsBeforeTheFirstEqualsSignAndMayBeEmpty) {
    const auto items = ItemsOf(
        L"    = Ctrl+A\n"
        L"    A = B = Ctrl+B\n"
        L"    Set = run:cmd /c set X=1\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, L"");
    EXPECT_EQ(items[0].chords.at(0).key, 0x41);
    // "B = Ctrl+B" is not a shortcut, so the second line is dropped.
    EXPECT_EQ(items[1].name, L"Set");
    EXPECT_EQ(items[1].runTarget, L"cmd /c set X=1");
}

TEST(MenusParser, CommentsSeparatorsAndTitlesByIndentation) {
    const MenuProfileTable table = ParseAppMenus(
        L"[a.exe]\n"
        L"Menu\n"
        L"    # an indented comment\n"
        L"\t; another\n"
        L"    -\n"
        L"    Item = Ctrl+I\n"
        L"-\n"
        L"# a comment\n"
        L"  ; indented = Ctrl+A\n");
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 2u);
    ASSERT_EQ(menus[0].items.size(), 2u);
    EXPECT_TRUE(menus[0].items[0].isSeparator);
    EXPECT_EQ(menus[0].items[1].name, L"Item");
    // A "-" without indentation is a menu of that title.
    EXPECT_EQ(menus[1].title, L"-");
    EXPECT_TRUE(menus[1].items.empty());
}

TEST(MenusParser, NonIndentedLinesAreTitlesWhateverTheyHold) {
    const MenuProfileTable table =
        ParseAppMenus(L"[a.exe]\nTitle with spaces \t\nNew = Ctrl+N\n[unclosed\n  [b.exe]  \nB\n");
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_EQ(menus[0].title, L"Title with spaces");
    EXPECT_EQ(menus[1].title, L"New = Ctrl+N");
    EXPECT_EQ(menus[2].title, L"[unclosed");
    // The indented header is still a header: the section rules come first.
    ASSERT_EQ(ProfileOf(table, L"b.exe").size(), 1u);
}

TEST(MenusParser, ItemsBeforeTheFirstMenuTitleAreIgnored) {
    const MenuProfileTable table =
        ParseAppMenus(L"[a.exe]\n    Lost = Ctrl+L\nMenu\n    Kept = Ctrl+K\n");
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 1u);
    ASSERT_EQ(menus[0].items.size(), 1u);
    EXPECT_EQ(menus[0].items[0].name, L"Kept");
}

TEST(MenusParser, MenusWithoutAnyNameAreLost) {
    const MenuProfileTable table = ParseAppMenus(
        L"Orphan\n    X = Ctrl+X\n"
        L"[]\nAlsoOrphan\n    Y = Ctrl+Y\n"
        L"[ , ]\nThird\n"
        L"[a.exe]\nKept\n");
    EXPECT_EQ(table.Keys(), (Keys{L"a.exe"}));
    ASSERT_EQ(ProfileOf(table, L"a.exe").size(), 1u);
    EXPECT_EQ(ProfileOf(table, L"a.exe")[0].title, L"Kept");
}

TEST(MenusParser, SectionWithoutMenusStillGetsAnEmptyProfile) {
    const MenuProfileTable table = ParseAppMenus(L"[a.exe]\nMenu\n[a.exe]\n");
    ASSERT_NE(table.Find(L"a.exe"), nullptr);
    EXPECT_TRUE(table.Find(L"a.exe")->empty());
}

TEST(MenusParser, CrLfAndLfParseAlike) {
    const std::wstring lf =
        L"[a.exe, b.exe]\nFile\n    New = Ctrl+N\n    -\n    Go = run:x\nEdit\n";
    std::wstring crlf;
    for (const wchar_t c : lf) {
        if (c == L'\n') {
            crlf += L'\r';
        }
        crlf += c;
    }
    const MenuProfileTable a = ParseAppMenus(lf);
    const MenuProfileTable b = ParseAppMenus(crlf);
    ASSERT_EQ(a.Keys(), b.Keys());
    EXPECT_EQ(ProfileOf(a, L"a.exe"), ProfileOf(b, L"a.exe"));
    ASSERT_EQ(ProfileOf(b, L"b.exe").size(), 2u);
    EXPECT_EQ(ProfileOf(b, L"b.exe")[0].items.size(), 3u);
}

TEST(MenusParser, OnlyCarriageReturnsMakeOneLine) {
    const MenuProfileTable table = ParseAppMenus(L"[a.exe]\rFile\r    New = Ctrl+N\r");
    // The whole text is the line "[a.exe]\rFile\r    New = Ctrl+N": a title,
    // before any header, so nothing is stored.
    EXPECT_TRUE(table.Empty());

    const MenuProfileTable second = ParseAppMenus(L"[a.exe]\nFile\r    New = Ctrl+N\r");
    const MenuProfile& menus = ProfileOf(second, L"a.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"File\r    New = Ctrl+N");
    EXPECT_TRUE(menus[0].items.empty());
}

TEST(MenusParser, LastLineNeedsNoLineFeed) {
    const auto items = ItemsOf(L"    Last = Ctrl+L");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, L"Last");
}

TEST(MenusParser, EmptyAndBlankTexts) {
    EXPECT_TRUE(ParseAppMenus(L"").Empty());
    EXPECT_TRUE(ParseAppMenus(L"\n\r\n \t\n").Empty());
}

TEST(MenusParser, OverLongLinesAreKeptWhole) {
    const std::wstring title(300000, L'T');
    std::wstring name(200000, L'n');
    std::wstring shortcut;
    for (int i = 0; i < 20000; ++i) {
        shortcut += L"Ctrl+Shift+A ";
    }
    const MenuProfileTable table =
        ParseAppMenus(L"[a.exe]\n" + title + L"\n    " + name + L" = " + shortcut + L"\n");
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, title);
    ASSERT_EQ(menus[0].items.size(), 1u);
    EXPECT_EQ(menus[0].items[0].name, name);
    EXPECT_EQ(menus[0].items[0].chords.size(), 20000u);
}

TEST(MenusParser, ManyNamesShareOneSectionWithoutCopyingItPerName) {
    // A section naming twenty thousand executables over a large menu: every
    // name must see the menus, and the parse must not multiply them.
    std::wstring text = L"[";
    for (int i = 0; i < 20000; ++i) {
        text += L"p" + std::to_wstring(i) + L".exe,";
    }
    text += L"]\nMenu\n";
    for (int i = 0; i < 10000; ++i) {
        text += L"    Item = Ctrl+A\n";
    }
    const MenuProfileTable table = ParseAppMenus(text);
    ASSERT_EQ(table.Size(), 20000u);
    const MenuProfile* first = table.Find(L"p0.exe");
    const MenuProfile* last = table.Find(L"p19999.exe");
    ASSERT_NE(first, nullptr);
    ASSERT_EQ(first->at(0).items.size(), 10000u);
    EXPECT_EQ(first, last);
}

TEST(MenusParser, AbsurdlyBracketedAndIndentedLinesParseFlat) {
    std::wstring deep(100000, L'[');
    deep += std::wstring(100000, L']');
    std::wstring text =
        L"[a.exe]\nMenu\n" + std::wstring(100000, L' ') + L"X = Ctrl+X\n" + deep + L"\n";
    const MenuProfileTable table = ParseAppMenus(text);
    // The bracket line is a header whose single name is all brackets.
    ASSERT_EQ(table.Size(), 2u);
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].items.size(), 1u);
    EXPECT_NE(table.Find(deep.substr(1, deep.size() - 2)), nullptr);
}

TEST(MenusParser, ReplacementCharactersAndNulsStayInTheText) {
    constexpr wchar_t kText[] = L"[a.exe]\nF\uFFFDle\n    N\0me = Ctrl+N\n";
    const std::wstring text(kText, std::size(kText) - 1);
    const MenuProfileTable table = ParseAppMenus(text);
    const MenuProfile& menus = ProfileOf(table, L"a.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"F\uFFFDle");
    ASSERT_EQ(menus[0].items.size(), 1u);
    EXPECT_EQ(menus[0].items[0].name, std::wstring(L"N\0me", 4));
}

}  // namespace
}  // namespace corvane
