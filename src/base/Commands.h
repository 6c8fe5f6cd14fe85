#pragma once
// The control window's command message, its codes and its timers. Portable so
// that the core and the tests can name them without <windows.h>.

#include <cstdint>

namespace corvane {

inline constexpr unsigned kWmApp = 0x8000;
inline constexpr unsigned WM_APP_COMMAND = kWmApp + 2;

enum Command : uintptr_t {
    CMD_STATUS_CHANGED = 0,
    CMD_AUDIO_DEVICE_CHANGED = 1,
    CMD_RELOAD_SETTINGS = 2,
    CMD_DISPLAYS_CHANGED = 3,
    CMD_THEME_CHANGED = 4,
    CMD_RECHECK_FULLSCREEN = 5,
    // The system woke from sleep or the session was unlocked.
    CMD_SESSION_RESUMED = 6,
    // lParam: the surface to show, as ShowStartSurface takes it (0 as
    // configured, 1 CorMenu, 2 CorLauncher); any other value counts as 0.
    CMD_TOGGLE_START_MENU = 20,
    // lParam: a window to post WM_APP_COMMAND / CMD_ECHO back to. Tells a
    // watcher outside that the queue is being served.
    CMD_ECHO = 22,
    // The shared worker has results waiting.
    CMD_WORK_DONE = 23,
};

enum ControlTimer : uintptr_t {
    TIMER_CLOCK = 1,
    TIMER_TRAY_SWEEP = 2,
    TIMER_STATUS_POLL = 3,
    TIMER_STATUS_DEBOUNCE = 4,
    TIMER_FULLSCREEN_CHECK = 5,
    TIMER_TILING_RETILE = 0x7110,
    TIMER_BAR_REPAINT = 0x7111,
    // One-shot: the start surfaces' catalog and icons, loaded before they
    // are first opened.
    TIMER_START_WARMUP = 0x7112,
    // One-shot, re-armed by every display change: one rebuild per burst.
    TIMER_DISPLAYS_SETTLE = 0x7113,
    // One-shot, re-armed a few times after a focus change: the foreground
    // the system reports may settle only after the focus moved.
    TIMER_FOREGROUND_LOOK = 0x7120,
};

namespace periods {
inline constexpr unsigned kTraySweepMs = 5000;
// The window events already tell of icon owners that end, and the system of
// network changes: the sweep and the poll are then only a backstop, and a
// process that wakes less often costs the machine less when nothing happens.
// The sweep stays fairly frequent: a system that raises no event for a
// window's end leaves a dead program's icon to it alone.
inline constexpr unsigned kTraySweepWatchedMs = 15000;
// Walking the adapters is the dearest thing the idle process does (the
// system asks its network driver for every table): once a minute where no
// change is told, every two minutes as a backstop where it is.
inline constexpr unsigned kStatusPollMs = 60000;
inline constexpr unsigned kStatusPollWatchedMs = 120000;
inline constexpr unsigned kStatusDebounceMs = 120;
inline constexpr unsigned kBarRepaintMs = 600;
// A display plugged in or out, or its mode or scale changed, comes as a burst
// of notices, one per bar and several per change; the bars and docks are built
// again once that long after the last of them.
inline constexpr unsigned kDisplaysSettleMs = 250;
// After start-up and after every change of the start settings: late enough
// to keep out of start-up's way.
inline constexpr unsigned kStartWarmUpMs = 3000;
// The full-screen check is one-shot and re-armed with the delay that fits
// what asked for it.
inline constexpr unsigned kFullscreenAtStartMs = 500;
inline constexpr unsigned kFullscreenAfterForegroundMs = 400;
inline constexpr unsigned kFullscreenAfterMoveMs = 100;
inline constexpr unsigned kFullscreenOnShellNoticeMs = 50;
}  // namespace periods

}  // namespace corvane
