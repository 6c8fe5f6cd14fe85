#pragma once
// What the composition root does for every subsystem, in a few narrow
// interfaces. A subsystem's context holds only the ones it uses, so that no
// subsystem sees more of the process than its job needs.

#include "base/Commands.h"
#include "toolkit/SettingsPageIds.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class Dock;

// Opens a surface the user asked for.
class SurfaceOpener {
public:
    virtual ~SurfaceOpener() = default;
    // The settings window at `page`, made the first time.
    virtual void OpenSettings(int32_t page) = 0;
    // A start surface as CMD_TOGGLE_START_MENU names it (0 as configured,
    // 1 CorMenu, 2 CorLauncher; others count as 0) on `display`, or on the
    // main display when null; shown already, it closes.
    virtual void ToggleStartSurface(int32_t which, HMONITOR display) = 0;
};

// What the others are told of the desktop the root composes.
class DesktopFacts {
public:
    virtual ~DesktopFacts() = default;
    // The top edge, in screen pixels, of the dock shown on this display, or
    // nothing when none is shown there.
    [[nodiscard]] virtual std::optional<int32_t> DockTop(HMONITOR display) const = 0;
    // A dock keeps Explorer's taskbar hidden (through auto-hide).
    [[nodiscard]] virtual bool TaskbarHiddenByDock() const = 0;
    // The control window: WM_APP_COMMAND is posted to it, and it owns the
    // shortcuts and the root's timers. Null before it exists.
    [[nodiscard]] virtual HWND CommandWindow() const = 0;
};

// Hands work to the control window's message loop; nothing is posted
// before it exists.
inline void PostCommand(const DesktopFacts& desktop, Command command, LPARAM lParam = 0) noexcept {
    if (const HWND window = desktop.CommandWindow()) {
        ::PostMessageW(window, WM_APP_COMMAND, command, lParam);
    }
}

// Writes to corvane.ini made by a subsystem.
class SettingWrites {
public:
    virtual ~SettingWrites() = default;
    // The result of a write; a failure is told (asked right after it, while
    // the system's last error still says why).
    virtual void SettingWritten(bool saved) = 0;
};

// The dock's pinned list, which every dock shows.
class DockPins {
public:
    virtual ~DockPins() = default;
    // `pinned` becomes [Dock] Pinned (marked present) and is written at
    // once; every dock but `shownBy` (which shows it already; null: none)
    // builds its items again shortly.
    virtual void SaveDockPinned(std::vector<std::wstring> pinned, const Dock* shownBy) = 0;
};

}  // namespace corvane
