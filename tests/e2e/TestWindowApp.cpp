// A small application for end-to-end tests: one window that comes to the
// front, shaped by its command line, until it is closed.
//
//   e2e_window_app [normal|maximized|fullscreen] [title]

#include <windows.h>
#include <shellapi.h>

#include <cwchar>

namespace {

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        ::EndPaint(hwnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const wchar_t* mode = argc > 1 ? argv[1] : L"normal";
    const wchar_t* title = argc > 2 ? argv[2] : L"Test window";

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"CorvaneTestWindow";
    ::RegisterClassExW(&wc);

    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& m = mi.rcMonitor;

    HWND hwnd = nullptr;
    if (std::wcscmp(mode, L"fullscreen") == 0) {
        hwnd = ::CreateWindowExW(0, wc.lpszClassName, title, WS_POPUP, m.left, m.top,
                                 m.right - m.left, m.bottom - m.top, nullptr, nullptr, instance,
                                 nullptr);
        ::ShowWindow(hwnd, SW_SHOW);
    } else {
        hwnd = ::CreateWindowExW(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW, m.left + 200,
                                 m.top + 150, 500, 300, nullptr, nullptr, instance, nullptr);
        ::ShowWindow(hwnd, std::wcscmp(mode, L"maximized") == 0 ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    ::SetForegroundWindow(hwnd);
    // Windows announces the new foreground window itself; Wine 8 does not,
    // so the application says it, as the system would.
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
    ::LocalFree(argv);

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
