#pragma once
// A window's glass and frame from the Desktop Window Manager: the backdrop
// rule, the acrylic accent, corners, border and the desktop peek.

#include "config/Settings.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <cstdint>

namespace corvane {

// The glass rule for [Bar] Backdrop in the given theme (its glass flag
// included). `plain` is for a window whose own panels carry the glass;
// `activates` for one that becomes the active window.
void ApplyBackdrop(HWND window, Backdrop backdrop, const Theme& theme, int tintPercent, bool plain,
                   bool activates = false) noexcept;

// The undocumented composition call; false when the system lacks it or refuses.
bool SetAccentPolicy(HWND window, int32_t accentState, uint32_t gradientColor) noexcept;

void SetWindowCorners(HWND window, bool rounded) noexcept;
// The system's border, or none.
void SetWindowBorder(HWND window, bool systemDefault) noexcept;
void SetExcludedFromPeek(HWND window) noexcept;

// The start surfaces' and the Now Playing card's glass.
// Alpha of the pop-ups' acrylic tint for a [Bar] Tint percent.
[[nodiscard]] BYTE PopupGlassAlpha(int32_t tintPercent) noexcept;

// A pop-up's glass: dark flag, frame, corners, and the acrylic accent unless
// the backdrop setting is solid.
void ApplyPopupGlass(HWND window, const Settings& settings, const Theme& theme, BYTE alpha,
                     bool rounded) noexcept;

}  // namespace corvane
