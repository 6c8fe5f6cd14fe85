#pragma once
// A window of another process as a screen reader reads it (Active Accessibility).

#include <windows.h>

#include <string>
#include <vector>

namespace corvane::test {

struct AccessibleChild {
    std::wstring name;
    long role = 0;   // ROLE_SYSTEM_*
    long state = 0;  // STATE_SYSTEM_*
    std::wstring value;
};

// The children of the window's client object, or with `within` those of its
// first child so named (a list's items); empty when they cannot be reached.
[[nodiscard]] std::vector<AccessibleChild> ReadAccessibleChildren(HWND window,
                                                                  const std::wstring& within = {});
// Runs the default action of the first child named `name` (of `within`, as
// above); false when refused.
bool DoAccessibleDefaultAction(HWND window, const std::wstring& name,
                               const std::wstring& within = {});

// The name of the node a WinEvent names, found as a reader finds it.
[[nodiscard]] std::wstring AccessibleEventName(HWND window, LONG object, LONG child);

}  // namespace corvane::test
