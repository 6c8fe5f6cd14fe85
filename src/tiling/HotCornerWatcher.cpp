#include "tiling/HotCornerWatcher.h"

#include "base/Commands.h"
#include "base/Win32Geometry.h"
#include "identity/ElevatedWindows.h"
#include "toolkit/KeyChord.h"

namespace corvane {

void StartHotCornerWatcher(HotCornerWatcher& watcher,
                           const std::array<CornerAction, 4>& actions) noexcept {
    StopHotCornerWatcher(watcher);
    // The point (0, 0) is always on the main display.
    const PixelRect monitor =
        MonitorRect(::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
    watcher.tracker_.emplace(monitor, actions);
    if (!HotCornersWanted(true, actions)) {
        return;
    }
    watcher.SetPeriod(kHotCornerSlowPeriodMs);
}

void StopHotCornerWatcher(HotCornerWatcher& watcher) noexcept {
    watcher.KillTimer();
}

void HotCornerWatcher::OnTimer(UINT_PTR) noexcept {
    try {
        Tick();
    } catch (...) {
        // Out of memory for a key list: this tick runs nothing.
    }
}

void HotCornerWatcher::Tick() {
    POINT at = {};
    if (!::GetCursorPos(&at)) {
        return;  // for example while the secure desktop is up
    }
    const HotCornerTracker::Step step =
        tracker_->Tick(at.x, at.y, ::GetTickCount(), context_.fullscreenOnMain);
    Run(step.run);
    if (step.periodMs != period_) {
        SetPeriod(step.periodMs);
    }
}

void HotCornerWatcher::SetPeriod(uint32_t periodMs) noexcept {
    period_ = timers_.Start(TIMER_HOT_CORNER_POLL, periodMs) ? periodMs : 0;
}

void HotCornerWatcher::KillTimer() noexcept {
    timers_.Stop(TIMER_HOT_CORNER_POLL);
    period_ = 0;
}

void HotCornerWatcher::Run(const HotCornerRun& run) const noexcept {
    // Keys injected while a program running as administrator is in front
    // are thrown away by the system without a word; the corner then stays
    // quiet rather than pretend.
    if (!run.keys.empty() && !IsWindowBeyondReach(::GetForegroundWindow())) {
        (void)SendKeyChord(run.keys);
    }
    // Opened by the owner once this tick is over, not from inside it.
    if (run.startSurface >= 0) {
        PostCommand(context_.desktop, CMD_TOGGLE_START_MENU, static_cast<LPARAM>(run.startSurface));
    }
}

}  // namespace corvane
