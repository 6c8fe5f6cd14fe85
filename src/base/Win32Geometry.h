#pragma once
// The shared rectangles to and from the system's RECT.

#include "base/Geometry.h"

#include <windows.h>

namespace corvane {

[[nodiscard]] inline PixelRect ToPixelRect(const RECT& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

[[nodiscard]] inline RECT ToRect(const PixelRect& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

// The display's full rectangle; empty when the display is gone.
[[nodiscard]] inline PixelRect MonitorRect(HMONITOR display) noexcept {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    return ::GetMonitorInfoW(display, &mi) ? ToPixelRect(mi.rcMonitor) : PixelRect{};
}

}  // namespace corvane
