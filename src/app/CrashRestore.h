#pragma once

namespace corvane {

// Puts back what the running process changed in the desktop: the hidden
// taskbar, the tray icons it hosts, the bars' reserved strips, Explorer's
// desktop icons and the Start alignment. Safe to call from a crash: it
// touches no state that the crash may have broken. Runs once: a terminate
// that aborts, or a crash while the process winds down, finds it done.
void RestoreDesktopAfterCrash() noexcept;

// The ordinary shutdown gave everything back: from here on a crash leaves
// the desktop alone.
void DesktopGivenBack() noexcept;

}  // namespace corvane
