#pragma once
// Application windows of the desktop and their identities, as the dock
// groups them. GUI thread only.

#include "identity/WindowIdentity.h"

#include <windows.h>

#include <cstdint>
#include <vector>

namespace corvane {

[[nodiscard]] inline WindowId ToWindowId(HWND window) noexcept {
    return static_cast<WindowId>(reinterpret_cast<uintptr_t>(window));
}
[[nodiscard]] inline HWND ToHwnd(WindowId window) noexcept {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(window));
}

// Whether the window would have a taskbar button of its own (see
// AppWindowFilter.h for the rules).
[[nodiscard]] bool IsDockAppWindow(HWND window) noexcept;

// Every application window in z-order, top first, with its identity. Windows
// seen before are taken from the identity cache.
[[nodiscard]] std::vector<WindowIdentity> EnumerateAppWindows() noexcept;

// The process-wide identity cache.
[[nodiscard]] IdentityCache& TheIdentityCache() noexcept;

// Forgets the identities of windows that no longer exist.
void PruneIdentityCache() noexcept;

}  // namespace corvane
