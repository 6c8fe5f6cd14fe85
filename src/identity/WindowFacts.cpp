#include "identity/WindowFacts.h"

#include "base/Win32Geometry.h"
#include "identity/WindowIdentity.h"

#include <dwmapi.h>

#include <string_view>

namespace corvane {

std::wstring WindowClassName(HWND window, std::size_t maxChars) {
    std::wstring name(maxChars + 1, L'\0');
    const int length = ::GetClassNameW(window, name.data(), static_cast<int>(name.size()));
    name.resize(length > 0 ? static_cast<std::size_t>(length) : 0u);
    return name;
}

bool IsDesktopSurface(HWND window) noexcept {
    if (window == ::GetDesktopWindow() || window == ::GetShellWindow()) {
        return true;
    }
    // Room for one character more than the longer class, so that a longer
    // name differs.
    wchar_t buffer[9] = {};
    const int length = ::GetClassNameW(window, buffer, 9);
    const std::wstring_view className(buffer, length > 0 ? static_cast<std::size_t>(length) : 0u);
    return className == L"Progman" || className == L"WorkerW";
}

HWND HostedCoreWindow(HWND frame) noexcept {
    DWORD frameProcess = 0;
    if (::GetWindowThreadProcessId(frame, &frameProcess) == 0) {
        return nullptr;
    }
    HWND child = nullptr;
    while ((child = ::FindWindowExW(frame, child, kAppCoreWindowClass.data(), nullptr)) !=
           nullptr) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(child, &process);
        if (process != 0 && process != frameProcess) {
            return child;
        }
    }
    return nullptr;
}

bool IsWindowCloaked(HWND window) noexcept {
    DWORD cloaked = 0;
    return SUCCEEDED(::DwmGetWindowAttribute(window, DWMWA_CLOAKED, &cloaked, sizeof(cloaked))) &&
           cloaked != 0;
}

PixelRect VisibleFrameOf(HWND window) noexcept {
    RECT rect = {};
    if (SUCCEEDED(
            ::DwmGetWindowAttribute(window, DWMWA_EXTENDED_FRAME_BOUNDS, &rect, sizeof(rect)))) {
        return ToPixelRect(rect);
    }
    return ::GetWindowRect(window, &rect) ? ToPixelRect(rect) : PixelRect{};
}

}  // namespace corvane
