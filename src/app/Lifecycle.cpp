#include "app/Lifecycle.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/CrashFilter.h"
#include "app/CrashRestore.h"
#include "app/DesktopGuard.h"
#include "app/Displays.h"
#include "app/Foreground.h"
#include "app/ForegroundHooks.h"
#include "app/KeyboardFocusGlue.h"
#include "app/SessionWindow.h"
#include "appmenus/MenusFile.h"
#include "bar/Bar.h"
#include "bar/SystemStatus.h"
#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "config/Texts.h"
#include "config/RestoreMarks.h"
#include "config/SettingsFile.h"
#include "config/SettingsFolder.h"
#include "dock/CenterStart.h"
#include "dock/Dock.h"
#include "dock/TaskbarHider.h"
#include "garden/DesktopIcons.h"
#include "garden/Garden.h"
#include "start/StartSurfaces.h"
#include "nowplaying/NowPlayingSource.h"
#include "nowplaying/NowPlayingCard.h"
#include "settings/SettingsWindow.h"
#include "tiling/HotCornerWatcher.h"
#include "tiling/TilingManager.h"
#include "identity/CachedIcons.h"
#include "identity/IconLoader.h"
#include "toolkit/MenuTheme.h"
#include "toolkit/Notice.h"
#include "toolkit/PopupMenuGate.h"
#include "toolkit/ThemeReader.h"
#include "tray/TrayHost.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

