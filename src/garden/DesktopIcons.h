#pragma once
// Explorer's own desktop: its icon list, hidden while the beds show the
// desktop, and the place in the z-order where the beds live.

#include <windows.h>

namespace corvane {

// Hides or shows Explorer's desktop icon list. Showing leaves the icons
// hidden when the user hid them in Explorer.
void SetDesktopIconsVisible(bool show) noexcept;

// Explorer's desktop icon list, or null when there is none.
[[nodiscard]] HWND DesktopIconList() noexcept;

// A crash while the beds stood in for Explorer's icons gives them back; does
// nothing when the garden never hid them.
void ShowDesktopIconsAfterCrash() noexcept;

// Tells the bed windows apart from every other window.
using IsBedWindow = bool (*)(HWND window) noexcept;

// The window a bed is inserted after to sit directly above Explorer's
// desktop window: the first window above it that is not a bed, HWND_TOP when
// there is none, and HWND_BOTTOM when Explorer has no desktop window (not
// running, or restarting) so that beds never rise above applications.
[[nodiscard]] HWND DesktopLayerAnchor(IsBedWindow isBed) noexcept;

// Puts the bed back directly above the desktop window when anything came
// between, and leaves it alone otherwise.
void PlaceInDesktopLayer(HWND bed, IsBedWindow isBed) noexcept;

}  // namespace corvane
