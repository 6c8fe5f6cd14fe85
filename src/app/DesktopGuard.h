#pragma once
// The desktop guard: the same corvane.exe started again to wait for this
// process and, when it ends without saying goodbye (ended from Task Manager,
// a fail-fast exit, a corrupt heap: ways that never reach the crash
// handlers), to give Explorer back what the restore marks say was changed.
// The guard ends with the process it watches; a guard that is itself ended
// leaves things as they were without one.

#include <windows.h>

namespace corvane {

// Starts this process's guard, once. Without one the process runs all the same.
void StartDesktopGuard() noexcept;

// The process gave everything back itself: its guard leaves the desktop alone.
void SayGoodbyeToDesktopGuard() noexcept;

// The guard's whole life, for a command line that asks for one; its exit code.
[[nodiscard]] int RunDesktopGuard(PCWSTR arguments) noexcept;

}  // namespace corvane
