#include "toolkit/Backdrop.h"

#include "toolkit/BackdropPlan.h"
#include "base/DynamicApis.h"

#include <dwmapi.h>

#include <algorithm>

namespace corvane {
namespace {

constexpr int32_t kAccentPolicyAttribute = 19;
constexpr int32_t kAccentFlags = 2;

struct AccentPolicy {
    int32_t state;
    int32_t flags;
    uint32_t gradientColor;
    int32_t animationId;
};
static_assert(sizeof(AccentPolicy) == 16);

void SetDwordAttribute(HWND window, DWORD attribute, DWORD value) noexcept {
    (void)::DwmSetWindowAttribute(window, attribute, &value, sizeof(value));
}

}  // namespace

bool SetAccentPolicy(HWND window, int32_t accentState, uint32_t gradientColor) noexcept {
    const auto function = dyn::SetWindowCompositionAttribute();
    if (function == nullptr || window == nullptr) {
        return false;
    }
    AccentPolicy policy{accentState, kAccentFlags, gradientColor, 0};
    dyn::CompositionAttributeData data{kAccentPolicyAttribute, &policy, sizeof(policy)};
    return function(window, &data) != FALSE;
}

void ApplyBackdrop(HWND window, Backdrop backdrop, const Theme& theme, int tintPercent, bool plain,
                   bool activates) noexcept {
    if (window == nullptr) {
        return;
    }
    const BackdropPlan plan = PlanBackdrop({.backdrop = backdrop,
                                            .tintPercent = tintPercent,
                                            .plain = plain,
                                            .dark = theme.dark,
                                            .glass = theme.glass,
                                            .activates = activates});
    SetDwordAttribute(window, sdk::kDwmwaUseImmersiveDarkMode, plan.darkMode ? TRUE : FALSE);
    if (plan.accentState == kAccentDisabled) {
        (void)SetAccentPolicy(window, kAccentDisabled, 0);
    }
    const MARGINS margins{plan.frameMargin, plan.frameMargin, plan.frameMargin, plan.frameMargin};
    (void)::DwmExtendFrameIntoClientArea(window, &margins);
    SetDwordAttribute(window, sdk::kDwmwaSystemBackdropType,
                      static_cast<DWORD>(plan.systemBackdrop));
    if (plan.accentState != kAccentDisabled) {
        (void)SetAccentPolicy(window, plan.accentState, plan.gradientColor);
    }
}

void SetWindowCorners(HWND window, bool rounded) noexcept {
    SetDwordAttribute(window, sdk::kDwmwaWindowCornerPreference,
                      rounded ? sdk::kDwmwcpRound : sdk::kDwmwcpDoNotRound);
}

void SetWindowBorder(HWND window, bool systemDefault) noexcept {
    SetDwordAttribute(window, sdk::kDwmwaBorderColor,
                      systemDefault ? sdk::kDwmwaColorDefault : sdk::kDwmwaColorNone);
}

void SetExcludedFromPeek(HWND window) noexcept {
    SetDwordAttribute(window, sdk::kDwmwaExcludedFromPeek, TRUE);
}

namespace {

// Accent tint greys of the pop-up surfaces, a little lighter than the dock's.
constexpr uint32_t kSurfaceGreyDark = 0x1C1C1C;
constexpr uint32_t kSurfaceGreyLight = 0xF0F0F0;
// The glass is a little denser than the dock's so that text stays legible
// over busy windows, yet never fully opaque.
constexpr int kMaxGlassAlpha = 225;
constexpr int kGlassAlphaLift = 30;

}  // namespace

BYTE PopupGlassAlpha(int32_t tintPercent) noexcept {
    return static_cast<BYTE>(std::min<int>(TintAlpha(tintPercent), kMaxGlassAlpha) +
                             kGlassAlphaLift);
}

void ApplyPopupGlass(HWND window, const Settings& settings, const Theme& theme, BYTE alpha,
                     bool rounded) noexcept {
    if (window == nullptr) {
        return;
    }
    const BOOL dark = theme.dark ? TRUE : FALSE;
    (void)::DwmSetWindowAttribute(window, sdk::kDwmwaUseImmersiveDarkMode, &dark, sizeof(dark));
    const MARGINS margins{-1, -1, -1, -1};
    (void)::DwmExtendFrameIntoClientArea(window, &margins);
    SetWindowCorners(window, rounded);
    if (!rounded) {
        SetWindowBorder(window, false);
    }
    if (DrawsOpaque(settings.backdrop, theme)) {
        // No accent of an earlier glass may linger behind the opaque fill.
        (void)SetAccentPolicy(window, kAccentDisabled, 0);
    } else {
        const uint32_t grey = theme.dark ? kSurfaceGreyDark : kSurfaceGreyLight;
        (void)SetAccentPolicy(window, kAccentAcrylicBlurBehind,
                              (static_cast<uint32_t>(alpha) << 24) | grey);
    }
}

}  // namespace corvane
