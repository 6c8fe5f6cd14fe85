#pragma once
// A drop-down of the bar's application menus: shown under its title, left
// for a neighbouring title as the pointer or the arrow keys ask, and the
// chosen entry carried out in the application.

#include "appmenus/AppMenu.h"
#include "base/Worker.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace corvane {

// Index of the menu title under a screen point, or -1.
using MenuTitleHitTest = std::function<int32_t(POINT screenPoint)>;

// Shows menus[index] with its top-left corner at `point` (screen pixels),
// owned by `owner`, for the application window `target`. Returns the menu
// to open next when the user moved on to another title, else -1 (the
// entry chosen, if any, has been carried out by then).
// A run target starts on `worker`. Opened from the keyboard, the first
// entry is selected, and a drop-down closed without a choice leaves the
// owner in front, its title keeping the keyboard.
[[nodiscard]] int32_t ShowAppMenu(const std::vector<AppMenu>& menus, int32_t index, POINT point,
                                  HWND owner, HWND target, const MenuTitleHitTest& hitTest,
                                  Worker& worker, bool fromKeyboard = false);

// Starts a run target on `worker`, posts a native command to `target` or
// types the entry's chords into it once it is in front.
void CarryOutMenuItem(const AppMenuItem& item, HWND target, Worker& worker);

}  // namespace corvane
