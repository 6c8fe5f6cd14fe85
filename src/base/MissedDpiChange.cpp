#include "base/MissedDpiChange.h"

#include "base/Win32Geometry.h"

namespace corvane {
namespace {

bool MayChangeDpiUnseen(UINT message, LPARAM lParam) noexcept {
    switch (message) {
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            return true;
        case WM_WINDOWPOSCHANGED: {
            // Only a move, a new size (which can carry it onto another
            // display) or being shown again can put it under another scale.
            const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
            return pos != nullptr &&
                   ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) ||
                    (pos->flags & SWP_SHOWWINDOW) != 0);
        }
        default:
            return false;
    }
}

}  // namespace

void CatchMissedDpiChange(HWND window, UINT message, LPARAM lParam, UINT drawnDpi) noexcept {
    // A hidden window draws nothing; showing it again comes through here.
    if (!MayChangeDpiUnseen(message, lParam) || !::IsWindowVisible(window)) {
        return;
    }
    // The display's scale, not GetDpiForWindow: a window's own DPI is the
    // last one it was told, so it would stay stale exactly when the notice
    // was left out.
    const UINT dpi = MonitorDpi(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
    RECT rect = {};
    if (dpi == 0 || dpi == drawnDpi || !::GetWindowRect(window, &rect)) {
        return;
    }
    // The handler stores the new DPI before it moves anything, so the
    // WM_WINDOWPOSCHANGED its own move causes finds nothing to catch.
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
}

}  // namespace corvane
