#include "app/MenuTheme.h"

#include "app/ProcAddress.h"

#include <windows.h>

namespace corvane {
namespace {

// uxtheme exports these by ordinal only.
constexpr WORD kSetPreferredAppModeOrdinal = 135;
constexpr WORD kFlushMenuThemesOrdinal = 136;
constexpr int kForceDark = 2;
constexpr int kForceLight = 3;

using SetPreferredAppModeFn = int(WINAPI*)(int mode);
using FlushMenuThemesFn = void(WINAPI*)();

// Loaded once and kept: the preferred mode lives in the library's state.
HMODULE UxTheme() noexcept {
    static const HMODULE module =
        ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module;
}

}  // namespace

void ApplyMenuTheme(bool dark) noexcept {
    const HMODULE module = UxTheme();
    if (const auto setMode = ProcAs<SetPreferredAppModeFn>(module, kSetPreferredAppModeOrdinal)) {
        setMode(dark ? kForceDark : kForceLight);
    }
    if (const auto flush = ProcAs<FlushMenuThemesFn>(module, kFlushMenuThemesOrdinal)) {
        flush();
    }
}

}  // namespace corvane
