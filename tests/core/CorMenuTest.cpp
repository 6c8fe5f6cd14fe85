#include "start/MenuLayout.h"
#include "start/MenuSelection.h"
#include "start/QueryText.h"
#include "start/WinKeyTap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

TEST(MenuLayout, OpensCentredAboveTheDockWithinTheWorkArea) {
    // Monitor, work area, the dock's top, DPI; the menu.
    const std::tuple<PixelRect, PixelRect, std::optional<int32_t>, uint32_t, PixelRect> cases[] = {
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, {}, 96, {650, 448, 1270, 1028}},
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1007, 96, {650, 417, 1270, 997}},
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}, 1050, 96, {650, 448, 1270, 1028}},
        {{0, 0, 1280, 520}, {0, 0, 1280, 500}, {}, 96, {330, 12, 950, 488}},
        {{1920, 0, 4480, 1440}, {1920, 0, 4480, 1392}, 1300, 144, {2735, 415, 3665, 1285}},
        {{0, 0, 1280, 600}, {0, 0, 1280, 560}, {}, 144, {175, 18, 1105, 542}},
        // A dock sitting high, 1280 x 720 at 125 % and 1920 x 1080 at 200 %, each with its dock.
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 500, 96, {650, 12, 1270, 490}},
        {{0, 0, 1280, 720}, {0, 0, 1280, 720}, 646, 120, {252, 15, 1027, 633}},
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 962, 192, {340, 24, 1580, 942}},
        {{0, 0, 1920, 1080}, {0, 0, 1920, 1080}, 10, 96, {650, 12, 1270, 12}},
    };
    for (const auto& [monitor, work, dockTop, dpi, menu] : cases) {
        EXPECT_EQ(StartMenuRect(monitor, work, dockTop, dpi), menu) << work.bottom << " at " << dpi;
    }
}

// A, two apps, B, one app: entries 5, 7 and 9 of the catalog.
const std::vector<LetterRow> kRows = {
    {true, L'A', -1}, {false, L'A', 5}, {false, L'A', 7}, {true, L'B', -1}, {false, L'B', 9}};

MenuLayout Lay(MenuView view, std::size_t count, float scroll = 0,
               const std::vector<LetterRow>& rows = kRows, float height = 580) {
    // Width, height, view, scroll, pins, results, letter rows, button and power label widths.
    return LayOutMenu({620, height, view, scroll, count, count, rows, 60, 40});
}

