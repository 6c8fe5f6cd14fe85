#include "app/ControlWindow.h"

#include "app/App.h"
#include "app/ClockPeriod.h"
#include "bar/SystemStatus.h"
#include "start/StartSurfaces.h"

namespace corvane {

bool ControlWindow::Create(HINSTANCE instance) noexcept {
    if (!RegisterWindowClass(instance, kControlWindowClass, 0, nullptr)) {
        return false;
    }
    return CreateBound(0, kControlWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, instance) !=
           nullptr;
}

void ControlWindow::StartTimer(ControlTimer id, unsigned milliseconds) noexcept {
    if (Hwnd() != nullptr) {
        ::SetTimer(Hwnd(), id, milliseconds, nullptr);
    }
}

void ControlWindow::StopTimer(ControlTimer id) noexcept {
    if (Hwnd() != nullptr) {
        ::KillTimer(Hwnd(), id);
    }
}

void ControlWindow::ArmClockTimer(bool showSeconds) noexcept {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const int period = ClockPeriodMs(showSeconds, now.wSecond, now.wMilliseconds);
    StartTimer(TIMER_CLOCK, static_cast<unsigned>(period));
}

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_APP_COMMAND:
            events_.Command(wParam, lParam);
            return 0;
        case WM_TIMER:
            events_.Timer(wParam);
            return 0;
        case WM_HOTKEY:
            events_.Hotkey(static_cast<int>(wParam));
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

// The root's side of the control window: what its messages set going.

void App::Hotkey(int id) {
    if (HandleFocusHotkey(id)) {
        return;
    }
    if (tiling_) {
        tiling_->OnHotkey(id);
    }
}

void App::Command(WPARAM code, LPARAM lParam) {
    switch (code) {
        case CMD_STATUS_CHANGED:
            // Callbacks come in bursts; one re-read covers them all.
            control_->StartTimer(TIMER_STATUS_DEBOUNCE, periods::kStatusDebounceMs);
            break;
        case CMD_AUDIO_DEVICE_CHANGED:
            RefreshStatus([](SystemStatus& status) { status.BindDefaultEndpoint(); });
            break;
        case CMD_RELOAD_SETTINGS:
            ReloadSettings();
            break;
        case CMD_DISPLAYS_CHANGED:
            control_->StartTimer(TIMER_DISPLAYS_SETTLE, periods::kDisplaysSettleMs);
            break;
        case CMD_SESSION_RESUMED:
            SessionResumed();
            break;
        case CMD_THEME_CHANGED:
            ThemeChanged();
            break;
        case CMD_RECHECK_FULLSCREEN:
            control_->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenOnShellNoticeMs);
            break;
        case CMD_TOGGLE_START_MENU:
            // The Windows key or a hot corner: the surface opens where the
            // pointer is.
            ToggleStartSurface(
                lParam >= 0 && lParam <= INT32_MAX ? static_cast<int32_t>(lParam) : -1, nullptr);
            break;
        case CMD_ECHO: {
            // Any process may post this: the handle is only posted to.
            const auto watcher = reinterpret_cast<HWND>(lParam);
            if (watcher != nullptr && ::IsWindow(watcher)) {
                ::PostMessageW(watcher, WM_APP_COMMAND, CMD_ECHO, 0);
            }
            break;
        }
        case CMD_WORK_DONE:
            worker_.RunFinished();
            break;
        default:
            break;
    }
}

void App::Timer(UINT_PTR id) {
    switch (id) {
        case TIMER_CLOCK:
            RefreshBars();
            control_->ArmClockTimer(settings_.showSeconds);
            break;
        case TIMER_TRAY_SWEEP:
            SweepTray();
            break;
        case TIMER_STATUS_POLL:
            RefreshStatus([](SystemStatus& status) { status.RefreshNetwork(); });
            break;
        case TIMER_STATUS_DEBOUNCE:
            control_->StopTimer(TIMER_STATUS_DEBOUNCE);
            RefreshStatus([](SystemStatus& status) {
                status.ReadVolume();
                status.RefreshNetwork();
            });
            break;
        case TIMER_FULLSCREEN_CHECK:
            control_->StopTimer(TIMER_FULLSCREEN_CHECK);
            FullscreenCheck();
            break;
        case TIMER_BAR_REPAINT:
            control_->StopTimer(TIMER_BAR_REPAINT);
            RepaintBars();
            RefreshSettingsWindow();
            break;
        case TIMER_START_WARMUP:
            control_->StopTimer(TIMER_START_WARMUP);
            if (start_) {
                start_->WarmUp();
            }
            break;
        case TIMER_DISPLAYS_SETTLE:
            // Stopped first: a change noticed while the rebuild runs arms
            // it again and gets a rebuild of its own.
            control_->StopTimer(TIMER_DISPLAYS_SETTLE);
            DisplaysChanged();
            break;
        case TIMER_FOREGROUND_LOOK:
            control_->StopTimer(TIMER_FOREGROUND_LOOK);
            LookAgainAtForeground();
            break;
        case TIMER_TILING_RETILE:
            control_->StopTimer(TIMER_TILING_RETILE);
            if (tiling_) {
                tiling_->Arrange();
            }
            break;
        default:
            break;
    }
}

}  // namespace corvane
