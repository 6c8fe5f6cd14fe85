#include "tiling/HotCornerWatcher.h"

#include "base/Commands.h"
#include "base/Win32Geometry.h"
#include "identity/ElevatedWindows.h"
#include "toolkit/KeyChord.h"

namespace corvane {
namespace {

// The watcher whose timer is kept. Thread timers carry no context, so a
// tick finds its watcher here; UI thread only.
HotCornerWatcher* g_current = nullptr;

}  // namespace

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
    g_current = &watcher;
    watcher.SetPeriod(kHotCornerSlowPeriodMs);
}

void StopHotCornerWatcher(HotCornerWatcher& watcher) noexcept {
    watcher.KillTimer();
    if (g_current == &watcher) {
        g_current = nullptr;
    }
}

void CALLBACK HotCornerWatcher::OnTimer(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    if (g_current == nullptr || g_current->timer_ != id) {
        ::KillTimer(nullptr, id);
        return;
    }
    try {
        g_current->Tick();
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
    KillTimer();
    timer_ = ::SetTimer(nullptr, 0, periodMs, &HotCornerWatcher::OnTimer);
    period_ = timer_ != 0 ? periodMs : 0;
}

void HotCornerWatcher::KillTimer() noexcept {
    if (timer_ != 0) {
        ::KillTimer(nullptr, timer_);
    }
    timer_ = 0;
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
