#include "toolkit/FocusKeyRouting.h"

namespace corvane {

RoutedFocusKey RouteFocusKey(bool holdsKeyboard, UINT message, WPARAM wParam) noexcept {
    const bool released = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (!holdsKeyboard ||
        (message != WM_KEYDOWN && message != WM_SYSKEYDOWN && !released && message != WM_SYSCHAR)) {
        return {};
    }
    RoutedFocusKey routed{.taken = true};
    if (message != WM_SYSCHAR) {
        const bool shift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        const FocusKey key = FocusKeyOf(static_cast<uint32_t>(wParam), shift);
        if (ActsOnRelease(key) == released) {
            routed.key = key;
        }
    }
    return routed;
}

}  // namespace corvane
