#include "app/App.h"

#include "app/ControlWindow.h"
#include "app/ForegroundHooks.h"
#include "app/Displays.h"
#include "bar/AppNameMenuModel.h"
#include "bar/Bar.h"
#include "bar/StatusGlyphs.h"
#include "bar/SystemStatus.h"
#include "config/SettingsFile.h"
#include "config/SettingsLoader.h"
#include "dock/Dock.h"
#include "garden/Garden.h"
#include "identity/IconLoader.h"
#include "settings/SettingsWindow.h"
#include "start/CatalogRules.h"
#include "start/StartSurfaces.h"
#include "tiling/HotCornerWatcher.h"
#include "tray/TaskbarCreated.h"
#include "tray/TrayHost.h"
#include "tray/TrayLists.h"
#include "tray/TraySchedule.h"

#include <algorithm>

namespace corvane {
namespace {

// What each thread of the shared worker holds from its first job to its
// end: an apartment for the shell's objects and the icon loader's factory.
class WorkerThreadScope {
public:
    WorkerThreadScope() noexcept {
        // Background work gives way to the GUI thread's painting and input.
        ::SetThreadPriority(::GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
        if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_PPV_ARGS(&wic_)))) {
            SetThreadImagingFactory(wic_.Get());
        }
    }
    ~WorkerThreadScope() {
        SetThreadImagingFactory(nullptr);
        wic_.Reset();  // before the apartment closes
    }
    WorkerThreadScope(const WorkerThreadScope&) = delete;
    WorkerThreadScope& operator=(const WorkerThreadScope&) = delete;

private:
    ComApartment com_;
    Microsoft::WRL::ComPtr<IWICImagingFactory> wic_;
};

// A window or program leaving tiling: the others close up at once.
constexpr unsigned kArrangeAfterFloatMs = 10;

}  // namespace

App::App()
    : worker(nullptr, [] { return std::shared_ptr<void>(std::make_shared<WorkerThreadScope>()); }),
      nowPlaying({.instance = instance,
                  .settings = settings,
                  .theme = theme,
                  .graphics = graphics,
                  .worker = worker,
                  .surfaces = *this}),
      docks(
          {.instance = instance,
           .settings = settings,
           .theme = theme,
           .graphics = graphics,
           .nowPlaying = nowPlaying,
           .worker = worker,
           .open = *this,
           .writes = *this,
           .events = events,
           .pinProgramPath = [this](std::wstring_view target) { return PinProgramPath(target); }}),
      barContext{.instance = instance,
                 .settings = settings,
                 .theme = theme,
                 .graphics = graphics,
                 .current = current,
                 .menus = menus,
                 .status = systemStatus,
                 .tray = tray,
                 .nowPlaying = nowPlaying,
                 .worker = worker,
                 .open = *this,
                 .desktop = *this,
                 .host = *this},
      trayContext{.instance = instance,
                  .settings = settings,
                  .taskbarCreatedMessage = taskbarCreatedMessage,
                  .events = *this,
                  .desktop = *this,
                  .systemEvents = events},
      tilingContext{.settings = settings, .desktop = *this, .host = *this, .events = events},
      startContext{.instance = instance,
                   .settings = settings,
                   .theme = theme,
                   .graphics = graphics,
                   .worker = worker,
                   .open = *this,
                   .desktop = *this,
                   .dockPins = docks,
                   .writes = *this,
                   .host = *this,
                   .launches = launches} {}

App::~App() = default;

App& TheApp() noexcept {
    static App* const app = new App();
    return *app;
}

void App::RefreshBars() {
    for (const auto& bar : bars) {
        bar->Relayout();
    }
}

void App::RepaintBars() noexcept {
    for (const auto& bar : bars) {
        bar->Repaint();
    }
}

void App::SettingWritten(bool saved) {
    if (!saved) {
        SettingsNotSaved();
    }
}

bool App::TilingActive() const {
    return tiling && tiling->Started();
}

void App::ToggleTiling() {
    settings.tilingEnabled = !settings.tilingEnabled;
    SettingWritten(WriteSetting(settings, L"Tiling", L"Enabled", settings.tilingEnabled));
    if (tiling) {
        tiling->ApplyTilingSettings();
    }
    RepaintBars();
    // The shortcut and the bar's button change what the Tiling page shows.
    RefreshSettingsWindow();
}

void App::ToggleNeverTile(const std::wstring& exeName) {
    settings.floatingApps = corvane::ToggleNeverTile(std::move(settings.floatingApps), exeName);
    SettingWritten(WriteSetting(settings, L"Tiling", L"Float", settings.floatingApps, L", "));
    if (tiling) {
        tiling->ArrangeSoon(kArrangeAfterFloatMs);
    }
    RefreshSettingsWindow();
}