TEST(MenuLayout, PointsFindTheItemsOfEachView) {
    const std::vector<LetterRow> index = {
        {true, L'A', -1}, {false, L'A', 0}, {true, wchar_t{0xD8}, -1}, {false, L'\xD8', 1}};
    const MenuLayout letters = Lay(MenuView::LetterIndex, 0, 0, index);
    // What is there, the layout, x, y; the item hit.
    const std::tuple<const char*, MenuLayout, float, float, MenuItemId> cases[] = {
        {"home button", Lay(MenuView::Home, 2), 300, 80, {MenuHit::AllAppsButton, -1}},
        {"left of button", Lay(MenuView::Home, 2), 280, 80, {}},
        {"first pin", Lay(MenuView::Home, 2), 200, 120, {MenuHit::AppRow, 0}},
        {"gap between rows", Lay(MenuView::Home, 2), 200, 139, {}},
        {"second pin", Lay(MenuView::Home, 2), 200, 150, {MenuHit::AppRow, 1}},
        {"below the pins", Lay(MenuView::Home, 2), 200, 200, {}},
        {"no pins: the hint", Lay(MenuView::Home, 0), 200, 120, {}},
        {"user card", Lay(MenuView::Home, 2), 500, 100, {MenuHit::UserCard, -1}},
        {"documents", Lay(MenuView::Home, 2), 500, 150, {MenuHit::Place, 0}},
        {"this pc", Lay(MenuView::Home, 2), 500, 340, {MenuHit::Place, 5}},
        {"spacer", Lay(MenuView::Home, 2), 500, 360, {}},
        {"settings", Lay(MenuView::Home, 2), 500, 380, {MenuHit::Place, 6}},
        {"power", Lay(MenuView::Home, 2), 550, 550, {MenuHit::Power, -1}},
        {"left of power", Lay(MenuView::Home, 2), 510, 550, {}},
        {"back", Lay(MenuView::AllApps, 0), 300, 80, {MenuHit::BackButton, -1}},
        {"header A", Lay(MenuView::AllApps, 0), 30, 110, {MenuHit::LetterHeader, L'A'}},
        {"right of header", Lay(MenuView::AllApps, 0), 100, 110, {}},
        {"first app", Lay(MenuView::AllApps, 0), 100, 150, {MenuHit::AppRow, 5}},
        {"app under B", Lay(MenuView::AllApps, 0), 100, 250, {MenuHit::AppRow, 9}},
        {"second result", Lay(MenuView::Results, 2), 100, 150, {MenuHit::AppRow, 1}},
        {"search files", Lay(MenuView::Results, 2), 100, 190, {MenuHit::SearchFiles, 2}},
        {"no results button", Lay(MenuView::Results, 2), 300, 80, {}},
        {"cell A", letters, 100, 130, {MenuHit::LetterCell, L'A'}},
        {"absent B", letters, 160, 130, {}},
        {"absent #", letters, 40, 130, {}},
        {"O slash after Z", letters, 220, 320, {MenuHit::LetterCell, 0xD8}},
        // Rows reaching out of the list band under the pointer do not count.
        {"button over a row", Lay(MenuView::Home, 20, 20), 300, 90, {MenuHit::AllAppsButton, -1}},
        {"row above the band", Lay(MenuView::Home, 20, 20), 200, 90, {}},
        {"row in the band", Lay(MenuView::Home, 20, 20), 200, 100, {MenuHit::AppRow, 0}},
        {"last row in", Lay(MenuView::Home, 20, 20), 200, 510, {MenuHit::AppRow, 11}},
        {"last row below", Lay(MenuView::Home, 20, 20), 200, 530, {}},
    };
    for (const auto& [what, layout, x, y, expected] : cases) {
        EXPECT_EQ(MenuItemAt(layout, x, y), expected) << what;
    }
}

