#include "app/SessionWindow.h"

#include "app/Lifecycle.h"

namespace corvane {

bool SessionWindow::Create(HINSTANCE instance) noexcept {
    if (!RegisterWindowClass(instance, kSessionWindowClass, 0, nullptr)) {
        return false;
    }
    // Never shown: a tool window stays out of Alt+Tab should anything show it.
    return CreateBound(WS_EX_TOOLWINDOW, kSessionWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                       instance) != nullptr;
}

LRESULT SessionWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_QUERYENDSESSION:
            // Nothing here is worth keeping the user waiting for (so no
            // block reason is ever registered): what is unsaved is saved
            // once the end is certain.
            return TRUE;
        case WM_ENDSESSION:
            // Windows may end the process as soon as this returns, so the
            // desktop is given back before it does. A cancelled end leaves
            // everything running.
            if (wParam != FALSE) {
                EndSession(app_);
            }
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
