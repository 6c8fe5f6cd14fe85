#pragma once
// What the desktop guard gives back once the Corvane it watches has ended,
// from the marks that process left and the way it ended. Portable.

#include <cstdint>

namespace corvane {

// The per-user marks a running Corvane keeps while it has changed Explorer.
struct LeftBehind {
    bool taskbarHidden = false;
    bool autohideSwitched = false;
    // The user's own "TaskbarAl"; negative when nothing was remembered.
    int32_t savedAlignment = -1;
    bool desktopIconsHidden = false;
};

struct GuardEnding {
    // The process told the guard it had given everything back itself.
    bool saidGoodbye = false;
    // Another Corvane of this session started meanwhile and owns the desktop.
    bool successorRunning = false;
};

struct GuardRestore {
    bool taskbar = false;
    bool startAlignment = false;
    bool desktopIcons = false;
};

[[nodiscard]] GuardRestore PlanGuardRestore(const LeftBehind& marks,
                                            const GuardEnding& ending) noexcept;

}  // namespace corvane
