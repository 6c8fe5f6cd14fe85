#pragma once
// What a dock is given by the process that owns it: the shared inputs it
// reads, and the host it asks for process-wide work. Docks never reach for
// process state themselves.

#include "base/Worker.h"
#include "config/Settings.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

class Dock;

class DockHost {
public:
    virtual ~DockHost() = default;
    // The pinned list as `from` now holds it becomes the settings' list
    // (marked present), is written as [Dock] Pinned, and every other dock
    // rebuilds in 60 ms.
    virtual void SavePinned(const Dock& from, std::vector<std::wstring> pinned) = 0;
    // Sets [Dock] HideTaskbar, writes it at once and tells every dock.
    virtual void SetHideTaskbar(bool hide) = 0;
    // The Start item: the start surface on this display.
    virtual void ToggleStartSurface(HMONITOR display) = 0;
    // The program an Applications-folder or shortcut pin starts, as the app
    // catalog lists it; empty while the catalog does not know it (the next
    // rebuild after the catalog arrived uses it).
    [[nodiscard]] virtual std::wstring PinProgramPath(std::wstring_view target) = 0;
    // Whether a settings window exists to open on its dock page.
    [[nodiscard]] virtual bool HasSettingsWindow() const = 0;
    virtual void OpenDockSettings() = 0;
};

// Owned by the process and outliving every dock; settings and theme are
// replaced in place, never moved.
struct DockContext {
    const HINSTANCE& instance;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    NowPlayingWidgets& nowPlaying;
    Worker& worker;
    DockHost& host;
};

}  // namespace corvane