namespace corvane {
namespace {

// The sweep purges the tray host's dead icons and trims the start surfaces'
// idle icons: with neither to sweep it would only wake the process.
void ReconcileSweepTimer(App& app) noexcept {
    if (!app.control) {
        return;
    }
    if (app.tray || (app.start && app.settings.startMenu != 0)) {
        app.control->StartTimer(TIMER_TRAY_SWEEP, app.tray && !app.tray->WatchesIconOwners()
                                                      ? periods::kTraySweepMs
                                                      : periods::kTraySweepWatchedMs);
    } else {
        app.control->StopTimer(TIMER_TRAY_SWEEP);
    }
}

void StopTrayHost(App& app) noexcept {
    // Out of the bars' reach first: the host's last broadcast reaches them
    // while it stops, and they lay out without a tray.
    std::unique_ptr<TrayHost> host = std::move(app.tray);
    if (!host) {
        return;
    }
    ReconcileSweepTimer(app);
    host->Stop();
}

// The host exists exactly while [Tray] Enabled is on and it could start.
void ReconcileTrayHost(App& app) {
    if (!app.settings.trayEnabled) {
        if (app.tray) {
            StopTrayHost(app);
            app.RefreshBars();
        }
        return;
    }
    if (app.tray) {
        return;
    }
    auto host = std::make_unique<TrayHost>(app.trayContext);
    if (!host->Start()) {
        return;
    }
    app.tray = std::move(host);
    ReconcileSweepTimer(app);
    // Placing the bar hands the host its frame.
    if (Bar* bar = app.TrayBar()) {
        bar->Reposition();
    }
    app.RefreshBars();
}

// The hook follows [Start] at once; the catalog and icons are loaded a while
// later, so that neither start-up nor a settings change waits for them.
void ApplyStartSettings(App& app) {
    if (!app.start || !app.control) {
        return;
    }
    if (app.start->ApplyStartSettings()) {
        app.control->StartTimer(TIMER_START_WARMUP, periods::kStartWarmUpMs);
    } else {
        app.control->StopTimer(TIMER_START_WARMUP);
    }
    ReconcileSweepTimer(app);
}

void TellIfSettingsFolderReadOnly() {
    if (!IsSettingsFolderReadOnly()) {
        return;
    }
    ShowNotice(
        Text(TextId::CannotSaveSettingsIn) + ExecutableDirectory() + Text(TextId::RunsWithDefaults),
        MB_ICONINFORMATION);
}

// Everything after the graphics factories; the order is fixed because later
// subsystems read what earlier ones set up.
bool StartSubsystems(App& app) {
    app.settings = LoadSettingsFile();
    // Before anything reads the marks to give back what a killed run left.
    AdoptSettingsFileMarks(app.settings);
    app.theme = ReadTheme();
    app.taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

    app.control = std::make_unique<ControlWindow>(app);
    if (!app.control->Create(app.instance)) {
        app.control.reset();
        return false;
    }

    app.worker.SetWake([window = app.control->Hwnd()] {
        return ::PostMessageW(window, WM_APP_COMMAND, CMD_WORK_DONE, 0) != FALSE;
    });

    app.systemStatus = std::make_unique<SystemStatus>(app.worker);
    app.systemStatus->Start(app.control->Hwnd());

    ApplyMenuTheme(app.theme.dark);
    LoadAppMenus();
    const HWND foreground = ::GetForegroundWindow();
    app.lastForeground = foreground;
    EvaluateForeground(app, foreground);
    // Before anything changes the desktop: bars reserve strips, the tray
    // host takes programs' icons and docks hide the taskbar, and start-up
    // already waits on other processes (their windows, their icons), so a
    // crash in it must give all of that back too.
    InstallCrashHandlers();
    SyncBars(app);
    ReconcileTrayHost(app);
    // A run that ended without putting the taskbar back (killed, power cut)
    // left it hidden; nothing will hide it again now, so it comes back.
    if (!app.settings.dockEnabled || !app.settings.hideTaskbar) {
        RestoreTaskbar();
    }
    SyncDocks(app);
    ApplyFocusHotkeys(app);

    InstallForegroundHooks(app);
    app.tiling = std::make_unique<TilingManager>(app.tilingContext);
    app.tiling->ApplyTilingSettings();
    // A corner that fires before the start surfaces exist only posts its
    // request; the control window handles it once they do.
    ApplyHotCorners(app);
    SetCenterStart(app.settings.centerStart);
    app.start = std::make_unique<StartSurfaces>(app.startContext);
    ApplyStartSettings(app);
    // After the start surfaces: the catalog names the session's app.
    app.nowPlaying.Start();
    // After the start surfaces: the beds' icons come from the catalog's cache.
    app.garden = std::make_unique<Garden>(GardenContext{.instance = app.instance,
                                                        .settings = app.settings,
                                                        .theme = app.theme,
                                                        .graphics = app.graphics,
                                                        .worker = app.worker,
                                                        .open = app,
                                                        .host = app,
                                                        .events = app.events});
    // A run that was killed left Explorer's icons hidden, and nothing will
    // show them again now.
    if (!app.settings.gardenEnabled) {
        SetDesktopIconsVisible(true);
    }
    app.garden->Apply();
    WatchForegroundProcess(app, foreground);

    app.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAtStartMs);
    app.control->ArmClockTimer();
    app.control->StartTimer(TIMER_STATUS_POLL, app.systemStatus->WatchesNetwork()
                                                   ? periods::kStatusPollWatchedMs
                                                   : periods::kStatusPollMs);
    TellIfSettingsFolderReadOnly();

    // Start-up touched far more pages than the idle process needs.
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                               static_cast<SIZE_T>(-1));
    return true;
}

