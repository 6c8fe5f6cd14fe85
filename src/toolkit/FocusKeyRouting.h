#pragma once
// The key messages of a surface that a shortcut gave the keyboard (the bar's
// titles, the dock's items).

#include "toolkit/KeyboardFocus.h"

#include <windows.h>

namespace corvane {

struct RoutedFocusKey {
    bool taken = false;             // the surface's own: the window procedure answers 0
    FocusKey key = FocusKey::None;  // what to do now; None when the message only goes
};

// While the surface holds the keyboard every key message is its own: in the
// default handling Alt+F4 would close the surface itself and the system menu
// is not the surface's. A key acts on its press or on its release
// (ActsOnRelease); a system character is only swallowed.
[[nodiscard]] RoutedFocusKey RouteFocusKey(bool holdsKeyboard, UINT message,
                                           WPARAM wParam) noexcept;

}  // namespace corvane
