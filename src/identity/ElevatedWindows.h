#pragma once
// Which windows belong to processes that ignore this one: the integrity
// levels of process tokens, compared by the rules of ElevationRules.h.
// Opening a process and its token for a query is local to this machine and
// never waits on the process, so the GUI thread may ask.

#include "identity/ElevationRules.h"

#include <windows.h>

namespace corvane {

// The integrity level of a process as its token tells.
[[nodiscard]] ProcessIntegrity ReadProcessIntegrity(DWORD processId) noexcept;

// This process's own level and UI access, read once.
[[nodiscard]] const ProcessIntegrity& OwnProcessIntegrity() noexcept;

// True when the window's process drops this process's messages, injected
// keys and moves. Remembered per process (id and start time), so a process
// is read once however often its windows are asked about. Any thread.
[[nodiscard]] bool IsWindowBeyondReach(HWND window) noexcept;

// Keys injected while such a window is in front are dropped. Before a
// click on one of our windows (`own`) types a shell chord, that window
// takes the foreground from it, which the click entitles it to.
void TakeForegroundFromUnreachable(HWND own) noexcept;

}  // namespace corvane
