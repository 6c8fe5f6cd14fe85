#include "dock/DockWindows.h"

#include "dock/Dock.h"

namespace corvane {
namespace {

bool RegisterDockClass(HINSTANCE instance, const wchar_t* name) noexcept {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &WindowBase::StaticWndProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

bool RegisterDockClasses(HINSTANCE instance) noexcept {
    // Docks come and go with displays and reloads; the classes stay. GUI
    // thread only, like every dock.
    static bool registered = false;
    if (!registered) {
        registered = RegisterDockClass(instance, kDockWindowClass) &&
                     RegisterDockClass(instance, kDockEdgeWindowClass);
    }
    return registered;
}

bool DockEdgeWindow::Create(HINSTANCE instance) noexcept {
    HWND hwnd = CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED,
                            kDockEdgeWindowClass, L"", WS_POPUP, 0, 0, 10, 2, nullptr, instance);
    if (hwnd == nullptr) {
        return false;
    }
    // Alpha 1: invisible, yet it still receives the mouse.
    ::SetLayeredWindowAttributes(hwnd, 0, 1, LWA_ALPHA);
    return true;
}

LRESULT DockEdgeWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            dock_.OnEdgeTouched();
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
