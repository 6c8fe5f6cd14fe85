#pragma once
// When a dock under smart hide gets out of the way, decided from what the
// front window is and where it stands. Portable.

#include "base/Geometry.h"

#include <string_view>

namespace corvane {

// The Start menu, search, the tray overflow and their hosts: the dock goes
// below them instead of hiding.
[[nodiscard]] bool IsSystemSurface(std::wstring_view exeNameLower,
                                   std::wstring_view className) noexcept;

struct DockForeground {
    bool exists = false;  // false: no foreground window
    bool visible = false;
    bool minimized = false;
    bool desktop = false;         // "Progman" or "WorkerW" of another process
    bool ownProcess = false;      // a window of this process...
    bool settingsWindow = false;  // ...other than the settings window
    PixelRect frame;              // visible frame, else the window rectangle
};

enum class DockVisibility { Show, Hide, Keep };

// What the front window asks of the dock standing at `dock`.
[[nodiscard]] DockVisibility DecideDockVisibility(const DockForeground& front,
                                                  const PixelRect& dock) noexcept;

}  // namespace corvane
