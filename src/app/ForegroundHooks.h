#pragma once
// The foreground WinEvent hook and the location watch on the foreground
// window's process. Both are out-of-context: their callbacks arrive on the
// GUI thread through its message loop.

#include <windows.h>

namespace corvane {

void InstallForegroundHook() noexcept;
// Follows the process of this window; nothing happens if it is already watched.
void WatchForegroundProcess(HWND window) noexcept;
void RemoveForegroundHooks() noexcept;

}  // namespace corvane
