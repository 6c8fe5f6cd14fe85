#pragma once
// One box of the top bar's content. The bar rebuilds the list on every
// layout; painting draws it in order and the mouse hit-tests it in order.

#include <cstdint>

namespace corvane {

enum class BarItemKind : uint32_t {
    AppNameItem = 0,
    MenuTitleItem = 1,
    TrayIconItem = 2,
    TilingButtonItem = 3,
    StatusItem = 4,
    ClockItem = 5,
    NowPlayingItem = 6,
};

struct BarItem {
    BarItemKind kind = BarItemKind::AppNameItem;
    // Points, relative to the bar window's client area.
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    // Tray icons only: the notify icon's owning window (an opaque handle
    // value) and its id.
    uint64_t ownerWindow = 0;
    uint32_t iconId = 0;
    // Menu titles only: index into the current application's menus.
    int32_t menuIndex = -1;
};

}  // namespace corvane
