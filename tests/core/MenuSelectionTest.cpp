#include "start/MenuSelection.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace corvane {
namespace {

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
    struct Case {
        V view;
        std::size_t count;  // pins or results
        float scroll;
        MenuItemId selection;
        Z start;
        const char* keys;
        Z focus;
        MenuItemId marked;
    };
    const Case cases[] = {
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
        {V::Home, 8, 0, {}, Z::Search, "B", Z::Power, kPower},
        {V::Home, 8, 0, {}, Z::Search, "BBB", Z::List, Row(0)},
        {V::Home, 0, 0, {}, Z::Search, "T", Z::List, kAllApps},
    };
    const std::vector<LetterRow> rows = Rows();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.view) << " " << c.keys);
        MenuState state{
            .view = c.view, .scroll = c.scroll, .selection = c.selection, .focus = c.start};
        if (c.view == V::Results) {
            KeepResultSelection(state, c.count);  // as a search leaves it
        }
        for (const char* key = c.keys; *key != 0; ++key) {
            const MenuLayout layout = Lay(state, c.count, rows);
            if (*key == '!') {
                const MenuItemId item = MarkedItem(state, layout).id;
                ASSERT_TRUE(ClickMenuItem(state, item, rows));
                FocusNewView(state, Lay(state, c.count, rows), item);
            } else {
                const auto which = static_cast<MenuKey>(std::strchr(kKeys, *key) - kKeys);
                (void)MoveMenuFocus(state, layout, which);
            }
        }
        const MenuLayout layout = Lay(state, c.count, rows);
        const MenuMark mark = MarkedItem(state, layout);
        EXPECT_EQ(state.focus, c.focus);
        EXPECT_EQ(mark.id, c.marked);
        EXPECT_EQ(mark.focused, c.focus != Z::Search);
        if (c.marked.kind == MenuHit::AppRow || c.marked.kind == MenuHit::LetterHeader ||
            c.marked.kind == MenuHit::SearchFiles) {
            EXPECT_GE(mark.rect.top, layout.listTop);
            EXPECT_LE(mark.rect.bottom, layout.listBottom);
        }
    }
}

}  // namespace
}  // namespace corvane
