#pragma once
// Hot corners on the Win32 side: the pointer is polled on a timer,
// slowly far from the main display's corners and quickly near them, rather
// than watched with a mouse hook, which would put this process in the path
// of every pointer move on the system. GUI thread only.

#include "base/TimerWindow.h"
#include "config/Settings.h"
#include "tiling/HotCornerRules.h"
#include "toolkit/HostServices.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>

namespace corvane {

enum HotCornerTimer : UINT_PTR {
    TIMER_HOT_CORNER_POLL = 1,
};

struct HotCornerContext {
    // Kept up to date by the owner: a full-screen application covers the
    // main display, and corners do nothing.
    const bool& fullscreenOnMain;
    // Its command window takes CMD_TOGGLE_START_MENU with the surface in
    // lParam.
    const DesktopFacts& desktop;
};

class HotCornerWatcher;

// Takes the main display's geometry and the actions now. With no corner
// that does anything no timer runs.
void StartHotCornerWatcher(HotCornerWatcher& watcher,
                           const std::array<CornerAction, 4>& actions) noexcept;
void StopHotCornerWatcher(HotCornerWatcher& watcher) noexcept;

class HotCornerWatcher final : private TimerOwner {
public:
    explicit HotCornerWatcher(const HotCornerContext& context) noexcept : context_(context) {}
    ~HotCornerWatcher() { StopHotCornerWatcher(*this); }
    HotCornerWatcher(const HotCornerWatcher&) = delete;
    HotCornerWatcher& operator=(const HotCornerWatcher&) = delete;

    // The polling period in ms; 0 while no timer runs.
    [[nodiscard]] uint32_t PeriodMs() const noexcept { return period_; }

private:
    friend void StartHotCornerWatcher(HotCornerWatcher&,
                                      const std::array<CornerAction, 4>&) noexcept;
    friend void StopHotCornerWatcher(HotCornerWatcher&) noexcept;

    void OnTimer(UINT_PTR id) noexcept override;
    void Tick();
    void SetPeriod(uint32_t periodMs) noexcept;
    void KillTimer() noexcept;
    void Run(const HotCornerRun& run) const noexcept;

    HotCornerContext context_;
    std::optional<HotCornerTracker> tracker_;
    uint32_t period_ = 0;
    TimerWindow timers_{*this};
};

}  // namespace corvane
