#include "bar/BarWindows.h"

#include "toolkit/Backdrop.h"
#include "bar/Bar.h"

namespace corvane {
bool RegisterBarClasses(HINSTANCE instance) noexcept {
    if (!RegisterWindowClass(instance, kBarWindowClass, CS_DBLCLKS, IDC_ARROW)) {
        return false;
    }
    (void)RegisterWindowClass(instance, kBarEdgeWindowClass, CS_DBLCLKS, IDC_ARROW);
    return true;
}

bool BarPanelWindow::Create(HINSTANCE instance, const Settings& settings,
                            const Theme& theme) noexcept {
    settings_ = &settings;
    theme_ = &theme;
    if (!RegisterWindowClass(instance, kBarPanelWindowClass, 0, IDC_ARROW)) {
        return false;
    }
    HWND hwnd = CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                            kBarPanelWindowClass, L"", WS_POPUP, 0, 0, 10, 10, nullptr, instance);
    if (hwnd == nullptr) {
        return false;
    }
    SetExcludedFromPeek(hwnd);
    SetWindowCorners(hwnd, true);
    ApplyBackdrop(hwnd, settings.backdrop, theme, settings.barTint, false);
    return true;
}

bool BarPanelWindow::Place(const PixelRect& rect, HWND barWindow, bool visible) noexcept {
    const bool wasVisible = ::IsWindowVisible(Hwnd()) != FALSE;
    if (!visible) {
        // A hidden bar's panels wait where they are: they are placed when
        // the bar shows, so no panel ever stands ready under a bar that is
        // not there.
        if (wasVisible) {
            ::ShowWindow(Hwnd(), SW_HIDE);
        }
        return false;
    }
    ::SetWindowPos(Hwnd(), barWindow, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_SHOWWINDOW);
    return !wasVisible;
}

LRESULT BarPanelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(Hwnd(), &ps);
            RECT client;
            ::GetClientRect(Hwnd(), &client);
            if (settings_ != nullptr && theme_ != nullptr &&
                DrawsOpaque(settings_->backdrop, *theme_)) {
                // The solid material has no glass: the panel carries the surface colour.
                const ColorF& c = theme_->surface;
                const UniqueBrush brush(::CreateSolidBrush(RGB(
                    static_cast<BYTE>(c.r * 255.0f + 0.5f), static_cast<BYTE>(c.g * 255.0f + 0.5f),
                    static_cast<BYTE>(c.b * 255.0f + 0.5f))));
                ::FillRect(dc, &client, brush.Get());
            } else {
                // Black is what the glass shows as transparent.
                ::FillRect(dc, &client, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
            }
            ::EndPaint(Hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
