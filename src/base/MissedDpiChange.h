#pragma once
// Windows can leave out WM_DPICHANGED for per-monitor-aware windows that are
// never activated (tool windows, no-activate popups) when a display's scale
// changes under them or they move onto a display of another scale. Such a
// window asks again whenever the displays, the settings or its own place
// change, and is then told the same way Windows would have told it.

#include <windows.h>

namespace corvane {

// After `message` (with its lParam) has reached `window`: when the window is
// shown, the message is one after which its DPI may have changed unseen, and
// its display's DPI is no longer `drawnDpi`, sends the window WM_DPICHANGED
// with the new DPI and its present rectangle as the suggested one. Call it
// before handling the message, so that the handling already sees the new DPI.
void CatchMissedDpiChange(HWND window, UINT message, LPARAM lParam, UINT drawnDpi) noexcept;

}  // namespace corvane
