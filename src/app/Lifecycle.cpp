#include "app/Lifecycle.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/CrashFilter.h"
#include "app/CrashRestore.h"
#include "app/Displays.h"
#include "app/Foreground.h"
#include "app/ForegroundHooks.h"
#include "app/Fullscreen.h"
#include "app/Language.h"
#include "app/MenuTheme.h"
#include "app/SettingsFile.h"
#include "app/ThemeReader.h"
#include "app/Win32Handles.h"
#include "appmenus/MenusFile.h"
#include "dock/CachedIcons.h"
#include "bar/Bar.h"
#include "bar/SystemStatus.h"

#include <commctrl.h>

#include <utility>

namespace corvane {
namespace {

constexpr wchar_t kSingleInstanceMutex[] = L"Corvane.TopBar.SingleInstance";

// Everything after the graphics factories; the order is fixed because later
// subsystems read what earlier ones set up.
bool StartSubsystems(App& app) {
    app.settings = LoadSettingsFile();
    app.theme = ReadTheme();
    app.taskbarCreatedMessage = ::RegisterWindowMessageW(L"TaskbarCreated");

    app.control = std::make_unique<ControlWindow>();
    if (!app.control->Create(app.instance)) {
        app.control.reset();
        return false;
    }

    app.systemStatus = std::make_unique<SystemStatus>();
    app.systemStatus->Start(app.control->Hwnd());

    ApplyMenuTheme(app.theme.dark);
    LoadAppMenus();
    EvaluateForeground(::GetForegroundWindow());
    SyncBars();

    InstallCrashFilter();
    InstallForegroundHook();
    WatchForegroundProcess(::GetForegroundWindow());

    app.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAtStartMs);
    app.control->ArmClockTimer();
    app.control->StartTimer(TIMER_TRAY_SWEEP, periods::kTraySweepMs);
    app.control->StartTimer(TIMER_STATUS_POLL, periods::kStatusPollMs);

    // Start-up touched far more pages than the idle process needs.
    ::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                               static_cast<SIZE_T>(-1));
    return true;
}

// The reverse of StartSubsystems: what the process changed in the desktop is
// put back before the windows go.
void StopSubsystems(App& app) {
    RemoveForegroundHooks();
    while (!app.bars.empty()) {
        app.bars.pop_back();
    }
    if (app.systemStatus) {
        app.systemStatus->Stop();
        app.systemStatus.reset();
    }
    app.control.reset();
    // Cached icons hold COM objects, which must go before the apartment.
    ClearIconCache();
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

int RunCorvane(HINSTANCE instance) noexcept {
    try {
        UniqueOwnedMutex mutex(::CreateMutexW(nullptr, TRUE, kSingleInstanceMutex));
        if (::GetLastError() == ERROR_ALREADY_EXISTS) {
            // Not ours to release: the other instance owns it.
            ::CloseHandle(mutex.Release());
            return 0;
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
            ::MessageBoxW(nullptr,
                          Tr(L"Direct2D kunne ikke startes.", L"Direct2D could not be started."),
                          L"Corvane", MB_ICONERROR);
            return 1;
        }

        int exitCode = 0;
        if (StartSubsystems(app)) {
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

void ReloadSettings() {
    App& app = TheApp();
    app.settings = LoadSettingsFile();
    LoadAppMenus();
    // Forgetting the window makes it a new application, so that everything
    // derived from the settings (language, menus) is built again.
    if (const HWND window = std::exchange(app.current.window, nullptr)) {
        EvaluateForeground(window);
    }
    SyncBars();
    if (app.control) {
        app.control->ArmClockTimer();
    }
}

void OnAudioDeviceChanged() {
    if (SystemStatus* status = TheApp().systemStatus.get()) {
        status->BindDefaultEndpoint();
    }
    RepaintAllBars();
}

void OnDisplaysChanged() { SyncBars(); }

void OnThemeChanged() {
    App& app = TheApp();
    app.theme = ReadTheme();
    ApplyMenuTheme(app.theme.dark);
    for (const auto& bar : app.bars) {
        bar->ApplyTheme();
    }
}

void OnToggleStartMenu() {}

void OnIconReady(LPARAM) {}

void OnTraySweep() {}

void OnStatusPoll() {
    if (SystemStatus* status = TheApp().systemStatus.get()) {
        status->RefreshNetwork();
    }
    RepaintAllBars();
}

void OnStatusDebounce() {
    if (SystemStatus* status = TheApp().systemStatus.get()) {
        status->ReadVolume();
        status->RefreshNetwork();
    }
    RepaintAllBars();
}

void OnFullscreenCheck() {
    FullscreenCheck();
}

void OnTilingRetile() {}

void OnTilingHotkey(int) {}

void OnPowerStatusChanged() {
    if (SystemStatus* status = TheApp().systemStatus.get()) {
        status->RefreshBattery();
    }
    RepaintAllBars();
}

}  // namespace corvane
