#pragma once
// Whether a full-screen window covers a display, so that bars and docks step
// aside and hot corners pause.

#include <windows.h>

namespace corvane {

// The display covered by the foreground window in full screen, or null.
[[nodiscard]] HMONITOR FindFullscreenDisplay() noexcept;

}  // namespace corvane
