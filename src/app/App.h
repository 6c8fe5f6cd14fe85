#pragma once
// The process-wide application state and the composition root's host side:
// the only place that knows every subsystem. Only the GUI thread touches it;
// other threads post WM_APP_COMMAND to the control window instead.

#include "app/EventHub.h"
#include "app/RootEvents.h"
#include "appmenus/AppMenu.h"
#include "bar/BarHost.h"
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
#include "toolkit/SystemEvents.h"
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
class SystemStatus;
class Bar;
class StartSurfaces;
class HotCornerWatcher;
class Garden;
class SettingsWindow;

// The root is reached through the host interfaces it implements (handed to
// the subsystems in their contexts) and through RootEvents (its own windows);
// its state and the steps of its life are its own. The steps live in the
// root's files by topic: Lifecycle.cpp (start, stop, reload, the process's
// timers), Foreground*.cpp, Displays.cpp, KeyboardFocusGlue.cpp,
// SettingsGlue.cpp and NowPlayingGlue.cpp.
class App final : public SurfaceOpener,
                  public DesktopFacts,
                  public SettingWrites,
                  public BarHost,
                  public TrayHostEvents,
                  public TilingHost,
                  public StartHost,
                  public NowPlayingSurfaces,
                  public GardenHost,
                  public SettingsHost,
                  public RootEvents,
                  private WinEventSink {
public:
    App();
    ~App() override;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // Everything from the graphics factories to their release: start-up in
    // a fixed order, the message loop, shutdown in the reverse order.
    // Returns the process's exit code.
    [[nodiscard]] int Run(HINSTANCE instance);

private:
    // The start-up benchmarks (bench/startup) set up the root's state and
    // make one of its subsystems without running the process.
    friend struct RootBench;

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
    // Registers the shortcuts that give the keyboard to the bar and the
    // dock, in place of those before; a chord another program holds, or
    // that a keyboard layout types with, stays unavailable, as the tiling
    // shortcuts do.
    void ApplyFocusShortcuts() override;
    // A new watcher each time, so that the main display's geometry is read
    // again along with the corners' actions.
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

    // RootEvents
    void Command(WPARAM code, LPARAM lParam) override;
    void Timer(UINT_PTR id) override;
    void Hotkey(int id) override;
    // "TaskbarCreated" reached the session window: Explorer's makes bars,
    // docks, the garden and the tray host stand up to the new taskbar; our
    // tray host's own changes nothing.
    void TaskbarCreated() override;
    // The session ends (sign-out, shutdown, restart) and Windows may end
    // the process at any moment after this returns: everything is given
    // back and saved as at a quit, and the message loop is told to stop.
    void SessionEnding() noexcept override;

    // Lifecycle.cpp
    // Everything after the graphics factories; the order is fixed because
    // later subsystems read what earlier ones set up.
    bool StartSubsystems();
    // The reverse of StartSubsystems, once only.
    void StopSubsystems();
    // Rebuilds everything that depends on corvane.ini, in place; while a
    // pop-up menu is open that waits for it to close.
    void ReloadSettings();
    // Everything that holds the displays' geometry is made again; while a
    // pop-up menu is open that waits for it to close.
    void DisplaysChanged();
    // Woken or unlocked: what may have changed unseen meanwhile is read
    // again.
    void SessionResumed();
    void ThemeChanged();
    // Icons whose programs went without removing them leave the tray.
    void SweepTray();
    void ReconcileSweepTimer() noexcept;
    // The host exists exactly while [Tray] Enabled is on and it could start.
    void ReconcileTrayHost();
    void StopTrayHost() noexcept;
    void ApplyStartSettings();
    // Lets the status sources read again; the bars are laid out only when
    // what they show changed.
    void RefreshStatus(void (*refresh)(SystemStatus& status));

    // Foreground.cpp: the road of a foreground change.
    // A new window may be in front (from the foreground or the focus hook).
    void ForegroundChanged(HWND window) noexcept;
    // Re-evaluates `window` as the current application; when it changed,
    // its menus are resolved again and every bar lays out.
    void EvaluateForeground(HWND window) noexcept;
    // Decides full screen, keeps the main-display flag and tells every bar.
    void FullscreenCheck() noexcept;

    // ForegroundHooks.cpp: the root's own subscriptions to the event hub,
    // the foreground and focus events and the location watch on the
    // foreground window's process.
    // Foreground changes, and focus changes as a second witness: some
    // systems move the foreground without EVENT_SYSTEM_FOREGROUND, and a
    // missed event would leave the bar naming the wrong application.
    void InstallForegroundHooks() noexcept;
    // The foreground as the system reports it after a focus change, once
    // more.
    void LookAgainAtForeground() noexcept;
    // Follows the process of this window; nothing happens if it is already
    // watched.
    void WatchForegroundProcess(HWND window) noexcept;
    void RemoveForegroundHooks() noexcept;
    void WeighForeground() noexcept;
    // WinEventSink: foreground, focus and the front window's moves.
    void OnWinEvent(const WinEvent& event) noexcept override;

    // Displays.cpp. Never while a pop-up menu is open: the rebuilds that
    // call these wait for it (PopupMenuGate.h).
    // Destroys every bar (last first) and creates one for each display the
    // settings ask for, in the system's enumeration order.
    void SyncBars();
    // Destroys every dock (last first) and creates one for each display
    // that [Dock] Monitor names, the main display's first.
    void SyncDocks();

    // KeyboardFocusGlue.cpp: the two global shortcuts that give the
    // keyboard to the top bar's menus and to the dock.
    void RemoveFocusHotkeys() noexcept;
    // WM_HOTKEY with one of their ids; false for any other id.
    bool HandleFocusHotkey(int id) noexcept;
    // The window in front when the shortcut came, or, when that is a bar or
    // a dock that has the keyboard already, the one it would have given it
    // to.
    HWND KeyboardReturn() noexcept;

    // App.cpp and SettingsGlue.cpp
    // The first failed save of each file in a run is told in a notice;
    // later ones would only repeat it. A folder refused at start-up was
    // told then.
    void FileNotSaved(const std::wstring& path) noexcept;
    // Another part changed a setting the window shows.
    void RefreshSettingsWindow() noexcept;
    // The bar that shows the tray: the one on the main display, else the
    // first; null while there is no bar.
    [[nodiscard]] Bar* TrayBar() const noexcept;
    // Draws every bar again without laying it out.
    void RepaintBars() noexcept;
    // The program a dock pin starts, as the catalog lists it.
    [[nodiscard]] std::wstring PinProgramPath(std::wstring_view target);

    HINSTANCE instance_ = nullptr;
    // Slow work of every subsystem; its results come back through the
    // control window. Stopped first at shutdown.
    Worker worker_;
    // Every system event hook of the process; declared before the
    // subsystems that subscribe, so that it outlives them.
    EventHub events_;
    // Apps started from CorMenu and CorLauncher; read and written on the
    // worker.
    LaunchHistory launches_{worker_, LaunchHistory::DefaultPath()};
    Settings settings_;
    Theme theme_;
    // The application in front, and the menus shown next to its name,
    // rebuilt whenever the application changes.
    CurrentApplication current_;
    std::vector<AppMenu> menus_;
    // The foreground window the hooks handled last, ours included: focus
    // events only lead to an evaluation when it changes.
    HWND lastForeground_ = nullptr;
    // The top-level window of the program that took the focus last, while
    // the foreground is looked at again, and how often it was looked at.
    HWND focusedTop_ = nullptr;
    int foregroundLooks_ = 0;
    // The window a bar or dock gives the keyboard back to, kept while the
    // keyboard moves on from one of them to another.
    HWND keyboardReturn_ = nullptr;
    std::unique_ptr<ControlWindow> control_;
    // One per display, in the system's enumeration order.
    std::vector<std::unique_ptr<Bar>> bars_;
    std::unique_ptr<SystemStatus> systemStatus_;
    // From start-up to shutdown; runs while [Tiling] Enabled is on.
    std::unique_ptr<TilingManager> tiling_;
    // Exists while [Tray] Enabled is on and the host could start.
    std::unique_ptr<TrayHost> tray_;
    // CorMenu, the catalog and its icons, the Windows-key hook: from
    // start-up to shutdown.
    std::unique_ptr<StartSurfaces> start_;
    // Shutdown ran: the desktop is given back and nothing is left to stop.
    bool stopped_ = false;
    UINT taskbarCreatedMessage_ = 0;
    GraphicsFactories graphics_;
    // A full-screen window covers the main display (hot corners pause).
    bool fullscreenOnMain_ = false;
    // Exists while [HotCorners] Enabled is on; made anew whenever the
    // settings are applied.
    std::unique_ptr<HotCornerWatcher> hotCorners_;
    // The system's media session, followed while [NowPlaying] Enabled is on,
    // from start-up to shutdown, as the widgets show it.
    NowPlayingFeed nowPlaying_;
    // On the displays [Dock] Monitor names, the main display's first.
    DockSet docks_;
    // From start-up to shutdown; shows beds while [Garden] Enabled is on.
    std::unique_ptr<Garden> garden_;
    // Made on its first opening and kept: a closed window is made again by
    // the same object.
    std::unique_ptr<SettingsWindow> settingsWindow_;
    // The files whose failed save was told (FileNotSaved).
    std::vector<std::wstring> unsavedTold_;

    EventSubscription foregroundEvents_;
    EventSubscription focusEvents_;
    EventSubscription frontMoves_;

    // What the subsystems made more than once are handed; each keeps its
    // own copy.
    const BarContext barContext_;
    const TrayContext trayContext_;
    const TilingContext tilingContext_;
    const StartContext startContext_;
};

// Created on first use and never freed: nothing may run after it is gone.
// Only what has no context of its own uses it: the process's start and the
// pop-up menu gate's callbacks.
[[nodiscard]] App& TheApp() noexcept;

}  // namespace corvane