bool App::IsFloating(HWND window) const {
    return tiling && tiling->IsFloating(window);
}

void App::ToggleFloating(HWND window) {
    if (tiling) {
        tiling->ToggleFloating(window);
    }
}

void App::StartRetileTimer(unsigned milliseconds) {
    if (control) {
        control->StartTimer(TIMER_TILING_RETILE, milliseconds);
    }
}

void App::StopRetileTimer() {
    if (control) {
        control->StopTimer(TIMER_TILING_RETILE);
    }
}

void App::SetTilingLayout(int32_t layout) {
    settings.tilingLayout = layout;
    SettingWritten(WriteSetting(settings, L"Tiling", L"Layout", layout));
    RefreshSettingsWindow();
}

std::optional<int32_t> App::DockTop(HMONITOR display) const {
    return docks.DockTop(display);
}

void App::PowerStatusChanged() {
    RefreshStatus([](SystemStatus& status) { status.RefreshBattery(); });
}

void App::RefreshStatus(void (*refresh)(SystemStatus& status)) {
    if (!systemStatus) {
        return;
    }
    const StatusModel before = systemStatus->Model();
    refresh(*systemStatus);
    if (!StatusLooksSame(systemStatus->Model(), before)) {
        RefreshBars();
    }
}

Bar* App::TrayBar() const noexcept {
    for (const auto& bar : bars) {
        if (bar->IsMainBar()) {
            return bar.get();
        }
    }
    return bars.empty() ? nullptr : bars.front().get();
}

void App::TrayIconsChanged() {
    if (Bar* bar = TrayBar()) {
        bar->Relayout();
    }
}

bool App::TaskbarHiddenByDock() const {
    return docks.HidesTaskbar();
}

void App::TaskbarCreated() {
    if (IsOwnTaskbarCreated()) {
        return;
    }
    for (const auto& bar : bars) {
        bar->ExplorerRestarted();
    }
    for (const auto& dock : docks) {
        dock->ExplorerRestarted();
    }
    if (garden) {
        garden->ExplorerRestarted();
    }
    if (tray) {
        tray->ScheduleBroadcast(trayperiods::kExplorerRestartMs);
    }
}

void App::SetTrayOrder(std::vector<std::wstring> order) {
    settings.trayOrder = std::move(order);
}

void App::FinishTrayDrag(const std::wstring& hideExeName) {
    SettingWritten(corvane::FinishTrayDrag(settings, hideExeName));
    RefreshBars();
    RefreshSettingsWindow();
}

void App::UnhideTrayEntry(const std::wstring& name) {
    SettingWritten(ShowHiddenTrayEntry(settings, name));
    if (tray) {
        tray->RaiseAndBroadcast();
    }
    RefreshBars();
    // Programs answer the broadcast over the next moments: the bars (and the
    // settings window, which may be the caller and lists the hidden icons
    // by their tooltips) are drawn once more when most of them have.
    if (control) {
        control->StartTimer(TIMER_BAR_REPAINT, periods::kBarRepaintMs);
    }
}

void App::ToggleStartSurface(int32_t which, HMONITOR display) {
    const bool known = which >= 0 && which <= static_cast<int32_t>(StartChoice::Launcher);
    if (start) {
        start->ShowStartSurface(known ? static_cast<StartChoice>(which) : StartChoice::AsConfigured,
                                display);
    }
}

std::wstring App::PinProgramPath(std::wstring_view target) {
    if (!start) {
        return {};
    }
    const AppEntry* entry = FindPinnedEntry(start->Catalog().GetApps(kBuildOnlyWhenEmpty), target);
    return entry != nullptr ? entry->exePath : std::wstring();
}

void App::SaveMenuPinned(std::vector<std::wstring> pinned) {
    settings.menuPinned = std::move(pinned);
    settings.menuPinnedSet = true;
    SettingWritten(WriteSetting(settings, L"CorMenu", L"Pinned", settings.menuPinned, L"|"));
    SettingWritten(WriteSetting(settings, L"CorMenu", L"PinnedSet", true));
}

HWND App::CommandWindow() const {
    return control ? control->Hwnd() : nullptr;
}

void App::IconsLoaded() {
    // The beds draw desktop entries from the catalog's cache.
    if (garden) {
        garden->RepaintBeds();
    }
}

IWICBitmapSource* App::GardenIcon(const AppEntry& entry, uint32_t px) {
    if (!start) {
        return nullptr;
    }
    AppIconCache& icons = start->Icons();
    if (icons.HasIcon(entry, px)) {
        // The cache keeps its reference for as long as the bed may draw it.
        return icons.GetIcon(entry, px).Get();
    }
    icons.RequestIcon(entry, px, true);
    return nullptr;
}

}  // namespace corvane
