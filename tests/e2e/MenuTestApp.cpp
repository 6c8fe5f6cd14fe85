// An application with a classic menu bar for end-to-end tests of the bar's
// menus. It writes every menu command and every key it receives to a log,
// one line each, which the test reads while the application runs:
//
//   command <id>
//   keydown <virtual key> <extended 0|1> <tick>
//   keyup <virtual key> <extended 0|1> <tick>
//
//   e2e_menu_app <log path> [title]

#include "e2e/MenuTestIds.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::wstring g_logPath;

// Opened for each line, so that the test can read the log at any moment.
void Log(const std::string& line) {
    HANDLE file = ::CreateFileW(g_logPath.c_str(), FILE_APPEND_DATA,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    const std::string text = line + "\n";
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

void LogKey(const char* what, WPARAM key, LPARAM lParam) {
    char line[96];
    std::snprintf(line, sizeof(line), "%s %u %u %llu", what, static_cast<unsigned>(key),
                  static_cast<unsigned>((lParam >> 24) & 1),
                  static_cast<unsigned long long>(::GetTickCount64()));
    Log(line);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Log("command " + std::to_string(LOWORD(wParam)));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            LogKey("keydown", wParam, lParam);
            return 0;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            LogKey("keyup", wParam, lParam);
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HMENU BuildMenuBar() {
    using namespace corvane::test;
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuW(file, MF_STRING, kMenuIdOpen, L"&Open\tCtrl+O");
    ::AppendMenuW(file, MF_STRING, kMenuIdSave, L"&Save");
    ::AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(file, MF_STRING, kMenuIdClose, L"&Close");
    HMENU edit = ::CreatePopupMenu();
    ::AppendMenuW(edit, MF_STRING, kMenuIdUndo, L"&Undo\tCtrl+Z");
    ::AppendMenuW(edit, MF_STRING, kMenuIdCopy, L"&Copy\tCtrl+C");
    HMENU bar = ::CreateMenu();
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"&Edit");
    return bar;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (argc < 2) {
        return 2;
    }
    g_logPath = argv[1];
    const std::wstring title = argc > 2 ? argv[2] : L"Menu test";
    ::LocalFree(argv);

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = corvane::test::kMenuTestWindowClass;
    ::RegisterClassExW(&wc);

    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 300, 250,
                                  500, 300, nullptr, BuildMenuBar(), instance, nullptr);
    ::ShowWindow(hwnd, SW_SHOW);
    ::SetForegroundWindow(hwnd);
    // Windows announces the new foreground window itself; Wine 8 does not.
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, hwnd, OBJID_WINDOW, CHILDID_SELF);
    Log("ready");

    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
