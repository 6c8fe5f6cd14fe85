#pragma once
// What the start surfaces are given by the process that owns them: the
// shared inputs they read and the host they ask for process-wide work.

#include "base/Worker.h"
#include "config/Settings.h"
#include "start/LaunchHistory.h"
#include "toolkit/GraphicsFactories.h"
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
    // The top edge, in screen pixels, of the dock shown on this display, or
    // nothing when none is shown there.
    [[nodiscard]] virtual std::optional<int32_t> DockTop(HMONITOR display) const = 0;
    // The dock's pinned list becomes this one: written as [Dock] Pinned and
    // every dock reloads it.
    virtual void SaveDockPinned(std::vector<std::wstring> pinned) = 0;
    // CorMenu's pinned list: written as [CorMenu] Pinned with PinnedSet = 1.
    virtual void SaveMenuPinned(std::vector<std::wstring> pinned) = 0;
    // [CorLauncher] Order as the file holds it now (the settings window may
    // have removed it since), and writing it.
    [[nodiscard]] virtual std::wstring LauncherOrder() const = 0;
    virtual void SaveLauncherOrder(const std::wstring& order) = 0;
    // Whether a settings window exists to open, and opening it.
    [[nodiscard]] virtual bool HasSettingsWindow() const = 0;
    virtual void OpenSettingsWindow() = 0;
    // The control window: the Windows-key hook posts to it.
    [[nodiscard]] virtual HWND CommandWindow() const = 0;
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
    StartHost& host;
    // Starts made from either surface, which search ranks by.
    LaunchHistory& launches;
};

}  // namespace corvane
