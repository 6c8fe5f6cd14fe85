#pragma once
// The process-wide application state and the composition root's host side:
// the only place that knows every subsystem. Only the GUI thread touches it;
// other threads post WM_APP_COMMAND to the control window instead.

#include "app/EventHub.h"
#include "appmenus/AppMenu.h"
#include "bar/BarHost.h"
#include "base/Win32Handles.h"
#include "base/Worker.h"
#include "config/Settings.h"
#include "dock/DockSet.h"
#include "garden/GardenHost.h"
#include "identity/ForegroundIdentity.h"
#include "nowplaying/NowPlayingFeed.h"
#include "settings/SettingsHost.h"
#include "start/LaunchHistory.h"
#include "start/StartHost.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/HostServices.h"
#include "toolkit/Theme.h"
#include "tiling/TilingManager.h"
#include "tray/TrayHost.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace corvane {

class ControlWindow;
class ForegroundHooks;
class SystemStatus;
class Bar;
class StartSurfaces;
class HotCornerWatcher;
class Garden;
class SettingsWindow;

struct App final : SurfaceOpener,
                   DesktopFacts,
                   SettingWrites,
                   BarHost,
                   TrayHostEvents,
                   TilingHost,
                   StartHost,
                   NowPlayingSurfaces,
                   GardenHost,
                   SettingsHost {
    App();
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HINSTANCE instance = nullptr;
    // Slow work of every subsystem; its results come back through the
    // control window. Stopped first at shutdown.
    Worker worker;
    // Every system event hook of the process; declared before the
    // subsystems that subscribe, so that it outlives them.
    EventHub events;
    // Apps started from CorMenu and CorLauncher; read and written on the
    // worker.
    LaunchHistory launches{worker, LaunchHistory::DefaultPath()};
    Settings settings;
    Theme theme;
    // The application in front, and the menus shown next to its name,
    // rebuilt whenever the application changes.
    CurrentApplication current;
    std::vector<AppMenu> menus;
    // The foreground window the hooks handled last, ours included: focus
    // events only lead to an evaluation when it changes.
    HWND lastForeground = nullptr;
    // The top-level window of the program that took the focus last, while
    // the foreground is looked at again, and how often it was looked at.
    HWND focusedTop = nullptr;
    int foregroundLooks = 0;
    // The window a bar or dock gives the keyboard back to, kept while the
    // keyboard moves on from one of them to another.
    HWND keyboardReturn = nullptr;
    std::unique_ptr<ControlWindow> control;
    // One per display, in the system's enumeration order.
    std::vector<std::unique_ptr<Bar>> bars;
    std::unique_ptr<SystemStatus> systemStatus;
    // From start-up to shutdown; runs while [Tiling] Enabled is on.
    std::unique_ptr<TilingManager> tiling;
    // Exists while [Tray] Enabled is on and the host could start.
    std::unique_ptr<TrayHost> tray;
    // CorMenu, the catalog and its icons, the Windows-key hook: from
    // start-up to shutdown.
    std::unique_ptr<StartSurfaces> start;
    // Shutdown ran: the desktop is given back and nothing is left to stop.
    bool stopped = false;
    UINT taskbarCreatedMessage = 0;
    GraphicsFactories graphics;
    // A full-screen window covers the main display (hot corners pause).
    bool fullscreenOnMain = false;
    // Exists while [HotCorners] Enabled is on; made anew whenever the
    // settings are applied.
    std::unique_ptr<HotCornerWatcher> hotCorners;
    // The system's media session, followed while [NowPlaying] Enabled is on,
    // from start-up to shutdown, as the widgets show it.
    NowPlayingFeed nowPlaying;
    // On the displays [Dock] Monitor names, the main display's first.
    DockSet docks;
    // From start-up to shutdown; shows beds while [Garden] Enabled is on.
    std::unique_ptr<Garden> garden;
    // Made on its first opening and kept: a closed window is made again by
    // the same object.
    std::unique_ptr<SettingsWindow> settingsWindow;

    std::unique_ptr<ForegroundHooks> foregroundHooks;

    // What every bar is handed.
    const BarContext barContext;
    // What the tray host is handed.
    const TrayContext trayContext;
    // What the tiling manager is handed.
    const TilingContext tilingContext;
    // What the start surfaces are handed.
    const StartContext startContext;

    // SurfaceOpener
    // Shows the settings window at `page`, making it the first time.
    void OpenSettings(int32_t page) override;
    void ToggleStartSurface(int32_t which, HMONITOR display) override;

    // DesktopFacts
    [[nodiscard]] std::optional<int32_t> DockTop(HMONITOR display) const override;
    [[nodiscard]] bool TaskbarHiddenByDock() const override;
    [[nodiscard]] HWND CommandWindow() const override;

    // SettingWrites
    void SettingWritten(bool saved) override;

    // BarHost (SettingsHost too)
    void RefreshBars() override;
    [[nodiscard]] bool TilingActive() const override;
    // (TilingHost too)
    void ToggleTiling() override;
    void ToggleNeverTile(const std::wstring& exeName) override;
    [[nodiscard]] bool IsFloating(HWND window) const override;
    void ToggleFloating(HWND window) override;
    void PowerStatusChanged() override;
    void SetTrayOrder(std::vector<std::wstring> order) override;
    void FinishTrayDrag(const std::wstring& hideExeName) override;
    // (SettingsHost too)
    void UnhideTrayEntry(const std::wstring& name) override;

    // TrayHostEvents
    void TrayIconsChanged() override;

    // TilingHost
    void StartRetileTimer(unsigned milliseconds) override;
    void StopRetileTimer() override;
    void SetTilingLayout(int32_t layout) override;

    // StartHost
    void SaveMenuPinned(std::vector<std::wstring> pinned) override;
    void IconsLoaded() override;

    // NowPlayingSurfaces
    void NowPlayingWidgetsChanged(bool relayout) override;
    [[nodiscard]] std::span<const AppEntry> NowPlayingApps() override;

    // GardenHost
    [[nodiscard]] IWICBitmapSource* GardenIcon(const AppEntry& entry, uint32_t px) override;
    void GardenNotSaved(const std::wstring& path) override;

    // SettingsHost
    void ApplyCenterStart() override;
    void ApplyTilingSettings() override;
    void ApplyFocusShortcuts() override;
    void ApplyHotCorners() override;
    void RefreshGardenGlass() override;
    void NewBed() override;
    void ResetGarden() override;
    void ResetTrayOrder() override;
    void ShowStartSurface(int32_t which) override;
    void EditFile(const std::wstring& path) override;
    [[nodiscard]] std::wstring MenusFilePath() override;
    void ShowLicense() override;
    void Quit() override;
    [[nodiscard]] bool StartsWithWindows() override;
    void SetStartWithWindows(bool on) override;
    [[nodiscard]] std::vector<DisplaySize> Displays() override;
    [[nodiscard]] std::wstring TrayTooltip(const std::wstring& exeName) override;
    [[nodiscard]] std::wstring FormatToday(const std::wstring& picture) override;
    [[nodiscard]] double WorkingSetMb() override;
    [[nodiscard]] std::wstring Version() override;
    [[nodiscard]] std::wstring TypedByShortcut(uint32_t modifiers, uint32_t key) override;
    void SettingsNotSaved() override;
    // The first failed save of each file in a run is told in a notice; later
    // ones would only repeat it. A folder refused at start-up was told then.
    void FileNotSaved(const std::wstring& path) noexcept;
    std::vector<std::wstring> unsavedTold;
    // Another part changed a setting the window shows.
    void RefreshSettingsWindow() noexcept;

    // The bar that shows the tray: the one on the main display, else the
    // first; null while there is no bar.
    [[nodiscard]] Bar* TrayBar() const noexcept;

    // "TaskbarCreated" reached the session window: Explorer's makes bars,
    // docks, the garden and the tray host stand up to the new taskbar; our
    // tray host's own changes nothing.
    void TaskbarCreated();

    // Draws every bar again without laying it out.
    void RepaintBars() noexcept;
    // Lets the status sources read again; the bars are laid out only when
    // what they show changed.
    void RefreshStatus(void (*refresh)(SystemStatus& status));
    // The program a dock pin starts, as the catalog lists it.
    [[nodiscard]] std::wstring PinProgramPath(std::wstring_view target);
};

// Created on first use and never freed: nothing may run after it is gone.
// The root's own files use it; subsystems are handed what they need.
[[nodiscard]] App& TheApp() noexcept;

}  // namespace corvane
