#pragma once
// What a window's glass needs from the Desktop Window Manager, decided from
// the settings and the theme. Portable so that the rule is tested without DWM.

#include "config/Settings.h"

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

// `plain` is for windows whose own panels carry the glass.
[[nodiscard]] BackdropPlan PlanBackdrop(Backdrop backdrop, int32_t tintPercent, bool plain,
                                        bool dark) noexcept;

}  // namespace corvane
