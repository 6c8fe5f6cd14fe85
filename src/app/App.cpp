#include "app/App.h"

#include "app/ControlWindow.h"
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
    : worker_(nullptr, [] { return std::shared_ptr<void>(std::make_shared<WorkerThreadScope>()); }),
      nowPlaying_({.instance = instance_,
                   .settings = settings_,
                   .theme = theme_,
                   .graphics = graphics_,
                   .worker = worker_,
                   .surfaces = *this}),
      docks_(
          {.instance = instance_,
           .settings = settings_,
           .theme = theme_,
           .graphics = graphics_,
           .nowPlaying = nowPlaying_,
           .worker = worker_,
           .open = *this,
           .writes = *this,
           .events = events_,
           .pinProgramPath = [this](std::wstring_view target) { return PinProgramPath(target); }}),
      barContext_{.instance = instance_,
                  .settings = settings_,
                  .theme = theme_,
                  .graphics = graphics_,
                  .current = current_,
                  .menus = menus_,
                  .status = systemStatus_,
                  .tray = tray_,
                  .nowPlaying = nowPlaying_,
                  .worker = worker_,
                  .open = *this,
                  .desktop = *this,
                  .host = *this},
      trayContext_{.instance = instance_,
                   .settings = settings_,
                   .taskbarCreatedMessage = taskbarCreatedMessage_,
                   .events = *this,
                   .desktop = *this,
                   .systemEvents = events_},
      tilingContext_{.settings = settings_, .desktop = *this, .host = *this, .events = events_},
      startContext_{.instance = instance_,
                    .settings = settings_,
                    .theme = theme_,
                    .graphics = graphics_,
                    .worker = worker_,
                    .open = *this,
                    .desktop = *this,
                    .dockPins = docks_,
                    .writes = *this,
                    .host = *this,
                    .launches = launches_} {}

App::~App() = default;

App& TheApp() noexcept {
    static App* const app = new App();
    return *app;
}

void App::RefreshBars() {
    for (const auto& bar : bars_) {
        bar->Relayout();
    }
}

void App::RepaintBars() noexcept {
    for (const auto& bar : bars_) {
        bar->Repaint();
    }
}

void App::SettingWritten(bool saved) {
    if (!saved) {
        SettingsNotSaved();
    }
}

bool App::TilingActive() const {
    return tiling_ && tiling_->Started();
}

void App::ToggleTiling() {
    settings_.tilingEnabled = !settings_.tilingEnabled;
    SettingWritten(WriteSetting(settings_, L"Tiling", L"Enabled", settings_.tilingEnabled));
    if (tiling_) {
        tiling_->ApplyTilingSettings();
    }
    RepaintBars();
    // The shortcut and the bar's button change what the Tiling page shows.
    RefreshSettingsWindow();
}

void App::ToggleNeverTile(const std::wstring& exeName) {
    settings_.floatingApps = corvane::ToggleNeverTile(std::move(settings_.floatingApps), exeName);
    SettingWritten(WriteSetting(settings_, L"Tiling", L"Float", settings_.floatingApps, L", "));
    if (tiling_) {
        tiling_->ArrangeSoon(kArrangeAfterFloatMs);
    }
    RefreshSettingsWindow();
}

bool App::IsFloating(HWND window) const {
    return tiling_ && tiling_->IsFloating(window);
}

void App::ToggleFloating(HWND window) {
    if (tiling_) {
        tiling_->ToggleFloating(window);
    }
}

void App::StartRetileTimer(unsigned milliseconds) {
    if (control_) {
        control_->StartTimer(TIMER_TILING_RETILE, milliseconds);
    }
}

void App::StopRetileTimer() {
    if (control_) {
        control_->StopTimer(TIMER_TILING_RETILE);
    }
}

void App::SetTilingLayout(int32_t layout) {
    settings_.tilingLayout = layout;
    SettingWritten(WriteSetting(settings_, L"Tiling", L"Layout", layout));
    RefreshSettingsWindow();
}

std::optional<int32_t> App::DockTop(HMONITOR display) const {
    return docks_.DockTop(display);
}

