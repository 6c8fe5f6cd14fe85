#pragma once
// What a dock is given by the set that owns it: the shared inputs it reads,
// and whom it asks for the work that concerns every dock. Docks never reach
// for process state themselves.

#include "base/Worker.h"
#include "config/Settings.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/NowPlayingWidget.h"
#include "toolkit/SystemEvents.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace corvane {

class DockHost {
public:
    virtual ~DockHost() = default;
    // Sets [Dock] HideTaskbar, writes it at once and tells every dock.
    virtual void SetHideTaskbar(bool hide) = 0;
    // The program an Applications-folder or shortcut pin starts, as the app
    // catalog lists it; empty while the catalog does not know it (the next
    // rebuild after the catalog arrived uses it).
    [[nodiscard]] virtual std::wstring PinProgramPath(std::wstring_view target) = 0;
};

// Owned by the dock set and outliving every dock; settings and theme are
// replaced in place, never moved.
struct DockContext {
    const HINSTANCE& instance;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    NowPlayingWidgets& nowPlaying;
    Worker& worker;
    SurfaceOpener& open;
    DockPins& pins;
    DockHost& host;
    // Cloaking, the front window's moves, the shell's window notices.
    SystemEvents& events;
    // A dock placing its appbar band (DockAppBar).
    bool& appBarPlacing;
};

}  // namespace corvane
