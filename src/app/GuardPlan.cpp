#include "app/GuardPlan.h"

namespace corvane {

GuardRestore PlanGuardRestore(const LeftBehind& marks, const GuardEnding& ending) noexcept {
    // A goodbye means the restore already ran; a successor reads the same
    // marks and hides the taskbar again, so undoing its auto-hide now would
    // leave its maximised windows short of the taskbar's strip.
    if (ending.saidGoodbye || ending.successorRunning) {
        return {};
    }
    return {
        // Auto-hide is switched only on the way to hiding the taskbar: either
        // mark alone means the user's taskbar is not as they left it.
        .taskbar = marks.taskbarHidden || marks.autohideSwitched,
        .startAlignment = marks.savedAlignment >= 0,
        .desktopIcons = marks.desktopIconsHidden,
    };
}

}  // namespace corvane
