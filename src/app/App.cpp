#include "app/App.h"

#include "app/ControlWindow.h"
#include "bar/AppNameMenuModel.h"
#include "bar/Bar.h"
#include "bar/StatusGlyphs.h"
#include "bar/SystemStatus.h"
#include "config/SettingsFile.h"
#include "tray/TrayHost.h"

namespace corvane {

App::App()
    : barContext{.instance = instance,
                 .settings = settings,
                 .theme = theme,
                 .graphics = graphics,
                 .current = current,
                 .menus = menus,
                 .status = systemStatus,
                 .taskbarCreatedMessage = taskbarCreatedMessage,
                 .tray = tray,
                 .host = *this} {}

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
    // No tiling manager exists yet, so tiling never runs.
    return false;
}

void App::ToggleTiling() {
    settings.tilingEnabled = !settings.tilingEnabled;
    (void)WriteSetting(settings, L"Tiling", L"Enabled", settings.tilingEnabled);
    RepaintBars();
}

void App::ToggleNeverTile(const std::wstring& exeName) {
    settings.floatingApps = corvane::ToggleNeverTile(std::move(settings.floatingApps), exeName);
    (void)WriteSetting(settings, L"Tiling", L"Float", settings.floatingApps, L", ");
}

void App::PopupClosed() {
    if (barSyncDeferred) {
        barSyncDeferred = false;
        PostCommand(CMD_DISPLAYS_CHANGED);
    }
}

bool App::IgnoringTaskbarCreated() const {
    return ::GetTickCount64() <= ignoreTaskbarCreatedUntil;
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

// Until the tray host is wired in, these keep the interface whole.
void App::ExplorerRestarted() {}
void App::SetTrayOrder(std::vector<std::wstring> order) {
    settings.trayOrder = std::move(order);
}
void App::FinishTrayDrag(const std::wstring&) {}
void App::UnhideTrayEntry(const std::wstring&) {}

}  // namespace corvane
