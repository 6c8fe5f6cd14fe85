#include "base/DynamicApis.h"

namespace corvane::dyn {
namespace {

constexpr WORD kSetPreferredAppModeOrdinal = 135;
constexpr WORD kFlushMenuThemesOrdinal = 136;

// Loaded once and kept: the preferred menu mode lives in the library's state.
HMODULE UxTheme() noexcept {
    static const HMODULE module =
        ::LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module;
}

}  // namespace

SetWindowCompositionAttributeFn SetWindowCompositionAttribute() noexcept {
    static const auto function = ProcAs<SetWindowCompositionAttributeFn>(
        ::GetModuleHandleW(L"user32.dll"), "SetWindowCompositionAttribute");
    return function;
}

SetPreferredAppModeFn SetPreferredAppMode() noexcept {
    static const auto function =
        ProcAs<SetPreferredAppModeFn>(UxTheme(), kSetPreferredAppModeOrdinal);
    return function;
}

FlushMenuThemesFn FlushMenuThemes() noexcept {
    static const auto function = ProcAs<FlushMenuThemesFn>(UxTheme(), kFlushMenuThemesOrdinal);
    return function;
}

GetApplicationUserModelIdFn GetApplicationUserModelId() noexcept {
    static const auto function = ProcAs<GetApplicationUserModelIdFn>(
        ::GetModuleHandleW(L"kernel32.dll"), "GetApplicationUserModelId");
    return function;
}

SetSuspendStateFn SetSuspendState() noexcept {
    // Loaded once and never freed: the pointer stays valid for the process.
    static const auto function = ProcAs<SetSuspendStateFn>(
        ::LoadLibraryExW(L"powrprof.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32),
        "SetSuspendState");
    return function;
}

}  // namespace corvane::dyn
