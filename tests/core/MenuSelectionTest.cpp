#include "start/MenuSelection.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

namespace corvane {
namespace {

using K = MenuKey;
using Z = MenuZone;

// Headers A, B, D, H and Ø (after Z), four apps under each: entries 0..19.
std::vector<LetterRow> Rows() {
    std::vector<LetterRow> rows;
    int32_t entry = 0;
    for (const wchar_t letter : {L'A', L'B', L'D', L'H', L'\xD8'}) {
        rows.push_back({true, letter, -1});
        for (int i = 0; i < 4; ++i) {
            rows.push_back({false, letter, entry++});
        }
    }
    return rows;
}

MenuState At(MenuView view, float scroll = 0, MenuItemId selection = {},
             MenuZone focus = MenuZone::Search) {
    MenuState state;
    state.view = view;
    state.scroll = scroll;
    state.selection = selection;
    state.focus = focus;
    return state;
}

MenuLayout Lay(const MenuState& state, std::size_t count, const std::vector<LetterRow>& rows) {
    MenuLayoutInput input;
    input.width = 620;
    input.height = 300;  // a list band of about four rows
    input.view = state.view;
    input.scroll = state.scroll;
    input.pinnedCount = count;
    input.resultCount = count;
    input.letterRows = rows;
    input.buttonLabelWidth = 60;
    input.powerLabelWidth = 40;
    return LayOutMenu(input);
}

TEST(MenuSelection, KeysMoveThroughEachViewAndKeepTheSelectionInSight) {
    const std::vector<LetterRow> rows = Rows();
    const MenuItemId pin0{MenuHit::AppRow, 0};
    struct Case {
        const char* what;
        MenuView view;
        std::size_t count;  // pins or results
        MenuState start;
        std::vector<MenuKey> keys;
        MenuZone focus;
        MenuItemId marked;
    };
    const Case cases[] = {
        {"home: down enters the pins", MenuView::Home, 8, {}, {K::Down}, Z::List, pin0},
        {"home: up reaches the button",
         MenuView::Home,
         8,
         {},
         {K::Down, K::Up},
         Z::List,
         {MenuHit::AllAppsButton, -1}},
        {"home: up again, the box", MenuView::Home, 8, {}, {K::Down, K::Up, K::Up}, Z::Search, {}},
        {"home: left wraps to the button",
         MenuView::Home,
         8,
         {},
         {K::Down, K::Left, K::Left},
         Z::List,
         {MenuHit::AllAppsButton, -1}},
        {"home: right",
         MenuView::Home,
         8,
         {},
         {K::Down, K::Right, K::Right},
         Z::List,
         {MenuHit::AppRow, 2}},
        {"home: down stops at the last",
         MenuView::Home,
         3,
         {},
         std::vector<MenuKey>(6, K::Down),
         Z::List,
         {MenuHit::AppRow, 2}},
        {"home: end scrolls",
         MenuView::Home,
         8,
         {},
         {K::Down, K::End},
         Z::List,
         {MenuHit::AppRow, 7}},
        {"home: and back", MenuView::Home, 8, {}, {K::Down, K::End, K::Home}, Z::List, pin0},
        {"all apps: the first row in sight",
         MenuView::AllApps,
         0,
         At(MenuView::AllApps, 200),
         {K::Down},
         Z::List,
         {MenuHit::AppRow, 4}},
        {"all apps: a row scrolled away comes back",
         MenuView::AllApps,
         0,
         At(MenuView::AllApps, 400, pin0, Z::List),
         {K::Down},
         Z::List,
         {MenuHit::AppRow, 1}},
        {"all apps: up to a header",
         MenuView::AllApps,
         0,
         {},
         {K::Down, K::End, K::Up, K::Up, K::Up, K::Up},
         Z::List,
         {MenuHit::LetterHeader, 0xD8}},
        {"all apps: a page down",
         MenuView::AllApps,
         0,
         {},
         {K::Down, K::PageDown},
         Z::List,
         {MenuHit::AppRow, 3}},
        {"all apps: and up",
         MenuView::AllApps,
         0,
         {},
         {K::Down, K::PageDown, K::PageUp},
         Z::List,
         {MenuHit::LetterHeader, L'A'}},
        {"index: down to the nearest present cell",
         MenuView::LetterIndex,
         0,
         At(MenuView::LetterIndex, 0, {MenuHit::LetterCell, L'B'}, Z::List),
         {K::Down},
         Z::List,
         {MenuHit::LetterCell, L'H'}},
        {"index: over empty rows",
         MenuView::LetterIndex,
         0,
         At(MenuView::LetterIndex, 0, {MenuHit::LetterCell, L'B'}, Z::List),
         {K::Down, K::Down},
         Z::List,
         {MenuHit::LetterCell, 0xD8}},
        {"index: up keeps the column",
         MenuView::LetterIndex,
         0,
         At(MenuView::LetterIndex, 0, {MenuHit::LetterCell, L'H'}, Z::List),
         {K::Up},
         Z::List,
         {MenuHit::LetterCell, L'B'}},
        {"index: right wraps the row",
         MenuView::LetterIndex,
         0,
         At(MenuView::LetterIndex, 0, {MenuHit::LetterCell, L'D'}, Z::List),
         {K::Right},
         Z::List,
         {MenuHit::LetterCell, L'H'}},
        {"index: up from the top row",
         MenuView::LetterIndex,
         0,
         At(MenuView::LetterIndex, 0, {MenuHit::LetterCell, L'A'}, Z::List),
         {K::Up},
         Z::List,
         {MenuHit::BackButton, -1}},
        {"results: the box keeps the focus",
         MenuView::Results,
         9,
         At(MenuView::Results, 0, pin0),
         std::vector<MenuKey>(12, K::Down),
         Z::Search,
         {MenuHit::SearchFiles, 9}},
        {"results: and back up",
         MenuView::Results,
         9,
         At(MenuView::Results, 0, pin0),
         {K::Down, K::Down, K::Up, K::Up, K::Up},
         Z::Search,
         pin0},
        {"results: text keys are the box's",
         MenuView::Results,
         9,
         At(MenuView::Results, 0, pin0),
         {K::Down, K::Right, K::End},
         Z::Search,
         {MenuHit::AppRow, 1}},
        {"tab: the list keeps its item",
         MenuView::Results,
         9,
         At(MenuView::Results, 0, {MenuHit::AppRow, 4}),
         {K::Tab},
         Z::List,
         {MenuHit::AppRow, 4}},
        {"tab: the right column",
         MenuView::Home,
         8,
         {},
         {K::Tab, K::Tab},
         Z::Side,
         {MenuHit::UserCard, -1}},
        {"tab: its entries",
         MenuView::Home,
         8,
         {},
         {K::Tab, K::Tab, K::Down, K::Down},
         Z::Side,
         {MenuHit::Place, 1}},
        {"tab: power",
         MenuView::Home,
         8,
         {},
         {K::Tab, K::Tab, K::Tab},
         Z::Power,
         {MenuHit::Power, -1}},
        {"tab: round to the box",
         MenuView::Home,
         8,
         {},
         std::vector<MenuKey>(4, K::Tab),
         Z::Search,
         {}},
        {"shift+tab: power first",
         MenuView::Home,
         8,
         {},
         {K::BackTab},
         Z::Power,
         {MenuHit::Power, -1}},
        {"shift+tab: then the column",
         MenuView::Home,
         8,
         {},
         {K::BackTab, K::BackTab},
         Z::Side,
         {MenuHit::UserCard, -1}},
        {"shift+tab: then the list",
         MenuView::Home,
         8,
         {},
         {K::BackTab, K::BackTab, K::BackTab},
         Z::List,
         pin0},
        {"tab: no pins, the button",
         MenuView::Home,
         0,
         {},
         {K::Tab},
         Z::List,
         {MenuHit::AllAppsButton, -1}},
    };
    for (const Case& c : cases) {
        MenuState state = c.start;
        state.view = c.view;
        for (const MenuKey key : c.keys) {
            (void)MoveMenuFocus(state, Lay(state, c.count, rows), key);
        }
        const MenuLayout layout = Lay(state, c.count, rows);
        const MenuMark mark = MarkedItem(state, layout);
        EXPECT_EQ(state.focus, c.focus) << c.what;
        EXPECT_EQ(mark.id, c.marked) << c.what;
        EXPECT_EQ(mark.focused, c.focus != MenuZone::Search) << c.what;
        if (c.marked.kind == MenuHit::AppRow || c.marked.kind == MenuHit::LetterHeader ||
            c.marked.kind == MenuHit::SearchFiles) {
            EXPECT_GE(mark.rect.top, layout.listTop) << c.what;
            EXPECT_LE(mark.rect.bottom, layout.listBottom) << c.what;
        }
    }
}

TEST(MenuSelection, ANewViewSelectsWhereTheKeyboardWent) {
    const std::vector<LetterRow> rows = Rows();
    // Header D opens the index on D; cell H jumps back to its header.
    MenuState state = At(MenuView::LetterIndex, 0, {MenuHit::LetterHeader, L'D'}, Z::List);
    FocusNewView(state, Lay(state, 0, rows), {MenuHit::LetterHeader, L'D'});
    EXPECT_EQ(state.selection, (MenuItemId{MenuHit::LetterCell, L'D'}));
    ASSERT_TRUE(ClickMenuItem(state, {MenuHit::LetterCell, L'H'}, rows));
    FocusNewView(state, Lay(state, 0, rows), {MenuHit::LetterCell, L'H'});
    EXPECT_EQ(MarkedItem(state, Lay(state, 0, rows)).id, (MenuItemId{MenuHit::LetterHeader, L'H'}));
    // The pointer changed the view while the box had the focus.
    state.focus = Z::Search;
    state.view = MenuView::Home;
    FocusNewView(state, Lay(state, 3, rows), {MenuHit::BackButton, -1});
    EXPECT_EQ(state.selection, MenuItemId{});

    // A search that lost the selected result offers the file search.
    state = At(MenuView::Results, 0, {MenuHit::AppRow, 3});
    KeepResultSelection(state, 4);
    EXPECT_EQ(state.selection, (MenuItemId{MenuHit::AppRow, 3}));
    KeepResultSelection(state, 2);
    EXPECT_EQ(state.selection, (MenuItemId{MenuHit::SearchFiles, 2}));
}

}  // namespace
}  // namespace corvane
