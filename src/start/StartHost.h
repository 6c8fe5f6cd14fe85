#pragma once
// What the start surfaces are given by the process that owns them: the
// shared inputs they read and the host they ask for process-wide work.

#include "base/Worker.h"
#include "config/Settings.h"
#include "start/LaunchHistory.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/Theme.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

class StartHost {
public:
    virtual ~StartHost() = default;
    // CorMenu's pinned list: written as [CorMenu] Pinned with PinnedSet = 1.
    virtual void SaveMenuPinned(std::vector<std::wstring> pinned) = 0;
    // Icons of the catalog's cache arrived (others draw them too).
    virtual void IconsLoaded() = 0;
};

// Owned by the process and outliving the surfaces; settings and theme are
// replaced in place, never moved.
struct StartContext {
    const HINSTANCE& instance;
    const Settings& settings;
    const Theme& theme;
    const GraphicsFactories& graphics;
    Worker& worker;
    SurfaceOpener& open;
    // The dock's top bounds CorMenu; the Windows-key hook posts to the
    // command window.
    const DesktopFacts& desktop;
    DockPins& dockPins;
    // [CorLauncher] Order is written by the launcher itself.
    SettingWrites& writes;
    StartHost& host;
    // Starts made from either surface, which search ranks by.
    LaunchHistory& launches;
};

}  // namespace corvane
