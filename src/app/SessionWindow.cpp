#include "app/SessionWindow.h"

#include "app/EventHub.h"
#include "app/RootEvents.h"
#include "base/Commands.h"
#include "base/DynamicApis.h"
#include "tiling/TilingManager.h"
#include "toolkit/HostServices.h"

namespace corvane {
namespace {

constexpr UINT kRegisterRetryMs = 5000;
// Two minutes: long enough for a slow start, and then the session services
// are not coming.
constexpr int kRegisterTries = 24;

}  // namespace

bool SessionWindow::Create(HINSTANCE instance) noexcept {
    // Watching before the window exists: a text size set once it can be
    // found is not missed. The control window outlives this one; posting to
    // it is safe from the watch's thread.
    try {
        textScaleWatch_ = TextScaleWatch([control = context_.desktop.CommandWindow()] {
            ::PostMessageW(control, WM_APP_COMMAND, CMD_THEME_CHANGED, 0);
        });
    } catch (...) {
        // Out of memory: a new text size shows at the next theme change.
    }
    if (!RegisterWindowClass(instance, kSessionWindowClass, 0, nullptr)) {
        return false;
    }
    // Never shown: a tool window stays out of Alt+Tab should anything show it.
    if (CreateBound(WS_EX_TOOLWINDOW, kSessionWindowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                    instance) == nullptr) {
        return false;
    }
    // The shell's notices come here for every dock, which come and go.
    context_.hub.SetShellWindow(Hwnd());
    // Battery saver turns the glass off; without the notification the glass
    // follows it at the next theme change.
    powerSavingNotify_.Reset(::RegisterPowerSettingNotification(Hwnd(), &sdk::kPowerSavingStatus,
                                                                DEVICE_NOTIFY_WINDOW_HANDLE));
    // Started with Windows, this can come before the session services are
    // up, and the call fails until they are: it is tried again a while.
    if (!RegisterForSessionChanges()) {
        ::SetTimer(Hwnd(), TIMER_SESSION_REGISTER_RETRY, kRegisterRetryMs, nullptr);
    }
    return true;
}

bool SessionWindow::RegisterForSessionChanges() noexcept {
    // Without it an unlock goes unseen; waking is told to every window.
    if (!::WTSRegisterSessionNotification(Hwnd(), NOTIFY_FOR_THIS_SESSION)) {
        return false;
    }
    sessionNotify_.Reset(Hwnd());
    return true;
}

SessionWindow::~SessionWindow() {
    context_.hub.SetShellWindow(nullptr);
}

LRESULT SessionWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (context_.hub.TakeShellMessage(message, wParam, lParam)) {
        return 0;
    }
    // Explorer's taskbar stood up, or our tray host came or went: the one
    // place that hears it, for every bar, dock and bed, which come and go
    // with the displays.
    if (message == context_.taskbarCreatedMessage && message != 0) {
        context_.events.TaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_QUERYENDSESSION:
            // Nothing here is worth keeping the user waiting for (so no
            // block reason is ever registered): what is unsaved is saved
            // once the end is certain.
            return TRUE;
        case WM_ENDSESSION:
            // Windows may end the process as soon as this returns, so the
            // desktop is given back before it does. A cancelled end leaves
            // everything running.
            if (wParam != FALSE) {
                context_.events.SessionEnding();
            }
            return 0;
        case WM_SETTINGCHANGE:
            // Dark or light, the accent and Transparency effects all come as
            // this one change; high contrast and animation effects come as
            // their own.
            if ((lParam != 0 && ::lstrcmpiW(reinterpret_cast<const wchar_t*>(lParam),
                                            L"ImmersiveColorSet") == 0) ||
                wParam == SPI_SETHIGHCONTRAST || wParam == SPI_SETCLIENTAREAANIMATION) {
                PostCommand(context_.desktop, CMD_THEME_CHANGED);
            }
            // Not a rebuild: the bars' own strips change the work area,
            // and a rebuild would change it again. Tiled windows follow.
            if (wParam == SPI_SETWORKAREA) {
                context_.tiling.StartRetileTimer(periods::kDisplaysSettleMs);
            }
            return 0;
        // A high-contrast scheme's colours change with it. (Not
        // WM_THEMECHANGED, which a switch of scheme sends as well: setting
        // the menus' theme may send it again.)
        case WM_SYSCOLORCHANGE:
            PostCommand(context_.desktop, CMD_THEME_CHANGED);
            return 0;
        // The bars tell display changes too, but there may be none, and a
        // scale change is told only to the windows on that display.
        case WM_DISPLAYCHANGE:
        case WM_DPICHANGED:
            PostCommand(context_.desktop, CMD_DISPLAYS_CHANGED);
            return 0;
        case WM_TIMER:
            if (wParam == TIMER_SESSION_REGISTER_RETRY &&
                (RegisterForSessionChanges() || ++registerTries_ >= kRegisterTries)) {
                ::KillTimer(Hwnd(), TIMER_SESSION_REGISTER_RETRY);
            }
            return 0;
        case WM_WTSSESSION_CHANGE:
            if (wParam == WTS_SESSION_UNLOCK) {
                PostCommand(context_.desktop, CMD_SESSION_RESUMED);
            }
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_POWERSETTINGCHANGE && lParam != 0 &&
                reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam)->PowerSetting ==
                    sdk::kPowerSavingStatus) {
                PostCommand(context_.desktop, CMD_THEME_CHANGED);
            }
            // The first comes on every wake, the second only once a person
            // is there; the display rebuild both ask for is made once.
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
                PostCommand(context_.desktop, CMD_SESSION_RESUMED);
            }
            return TRUE;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