// The reverse of StartSubsystems: what the process changed in the desktop is
// put back before the windows go. Once only: after a session's end it must
// not touch the desktop again when the message loop winds down.
void StopSubsystems(App& app) {
    if (std::exchange(app.stopped, true)) {
        return;
    }
    // Nothing more is started, and a job stuck on a dead share holds the
    // exit up for no longer than the bound.
    (void)app.worker.Stop(Worker::kStopBound);
    // It calls into nearly every subsystem below.
    app.settingsWindow.reset();
    app.hotCorners.reset();
    // The card reads the source; the source reads the catalog and repaints
    // bars and docks.
    app.nowPlaying.Stop();
    // Its threads first: they post to the control window and read the
    // settings.
    if (app.start) {
        app.start->StopStart();
        app.start.reset();
    }
    // Saves garden.ini and gives Explorer its icons back.
    app.garden.reset();
    SetCenterStart(false);
    // Off in memory only: the file keeps the user's choice for the next run.
    if (app.tiling) {
        app.tiling->StopTiling();
        app.settings.tilingEnabled = false;
        app.settings.tilingMode = 0;
        app.tiling->ApplyTilingSettings();
        app.tiling.reset();
    }
    RemoveForegroundHooks(app);
    // Each dock gives back what it changed: the taskbar, its reserved band.
    app.docks.Clear();
    StopTrayHost(app);
    while (!app.bars.empty()) {
        app.bars.pop_back();
    }
    if (app.systemStatus) {
        app.systemStatus->Stop();
        app.systemStatus.reset();
    }
    RemoveFocusHotkeys(app);
    app.control.reset();
    // Cached icons hold COM objects, which must go before the apartment.
    ClearIconCache();
    SetThreadImagingFactory(nullptr);
    DesktopGivenBack();
}

// Called by the last closing menu, inside its surface's code: they only post.
void ReloadAfterMenus() {
    PostCommand(TheApp(), CMD_RELOAD_SETTINGS);
}
void RebuildAfterMenus() {
    PostCommand(TheApp(), CMD_DISPLAYS_CHANGED);
}

int RunMessageLoop() {
    MSG msg = {};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace

void ApplyHotCorners(App& app) {
    app.hotCorners.reset();
    if (!app.settings.hotCornersEnabled || !app.control) {
        return;
    }
    app.hotCorners = std::make_unique<HotCornerWatcher>(
        HotCornerContext{.fullscreenOnMain = app.fullscreenOnMain, .desktop = app});
    StartHotCornerWatcher(*app.hotCorners, app.settings.cornerActions);
}

int RunCorvane(HINSTANCE instance, bool guarded) noexcept {
    try {
        UniqueOwnedMutex mutex(::CreateMutexW(nullptr, TRUE, kSingleInstanceMutex));
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            // Not ours to release: the other instance owns it.
            ::CloseHandle(mutex.Release());
            return 0;
        }
        // Before anything changes the desktop; one guard for the running
        // instance only.
        if (guarded) {
            StartDesktopGuard();
        }

        // Fails when the manifest already set it, or on systems without v2;
        // either way the process carries on with what it has.
        (void)::SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);

        ComApartment com;

        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
        (void)::InitCommonControlsEx(&icc);

        App& app = TheApp();
        app.instance = instance;

        if (!CreateGraphicsFactories(app.graphics)) {
            ::MessageBoxW(nullptr, Text(TextId::Direct2DFailed), L"Corvane", MB_ICONERROR);
            return 1;
        }
        SetThreadImagingFactory(app.graphics.wic.Get());

        // Outlives StopSubsystems, which its own message may run.
        SessionWindow session(app);
        int exitCode = kExitNoControlWindow;
        if (StartSubsystems(app)) {
            // Without it a sign-out leaves the desktop as at a crash; the
            // program runs on all the same.
            (void)session.Create(instance);
            exitCode = RunMessageLoop();
        }
        StopSubsystems(app);
        // COM objects must go before the apartment does.
        app.graphics = GraphicsFactories{};
        return exitCode;
    } catch (...) {
        RestoreDesktopAfterCrash();
        return 1;
    }
}

void EndSession(App& app) noexcept {
    try {
        StopSubsystems(app);
    } catch (...) {
        RestoreDesktopAfterCrash();
    }
    ::PostQuitMessage(0);
}