TEST(MenuLayout, ContentStaysInsideItsBandsAndScrollIsClampedToIt) {
    std::vector<LetterRow> rows;  // A..Z and 40 letters more
    for (wchar_t c = L'A'; c < L'Z' + 41; ++c) {
        rows.insert(rows.end(), {{true, c, -1}, {false, c, 0}});
    }
    // Height, cells, places (the spacer among them).
    const std::tuple<float, std::size_t, std::size_t> cases[] = {
        {580, 67, 9}, {494, 67, 9}, {459, 67, 9}, {300, 44, 3}};
    for (const auto& [height, cells, places] : cases) {
        const MenuLayout index = Lay(MenuView::LetterIndex, 0, 0, rows, height);
        EXPECT_EQ(index.cells.size(), cells) << height;
        EXPECT_EQ(index.places.size(), places) << height;
        for (const MenuLetterCell& cell : index.cells) {
            EXPECT_TRUE(cell.rect.top >= index.listTop && cell.rect.bottom <= index.listBottom &&
                        cell.rect.left >= 0 && cell.rect.right <= index.split)
                << height << " " << int(cell.letter);
        }
        for (const MenuPlaceRow& place : index.places) {
            EXPECT_TRUE(place.rect.top >= index.userCard.bottom &&
                        place.rect.bottom <= index.bottomLine)
                << height;
        }
    }

    // Twice the text size: the search and header bands grow, and what lies
    // below them moves down without overlapping.
    const MenuLayoutInput large{620, 580, MenuView::Home, 0, 3, 0, {}, 60, 40, 2.0f};
    const MenuLayout grown = LayOutMenu(large);
    const MenuLayout plain = Lay(MenuView::Home, 3);
    EXPECT_TRUE(grown.header.top > plain.header.top &&
                grown.listTop - grown.header.top > plain.listTop - plain.header.top);
    EXPECT_TRUE(grown.header.top >= grown.search.bottom && grown.listTop == grown.header.bottom &&
                grown.rows.front().rect.top >= grown.listTop &&
                grown.places.front().rect.top >= grown.userCard.bottom);

    // Scroll is clamped to the content.
    // 20 pins: 794 high in a 454 band, 8 to spare below the last.
    // View, pins or results, scroll, wheel; the scroll laid out and after the wheel.
    const std::tuple<MenuView, std::size_t, float, int32_t, float, float> scrolls[] = {
        {MenuView::Home, 20, 0, -120, 0, 95},
        {MenuView::Home, 20, 300, -120, 300, 348},
        {MenuView::Home, 20, 50, 120, 50, 0},
        {MenuView::Home, 20, 1000, 0, 348, 348},
        {MenuView::Home, 20, -5, 0, 0, 0},
        {MenuView::Home, 3, 0, -240, 0, 0},
        {MenuView::Results, 20, 0, -120, 0, 95},
        {MenuView::AllApps, 0, 0, -360, 0, 0},
        {MenuView::LetterIndex, 0, 120, -120, 120, 120},
    };
    for (const auto& [view, count, scroll, wheel, laidOut, wheeled] : scrolls) {
        const MenuLayout layout = Lay(view, count, scroll);
        EXPECT_EQ(std::pair(layout.scroll, WheelScroll(layout, layout.scroll, wheel)),
                  std::pair(laidOut, wheeled))
            << int(view) << " " << scroll << " " << wheel;
    }
}

TEST(MenuLayout, LetterCellsScrollToTheirHeaderAndEscapeStepsBackThroughTheViews) {
    const std::vector<LetterRow> rows = {{true, L'A', -1}, {false, L'A', 0}, {false, L'A', 1},
                                         {true, L'B', -1}, {false, L'B', 2}, {true, L'C', -1}};
    const std::pair<wchar_t, float> targets[] = {{L'A', 0}, {L'B', 106}, {L'C', 174}};
    for (const auto& [letter, scroll] : targets) {
        MenuState state{MenuView::LetterIndex, 500, {}, {MenuHit::LetterCell, letter}};
        EXPECT_TRUE(ClickMenuItem(state, {MenuHit::LetterCell, letter}, rows));
        EXPECT_EQ(std::tuple(state.view, state.scroll, state.hover),
                  std::tuple(MenuView::AllApps, scroll, MenuItemId{}))
            << char(letter);
    }

    // Escape steps back through the views.
    // Escape: view and scroll before, with a query, outcome, view and scroll after.
    const std::tuple<MenuView, bool, MenuEscape, MenuView, float> escapes[] = {
        {MenuView::AllApps, false, MenuEscape::Handled, MenuView::Home, 0},
        {MenuView::LetterIndex, false, MenuEscape::Handled, MenuView::AllApps, 120},
        {MenuView::Results, false, MenuEscape::Handled, MenuView::Home, 0},
        {MenuView::Home, false, MenuEscape::Close, MenuView::Home, 120},
        {MenuView::Results, true, MenuEscape::ClearQuery, MenuView::Results, 120},
    };
    for (const auto& [view, query, outcome, after, scroll] : escapes) {
        MenuState state{view, 120};
        EXPECT_EQ(EscapeMenu(state, query), outcome) << int(view);
        EXPECT_EQ(std::pair(state.view, state.scroll), std::pair(after, scroll)) << int(view);
    }
}

using V = MenuView;
using Z = MenuZone;

