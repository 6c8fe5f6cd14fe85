#pragma once
// Small facts of any top-level window, read the same way by every surface.

#include "base/Geometry.h"

#include <windows.h>

#include <cstddef>
#include <string>

namespace corvane {

// The class name, cut to `maxChars`; empty for a window that is gone.
[[nodiscard]] std::wstring WindowClassName(HWND window, std::size_t maxChars);

// The system's desktop window, the shell's, or one of Explorer's desktop
// layers: what is in front when no program's window is.
[[nodiscard]] bool IsDesktopSurface(HWND window) noexcept;

// The core window a store app's frame holds: a child of the core window
// class that another process owns. Null while there is none, as when the app
// is suspended. Asks only the system, never the frame's or the app's thread.
[[nodiscard]] HWND HostedCoreWindow(HWND frame) noexcept;

// Hidden by the system on another virtual desktop or while suspended; not
// cloaked where DWM cannot tell (E_NOTIMPL on some systems).
[[nodiscard]] bool IsWindowCloaked(HWND window) noexcept;

// The visible frame, without the invisible resize borders that
// GetWindowRect includes on Windows 10 and 11; the window rectangle where
// the system cannot tell, empty for a window that is gone.
[[nodiscard]] PixelRect VisibleFrameOf(HWND window) noexcept;

}  // namespace corvane
