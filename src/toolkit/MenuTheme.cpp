#include "toolkit/MenuTheme.h"

#include "base/DynamicApis.h"

#include <windows.h>

namespace corvane {
namespace {

constexpr int kForceDark = 2;
constexpr int kForceLight = 3;

}  // namespace

void ApplyMenuTheme(bool dark) noexcept {
    if (const auto setMode = dyn::SetPreferredAppMode()) {
        setMode(dark ? kForceDark : kForceLight);
    }
    if (const auto flush = dyn::FlushMenuThemes()) {
        flush();
    }
}

}  // namespace corvane