const auto Row = [](int32_t i) { return MenuItemId{MenuHit::AppRow, i}; };
const auto Header = [](wchar_t c) { return MenuItemId{MenuHit::LetterHeader, c}; };
const auto Cell = [](wchar_t c) { return MenuItemId{MenuHit::LetterCell, c}; };
constexpr MenuItemId kAllApps{MenuHit::AllAppsButton, -1};
constexpr MenuItemId kBack{MenuHit::BackButton, -1};
constexpr MenuItemId kPower{MenuHit::Power, -1};
constexpr wchar_t kOSlash = 0xD8;  // a header after Z

// Headers A, B, D, H and Ø, four apps under each: entries 0..19.
std::vector<LetterRow> Rows() {
    constexpr wchar_t kLetters[] = {L'A', L'B', L'D', L'H', kOSlash};
    std::vector<LetterRow> rows;
    for (int32_t i = 0; i < 25; ++i) {
        rows.push_back({i % 5 == 0, kLetters[i / 5], i % 5 == 0 ? -1 : i / 5 * 4 + i % 5 - 1});
    }
    return rows;
}

// Width, height (a list band of about four rows), view, scroll, pins, results.
MenuLayout Lay(const MenuState& s, std::size_t count, const std::vector<LetterRow>& rows) {
    return LayOutMenu({620, 300, s.view, s.scroll, count, count, rows});
}

TEST(MenuSelection, KeysMoveThroughEachViewAndKeepTheSelectionInSight) {
    // Keys by letter, in MenuKey's order: B is Shift+Tab, P and N the pages;
    // ! is Enter on an item that changes the view.
    constexpr char kKeys[] = "UDLRHEPNTB";
    // View, pins or results, scroll, selection, focus, keys; the focus and the marked item.
    // View, pins or results, scroll, selection, focus, keys; the focus and the marked item after.
    const std::tuple<V, std::size_t, float, MenuItemId, Z, const char*, Z, MenuItemId> cases[] = {
        {V::Home, 8, 0, {}, Z::Search, "D", Z::List, Row(0)},
        {V::Home, 8, 0, {}, Z::Search, "DU", Z::List, kAllApps},
        {V::Home, 8, 0, {}, Z::Search, "DUU", Z::Search, {}},
        {V::Home, 8, 0, {}, Z::Search, "DLL", Z::List, kAllApps},
        {V::Home, 3, 0, {}, Z::Search, "DDDDDD", Z::List, Row(2)},
        {V::Home, 8, 0, {}, Z::Search, "DE", Z::List, Row(7)},
        {V::Home, 8, 0, {}, Z::Search, "DU!", Z::List, Header('A')},
        {V::AllApps, 0, 200, {}, Z::Search, "D", Z::List, Row(4)},
        {V::AllApps, 0, 400, Row(0), Z::List, "D", Z::List, Row(1)},
        {V::AllApps, 0, 0, {}, Z::Search, "DEUUUU", Z::List, Header(kOSlash)},
        {V::AllApps, 0, 0, {}, Z::Search, "DN", Z::List, Row(3)},
        {V::LetterIndex, 0, 0, Cell('B'), Z::List, "D", Z::List, Cell('H')},
        {V::LetterIndex, 0, 0, Cell('B'), Z::List, "DD", Z::List, Cell(kOSlash)},
        {V::LetterIndex, 0, 0, Cell('H'), Z::List, "U", Z::List, Cell('A')},  // seven columns here
        {V::LetterIndex, 0, 0, Cell('D'), Z::List, "R", Z::List, Cell('H')},
        {V::LetterIndex, 0, 0, Cell('A'), Z::List, "U", Z::List, kBack},
        {V::AllApps, 0, 0, {}, Z::Search, "DRRRRR!", Z::List, Cell('B')},
        {V::AllApps, 0, 0, {}, Z::Search, "D!RRR!", Z::List, Header('H')},
        {V::Results, 0, 0, Row(0), Z::Search, "", Z::Search, {MenuHit::SearchFiles, 0}},
        {V::Results, 9, 0, Row(0), Z::Search, "DDDDDDDDDDDD", Z::Search, {MenuHit::SearchFiles, 9}},
        {V::Results, 9, 0, Row(0), Z::Search, "DDUUU", Z::Search, Row(0)},
        {V::Results, 9, 0, Row(0), Z::Search, "DRE", Z::Search, Row(1)},  // the text's keys
        {V::Results, 9, 0, Row(4), Z::Search, "T", Z::List, Row(4)},
        {V::Home, 8, 0, {}, Z::Search, "TTDD", Z::Side, {MenuHit::Place, 1}},
        {V::Home, 8, 0, {}, Z::Search, "TTT", Z::Power, kPower},
        {V::Home, 8, 0, {}, Z::Search, "TTTT", Z::Search, {}},
        {V::Home, 8, 0, {}, Z::Search, "BBB", Z::List, Row(0)},
        {V::Home, 0, 0, {}, Z::Search, "T", Z::List, kAllApps},
    };
    const std::vector<LetterRow> rows = Rows();
    for (const auto& [view, count, scroll, selection, start, keys, focus, marked] : cases) {
        SCOPED_TRACE(testing::Message() << int(view) << " " << keys);
        MenuState state{.view = view, .scroll = scroll, .selection = selection, .focus = start};
        if (view == V::Results) {
            KeepResultSelection(state, count);  // as a search leaves it
        }
        for (const char* key = keys; *key != 0; ++key) {
            const MenuLayout layout = Lay(state, count, rows);
            if (*key == '!') {
                const MenuItemId item = MarkedItem(state, layout).id;
                ASSERT_TRUE(ClickMenuItem(state, item, rows));
                FocusNewView(state, Lay(state, count, rows), item);
            } else {
                const auto which = static_cast<MenuKey>(std::strchr(kKeys, *key) - kKeys);
                (void)MoveMenuFocus(state, layout, which);
            }
        }
        const MenuLayout layout = Lay(state, count, rows);
        const MenuMark mark = MarkedItem(state, layout);
        EXPECT_EQ(state.focus, focus);
        EXPECT_EQ(mark.id, marked);
        EXPECT_EQ(mark.focused, focus != Z::Search);
        if (marked.kind == MenuHit::AppRow || marked.kind == MenuHit::LetterHeader ||
            marked.kind == MenuHit::SearchFiles) {
            EXPECT_GE(mark.rect.top, layout.listTop);
            EXPECT_LE(mark.rect.bottom, layout.listBottom);
        }
    }
}

