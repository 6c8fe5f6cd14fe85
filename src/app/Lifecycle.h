#pragma once
// The process: one instance per session, its desktop guard, and the root
// (App) that starts, runs and stops everything else. Lifecycle.cpp also
// holds the root's start-up in a fixed order, its shutdown in the reverse
// order, and the process-wide work the control window hands out.

#include <windows.h>

namespace corvane {

// Exit code when the control window, the process's post box, cannot be made:
// nothing could run or quit the process without it.
inline constexpr int kExitNoControlWindow = 3;

// Held by the running Corvane of this session, from start to end.
inline constexpr wchar_t kSingleInstanceMutex[] = L"Corvane.TopBar.SingleInstance";

// The whole life of the process; returns its exit code. A guarded run starts
// its desktop guard (DesktopGuard.h) once it knows it is the only one.
int RunCorvane(HINSTANCE instance, bool guarded = false) noexcept;

}  // namespace corvane
