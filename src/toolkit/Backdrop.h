#pragma once
// A window's glass and frame from the Desktop Window Manager: the backdrop
// rule, the acrylic accent, corners, border and the desktop peek.

#include "config/Settings.h"

#include <windows.h>

#include <cstdint>

namespace corvane {

// The glass rule for [Bar] Backdrop in the given theme. `plain` is for a
// window whose own panels carry the glass.
void ApplyBackdrop(HWND window, Backdrop backdrop, bool dark, int tintPercent, bool plain) noexcept;

// The undocumented composition call; false when the system lacks it or refuses.
bool SetAccentPolicy(HWND window, int32_t accentState, uint32_t gradientColor) noexcept;

void SetWindowCorners(HWND window, bool rounded) noexcept;
// The system's border, or none.
void SetWindowBorder(HWND window, bool systemDefault) noexcept;
void SetExcludedFromPeek(HWND window) noexcept;

}  // namespace corvane
