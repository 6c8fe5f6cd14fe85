#include "app/App.h"
#include "app/ControlWindow.h"
#include "appmenus/NativeMenus.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "garden/Garden.h"
#include "identity/Fullscreen.h"

namespace corvane {

// The root's road of a foreground change: the location watch, the
// full-screen check, the current application, its menus and the bars.

void App::EvaluateForeground(HWND window) noexcept {
    if (!UpdateCurrentApplication(current_, window)) {
        return;
    }
    try {
        menus_ = ResolveAppMenus(window, current_.exeName);
    } catch (...) {
        menus_.clear();
    }
    RefreshBars();
}

void App::ForegroundChanged(HWND window) noexcept {
    lastForeground_ = window;
    WatchForegroundProcess(window);
    FullscreenCheck();
    // Check again once the window has settled into its final place.
    if (control_) {
        control_->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterForegroundMs);
    }
    for (const auto& dock : docks_) {
        dock->ForegroundChanged(window);
    }
    if (garden_) {
        garden_->KeepInDesktopLayer();
    }
    EvaluateForeground(window);
}

void App::FullscreenCheck() noexcept {
    const HMONITOR display = FindFullscreenDisplay();
    const HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    fullscreenOnMain_ = display != nullptr && display == main;
    for (const auto& bar : bars_) {
        bar->SetFullscreenHidden(display != nullptr && bar->Display() == display);
    }
    for (const auto& dock : docks_) {
        dock->Suppress(display != nullptr && dock->Display() == display);
    }
}

}  // namespace corvane
