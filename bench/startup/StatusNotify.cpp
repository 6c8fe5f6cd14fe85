// Posts "status changed" to a running corvane.exe at a steady pace, as the
// WLAN service, the IP helper and Core Audio do on a busy laptop, so that the
// cost of one such notice shows in the process's CPU time.
//
//   status_notify [seconds, default 60] [interval ms, default 1000]

#include "base/Commands.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

constexpr wchar_t kControlWindowClass[] = L"CorvaneCtl";

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int seconds = argc > 1 ? _wtoi(argv[1]) : 60;
    const int interval = argc > 2 && _wtoi(argv[2]) > 0 ? _wtoi(argv[2]) : 1000;
    const HWND control = ::FindWindowExW(HWND_MESSAGE, nullptr, kControlWindowClass, nullptr);
    if (control == nullptr) {
        std::fwprintf(stderr, L"status_notify: no %ls window\n", kControlWindowClass);
        return 1;
    }
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    int posted = 0;
    while (::GetTickCount64() < end) {
        if (!::PostMessageW(control, corvane::WM_APP_COMMAND, corvane::CMD_STATUS_CHANGED, 0)) {
            std::fwprintf(stderr, L"status_notify: the control window went away\n");
            return 1;
        }
        ++posted;
        ::Sleep(static_cast<DWORD>(interval));
    }
    std::wprintf(L"status_notify: %d notices in %d s\n", posted, seconds);
    return 0;
}
