#pragma once
// CorMenu as a screen reader sees it, built from the layout it paints and
// hit-tests: the search box with the query, the header's button, the view's
// list (apps, letters or results), the user, the places and the power
// button. Each default action is the item's click.

#include "base/Geometry.h"
#include "identity/AppEntry.h"
#include "start/MenuLayout.h"
#include "start/MenuSelection.h"
#include "toolkit/AccessibleNode.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace corvane {

struct CorMenuAccessibleFacts {
    const MenuLayout* layout = nullptr;
    const MenuState* state = nullptr;
    MenuMark mark;                      // MarkedItem of the two
    std::span<const AppEntry> entries;  // what the view's app rows index
    std::wstring_view query;
    std::wstring_view userName;
    uint32_t dpi = 96;
};

// The search box's action id: it has no default action, only events.
inline constexpr int32_t kMenuSearchAction = 0x7F000000;

// An item's action id. The view is part of it, so that an id read before
// the view changed names nothing after.
[[nodiscard]] int32_t MenuActionId(MenuView view, const MenuItemId& item) noexcept;
// The item an action id names in `view`; none for the search box, another
// view's id or a number that names no item.
[[nodiscard]] std::optional<MenuItemId> MenuActionItem(int32_t actionId, MenuView view) noexcept;

[[nodiscard]] AccessibleNode CorMenuAccessibleTree(const CorMenuAccessibleFacts& facts);

}  // namespace corvane
