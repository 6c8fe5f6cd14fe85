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

BackdropPlan PlanBackdrop(Backdrop backdrop, int32_t tintPercent, bool plain, bool dark) noexcept {
    BackdropPlan plan;
    plan.darkMode = dark;
    if (plain) {
        return plan;
    }
    switch (backdrop) {
        case Backdrop::Solid:
            // The painter fills the opaque surface colour itself.
            plan.frameMargin = 0;
            break;
        case Backdrop::Mica:
            plan.systemBackdrop = kSystemBackdropMica;
            break;
        case Backdrop::Acrylic:
        default:
            plan.accentState = kAccentAcrylicBlurBehind;
            plan.gradientColor = AcrylicGradientColor(tintPercent, dark);
            break;
    }
    return plan;
}

}  // namespace corvane
