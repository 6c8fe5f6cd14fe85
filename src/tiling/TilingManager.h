#pragma once
// Keeps the ordinary application windows of every display side by side:
// which windows take part, one order across passes, placing by the visible
// frame, the window events that ask for a new pass, drag-swap, floating
// windows and the shortcuts. GUI thread only; its WinEvent hooks are
// out-of-context and arrive through the message loop.

#include "config/Settings.h"
#include "toolkit/HostServices.h"
#include "toolkit/SystemEvents.h"

#include <windows.h>

#include <memory>
#include <optional>

namespace corvane {

// What the tiling manager asks of the process that owns it.
class TilingHost {
public:
    virtual ~TilingHost() = default;
    // The control window's one-shot TIMER_TILING_RETILE; when it fires the
    // owner calls Arrange().
    virtual void StartRetileTimer(unsigned milliseconds) = 0;
    virtual void StopRetileTimer() = 0;
    // The toggle shortcut (Ctrl+Alt+T by default): flips [Tiling] Enabled,
    // writes it, applies the settings to this manager and repaints the bars.
    virtual void ToggleTiling() = 0;
    // The layout shortcut (Ctrl+Alt+L by default): stores and writes
    // [Tiling] Layout.
    virtual void SetTilingLayout(int32_t layout) = 0;
};

struct TilingContext {
    const Settings& settings;
    // The command window owns the shortcuts (WM_HOTKEY goes to OnHotkey);
    // the dock's top bounds the area with [Tiling] DockSpace.
    const DesktopFacts& desktop;
    TilingHost& host;
    // The window events that ask for a new pass.
    SystemEvents& events;
};

class TilingManager {
public:
    explicit TilingManager(const TilingContext& context);
    // Stops and unregisters every shortcut.
    ~TilingManager();
    TilingManager(const TilingManager&) = delete;
    TilingManager& operator=(const TilingManager&) = delete;

    // Shortcuts registered exactly when [Tiling] Mode >= 1; started exactly
    // when [Tiling] Enabled is on. Already started, it arranges at once.
    void ApplyTilingSettings() noexcept;
    void StartTiling() noexcept;
    void StopTiling() noexcept;
    // (Re)arms the debounce: bursts of events give one pass.
    void ArrangeSoon(unsigned milliseconds) noexcept;
    void Arrange() noexcept;
    void ToggleFloating(HWND window) noexcept;
    [[nodiscard]] bool IsFloating(HWND window) const noexcept;
    [[nodiscard]] bool Started() const noexcept;
    void OnHotkey(int id) noexcept;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace corvane
