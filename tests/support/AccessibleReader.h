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
};

// The children of the window's client object; empty when it cannot be reached.
[[nodiscard]] std::vector<AccessibleChild> ReadAccessibleChildren(HWND window);
// Runs the default action of the first child named `name`; false when refused.
bool DoAccessibleDefaultAction(HWND window, const std::wstring& name);

}  // namespace corvane::test
