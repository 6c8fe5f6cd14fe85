#include "app/Foreground.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/ForegroundHooks.h"
#include "appmenus/NativeMenus.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "garden/Garden.h"
#include "identity/Fullscreen.h"

namespace corvane {

void EvaluateForeground(App& app, HWND window) noexcept {
    if (!UpdateCurrentApplication(app.current, window)) {
        return;
    }
    try {
        app.menus = ResolveAppMenus(window, app.current.exeName);
    } catch (...) {
        app.menus.clear();
    }
    app.RefreshBars();
}

void OnForegroundChanged(App& app, HWND window) noexcept {
    app.lastForeground = window;
    WatchForegroundProcess(app, window);
    FullscreenCheck(app);
    // Check again once the window has settled into its final place.
    if (app.control) {
        app.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterForegroundMs);
    }
    for (const auto& dock : app.docks) {
        dock->ForegroundChanged(window);
    }
    if (app.garden) {
        app.garden->KeepInDesktopLayer();
    }
    EvaluateForeground(app, window);
}

void FullscreenCheck(App& app) noexcept {
    const HMONITOR display = FindFullscreenDisplay();
    const HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    app.fullscreenOnMain = display != nullptr && display == main;
    for (const auto& bar : app.bars) {
        bar->SetFullscreenHidden(display != nullptr && bar->Display() == display);
    }
    for (const auto& dock : app.docks) {
        dock->Suppress(display != nullptr && dock->Display() == display);
    }
}

}  // namespace corvane
