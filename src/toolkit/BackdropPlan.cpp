#include "toolkit/BackdropPlan.h"

namespace corvane {

uint8_t TintAlpha(int32_t tintPercent) noexcept {
    if (tintPercent <= 0) {
        return 0;
    }
    if (tintPercent >= 100) {
        return 255;
    }
    return static_cast<uint8_t>(tintPercent * 255 / 100);
}

uint32_t AcrylicGradientColor(int32_t tintPercent, bool dark) noexcept {
    const uint32_t grey = dark ? kAcrylicGreyDark : kAcrylicGreyLight;
    return (static_cast<uint32_t>(TintAlpha(tintPercent)) << 24) | (grey << 16) | (grey << 8) |
           grey;
}

bool GlassAllowed(uint32_t enableTransparency, uint8_t batterySaverFlag) noexcept {
    return enableTransparency != 0 && batterySaverFlag != 1;
}

bool DrawsOpaque(Backdrop backdrop, const Theme& theme) noexcept {
    return backdrop == Backdrop::Solid || !theme.glass;
}

BackdropPlan PlanBackdrop(const BackdropRequest& request) noexcept {
    BackdropPlan plan;
    plan.darkMode = request.dark;
    if (request.plain) {
        return plan;
    }
    if (request.backdrop == Backdrop::Solid || !request.glass) {
        // The painter fills the opaque surface colour itself.
        plan.frameMargin = 0;
        return plan;
    }
    // Mica draws its flat fallback while its window is inactive, and the
    // bar, the dock, the beds and the pop-ups never become active: they get
    // the acrylic accent, which does not depend on activation.
    if (request.backdrop == Backdrop::Mica && request.activates) {
        plan.systemBackdrop = kSystemBackdropMica;
        return plan;
    }
    plan.accentState = kAccentAcrylicBlurBehind;
    plan.gradientColor = AcrylicGradientColor(request.tintPercent, request.dark);
    return plan;
}

}  // namespace corvane
