#pragma once
// The Win32 side of the menu model: an application's own menu bar, and the
// popup menu of a drop-down.

#include "appmenus/AppMenu.h"
#include "appmenus/MenuPopupPlan.h"

#include <windows.h>

#include <string_view>
#include <vector>

namespace corvane {

// The menus for a window: its profile in TheMenuProfiles(), else its own
// menu bar, else the "*" profile. exeName is the lower-case file name of the
// window's executable; window may be null.
[[nodiscard]] std::vector<AppMenu> ResolveAppMenus(HWND window, std::wstring_view exeName);

// The entries of an application's submenu, read after the application has
// been asked to prepare each cascade (WM_INITMENUPOPUP, 150 ms at most).
[[nodiscard]] std::vector<AppMenuItem> ReadNativeSubmenu(HMENU submenu, HWND target, int depth);

// A popup menu of the plan; the caller destroys it (with its submenus).
// Null when the system refuses to create it.
[[nodiscard]] HMENU BuildMenuPopup(const PopupPlan& plan);

}  // namespace corvane
