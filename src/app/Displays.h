#pragma once
// The displays as the system lists them. Displays.cpp also holds the root's
// bars and docks per display (App::SyncBars, App::SyncDocks), rebuilt whole
// whenever displays or settings change.

#include "app/DisplayOrder.h"

#include <windows.h>

#include <vector>

namespace corvane {

// Display handles in display-number order (left to right, then top first).
[[nodiscard]] std::vector<HMONITOR> SortedDisplays();

// The displays as the system enumerates them.
[[nodiscard]] std::vector<DisplayInfo> EnumerateDisplays();

}  // namespace corvane
