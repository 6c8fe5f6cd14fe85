#pragma once
// The foreground and focus WinEvent hooks and the location watch on the
// foreground window's process. All are out-of-context: their callbacks
// arrive on the GUI thread through its message loop.

#include <windows.h>

namespace corvane {

struct App;

// Foreground changes, and focus changes as a second witness: some systems
// move the foreground without EVENT_SYSTEM_FOREGROUND, and a missed event
// would leave the bar naming the wrong application.
void InstallForegroundHooks(App& app) noexcept;
// The foreground as the system reports it after a focus change, once more.
void LookAgainAtForeground(App& app) noexcept;
// Follows the process of this window; nothing happens if it is already watched.
void WatchForegroundProcess(App& app, HWND window) noexcept;
void RemoveForegroundHooks(App& app) noexcept;

}  // namespace corvane