void ReloadSettings(App& app) {
    if (WaitForPopupMenus(&ReloadAfterMenus)) {
        return;
    }
    // Without a file the settings in memory are the only copy: the settings
    // window's changes live there until the run ends.
    if (!IsSettingsFolderReadOnly()) {
        const bool norwegian = IsNorwegian();
        Settings loaded = LoadSettingsFile();
        if (IsSettingsFolderReadOnly()) {
            // The file stopped taking writes during the run (made read-only,
            // held by another program): the loader's defaults would replace
            // what the user arranged, and the change that asked for this
            // reload is not in the file. What is in memory stays, and later
            // saves try the file again.
            SetSettingsFolderReadOnly(false);
            SetNorwegian(norwegian);
            app.SettingsNotSaved();
        } else {
            app.settings = std::move(loaded);
        }
    }
    LoadAppMenus();
    // Forgetting the window makes it a new application, so that everything
    // derived from the settings (language, menus) is built again.
    if (const HWND window = std::exchange(app.current.window, nullptr)) {
        EvaluateForeground(app, window);
    }
    SyncBars(app);
    SyncDocks(app);
    ApplyFocusHotkeys(app);
    ReconcileTrayHost(app);
    if (app.tiling) {
        app.tiling->ApplyTilingSettings();
    }
    SetCenterStart(app.settings.centerStart);
    ApplyStartSettings(app);
    if (app.start) {
        app.start->SettingsChanged();
    }
    ApplyHotCorners(app);
    app.nowPlaying.ApplySettings();
    if (app.garden) {
        app.garden->Apply();
    }
    if (app.control) {
        app.control->ArmClockTimer();
    }
}

void OnAudioDeviceChanged(App& app) {
    app.RefreshStatus([](SystemStatus& status) { status.BindDefaultEndpoint(); });
}

void OnDisplaysChanged(App& app) {
    if (WaitForPopupMenus(&RebuildAfterMenus)) {
        return;
    }
    SyncBars(app);
    SyncDocks(app);
    // The corners are the main display's, measured when a watcher starts:
    // the old one would watch where the corners were.
    ApplyHotCorners(app);
    // Placed against a bar or dock that is gone, on a display that may be.
    app.nowPlaying.DestroyCard();
    if (app.start) {
        app.start->CloseSurfaces();
    }
    // The work areas changed with the displays, and the docks with them.
    if (app.tiling) {
        app.tiling->Arrange();
    }
    // The Dock page lists the connected displays.
    app.RefreshSettingsWindow();
}

void OnSessionResumed(App& app) {
    // Asleep or locked, the network, the power source and the audio device
    // may all have changed, and not every source says so afterwards.
    app.RefreshStatus([](SystemStatus& status) {
        status.BindDefaultEndpoint();
        status.RefreshNetwork();
        status.RefreshBattery();
    });
    // Displays come and go during sleep without a change being told to a
    // program that was not running; the rebuild also hides the taskbar
    // again where Explorer brought it back.
    if (app.control) {
        app.control->StartTimer(TIMER_DISPLAYS_SETTLE, periods::kDisplaysSettleMs);
    }
    // The lock screen and waking reorder the desktop's windows.
    if (app.garden) {
        app.garden->KeepInDesktopLayer();
    }
}

void OnThemeChanged(App& app) {
    app.theme = ReadTheme();
    ApplyMenuTheme(app.theme.dark);
    for (const auto& bar : app.bars) {
        bar->ApplyTheme();
    }
    for (const auto& dock : app.docks) {
        dock->ApplyTheme();
    }
    // Its glass is chosen when its window is made.
    app.nowPlaying.DestroyCard();
    if (app.garden) {
        app.garden->RefreshGlass();
    }
    if (app.settingsWindow) {
        app.settingsWindow->ThemeChanged();
    }
}

void OnClockTick(App& app) {
    app.RefreshBars();
    if (app.control) {
        app.control->ArmClockTimer();
    }
}

void OnStatusPoll(App& app) {
    app.RefreshStatus([](SystemStatus& status) { status.RefreshNetwork(); });
}

void OnTraySweep(App& app) {
    if (app.tray && app.tray->PurgeDeadIcons()) {
        app.TrayIconsChanged();
    }
    if (app.start) {
        app.start->Sweep();
    }
}

void OnStatusDebounce(App& app) {
    app.RefreshStatus([](SystemStatus& status) {
        status.ReadVolume();
        status.RefreshNetwork();
    });
}

}  // namespace corvane
