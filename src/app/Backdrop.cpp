#include "app/Backdrop.h"

#include "app/App.h"
#include "app/BackdropPlan.h"
#include "app/ProcAddress.h"
#include "app/SdkCompat.h"

#include <dwmapi.h>

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

struct CompositionAttributeData {
    int32_t attribute;
    void* data;
    SIZE_T size;
};

using SetWindowCompositionAttributeFn = BOOL(WINAPI*)(HWND, CompositionAttributeData*);

SetWindowCompositionAttributeFn CompositionFunction() noexcept {
    static const SetWindowCompositionAttributeFn function = ProcAs<SetWindowCompositionAttributeFn>(
        ::GetModuleHandleW(L"user32.dll"), "SetWindowCompositionAttribute");
    return function;
}

void SetDwordAttribute(HWND window, DWORD attribute, DWORD value) noexcept {
    (void)::DwmSetWindowAttribute(window, attribute, &value, sizeof(value));
}

}  // namespace

bool SetAccentPolicy(HWND window, int32_t accentState, uint32_t gradientColor) noexcept {
    const SetWindowCompositionAttributeFn function = CompositionFunction();
    if (function == nullptr || window == nullptr) {
        return false;
    }
    AccentPolicy policy{accentState, kAccentFlags, gradientColor, 0};
    CompositionAttributeData data{kAccentPolicyAttribute, &policy, sizeof(policy)};
    return function(window, &data) != FALSE;
}

void ApplyBackdropWith(HWND window, Backdrop backdrop, bool dark, int tintPercent,
                       bool plain) noexcept {
    if (window == nullptr) {
        return;
    }
    const BackdropPlan plan = PlanBackdrop(backdrop, tintPercent, plain, dark);
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

void ApplyBackdrop(HWND window, int tintPercent, bool plain) noexcept {
    const App& app = TheApp();
    ApplyBackdropWith(window, app.settings.backdrop, app.theme.dark, tintPercent, plain);
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

}  // namespace corvane
