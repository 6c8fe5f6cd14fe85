#pragma once
// What a bar is given by the process that owns it: the shared inputs it
// reads, and the host it asks for process-wide work. Bars never reach for
// process state themselves.

#include "base/Worker.h"
#include "appmenus/AppMenu.h"
#include "config/Settings.h"
#include "identity/ForegroundIdentity.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class SystemStatus;
class TrayHost;

class BarHost {
public:
    virtual ~BarHost() = default;
    // Something every bar shows changed: they all lay out and repaint.
    virtual void RefreshBars() = 0;
    [[nodiscard]] virtual bool TilingActive() const = 0;
    // Toggles [Tiling] Enabled and writes it at once.
    virtual void ToggleTiling() = 0;
    // Whether the tiling manager keeps this window floating (never tiled).
    [[nodiscard]] virtual bool IsFloating(HWND window) const = 0;
    virtual void ToggleFloating(HWND window) = 0;
    // Adds the executable to [Tiling] Float, or takes it out, and writes it.
    virtual void ToggleNeverTile(const std::wstring& exeName) = 0;
    virtual void PowerStatusChanged() = 0;

    // The tray order while an icon is dragged; written by FinishTrayDrag.
    virtual void SetTrayOrder(std::vector<std::wstring> order) = 0;
    // A tray drag ended: the program is hidden when `hideExeName` is not
    // empty, both tray lists are written, and the bars are laid out again.
    virtual void FinishTrayDrag(const std::wstring& hideExeName) = 0;
    // Shows a hidden tray entry again (an empty name: all of them).
    virtual void UnhideTrayEntry(const std::wstring& name) = 0;
};

// Owned by the process and outliving every bar; settings, theme and the
// current application are replaced in place, never moved.
struct BarContext {
    const HINSTANCE& instance;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    const CurrentApplication& current;
    const std::vector<AppMenu>& menus;
    const std::unique_ptr<SystemStatus>& status;  // null while there is none
    const std::unique_ptr<TrayHost>& tray;        // null while there is none
    NowPlayingWidgets& nowPlaying;
    Worker& worker;
    SurfaceOpener& open;
    const DesktopFacts& desktop;
    BarHost& host;
};

}  // namespace corvane
