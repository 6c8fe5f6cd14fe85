#pragma once
// Reading a real window into the facts the tiling rules decide over.
// GUI thread; nothing here sends a message to the window, so a hung
// application cannot hold up an arrange pass.

#include "tiling/TilingRules.h"

#include <windows.h>

#include <string>

namespace corvane {

// Everything but the executable name, floating and managed, which the
// manager knows or caches itself. A window that is gone, hidden or
// minimised fails the rules whatever else holds, so nothing more is read
// for it: most top-level windows are hidden ones.
[[nodiscard]] TileWindowFacts ReadTileWindowFacts(HWND window) noexcept;

// Lower-case executable file name of the window's process; empty when the
// process cannot be opened.
[[nodiscard]] std::wstring ExeNameOfWindow(HWND window) noexcept;

}  // namespace corvane
