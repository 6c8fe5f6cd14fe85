#include "identity/AppWindowFilter.h"

#include <array>
#include <string_view>

namespace corvane {
namespace {

// The desktop and the taskbar are top-level, visible and titled, yet never
// applications.
constexpr std::array<std::wstring_view, 3> kShellClasses = {L"Progman", L"WorkerW",
                                                            L"Shell_TrayWnd"};

bool IsShellClass(const std::wstring& className) {
    for (const auto shellClass : kShellClasses) {
        if (className == shellClass) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsDockAppWindow(AppWindowProbe& probe) {
    if (!probe.IsVisible()) {
        return false;
    }
    const uint32_t exStyle = probe.ExtendedStyle();
    const bool appWindow = (exStyle & kExStyleAppWindow) != 0;
    if (!appWindow && (exStyle & (kExStyleNoActivate | kExStyleToolWindow)) != 0) {
        return false;
    }
    if (!appWindow && probe.HasOwner()) {
        return false;
    }
    if (probe.IsCloaked()) {
        return false;
    }
    if (IsShellClass(probe.ClassName())) {
        return false;
    }
    if (probe.BelongsToThisProcess()) {
        return false;
    }
    return probe.TitleLength() >= 1;
}

}  // namespace corvane