void App::PowerStatusChanged() {
    RefreshStatus([](SystemStatus& status) { status.RefreshBattery(); });
}

void App::RefreshStatus(void (*refresh)(SystemStatus& status)) {
    if (!systemStatus_) {
        return;
    }
    const StatusModel before = systemStatus_->Model();
    refresh(*systemStatus_);
    if (!StatusLooksSame(systemStatus_->Model(), before)) {
        RefreshBars();
    }
}

Bar* App::TrayBar() const noexcept {
    for (const auto& bar : bars_) {
        if (bar->IsMainBar()) {
            return bar.get();
        }
    }
    return bars_.empty() ? nullptr : bars_.front().get();
}

void App::TrayIconsChanged() {
    if (Bar* bar = TrayBar()) {
        bar->Relayout();
    }
}

bool App::TaskbarHiddenByDock() const {
    return docks_.HidesTaskbar();
}

void App::TaskbarCreated() {
    if (IsOwnTaskbarCreated()) {
        return;
    }
    for (const auto& bar : bars_) {
        bar->ExplorerRestarted();
    }
    for (const auto& dock : docks_) {
        dock->ExplorerRestarted();
    }
    if (garden_) {
        garden_->ExplorerRestarted();
    }
    if (tray_) {
        tray_->ScheduleBroadcast(trayperiods::kExplorerRestartMs);
    }
}

void App::SetTrayOrder(std::vector<std::wstring> order) {
    settings_.trayOrder = std::move(order);
}

void App::FinishTrayDrag(const std::wstring& hideExeName) {
    SettingWritten(corvane::FinishTrayDrag(settings_, hideExeName));
    RefreshBars();
    RefreshSettingsWindow();
}

void App::UnhideTrayEntry(const std::wstring& name) {
    SettingWritten(ShowHiddenTrayEntry(settings_, name));
    if (tray_) {
        tray_->RaiseAndBroadcast();
    }
    RefreshBars();
    // Programs answer the broadcast over the next moments: the bars (and the
    // settings window, which may be the caller and lists the hidden icons
    // by their tooltips) are drawn once more when most of them have.
    if (control_) {
        control_->StartTimer(TIMER_BAR_REPAINT, periods::kBarRepaintMs);
    }
}

void App::ToggleStartSurface(int32_t which, HMONITOR display) {
    const bool known = which >= 0 && which <= static_cast<int32_t>(StartChoice::Launcher);
    if (start_) {
        start_->ShowStartSurface(
            known ? static_cast<StartChoice>(which) : StartChoice::AsConfigured, display);
    }
}

std::wstring App::PinProgramPath(std::wstring_view target) {
    if (!start_) {
        return {};
    }
    const AppEntry* entry = FindPinnedEntry(start_->Catalog().GetApps(kBuildOnlyWhenEmpty), target);
    return entry != nullptr ? entry->exePath : std::wstring();
}

void App::SaveMenuPinned(std::vector<std::wstring> pinned) {
    settings_.menuPinned = std::move(pinned);
    settings_.menuPinnedSet = true;
    SettingWritten(WriteSetting(settings_, L"CorMenu", L"Pinned", settings_.menuPinned, L"|"));
    SettingWritten(WriteSetting(settings_, L"CorMenu", L"PinnedSet", true));
}

HWND App::CommandWindow() const {
    return control_ ? control_->Hwnd() : nullptr;
}

void App::IconsLoaded() {
    // The beds draw desktop entries from the catalog's cache.
    if (garden_) {
        garden_->RepaintBeds();
    }
}

IWICBitmapSource* App::GardenIcon(const AppEntry& entry, uint32_t px) {
    if (!start_) {
        return nullptr;
    }
    AppIconCache& icons = start_->Icons();
    if (icons.HasIcon(entry, px)) {
        // The cache keeps its reference for as long as the bed may draw it.
        return icons.GetIcon(entry, px).Get();
    }
    icons.RequestIcon(entry, px, true);
    return nullptr;
}

}  // namespace corvane
