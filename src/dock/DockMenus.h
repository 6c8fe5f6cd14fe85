#pragma once
// The entries of the dock's two context menus, in the current language.
// Portable: the menu's shape is a rule; showing it is Win32.

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

enum DockMenuCommand : uint32_t {
    kDockMenuNothing = 0,
    // Item menu.
    kDockMenuOpen = 1,  // "Open", or "New Window" when the app has windows
    kDockMenuPin = 2,
    kDockMenuUnpin = 3,
    kDockMenuClose = 4,
    kDockMenuWindowBase = 100,  // + the window's position in the list
    // Dock menu.
    kDockMenuSettings = 1,
    kDockMenuToggleTaskbar = 2,
};

struct DockMenuEntry {
    uint32_t command = 0;  // 0 for a separator
    std::wstring text;
    bool checked = false;
    bool grayed = false;
    [[nodiscard]] bool IsSeparator() const noexcept { return command == 0; }
};

// Window titles (at most 80 characters each, any "&" shown as itself) in
// the item's order;
// `foregroundIndex` is the listed window in front, or -1. `closable`: at
// least one of the windows takes a request to close (those of a program
// running as administrator ignore it).
[[nodiscard]] std::vector<DockMenuEntry> DockItemMenu(const std::vector<std::wstring>& titles,
                                                      int foregroundIndex, bool pinned,
                                                      bool closable = true);

[[nodiscard]] std::vector<DockMenuEntry> DockMenu(bool hideTaskbar);

// A window title as the item menu lists it.
[[nodiscard]] std::wstring DockMenuTitle(std::wstring title);

}  // namespace corvane
