#pragma once
// The bar as a screen reader sees it, built from the same layout it paints:
// the application name and its menu titles, the tray icons, the status
// cluster, the tiling button, Now Playing and the clock, each named in the
// current language and with what a left click does as its default action.

#include "appmenus/AppMenu.h"
#include "bar/BarItem.h"
#include "bar/StatusModel.h"
#include "toolkit/AccessibleNode.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct BarAccessibleFacts {
    const std::vector<BarItem>* items = nullptr;
    uint32_t dpi = 96;
    PixelRect client;  // the bar's client area, pixels
    bool shown = true;
    std::wstring_view appName;
    const std::vector<AppMenu>* menus = nullptr;
    std::wstring_view clockText;
    std::wstring_view longDate;  // empty when unknown
    std::wstring_view nowPlayingText;
    const StatusModel* status = nullptr;
    bool tilingOn = false;
    // A tray icon's name: its tooltip.
    std::function<std::wstring(const BarItem&)> trayName;
    int focusIndex = -1;     // the item with the keyboard focus cue
    int openMenuIndex = -1;  // the item whose menu is open
    int pressedIndex = -1;
};

[[nodiscard]] AccessibleNode BarAccessibleTree(const BarAccessibleFacts& facts);

// The action id of item `index`, and the item an action id names in these
// items (nullopt when the items changed kind or count since).
[[nodiscard]] int32_t BarActionId(int index, BarItemKind kind) noexcept;
[[nodiscard]] std::optional<int> BarActionItem(int32_t actionId,
                                               const std::vector<BarItem>& items) noexcept;

// The status cluster's name: each line of its tooltip but the hint, joined
// by commas.
[[nodiscard]] std::wstring StatusAccessibleName(const StatusModel& status);

}  // namespace corvane
