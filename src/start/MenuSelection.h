#pragma once
// CorMenu from the keyboard: which zone holds the focus (search box, the
// view's list, the right column, the power button), the item the arrows
// select in it, and the scroll that keeps that item in sight. Portable: it
// moves over the laid-out menu, so the keyboard reaches what is drawn.

#include "base/Geometry.h"
#include "start/MenuLayout.h"

#include <cstddef>

namespace corvane {

enum class MenuKey { Up, Down, Left, Right, Home, End, PageUp, PageDown, Tab, BackTab };

// One key. Tab and Shift+Tab (BackTab) go round the zones; in a zone the
// arrows move the selection: Up and Down to the nearest item above or
// below, Left and Right to the one before or after in reading order (so a
// grid's rows wrap), Home and End to the ends, Page keys by a list's height.
// Up from the top of a zone gives the focus to the search box, Down from
// there enters the list; in Results the search box keeps the focus while Up
// and Down walk the results. False when the key is not the menu's (the
// search box's own text keys) or nothing can take it.
bool MoveMenuFocus(MenuState& state, const MenuLayout& layout, MenuKey key);

// The view changed (a button, a letter, Escape) and `layout` is the new
// one. A list that had the focus selects: the chosen letter's cell in the
// index, its header back in All apps, otherwise the first row in sight.
// Elsewhere the old list's item goes.
void FocusNewView(MenuState& state, const MenuLayout& layout, const MenuItemId& from);

// After a search: the selected result stays while it exists; one that is
// gone gives way to the "Search files" row.
void KeepResultSelection(MenuState& state, std::size_t resultCount) noexcept;

// What shows as selected: the item, its rectangle at the state's scroll,
// and whether it holds the keyboard focus (not the search box). Kind None
// when nothing is selected.
struct MenuMark {
    MenuItemId id;
    PointRect rect;
    bool focused = false;
};
[[nodiscard]] MenuMark MarkedItem(const MenuState& state, const MenuLayout& layout);

}  // namespace corvane
