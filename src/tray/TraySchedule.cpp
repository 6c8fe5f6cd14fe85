#include "tray/TraySchedule.h"

#include <iterator>

namespace corvane {
namespace {

uint64_t Elapsed(uint64_t now, uint64_t since) noexcept {
    return now > since ? now - since : 0;
}

}  // namespace

std::optional<unsigned> NextTrayBroadcast(uint32_t& step) noexcept {
    // Programs start at their own pace after a new taskbar appears; the
    // gaps widen so that late ones are caught without asking all the time.
    constexpr unsigned kDelays[] = {8000, 20000, 45000};
    if (step >= 1 && step <= std::size(kDelays)) {
        return kDelays[step++ - 1];
    }
    step = 0;
    return std::nullopt;
}

TrayWatchdogAction StepTrayWatchdog(TrayWatchdogState& state,
                                    const TrayWatchdogFacts& facts) noexcept {
    if (!state.suspended) {
        if (!facts.explorerFound) {
            state.suspended = true;
            state.taskbarSeenSince.reset();
            return TrayWatchdogAction::Suspend;
        }
        if (facts.hostIsFirst) {
            return TrayWatchdogAction::None;
        }
        return !facts.broadcastPending &&
                       Elapsed(facts.now, facts.lastBroadcast) > trayperiods::kCatchUpAfterMs
                   ? TrayWatchdogAction::RaiseAndCatchUp
                   : TrayWatchdogAction::Raise;
    }
    if (!facts.explorerFound) {
        state.taskbarSeenSince.reset();
        return TrayWatchdogAction::None;
    }
    if (!state.taskbarSeenSince) {
        state.taskbarSeenSince = facts.now;
        return TrayWatchdogAction::None;
    }
    // Explorer builds its taskbar in steps; coming back at once would race it.
    if (Elapsed(facts.now, *state.taskbarSeenSince) > trayperiods::kResumeAfterMs) {
        state.taskbarSeenSince.reset();
        state.suspended = false;
        return TrayWatchdogAction::Resume;
    }
    return TrayWatchdogAction::None;
}

void AlertTrayWatchdog(TrayWatchdogState& state, uint64_t now) noexcept {
    state.alertUntil = now + trayperiods::kWatchdogAlertMs;
}

unsigned NextTrayWatchdogCheck(const TrayWatchdogState& state, uint64_t now) noexcept {
    // A taskbar seen while suspended must be seen to stay before the host
    // comes back; without an event nothing else would look again soon.
    if (state.taskbarSeenSince || now < state.alertUntil) {
        return trayperiods::kWatchdogMs;
    }
    return trayperiods::kWatchdogBackupMs;
}

}  // namespace corvane
