#include "dock/TaskbarHidePlan.h"

namespace corvane {

TaskbarHideStep StepTaskbarHiding(TaskbarHideState& state, TaskbarHideEvent event, bool wanted,
                                  bool held) noexcept {
    if (!wanted) {
        state.retriesLeft = 0;
        return event == TaskbarHideEvent::SettingChanged ? TaskbarHideStep::GiveBack
                                                         : TaskbarHideStep::None;
    }
    if (event != TaskbarHideEvent::RetryDue) {
        // A new Explorer brings new taskbars in a new process: even a hide
        // that holds is made again, watching the new process.
        state.retriesLeft = taskbarhide::kRetries;
        return TaskbarHideStep::Hide;
    }
    if (held || state.retriesLeft <= 0) {
        return TaskbarHideStep::None;
    }
    --state.retriesLeft;
    return TaskbarHideStep::Hide;
}

bool RetryTaskbarHide(const TaskbarHideState& state, bool held) noexcept {
    return !held && state.retriesLeft > 0;
}

}  // namespace corvane
