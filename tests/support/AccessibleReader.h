#pragma once
// A window of another process as a screen reader reads it, through Active
// Accessibility: its client object's children and their default actions.

#include <windows.h>

#include <string>
#include <vector>

namespace corvane::test {

struct AccessibleChild {
    std::wstring name;
    long role = 0;   // ROLE_SYSTEM_*
    long state = 0;  // STATE_SYSTEM_*
};

// The children of the window's client object, in order; empty when it
// cannot be reached.
[[nodiscard]] std::vector<AccessibleChild> ReadAccessibleChildren(HWND window);
// Runs the default action of the first child named `name`; false when there
// is none or the object refused.
bool DoAccessibleDefaultAction(HWND window, const std::wstring& name);

}  // namespace corvane::test