struct FakeClipboard final : QueryClipboard {
    std::wstring text;
    std::wstring Read() override { return text; }
    void Write(std::wstring_view written) override { text = written; }
};

// "|" marks the caret, "[" the anchor when it stands elsewhere.
QueryEdit Marked(std::wstring_view marked) {
    std::wstring text;
    std::size_t caret = 0;
    std::size_t anchor = std::wstring::npos;
    for (const wchar_t c : marked) {
        if (c == L'|') {
            caret = text.size();
        } else if (c == L'[') {
            anchor = text.size();
        } else {
            text.push_back(c);
        }
    }
    return QueryEdit(text, anchor == std::wstring::npos ? caret : anchor, caret);
}

std::wstring Marks(const QueryEdit& edit) {
    std::wstring marked;
    for (std::size_t i = 0; i <= edit.Text().size(); ++i) {
        marked += i == edit.Anchor() && i != edit.Caret() ? L"[" : L"";
        marked += i == edit.Caret() ? L"|" : L"";
        marked += i < edit.Text().size() ? std::wstring(1, edit.Text()[i]) : L"";
    }
    return marked;
}

const std::wstring kPair = L"\xD83D\xDE00";  // one character beyond the BMP

TEST(QueryEdit, KeysMoveSelectEraseAndUseTheClipboard) {
    using K = QueryKey;
    using R = QueryKeyResult;
    struct Case {
        K key;
        bool ctrl, shift;
        std::wstring before, after;
        R result;
        std::wstring clipboard = L"x\r\ny\tz";  // afterwards
    };
    const Case cases[] = {
        {K::Left, false, false, L"ab|c", L"a|bc", R::CaretMoved},
        {K::Left, false, false, L"a" + kPair + L"|x", L"a|" + kPair + L"x", R::CaretMoved},
        {K::Right, false, false, L"a|" + kPair + L"x", L"a" + kPair + L"|x", R::CaretMoved},
        {K::Left, false, false, L"|ab", L"|ab", R::Handled},
        {K::Left, false, false, L"a[bc|d", L"a|bcd", R::CaretMoved},
        {K::Right, false, false, L"a|bc[d", L"abc|d", R::CaretMoved},
        {K::Left, false, true, L"ab|c", L"a|b[c", R::CaretMoved},
        {K::Home, false, true, L"ab|c", L"|ab[c", R::CaretMoved},
        {K::End, false, false, L"a[b|c", L"abc|", R::CaretMoved},
        {K::Left, true, false, L"foo bar|", L"foo |bar", R::CaretMoved},
        {K::Left, true, false, L"foo  |bar", L"|foo  bar", R::CaretMoved},
        {K::Right, true, false, L"f|oo  bar", L"foo  |bar", R::CaretMoved},
        {K::Right, true, true, L"|foo bar", L"[foo |bar", R::CaretMoved},
        {K::Backspace, false, false, L"x" + kPair + L"|", L"x|", R::TextChanged},
        {K::Backspace, false, false, L"a[bc|d", L"a|d", R::TextChanged},
        {K::Backspace, true, false, L"foo bar |", L"foo |", R::TextChanged},
        {K::Backspace, true, false, L"foo ba|r", L"foo |r", R::TextChanged},
        {K::Delete, false, false, L"a|" + kPair + L"x", L"a|x", R::TextChanged},
        {K::Delete, true, false, L"|foo bar", L"|bar", R::TextChanged},
        {K::Delete, false, false, L"ab|", L"ab|", R::Handled},
        {K::A, true, false, L"ab|c", L"[abc|", R::CaretMoved},
        {K::A, false, false, L"ab|c", L"ab|c", R::Ignored},
        {K::C, true, false, L"a[bc|d", L"a[bc|d", R::Handled, L"bc"},
        {K::Insert, true, false, L"a|bc[d", L"a|bc[d", R::Handled, L"bc"},
        {K::X, true, false, L"a[bc|d", L"a|d", R::TextChanged, L"bc"},
        {K::Delete, false, true, L"a[bc|d", L"a|d", R::TextChanged, L"bc"},
        {K::X, true, false, L"ab|c", L"ab|c", R::Handled},
        {K::V, true, false, L"a|b", L"ax y z|b", R::TextChanged},
        {K::Insert, false, true, L"a[bc|d", L"ax y z|d", R::TextChanged}};
    for (const Case& c : cases) {
        QueryEdit edit = Marked(c.before);
        FakeClipboard clipboard;
        clipboard.text = L"x\r\ny\tz";
        EXPECT_EQ(ApplyQueryKey(edit, c.key, c.ctrl, c.shift, clipboard), c.result) << c.before;
        EXPECT_EQ(Marks(edit), c.after)
            << int(c.key) << " " << c.ctrl << c.shift << " " << c.before;
        EXPECT_EQ(clipboard.text, c.clipboard) << c.before;
    }
}

