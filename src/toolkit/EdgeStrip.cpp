#include "toolkit/EdgeStrip.h"

namespace corvane {

bool EdgeStrip::Create(HINSTANCE instance, const wchar_t* className) noexcept {
    HWND hwnd = CreateBound(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                            className, L"", WS_POPUP, 0, 0, 10, 2, nullptr, instance);
    if (hwnd == nullptr) {
        return false;
    }
    // Alpha 1: invisible, yet it still receives the mouse.
    ::SetLayeredWindowAttributes(hwnd, 0, 1, LWA_ALPHA);
    return true;
}

LRESULT EdgeStrip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            if (touched_) {
                touched_();
            }
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
