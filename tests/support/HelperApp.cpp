// The one helper window program of the tests; its modes are described with
// HelperApp in WinTestSupport.h. No version resource and no icon on purpose:
// the bar names it after its file name.
//
//   test_helper <mode> [log path]
//   test_helper tray-demo <seconds> [ready file]

#include "support/TrayClient.h"
#include "support/WinTestSupport.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

namespace corvane::test {
namespace {

std::wstring g_log;
HMENU g_popup = nullptr;
constexpr UINT_PTR kOpenPopupTimer = 1;
constexpr UINT_PTR kHiddenMenuTimer = 2;
constexpr UINT_PTR kHangTimer = 3;
constexpr DWORD kHangMs = 60000;

// The log is opened for each line, so that the test can read it at any moment.
void LogKey(const char* what, WPARAM key, LPARAM lParam) {
    char line[96];
    const int n =
        std::snprintf(line, sizeof(line), "%s %u %u %llu\n", what, static_cast<unsigned>(key),
                      static_cast<unsigned>((lParam >> 24) & 1),
                      static_cast<unsigned long long>(::GetTickCount64()));
    HANDLE file = g_log.empty() ? INVALID_HANDLE_VALUE
                                : ::CreateFileW(g_log.c_str(), FILE_APPEND_DATA,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, line, static_cast<DWORD>(n), &written, nullptr);
        ::CloseHandle(file);
    }
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            LogKey("keydown", wParam, lParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            LogKey("keyup", wParam, lParam);
            return 0;
        case WM_TIMER:
            ::KillTimer(hwnd, wParam);
            if (wParam == kHangTimer) {
                // Shown and in front, then deaf to every message.
                ::Sleep(kHangMs);
            } else if (wParam == kOpenPopupTimer) {
                // The second timer fires inside the menu's loop, once it is shown.
                ::SetTimer(hwnd, kHiddenMenuTimer, 300, nullptr);
                ::TrackPopupMenu(g_popup, TPM_LEFTALIGN, 400, 300, 0, hwnd, nullptr);
            } else {
                // Created last, so first in z-order: a cached menu window,
                // as the system keeps them, that shows nothing.
                ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"#32768", L"", WS_POPUP, 0, 0,
                                  10, 10, nullptr, nullptr, nullptr, nullptr);
                // While the menu holds the pointer under Wine, only this
                // thread can move it.
                ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) / 2,
                               ::GetSystemMetrics(SM_CYSCREEN) / 2);
            }
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HWND Create(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* title,
            const RECT& r, HWND parent = nullptr) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = className;
    ::RegisterClassExW(&wc);
    return ::CreateWindowExW(exStyle, className, title, style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, nullptr, wc.hInstance, nullptr);
}

// One window of each kind the app-window filter tells apart, owned by `main`
// where the kind is owned.
void CreateKinds(HWND main) {
    RECT r{40, 40, 280, 100};
    for (const HelperWindowKind& kind : kHelperWindowKinds) {
        OffsetRect(&r, 0, 30);
        const bool untitled = std::wstring(kind.className) == L"CorvaneFixtureUntitled";
        HWND window = Create(kind.className, kind.exStyle, WS_OVERLAPPEDWINDOW,
                             untitled ? L"" : kind.className, r, kind.owned ? main : nullptr);
        if (kind.shown) {
            ::ShowWindow(window, SW_SHOWNOACTIVATE);
        }
    }
}

