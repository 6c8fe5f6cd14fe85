#pragma once
// The tray's two lists in the settings, [Tray] Order and [Tray] Hidden:
// edited in memory and written to the settings file at once. Each returns
// false when a write did not reach the file.

#include "config/Settings.h"

#include <string>

namespace corvane {

bool SaveTrayLists(const Settings& settings);
// A tray drag ended: the program is hidden when `hideExeName` is not empty.
bool FinishTrayDrag(Settings& settings, const std::wstring& hideExeName);
// A hidden entry is shown again (an empty name: all of them).
bool ShowHiddenTrayEntry(Settings& settings, const std::wstring& name);
// The icons go back to the order they arrived in.
bool ClearTrayOrder(Settings& settings);

}  // namespace corvane
