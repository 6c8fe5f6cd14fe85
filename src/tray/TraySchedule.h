#pragma once
// When the host tells programs to announce their icons again, and what its
// watchdog does as Explorer's taskbar window goes and comes back.

#include <cstdint>
#include <optional>

namespace corvane {

namespace trayperiods {
// How often the watchdog looks while a taskbar window comes or goes:
// Explorer builds its taskbar in steps and may reorder it meanwhile.
inline constexpr unsigned kWatchdogMs = 250;
// How long it looks that often after a taskbar window was made or destroyed.
inline constexpr unsigned kWatchdogAlertMs = 5000;
// Otherwise the window events tell of new taskbars; this only backs them up
// (and notices another taskbar window that merely moved in front).
inline constexpr unsigned kWatchdogBackupMs = 30000;
inline constexpr unsigned kFirstRebroadcastMs = 2500;  // after a start or a resume
inline constexpr unsigned kExplorerRestartMs = 2500;   // Explorer made a new taskbar
inline constexpr unsigned kCatchUpMs = 1500;           // someone came in front of the host
// Another "Shell_TrayWnd" got in front of the host and the last re-broadcast
// is older than this: programs that announced icons meanwhile went there.
inline constexpr unsigned kCatchUpAfterMs = 10000;
inline constexpr unsigned kResumeAfterMs = 1500;  // Explorer's taskbar back this long
}  // namespace trayperiods

// Called when the broadcast timer fires (the host re-broadcasts): the delay
// to arm the timer with next, or nullopt when the schedule is over. Advances
// `step` (1 after a start; 0 once finished).
[[nodiscard]] std::optional<unsigned> NextTrayBroadcast(uint32_t& step) noexcept;

struct TrayWatchdogState {
    bool suspended = false;
    // While suspended: when a taskbar window was first seen again.
    std::optional<uint64_t> taskbarSeenSince;
    // Looks every kWatchdogMs until this tick.
    uint64_t alertUntil = 0;
};

struct TrayWatchdogFacts {
    uint64_t now = 0;  // tick count, ms
    // Running: Explorer's taskbar window exists (looked for again if needed).
    // Suspended: any "Shell_TrayWnd" exists.
    bool explorerFound = false;
    bool hostIsFirst = false;  // running: the first "Shell_TrayWnd" is ours
    bool broadcastPending = false;
    uint64_t lastBroadcast = 0;
};

enum class TrayWatchdogAction {
    None,
    Suspend,          // destroy the windows, keep the icons
    Raise,            // back to the top of the topmost band
    RaiseAndCatchUp,  // the same, and re-broadcast after kCatchUpMs
    Resume,           // create the windows again, broadcast, restart the schedule
};

[[nodiscard]] TrayWatchdogAction StepTrayWatchdog(TrayWatchdogState& state,
                                                  const TrayWatchdogFacts& facts) noexcept;

// A taskbar window was made or destroyed: the watchdog looks at once (the
// caller steps it) and then closely for a while.
void AlertTrayWatchdog(TrayWatchdogState& state, uint64_t now) noexcept;

// After a step: how long until the watchdog looks again.
[[nodiscard]] unsigned NextTrayWatchdogCheck(const TrayWatchdogState& state, uint64_t now) noexcept;

}  // namespace corvane
