#include "app/CrashRestore.h"

namespace corvane {

void RestoreDesktopAfterCrash() noexcept {
    // The taskbar and the desktop icons are put back here once the parts
    // that hide them exist; nothing else in the desktop is changed yet.
}

}  // namespace corvane
