#pragma once
// The road of a foreground change: the location watch, the full-screen
// check, the current application, its menus and the bars.

#include <windows.h>

namespace corvane {

struct App;

// A new window may be in front (from the foreground or the focus hook).
void OnForegroundChanged(App& app, HWND window) noexcept;

// Re-evaluates `window` as the current application; when it changed, its
// menus are resolved again and every bar lays out.
void EvaluateForeground(App& app, HWND window) noexcept;

// Decides full screen, keeps the main-display flag and tells every bar.
void FullscreenCheck(App& app) noexcept;

}  // namespace corvane
