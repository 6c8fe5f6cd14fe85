#pragma once
// Which window counts as the one in front when focus moved. Some systems move
// the foreground without telling (no EVENT_SYSTEM_FOREGROUND), and the focus
// event of a new program can come while the system still reports the previous
// foreground: the focused control's top-level window is then the better
// witness, and the foreground is looked at again once it has settled.
// Portable: windows are opaque ids, what they are comes from the Win32 layer.

#include <cstdint>

namespace corvane {

// What the system's foreground window is.
enum class ForegroundKind : uint8_t {
    None,     // no window is in front (a change in progress)
    Ours,     // one of this process's windows
    Desktop,  // the desktop or the shell's desktop window
    App,      // any other window
};

struct FocusWitness {
    uint64_t foreground = 0;  // as the system reports it
    ForegroundKind kind = ForegroundKind::None;
    // The top-level window of the focused object when it can be the app in
    // front (shown, another program's, not the desktop); 0 otherwise.
    uint64_t focusedTop = 0;
    // The foreground handled last.
    uint64_t lastHandled = 0;
};

struct FocusVerdict {
    // The window to handle as the new foreground; 0 for none.
    uint64_t front = 0;
    // The system's answer may still change: look again shortly.
    bool lookAgain = false;
};

[[nodiscard]] FocusVerdict DecideForegroundFromFocus(const FocusWitness& witness) noexcept;

}  // namespace corvane
