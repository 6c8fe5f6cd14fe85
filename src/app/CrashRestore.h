#pragma once

#include "app/GuardPlan.h"

namespace corvane {

// Puts back what the running process changed in the desktop: the hidden
// taskbar, the tray icons it hosts, the bars' reserved strips, Explorer's
// desktop icons and the Start alignment. Safe to call from a crash: it
// touches no state that the crash may have broken. Runs once: a terminate
// that aborts, or a crash while the process winds down, finds it done.
void RestoreDesktopAfterCrash() noexcept;

// What the desktop guard found changed after the process it watched was
// ended from outside: the same restores, in the same order, in the guard.
void RestoreDesktopAfterGuard(const GuardRestore& what) noexcept;

// The ordinary shutdown gave everything back: from here on a crash leaves
// the desktop alone, and so does the guard once the process has ended.
void DesktopGivenBack() noexcept;

}  // namespace corvane
