#pragma once
// Bars per display: rebuilt whole whenever displays or settings change.

#include "app/DisplayOrder.h"

#include <windows.h>

#include <vector>

namespace corvane {

struct App;

// Destroys every bar (last first) and creates one for each display the
// settings ask for, in the system's enumeration order.
void SyncBars(App& app);

// Display handles in display-number order (left to right, then top first).
[[nodiscard]] std::vector<HMONITOR> SortedDisplays();

// The displays as the system enumerates them.
[[nodiscard]] std::vector<DisplayInfo> EnumerateDisplays();

}  // namespace corvane
