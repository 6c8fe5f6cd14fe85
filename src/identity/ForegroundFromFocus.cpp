#include "identity/ForegroundFromFocus.h"

namespace corvane {

FocusVerdict DecideForegroundFromFocus(const FocusWitness& w) noexcept {
    const auto unlessHandled = [&](uint64_t window) {
        return window != w.lastHandled ? window : 0;
    };
    switch (w.kind) {
        case ForegroundKind::App:
            // The system's answer wins; a focused window elsewhere may be
            // about to take the foreground.
            return {unlessHandled(w.foreground), w.focusedTop != 0 && w.focusedTop != w.foreground};
        case ForegroundKind::Ours:
            // Our own surfaces never name the application in front.
            return {0, w.focusedTop != 0};
        case ForegroundKind::None:
        case ForegroundKind::Desktop:
            break;
    }
    // A program that took the focus while the desktop is still reported is
    // the one coming to the front; the desktop itself only counts when no
    // program's window holds the focus.
    if (w.focusedTop != 0) {
        return {unlessHandled(w.focusedTop), true};
    }
    const bool desktop = w.kind == ForegroundKind::Desktop && w.foreground != 0;
    return {desktop ? unlessHandled(w.foreground) : 0, true};
}

}  // namespace corvane
