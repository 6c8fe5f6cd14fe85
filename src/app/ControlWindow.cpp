#include "app/ControlWindow.h"

#include "app/App.h"
#include "app/ClockPeriod.h"
#include "app/Foreground.h"
#include "app/ForegroundHooks.h"
#include "app/KeyboardFocusGlue.h"
#include "app/Lifecycle.h"
#include "garden/Garden.h"
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

void ControlWindow::ArmClockTimer() noexcept {
    SYSTEMTIME now = {};
    ::GetLocalTime(&now);
    const int period = ClockPeriodMs(app_.settings.showSeconds, now.wSecond, now.wMilliseconds);
    StartTimer(TIMER_CLOCK, static_cast<unsigned>(period));
}

LRESULT ControlWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_APP_COMMAND:
            OnCommand(wParam, lParam);
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_HOTKEY:
            if (OnFocusHotkey(app_, static_cast<int>(wParam))) {
                return 0;
            }
            if (app_.tiling) {
                app_.tiling->OnHotkey(static_cast<int>(wParam));
            }
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

void ControlWindow::OnCommand(WPARAM code, LPARAM lParam) {
    switch (code) {
        case CMD_STATUS_CHANGED:
            // Callbacks come in bursts; one re-read covers them all.
            StartTimer(TIMER_STATUS_DEBOUNCE, periods::kStatusDebounceMs);
            break;
        case CMD_AUDIO_DEVICE_CHANGED:
            OnAudioDeviceChanged(app_);
            break;
        case CMD_RELOAD_SETTINGS:
            ReloadSettings(app_);
            break;
        case CMD_DISPLAYS_CHANGED:
            StartTimer(TIMER_DISPLAYS_SETTLE, periods::kDisplaysSettleMs);
            break;
        case CMD_SESSION_RESUMED:
            OnSessionResumed(app_);
            break;
        case CMD_THEME_CHANGED:
            OnThemeChanged(app_);
            break;
        case CMD_RECHECK_FULLSCREEN:
            StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenOnShellNoticeMs);
            break;
        case CMD_TOGGLE_START_MENU:
            // The Windows key or a hot corner: the surface opens where the
            // pointer is.
            app_.ToggleStartSurface(
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
            app_.worker.RunFinished();
            break;
        default:
            break;
    }
}

void ControlWindow::OnTimer(UINT_PTR id) {
    switch (id) {
        case TIMER_CLOCK:
            OnClockTick(app_);
            break;
        case TIMER_TRAY_SWEEP:
            OnTraySweep(app_);
            break;
        case TIMER_STATUS_POLL:
            OnStatusPoll(app_);
            break;
        case TIMER_STATUS_DEBOUNCE:
            StopTimer(TIMER_STATUS_DEBOUNCE);
            OnStatusDebounce(app_);
            break;
        case TIMER_FULLSCREEN_CHECK:
            StopTimer(TIMER_FULLSCREEN_CHECK);
            FullscreenCheck(app_);
            break;
        case TIMER_BAR_REPAINT:
            StopTimer(TIMER_BAR_REPAINT);
            app_.RepaintBars();
            app_.RefreshSettingsWindow();
            break;
        case TIMER_START_WARMUP:
            StopTimer(TIMER_START_WARMUP);
            if (app_.start) {
                app_.start->WarmUp();
            }
            break;
        case TIMER_DISPLAYS_SETTLE:
            // Stopped first: a change noticed while the rebuild runs arms
            // it again and gets a rebuild of its own.
            StopTimer(TIMER_DISPLAYS_SETTLE);
            OnDisplaysChanged(app_);
            break;
        case TIMER_FOREGROUND_LOOK:
            StopTimer(TIMER_FOREGROUND_LOOK);
            LookAgainAtForeground(app_);
            break;
        case TIMER_TILING_RETILE:
            StopTimer(TIMER_TILING_RETILE);
            if (app_.tiling) {
                app_.tiling->Arrange();
            }
            break;
        default:
            break;
    }
}

}  // namespace corvane
