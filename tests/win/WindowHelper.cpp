// A window in a process of its own, for tests that need a foreground window
// that is not the test's (windows of Corvane's own process are never named
// nor counted as full screen). No version resource and no icon on purpose.
//
//   windowHelper.exe borderless   popup covering the main display
//   windowHelper.exe maximised    framed window, maximised
//   windowHelper.exe normal       framed window of ordinary size
//
// It brings its window to the front and runs until the window is closed.

#include <windows.h>

#include <cwchar>

namespace {

constexpr wchar_t kClassName[] = L"WindowHelperFrame";

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

RECT MainDisplayRect() {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ::GetMonitorInfoW(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcMonitor;
}

HWND CreateFor(const wchar_t* mode, HINSTANCE instance) {
    if (std::wcscmp(mode, L"borderless") == 0) {
        const RECT r = MainDisplayRect();
        return ::CreateWindowExW(0, kClassName, L"Borderless", WS_POPUP, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                 nullptr);
    }
    if (std::wcscmp(mode, L"maximised") == 0) {
        // Already as large as the display before it is maximised: without a
        // window manager Wine may put a maximised window back at its normal
        // place, and it must cover the display either way.
        const RECT r = MainDisplayRect();
        return ::CreateWindowExW(0, kClassName, L"Maximised", WS_OVERLAPPEDWINDOW, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance,
                                 nullptr);
    }
    return ::CreateWindowExW(0, kClassName, L"Framed", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300,
                             nullptr, nullptr, instance, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    if (::RegisterClassExW(&wc) == 0) {
        return 2;
    }
    const wchar_t* mode = commandLine != nullptr && *commandLine != L'\0' ? commandLine : L"normal";
    HWND window = CreateFor(mode, instance);
    if (window == nullptr) {
        return 3;
    }
    ::ShowWindow(window, std::wcscmp(mode, L"maximised") == 0 ? SW_SHOWMAXIMIZED : SW_SHOW);
    ::SetForegroundWindow(window);

    MSG msg = {};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
