#pragma once
// What a window's glass needs from the Desktop Window Manager, decided from
// the settings, the theme and the system's state. Portable so that the rule
// is tested without DWM.

#include "config/Settings.h"
#include "toolkit/Theme.h"

#include <cstdint>

namespace corvane {

// Accent states of the composition call.
inline constexpr int32_t kAccentDisabled = 0;
inline constexpr int32_t kAccentAcrylicBlurBehind = 4;

// DWMWA_SYSTEMBACKDROP_TYPE values.
inline constexpr int32_t kSystemBackdropNone = 1;
inline constexpr int32_t kSystemBackdropMica = 2;

// Grey of the acrylic tint in each of R, G and B.
inline constexpr uint8_t kAcrylicGreyDark = 0x20;
inline constexpr uint8_t kAcrylicGreyLight = 0xF3;

struct BackdropPlan {
    bool darkMode = true;
    int32_t accentState = kAccentDisabled;
    uint32_t gradientColor = 0;  // bytes A B G R from high to low
    int32_t frameMargin = -1;    // all four margins; -1 = glass over the whole client area
    int32_t systemBackdrop = kSystemBackdropNone;
};

// Alpha of the acrylic tint: tint x 255 / 100, never below 0 nor above 255.
[[nodiscard]] uint8_t TintAlpha(int32_t tintPercent) noexcept;

// The accent gradient colour for a tint percent in the dark or light theme.
[[nodiscard]] uint32_t AcrylicGradientColor(int32_t tintPercent, bool dark) noexcept;

// Whether see-through surfaces may be drawn: the registry's Transparency
// effects value (EnableTransparency; 1 when missing) and the power status's
// battery saver flag (SystemStatusFlag).
[[nodiscard]] bool GlassAllowed(uint32_t enableTransparency, uint8_t batterySaverFlag) noexcept;

// Whether surfaces paint the opaque theme colour: the user asked for no
// glass, or the system allows none now.
[[nodiscard]] bool DrawsOpaque(Backdrop backdrop, const Theme& theme) noexcept;

struct BackdropRequest {
    Backdrop backdrop = Backdrop::Acrylic;
    int32_t tintPercent = 0;
    bool plain = false;  // the window's own panels carry the glass
    bool dark = true;
    bool glass = true;       // Theme::glass
    bool activates = false;  // the window becomes the active window
};

[[nodiscard]] BackdropPlan PlanBackdrop(const BackdropRequest& request) noexcept;

}  // namespace corvane
