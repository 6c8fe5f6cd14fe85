#include "app/Lifecycle.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/CrashFilter.h"
#include "app/CrashRestore.h"
#include "app/DesktopGuard.h"
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

// The sweep purges the tray host's dead icons and trims the start surfaces'
// idle icons: with neither to sweep it would only wake the process.
void App::ReconcileSweepTimer() noexcept {
    if (!control_) {
        return;
    }
    if (tray_ || (start_ && settings_.startMenu != 0)) {
        control_->StartTimer(TIMER_TRAY_SWEEP, tray_ && !tray_->WatchesIconOwners()
                                                   ? periods::kTraySweepMs
                                                   : periods::kTraySweepWatchedMs);
    } else {
        control_->StopTimer(TIMER_TRAY_SWEEP);
    }
}

void App::StopTrayHost() noexcept {
    // Out of the bars' reach first: the host's last broadcast reaches them
    // while it stops, and they lay out without a tray.
    std::unique_ptr<TrayHost> host = std::move(tray_);
    if (!host) {
        return;
    }
    ReconcileSweepTimer();
    host->Stop();
}

// The host exists exactly while [Tray] Enabled is on and it could start.
void App::ReconcileTrayHost() {
    if (!settings_.trayEnabled) {
        if (tray_) {
            StopTrayHost();
            RefreshBars();
        }
        return;
    }
    if (tray_) {
        return;
    }
    auto host = std::make_unique<TrayHost>(trayContext_);
    if (!host->Start()) {
        return;
    }
    tray_ = std::move(host);
    ReconcileSweepTimer();
    // Placing the bar hands the host its frame.
    if (Bar* bar = TrayBar()) {
        bar->Reposition();
    }
    RefreshBars();
}

// The hook follows [Start] at once; the catalog and icons are loaded a while
// later, so that neither start-up nor a settings change waits for them.
void App::ApplyStartSettings() {
    if (!start_ || !control_) {
        return;
    }
    if (start_->ApplyStartSettings()) {
        control_->StartTimer(TIMER_START_WARMUP, periods::kStartWarmUpMs);
    } else {
        control_->StopTimer(TIMER_START_WARMUP);
    }
    ReconcileSweepTimer();
}

namespace {

void TellIfSettingsFolderReadOnly() {
    if (!IsSettingsFolderReadOnly()) {
        return;
    }
    ShowNotice(
        Text(TextId::CannotSaveSettingsIn) + ExecutableDirectory() + Text(TextId::RunsWithDefaults),
        MB_ICONINFORMATION);
}

}  // namespace

