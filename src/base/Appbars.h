#pragma once
// The record every appbar message starts from: the rest depends on the message.

#include <windows.h>
#include <shellapi.h>

namespace corvane {

[[nodiscard]] inline APPBARDATA AppbarData(HWND hwnd) noexcept {
    APPBARDATA abd = {};
    abd.cbSize = sizeof(abd);
    abd.hWnd = hwnd;
    return abd;
}

}  // namespace corvane
