#pragma once
// When the primary dock puts Explorer's taskbar away. A hide holds once the
// taskbars were found and their show watch stands; one that did not hold
// (no taskbar yet, Explorer starting) is tried again a few times, and anew
// whenever something changes that could make it hold. Portable.

#include <cstdint>

namespace corvane {

namespace taskbarhide {
inline constexpr unsigned kRetryMs = 2000;
inline constexpr int kRetries = 5;
}  // namespace taskbarhide

enum class TaskbarHideEvent : uint8_t {
    DockCreated,
    SettingChanged,     // [Dock] HideTaskbar flipped, from whichever dock or window
    ExplorerRestarted,  // Explorer's own "TaskbarCreated", once it settled
    RetryDue,
};

enum class TaskbarHideStep : uint8_t { None, Hide, GiveBack };

struct TaskbarHideState {
    int retriesLeft = 0;
};

// `wanted`: the setting asks for the taskbar hidden; `held`: the last hide
// holds.
[[nodiscard]] TaskbarHideStep StepTaskbarHiding(TaskbarHideState& state, TaskbarHideEvent event,
                                                bool wanted, bool held) noexcept;

// After a hide: whether to look again in kRetryMs.
[[nodiscard]] bool RetryTaskbarHide(const TaskbarHideState& state, bool held) noexcept;

}  // namespace corvane