TEST(QueryEdit, TypingKeepsTheBoundAndWholeSurrogatePairsAndScrollFollowsTheCaret) {
    const std::wstring almostFull(kMaxQueryChars - 2, L'a');
    QueryEdit edit(almostFull, 0, 0);
    EXPECT_TRUE(edit.Insert(L"b" + kPair + L"c"));  // room for b and half a pair
    EXPECT_EQ(edit.Text(), L"b" + almostFull);
    EXPECT_FALSE(edit.Type(kPair[0]) || edit.Type(kPair[1]));  // one unit of room left
    EXPECT_TRUE(edit.Type(L'c'));
    EXPECT_FALSE(edit.Type(L'd'));
    EXPECT_TRUE(edit.SelectAll() && edit.Insert(L"\xDE00xy\r"));  // a lone half is dropped
    EXPECT_EQ(Marks(edit), L"xy |");
    for (const wchar_t control : {L'\b', L'\r', L'\x1B', L'\x16', L'\x7F', L'\xDE00'}) {
        EXPECT_FALSE(edit.Type(control)) << int(control);
    }
    EXPECT_FALSE(edit.Type(kPair[0]));
    EXPECT_TRUE(edit.Type(kPair[1]));
    EXPECT_FALSE(edit.Type(kPair[0]));
    EXPECT_TRUE(edit.Type(L'!'));  // the half before it is forgotten
    EXPECT_EQ(Marks(edit), L"xy " + kPair + L"!|");
    EXPECT_EQ(Marks(QueryEdit(L"a" + kPair, 9, 2)), L"a|" + kPair + L"[");

    // Scroll follows the caret and never shows blank past the end.
    // scroll, caret, text width, box width; scroll after
    const float cases[][5] = {{0, 50, 80, 100, 0},     {0, 150, 200, 100, 50},
                              {60, 80, 200, 100, 60},  {60, 30, 200, 100, 30},
                              {90, 100, 120, 100, 20}, {50, 0, 200, 100, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(QueryScroll(c[0], c[1], c[2], c[3]), c[4]) << c[0] << " " << c[1] << " " << c[2];
    }
}

constexpr uint32_t L = kVkLeftWin;
constexpr uint32_t R = kVkRightWin;
constexpr uint32_t E = 0x45;
constexpr uint32_t M = kVkMaskKey;

KeyEvent Down(uint32_t vk, bool injected = false) {
    return {vk, true, injected};
}
KeyEvent Up(uint32_t vk, bool injected = false) {
    return {vk, false, injected};
}

TEST(WinKeyTap, OnlyAPersonsLoneWindowsKeyOpensASurfaceWhileTheHookIsActive) {
    // Name, keys, hook active; positions in the keys that open a surface.
    const std::tuple<const char*, std::vector<KeyEvent>, bool, std::vector<std::size_t>> cases[] = {
        {"tap", {Down(L), Up(L)}, true, {1}},
        {"right key", {Down(R), Up(R)}, true, {1}},
        {"inactive", {Down(L), Up(L)}, false, {}},
        {"injected", {Down(L, true), Up(L, true)}, true, {}},
        // Our own keys after a tap leave the next tap alone.
        {"after a tap",
         {Down(L), Up(L), Down(M, true), Up(M, true), Up(L, true), Down(L), Up(L)},
         true,
         {1, 6}},
        {"Win+E", {Down(L), Down(E), Up(E), Up(L)}, true, {}},
        {"injected key between", {Down(L), Down(E, true), Up(L)}, true, {}},
        {"Win+E, then a tap", {Down(L), Down(E), Up(L), Up(E), Down(L), Up(L)}, true, {5}},
        {"auto-repeat", {Down(L), Down(L), Down(L), Up(L)}, true, {3}},
        {"mask key between", {Down(L), Down(M), Up(M), Up(L)}, true, {3}},
        {"other Windows key's release", {Down(L), Up(R)}, true, {}}};
    for (const auto& [name, keys, active, expected] : cases) {
        WinKeyTap tap;
        std::vector<std::size_t> opens;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (tap.OnKey(keys[i], active) == WinKeyTap::Decision::OpenSurface) {
                opens.push_back(i);
            }
        }
        EXPECT_EQ(opens, expected) << name;
    }
}

}  // namespace
}  // namespace corvane
