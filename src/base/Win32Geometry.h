#pragma once
// The shared rectangles to and from the system's RECT.

#include "base/Geometry.h"

#include <windows.h>

#include <shellscalingapi.h>

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

// The display's work area (without the taskbar and appbars); empty when the
// display is gone.
[[nodiscard]] inline PixelRect MonitorWorkArea(HMONITOR display) noexcept {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    return ::GetMonitorInfoW(display, &mi) ? ToPixelRect(mi.rcWork) : PixelRect{};
}

// The display's effective DPI; 96 when the system cannot tell.
[[nodiscard]] inline UINT MonitorDpi(HMONITOR display) noexcept {
    UINT dpiX = 0;
    UINT dpiY = 0;
    return SUCCEEDED(::GetDpiForMonitor(display, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX != 0
               ? dpiX
               : 96;
}

}  // namespace corvane