// Everything after the graphics factories; the order is fixed because later
// subsystems read what earlier ones set up.
bool App::StartSubsystems() {
    settings_ = LoadSettingsFile();
    // Before anything reads the marks to give back what a killed run left.
    AdoptSettingsFileMarks(settings_);
    theme_ = ReadTheme();

    control_ = std::make_unique<ControlWindow>(*this);
    if (!control_->Create(instance_)) {
        control_.reset();
        return false;
    }

    worker_.SetWake([window = control_->Hwnd()] {
        return ::PostMessageW(window, WM_APP_COMMAND, CMD_WORK_DONE, 0) != FALSE;
    });

    systemStatus_ = std::make_unique<SystemStatus>(SystemStatusContext{.worker = worker_});
    systemStatus_->Start(control_->Hwnd());

    ApplyMenuTheme(theme_.dark);
    LoadAppMenus();
    const HWND foreground = ::GetForegroundWindow();
    lastForeground_ = foreground;
    EvaluateForeground(foreground);
    // Before anything changes the desktop: bars reserve strips, the tray
    // host takes programs' icons and docks hide the taskbar, and start-up
    // already waits on other processes (their windows, their icons), so a
    // crash in it must give all of that back too.
    InstallCrashHandlers();
    SyncBars();
    ReconcileTrayHost();
    // A run that ended without putting the taskbar back (killed, power cut)
    // left it hidden; nothing will hide it again now, so it comes back.
    if (!settings_.dockEnabled || !settings_.hideTaskbar) {
        RestoreTaskbar();
    }
    SyncDocks();
    ApplyFocusShortcuts();

    InstallForegroundHooks();
    tiling_ = std::make_unique<TilingManager>(tilingContext_);
    tiling_->ApplyTilingSettings();
    // A corner that fires before the start surfaces exist only posts its
    // request; the control window handles it once they do.
    ApplyHotCorners();
    SetCenterStart(settings_.centerStart);
    start_ = std::make_unique<StartSurfaces>(startContext_);
    ApplyStartSettings();
    // After the start surfaces: the catalog names the session's app.
    nowPlaying_.Start();
    // After the start surfaces: the beds' icons come from the catalog's cache.
    garden_ = std::make_unique<Garden>(GardenContext{.instance = instance_,
                                                     .settings = settings_,
                                                     .theme = theme_,
                                                     .graphics = graphics_,
                                                     .worker = worker_,
                                                     .open = *this,
                                                     .host = *this,
                                                     .events = events_});
    // A run that was killed left Explorer's icons hidden, and nothing will
    // show them again now.
    if (!settings_.gardenEnabled) {
        SetDesktopIconsVisible(true);
    }
    garden_->Apply();
    WatchForegroundProcess(foreground);

    control_->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAtStartMs);
    control_->ArmClockTimer(settings_.showSeconds);
    control_->StartTimer(TIMER_STATUS_POLL, systemStatus_->WatchesNetwork()
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
void App::StopSubsystems() {
    if (std::exchange(stopped_, true)) {
        return;
    }
    // Nothing more is started, and a job stuck on a dead share holds the
    // exit up for no longer than the bound.
    (void)worker_.Stop(Worker::kStopBound);
    // It calls into nearly every subsystem below.
    settingsWindow_.reset();
    hotCorners_.reset();
    // The card reads the source; the source reads the catalog and repaints
    // bars and docks.
    nowPlaying_.Stop();
    // Its threads first: they post to the control window and read the
    // settings.
    if (start_) {
        start_->StopStart();
        start_.reset();
    }
    // Saves garden.ini and gives Explorer its icons back.
    garden_.reset();
    SetCenterStart(false);
    // Off in memory only: the file keeps the user's choice for the next run.
    if (tiling_) {
        tiling_->StopTiling();
        settings_.tilingEnabled = false;
        settings_.tilingMode = 0;
        tiling_->ApplyTilingSettings();
        tiling_.reset();
    }
    RemoveForegroundHooks();
    // Each dock gives back what it changed: the taskbar, its reserved band.
    docks_.Clear();
    StopTrayHost();
    while (!bars_.empty()) {
        bars_.pop_back();
    }
    if (systemStatus_) {
        systemStatus_->Stop();
        systemStatus_.reset();
    }
    RemoveFocusHotkeys();
    control_.reset();
    // Cached icons hold COM objects, which must go before the apartment.
    ClearIconCache();
    SetThreadImagingFactory(nullptr);
    DesktopGivenBack();
}

namespace {

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

void App::ApplyHotCorners() {
    hotCorners_.reset();
    if (!settings_.hotCornersEnabled || !control_) {
        return;
    }
    hotCorners_ = std::make_unique<HotCornerWatcher>(
        HotCornerContext{.fullscreenOnMain = fullscreenOnMain_, .desktop = *this});
    StartHotCornerWatcher(*hotCorners_, settings_.cornerActions);
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

        return TheApp().Run(instance);
    } catch (...) {
        RestoreDesktopAfterCrash();
        return 1;
    }
}

int App::Run(HINSTANCE instance) {
    instance_ = instance;
    if (!CreateGraphicsFactories(graphics_)) {
        ::MessageBoxW(nullptr, Text(TextId::Direct2DFailed), L"Corvane", MB_ICONERROR);
        return 1;
    }
    SetThreadImagingFactory(graphics_.wic.Get());
    taskbarCreatedMessage_ = ::RegisterWindowMessageW(L"TaskbarCreated");

    // Outlives StopSubsystems, which its own message may run.
    SessionWindow session(SessionWindowContext{.taskbarCreatedMessage = taskbarCreatedMessage_,
                                               .desktop = *this,
                                               .tiling = *this,
                                               .events = *this,
                                               .hub = events_});
    int exitCode = kExitNoControlWindow;
    if (StartSubsystems()) {
        // Without it a sign-out leaves the desktop as at a crash; the
        // program runs on all the same.
        (void)session.Create(instance);
        exitCode = RunMessageLoop();
    }
    StopSubsystems();
    // COM objects must go before the apartment does.
    graphics_ = GraphicsFactories{};
    return exitCode;
}

void App::SessionEnding() noexcept {
    try {
        StopSubsystems();
    } catch (...) {
        RestoreDesktopAfterCrash();
    }
    ::PostQuitMessage(0);
}

void App::ReloadSettings() {
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
            SettingsNotSaved();
        } else {
            settings_ = std::move(loaded);
        }
    }
    LoadAppMenus();
    // Forgetting the window makes it a new application, so that everything
    // derived from the settings (language, menus) is built again.
    if (const HWND window = std::exchange(current_.window, nullptr)) {
        EvaluateForeground(window);
    }
    SyncBars();
    SyncDocks();
    ApplyFocusShortcuts();
    ReconcileTrayHost();
    if (tiling_) {
        tiling_->ApplyTilingSettings();
    }
    SetCenterStart(settings_.centerStart);
    ApplyStartSettings();
    if (start_) {
        start_->SettingsChanged();
    }
    ApplyHotCorners();
    nowPlaying_.ApplySettings();
    if (garden_) {
        garden_->Apply();
    }
    if (control_) {
        control_->ArmClockTimer(settings_.showSeconds);
    }
}

