#pragma once
// Whether a full-screen window covers a display, so that bars and docks step
// aside and hot corners pause.

#include <windows.h>

namespace corvane {

// The display covered by the foreground window in full screen, or null.
[[nodiscard]] HMONITOR FindFullscreenDisplay() noexcept;

// Decides full screen, keeps the main-display flag and tells every bar and dock.
void FullscreenCheck() noexcept;

// True while a full-screen window covers the main display.
[[nodiscard]] bool IsFullscreenOnMainDisplay() noexcept;

}  // namespace corvane
