#pragma once

namespace corvane {

// Puts back what the running process changed in the desktop (the tray icons
// it hosts, the bars' reserved strips; later the hidden taskbar and desktop
// icons). Safe to call from a
// crash: it touches no state that the crash may have broken.
void RestoreDesktopAfterCrash() noexcept;

}  // namespace corvane