void App::DisplaysChanged() {
    if (WaitForPopupMenus(&RebuildAfterMenus)) {
        return;
    }
    SyncBars();
    SyncDocks();
    // The corners are the main display's, measured when a watcher starts:
    // the old one would watch where the corners were.
    ApplyHotCorners();
    // Placed against a bar or dock that is gone, on a display that may be.
    nowPlaying_.DestroyCard();
    if (start_) {
        start_->CloseSurfaces();
    }
    // The work areas changed with the displays, and the docks with them.
    if (tiling_) {
        tiling_->Arrange();
    }
    // The Dock page lists the connected displays.
    RefreshSettingsWindow();
}

void App::SessionResumed() {
    // Asleep or locked, the network, the power source and the audio device
    // may all have changed, and not every source says so afterwards.
    RefreshStatus([](SystemStatus& status) {
        status.BindDefaultEndpoint();
        status.RefreshNetwork();
        status.RefreshBattery();
    });
    // Displays come and go during sleep without a change being told to a
    // program that was not running; the rebuild also hides the taskbar
    // again where Explorer brought it back.
    if (control_) {
        control_->StartTimer(TIMER_DISPLAYS_SETTLE, periods::kDisplaysSettleMs);
    }
    // The lock screen and waking reorder the desktop's windows.
    if (garden_) {
        garden_->KeepInDesktopLayer();
    }
}

void App::ThemeChanged() {
    theme_ = ReadTheme();
    ApplyMenuTheme(theme_.dark);
    for (const auto& bar : bars_) {
        bar->ApplyTheme();
    }
    for (const auto& dock : docks_) {
        dock->ApplyTheme();
    }
    // Its glass is chosen when its window is made.
    nowPlaying_.DestroyCard();
    if (garden_) {
        garden_->RefreshGlass();
    }
    if (settingsWindow_) {
        settingsWindow_->ThemeChanged();
    }
}

void App::SweepTray() {
    if (tray_ && tray_->PurgeDeadIcons()) {
        TrayIconsChanged();
    }
    if (start_) {
        start_->Sweep();
    }
}

}  // namespace corvane