// Three icons in a running Corvane's bar for `seconds`, for the screenshot of
// run.sh; the ready file is written once the bar has placed them.
int RunTrayDemo(DWORD seconds, const std::wstring& readyFile) {
    HWND host = nullptr;
    DWORD pid = 0;
    WaitUntil(
        [&] {
            const HWND control = ::FindWindowExW(HWND_MESSAGE, nullptr, L"CorvaneCtl", nullptr);
            ::GetWindowThreadProcessId(control, &pid);
            host = control != nullptr ? FindTrayHost(pid) : nullptr;
            return host != nullptr;
        },
        30000);
    if (host == nullptr) {
        return 4;
    }
    struct DemoIcon {
        const wchar_t* file;
        const wchar_t* tip;
    };
    const DemoIcon icons[] = {{L"small.ico", L"Backup: up to date"},
                              {L"large.ico", L"Cloud files: synced"},
                              {L"corvane.ico", L"Corvane demo"}};
    TrayClient client;
    uint32_t id = 0;
    for (const DemoIcon& icon : icons) {
        client.Send(
            host,
            {.id = ++id, .icon = LoadIconInProcess(pid, BuiltFile(icon.file)), .tip = icon.tip});
    }
    const bool placed = client.PumpUntil(
        [&] {
            for (uint32_t i = 1; i <= id; ++i) {
                const auto r = client.Rect(host, i);
                if (!r || r->right <= r->left) {
                    return false;
                }
            }
            return true;
        },
        15000);
    if (placed && !readyFile.empty()) {
        ::CloseHandle(::CreateFileW(readyFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    // The icons of a program that is gone leave the bar: stay.
    client.PumpUntil([] { return false; }, seconds * 1000);
    return placed ? 0 : 5;
}

// The "taskbar" mode: Explorer's taskbar, which shows itself again on its own.
LRESULT CALLBACK TaskbarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHelperShowTaskbar) {
        // Not activated: under Wine a window once active is handed to the
        // window manager, and without one every later hide waits 2 s.
        ::ShowWindow(hwnd, SW_SHOWNA);
        // Windows raises this for every window shown; Wine 8 never does.
        ::NotifyWinEvent(EVENT_OBJECT_SHOW, hwnd, OBJID_WINDOW, CHILDID_SELF);
        return 0;
    }
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (message == WM_COPYDATA && copy->dwData == 0 && copy->cbData >= 52) {
        const auto block =
            *reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(copy->lpData) + 44);
        auto* data = static_cast<uint8_t*>(::SHLockShared(
            reinterpret_cast<HANDLE>(static_cast<uintptr_t>(block)), ::GetCurrentProcessId()));
        if (data != nullptr) {
            std::reverse(data + 16, data + 32);
            ::SHUnlockShared(data);
        }
        return data != nullptr ? kHelperAppBarReply : 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunTaskbar() {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &TaskbarProc;
    wc.lpszClassName = L"Shell_TrayWnd";
    ::RegisterClassW(&wc);
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const HWND hwnd = ::CreateWindowExW(
        WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, (width - 800) / 2,
        ::GetSystemMetrics(SM_CYSCREEN) - 40, 800, 40, nullptr, nullptr, nullptr, nullptr);
    if (hwnd == nullptr) {
        return 3;
    }
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

// The "desktop" mode: Explorer's desktop, always at the bottom of the
// z-order, as Explorer keeps it.
LRESULT CALLBACK DesktopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING) {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if ((pos->flags & SWP_NOZORDER) == 0) {
            pos->hwndInsertAfter = HWND_BOTTOM;
        }
    } else if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// Explorer's icon list. Windows raises the show event for every window
// shown; Wine 8 never does, so the stand-in raises it.
LRESULT CALLBACK IconListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SHOWWINDOW && wParam != FALSE) {
        ::NotifyWinEvent(EVENT_OBJECT_SHOW, hwnd, OBJID_WINDOW, CHILDID_SELF);
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

int RunDesktop() {
    // One colour for the icon list and the wallpaper behind it, unlike both
    // the light and the dark bed surfaces.
    const HBRUSH wallpaper = ::CreateSolidBrush(kHelperDesktopColour);
    for (const wchar_t* name : {L"Progman", L"SHELLDLL_DefView", L"SysListView32"}) {
        WNDCLASSW wc = {};
        const std::wstring_view kind = name;
        wc.lpfnWndProc = kind == L"Progman"         ? &DesktopProc
                         : kind == L"SysListView32" ? &IconListProc
                                                    : &::DefWindowProcW;
        wc.hbrBackground = wallpaper;
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    const HWND progman =
        ::CreateWindowExW(WS_EX_TOOLWINDOW, L"Progman", L"Program Manager", WS_POPUP, 0, 0, width,
                          height, nullptr, nullptr, nullptr, nullptr);
    HWND parent = progman;
    for (const wchar_t* name : {L"SHELLDLL_DefView", L"SysListView32"}) {
        parent = ::CreateWindowExW(0, name, L"", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parent,
                                   nullptr, nullptr, nullptr);
    }
    if (parent == nullptr) {
        return 3;
    }
    // Never activated: the tests' own windows keep the foreground.
    ::SetWindowPos(progman, HWND_BOTTOM, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::DispatchMessageW(&msg);
    }
    return 0;
}

int Run(const std::wstring& mode) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& display = mi.rcMonitor;
    const RECT framed{display.left + 200, display.top + 150, display.left + 700, display.top + 450};
    const wchar_t* title = L"Helper";
    HWND hwnd = nullptr;
    int show = SW_SHOW;
    if (mode == L"fullscreen") {
        hwnd = Create(kHelperWindowClass, 0, WS_POPUP, title, display);
    } else if (mode == L"hung") {
        // As large as the display before it is maximised: without a window
        // manager Wine may leave a maximised window at its normal place.
        hwnd = Create(kHelperWindowClass, 0, WS_OVERLAPPEDWINDOW, title, display);
        show = SW_SHOWMAXIMIZED;
    } else {
        hwnd = Create(kHelperWindowClass, 0, WS_OVERLAPPEDWINDOW, title, framed);
    }
    if (hwnd == nullptr) {
        return 3;
    }
    if (mode == L"kinds") {
        CreateKinds(hwnd);
    } else if (mode == L"tray-client") {
        // The window owns one icon; its handle, made in the host's process,
        // comes in place of the log path.
        SendTrayRecord(::FindWindowW(L"Shell_TrayWnd", nullptr), hwnd,
                       {.icon = static_cast<uint32_t>(std::wcstoul(g_log.c_str(), nullptr, 10)),
                        .tip = L"Tray helper"});
    } else if (mode == L"two-windows") {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &::DefWindowProcW;
        wc.lpszClassName = kHelperSecondWindowClass;
        ::RegisterClassW(&wc);
        ::ShowWindow(
            ::CreateWindowExW(0, wc.lpszClassName, L"Helper 2", WS_OVERLAPPEDWINDOW, framed.left,
                              framed.top, framed.right - framed.left, framed.bottom - framed.top,
                              nullptr, nullptr, nullptr, nullptr),
            SW_SHOWMINNOACTIVE);
    } else if (mode == L"frame") {
        ::ShowWindow(Create(L"ApplicationFrameWindow", 0, WS_OVERLAPPEDWINDOW, L"Frame", framed),
                     SW_SHOWNOACTIVATE);
    } else if (mode == L"hung") {
        ::SetTimer(hwnd, kHangTimer, 300, nullptr);
    } else if (mode == L"popup") {
        g_popup = ::CreatePopupMenu();
        ::AppendMenuW(g_popup, MF_STRING, 1, L"Open");
        ::AppendMenuW(g_popup, MF_STRING, 2, L"Copy");
        ::SetTimer(hwnd, kOpenPopupTimer, 100, nullptr);
    }
    ::ShowWindow(hwnd, show);
    ::SetForegroundWindow(hwnd);
    // As in most applications the focus then moves on to a control inside.
    RECT client = {};
    ::GetClientRect(hwnd, &client);
    ::SetFocus(Create(L"CorvaneTestControl", 0, WS_CHILD | WS_VISIBLE, L"", client, hwnd));

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace
}  // namespace corvane::test

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    const std::wstring mode = argc > 1 ? argv[1] : L"normal";
    corvane::test::g_log = argc > 2 ? argv[2] : L"";
    const std::wstring readyFile = argc > 3 ? argv[3] : L"";
    ::LocalFree(argv);
    if (mode == L"tray-demo") {
        const auto seconds =
            static_cast<DWORD>(std::wcstoul(corvane::test::g_log.c_str(), nullptr, 10));
        return corvane::test::RunTrayDemo(seconds, readyFile);
    }
    if (mode == L"taskbar") {
        return corvane::test::RunTaskbar();
    }
    if (mode == L"desktop") {
        return corvane::test::RunDesktop();
    }
    return corvane::test::Run(mode);
}
