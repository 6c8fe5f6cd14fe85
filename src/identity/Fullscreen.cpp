#include "identity/Fullscreen.h"

#include "base/ImagePaths.h"
#include "base/Win32Geometry.h"
#include "identity/ForegroundRules.h"
#include "identity/WindowFacts.h"

#include <shellapi.h>

#include <iterator>
#include <string>

namespace corvane {
namespace {

bool IsCandidate(HWND window) {
    if (window == nullptr || !::IsWindowVisible(window) || ::IsIconic(window)) {
        return false;
    }
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    // Our own surfaces (the launcher covers a whole display) are never a
    // reason to step aside.
    if (pid == ::GetCurrentProcessId()) {
        return false;
    }
    return !IsExcludedFromFullscreen(WindowClassName(window, kClassNameChars),
                                     ExecutableNameOf(ProcessImagePath(pid)));
}

HMONITOR FindFullscreen() {
    const HWND window = ::GetForegroundWindow();
    if (!IsCandidate(window)) {
        return nullptr;
    }
    const HMONITOR display = ::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    RECT rect = {};
    if (display != nullptr && ::GetMonitorInfoW(display, &info) && ::GetWindowRect(window, &rect) &&
        IsFullscreenWindow(ToPixelRect(rect), ToPixelRect(info.rcMonitor),
                           ::IsZoomed(window) != FALSE)) {
        return display;
    }
    // Exclusive D3D full screen and presentation mode are only known to the shell.
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (SUCCEEDED(::SHQueryUserNotificationState(&state)) &&
        IsFullscreenNotificationState(static_cast<int32_t>(state))) {
        return display;
    }
    return nullptr;
}

}  // namespace

HMONITOR FindFullscreenDisplay() noexcept {
    try {
        return FindFullscreen();
    } catch (...) {
        return nullptr;
    }
}

}  // namespace corvane
