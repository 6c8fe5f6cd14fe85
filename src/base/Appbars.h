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

// Registers `hwnd` as an appbar notified with `callbackMessage`. ABM_NEW
// answers FALSE for a window the system still holds as an appbar too: that
// old registration is dropped and made anew, so a window that stays
// registered is never taken for an unregistered one. False when even the
// second registration fails.
[[nodiscard]] inline bool RegisterAppbarWindow(HWND hwnd, UINT callbackMessage) noexcept {
    APPBARDATA abd = AppbarData(hwnd);
    abd.uCallbackMessage = callbackMessage;
    if (::SHAppBarMessage(ABM_NEW, &abd) != FALSE) {
        return true;
    }
    ::SHAppBarMessage(ABM_REMOVE, &abd);
    return ::SHAppBarMessage(ABM_NEW, &abd) != FALSE;
}

}  // namespace corvane
