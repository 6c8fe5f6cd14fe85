#include "app/App.h"

#include "app/ControlWindow.h"
#include "app/Displays.h"
#include "bar/AppNameMenuModel.h"
#include "bar/Bar.h"
#include "bar/StatusGlyphs.h"
#include "bar/SystemStatus.h"
#include "config/SettingsFile.h"
#include "config/SettingsLoader.h"
#include "config/Win32ProfileStore.h"
#include "dock/Dock.h"
#include "garden/Garden.h"
#include "identity/IconLoader.h"
#include "nowplaying/NowPlayingSource.h"
#include "nowplaying/NowPlayingCard.h"
#include "settings/SettingsWindow.h"
#include "start/CatalogRules.h"
#include "start/StartSurfaces.h"
#include "tiling/HotCornerWatcher.h"
#include "tray/TaskbarCreated.h"
#include "tray/TrayHost.h"
#include "tray/TraySchedule.h"
#include "tray/TrayStrip.h"

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

// The dock's pinned list becomes `pinned`; every dock but `from` (which
// already shows it) builds its items again.
void SaveDockPins(App& app, std::vector<std::wstring> pinned, const Dock* from) {
    app.settings.pinned = std::move(pinned);
    app.settings.pinnedPresent = true;
    app.SaveResult(WriteSetting(app.settings, L"Dock", L"Pinned", app.settings.pinned, L"|"));
    for (const auto& dock : app.docks) {
        if (dock.get() != from) {
            dock->ScheduleRebuild(dockperiods::kRebuildAfterSaveMs);
        }
    }
}

}  // namespace

App::App()
    : worker(nullptr, [] { return std::shared_ptr<void>(std::make_shared<WorkerThreadScope>()); }),
      barContext{.instance = instance,
                 .settings = settings,
                 .theme = theme,
                 .graphics = graphics,
                 .current = current,
                 .menus = menus,
                 .status = systemStatus,
                 .tray = tray,
                 .nowPlaying = *this,
                 .worker = worker,
                 .host = *this},
      trayContext{.instance = instance,
                  .settings = settings,
                  .taskbarCreatedMessage = taskbarCreatedMessage,
                  .events = *this},
      dockContext{.instance = instance,
                  .settings = settings,
                  .theme = theme,
                  .graphics = graphics,
                  .nowPlaying = *this,
                  .worker = worker,
                  .host = *this},
      tilingContext{.settings = settings, .host = *this},
      startContext{.instance = instance,
                   .settings = settings,
                   .theme = theme,
                   .graphics = graphics,
                   .worker = worker,
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

void App::PostCommand(Command command) {
    if (control && control->Hwnd() != nullptr) {
        ::PostMessageW(control->Hwnd(), WM_APP_COMMAND, command, 0);
    }
}

bool App::TilingActive() const {
    return tiling && tiling->Started();
}

void App::ToggleTiling() {
    settings.tilingEnabled = !settings.tilingEnabled;
    SaveResult(WriteSetting(settings, L"Tiling", L"Enabled", settings.tilingEnabled));
    if (tiling) {
        tiling->ApplyTilingSettings();
    }
    RepaintBars();
    // The shortcut and the bar's button change what the Tiling page shows.
    RefreshSettingsWindow();
}

void App::ToggleNeverTile(const std::wstring& exeName) {
    settings.floatingApps = corvane::ToggleNeverTile(std::move(settings.floatingApps), exeName);
    SaveResult(WriteSetting(settings, L"Tiling", L"Float", settings.floatingApps, L", "));
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

HWND App::HotkeyWindow() const {
    return control ? control->Hwnd() : nullptr;
}

void App::ToggleTilingEnabled() {
    ToggleTiling();
}

void App::SetTilingLayout(int32_t layout) {
    settings.tilingLayout = layout;
    SaveResult(WriteSetting(settings, L"Tiling", L"Layout", layout));
    RefreshSettingsWindow();
}

std::optional<int32_t> App::DockTop(HMONITOR display) const {
    if (const Dock* dock = DockForDisplay(*this, display)) {
        return dock->WindowRect().top;
    }
    return std::nullopt;
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
    return std::any_of(docks.begin(), docks.end(),
                       [](const std::unique_ptr<Dock>& dock) { return dock->HidesTaskbar(); });
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
    if (!hideExeName.empty()) {
        settings.trayHidden = HideTrayProgram(std::move(settings.trayHidden), hideExeName);
    }
    SaveResult(SaveTrayLists(settings));
    RefreshBars();
    RefreshSettingsWindow();
}

void App::UnhideTrayEntry(const std::wstring& name) {
    settings.trayHidden = corvane::UnhideTrayEntry(std::move(settings.trayHidden), name);
    SaveResult(SaveTrayLists(settings));
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

void App::SavePinned(const Dock& from, std::vector<std::wstring> pinned) {
    SaveDockPins(*this, std::move(pinned), &from);
}

std::wstring App::PinProgramPath(std::wstring_view target) {
    if (!start) {
        return {};
    }
    const AppEntry* entry = FindPinnedEntry(start->Catalog().GetApps(kBuildOnlyWhenEmpty), target);
    return entry != nullptr ? entry->exePath : std::wstring();
}

void App::SetHideTaskbar(bool hide) {
    settings.hideTaskbar = hide;
    SaveResult(WriteSetting(settings, L"Dock", L"HideTaskbar", hide));
    // Whichever dock's menu asked, the dock that holds the taskbar follows.
    for (const auto& dock : docks) {
        dock->TaskbarSettingChanged();
    }
}

void App::ToggleStartSurface(HMONITOR display) {
    if (start) {
        start->ShowStartSurface(StartChoice::AsConfigured, display);
    }
}

void App::SaveDockPinned(std::vector<std::wstring> pinned) {
    SaveDockPins(*this, std::move(pinned), nullptr);
}

void App::SaveMenuPinned(std::vector<std::wstring> pinned) {
    settings.menuPinned = std::move(pinned);
    settings.menuPinnedSet = true;
    SaveResult(WriteSetting(settings, L"CorMenu", L"Pinned", settings.menuPinned, L"|"));
    SaveResult(WriteSetting(settings, L"CorMenu", L"PinnedSet", true));
}

std::wstring App::LauncherOrder() const {
    Win32ProfileStore store(settings.filePath);
    return ReadWholeString(store, L"CorLauncher", L"Order", L"");
}

void App::SaveLauncherOrder(const std::wstring& order) {
    SaveResult(WriteSetting(settings, L"CorLauncher", L"Order", std::wstring_view(order)));
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
