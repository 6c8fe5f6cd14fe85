#pragma once
// The process: start-up in a fixed order, the message loop, shutdown in the
// reverse order, and the process-wide work the control window hands out.

#include <windows.h>

namespace corvane {

struct App;

// Exit code when the control window, the process's post box, cannot be made:
// nothing could run or quit the process without it.
inline constexpr int kExitNoControlWindow = 3;

// Held by the running Corvane of this session, from start to end.
inline constexpr wchar_t kSingleInstanceMutex[] = L"Corvane.TopBar.SingleInstance";

// The whole life of the process; returns its exit code. A guarded run starts
// its desktop guard (DesktopGuard.h) once it knows it is the only one.
int RunCorvane(HINSTANCE instance, bool guarded = false) noexcept;

// The session ends (sign-out, shutdown, restart) and Windows may end the
// process at any moment after this returns: everything is given back and
// saved as at a quit, and the message loop is told to stop.
void EndSession(App& app) noexcept;

// Rebuilds everything that depends on corvane.ini, in place; while a pop-up
// menu is open that waits for it to close.
void ReloadSettings(App& app);

// A new watcher each time, so that the main display's geometry is read
// again along with the corners' actions.
void ApplyHotCorners(App& app);

void OnAudioDeviceChanged(App& app);
// Everything that holds the displays' geometry is made again; while a
// pop-up menu is open that waits for it to close.
void OnDisplaysChanged(App& app);
// Woken or unlocked: what may have changed unseen meanwhile is read again.
void OnSessionResumed(App& app);
void OnThemeChanged(App& app);
void OnClockTick(App& app);
// Status callbacks settled, or the periodic poll: bars follow what changed.
void OnStatusDebounce(App& app);
void OnStatusPoll(App& app);
// Icons whose programs went without removing them leave the tray.
void OnTraySweep(App& app);

}  // namespace corvane
