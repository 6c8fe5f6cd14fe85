#pragma once
// Bars and docks per display: rebuilt whole whenever displays or settings
// change.

#include "app/DisplayOrder.h"

#include <windows.h>

#include <vector>

namespace corvane {

struct App;

// Never while a pop-up menu is open: the rebuilds that call these wait for
// it (PopupMenuGate.h).

// Destroys every bar (last first) and creates one for each display the
// settings ask for, in the system's enumeration order.
void SyncBars(App& app);

// Destroys every dock (last first) and creates one for each display that
// [Dock] Monitor names, the main display's first.
void SyncDocks(App& app);

// Display handles in display-number order (left to right, then top first).
[[nodiscard]] std::vector<HMONITOR> SortedDisplays();

// The displays as the system enumerates them.
[[nodiscard]] std::vector<DisplayInfo> EnumerateDisplays();

}  // namespace corvane
