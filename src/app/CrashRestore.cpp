#include "app/CrashRestore.h"

#include "tray/TrayHost.h"

namespace corvane {

void RestoreDesktopAfterCrash() noexcept {
    // Programs gave their notification icons to us, not to Explorer.
    ReturnTrayIconsAfterCrash();
}

}  // namespace corvane
