#pragma once
// Finding a window of the program a probe started.

#include <windows.h>

namespace corvane::bench {

// The first window of the class that the process owns; message-only windows
// are listed apart. Null when there is none (yet).
inline HWND FindProcessWindow(const wchar_t* className, bool messageOnly, DWORD pid) {
    HWND hwnd = nullptr;
    const HWND parent = messageOnly ? HWND_MESSAGE : nullptr;
    while ((hwnd = ::FindWindowExW(parent, hwnd, className, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == pid) {
            return hwnd;
        }
    }
    return nullptr;
}

}  // namespace corvane::bench
