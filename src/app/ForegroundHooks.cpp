#include "app/ForegroundHooks.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/Foreground.h"
#include "identity/AppWindows.h"
#include "identity/ForegroundFromFocus.h"
#include "identity/WindowFacts.h"

#include <iterator>
#include <memory>

namespace corvane {
namespace {

// Looks after a focus change, each this much later than the one before: the
// system may report the new foreground only once the program has settled.
constexpr unsigned kLookAgainMs[] = {100, 400, 1500};

bool IsOurs(HWND window) noexcept {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    return pid == ::GetCurrentProcessId();
}

// A top-level window that may name the application in front: shown, another
// program's, not the desktop.
bool CanBeFront(HWND window) noexcept {
    return window != nullptr && ::IsWindowVisible(window) && !IsOurs(window) &&
           !IsDesktopSurface(window);
}

// The top-level window of a focused control or window, when it can be front.
HWND FocusedTopLevel(HWND window, LONG idObject) noexcept {
    if (window == nullptr || (idObject != OBJID_CLIENT && idObject != OBJID_WINDOW)) {
        return nullptr;
    }
    const HWND top = ::GetAncestor(window, GA_ROOT);
    return CanBeFront(top) ? top : nullptr;
}

ForegroundKind KindOf(HWND window) noexcept {
    if (window == nullptr) {
        return ForegroundKind::None;
    }
    if (IsOurs(window)) {
        return ForegroundKind::Ours;
    }
    return IsDesktopSurface(window) ? ForegroundKind::Desktop : ForegroundKind::App;
}

// Only a window other than the one handled last costs more than a few calls:
// focus moves far more often than the foreground.
void WeighForeground(App& app) noexcept {
    const HWND foreground = ::GetForegroundWindow();
    const FocusVerdict verdict =
        DecideForegroundFromFocus({.foreground = ToWindowId(foreground),
                                   .kind = KindOf(foreground),
                                   .focusedTop = ToWindowId(app.focusedTop),
                                   .lastHandled = ToWindowId(app.lastForeground)});
    if (verdict.front != 0) {
        OnForegroundChanged(app, ToHwnd(verdict.front));
    }
    const auto looks = static_cast<int>(std::size(kLookAgainMs));
    if (verdict.lookAgain && app.foregroundLooks < looks && app.control) {
        app.control->StartTimer(TIMER_FOREGROUND_LOOK, kLookAgainMs[app.foregroundLooks++]);
    }
}

}  // namespace

ForegroundHooks::ForegroundHooks(App& app)
    : app_(app),
      foreground_(app.events.Subscribe({.first = EVENT_SYSTEM_FOREGROUND,
                                        .last = EVENT_SYSTEM_FOREGROUND,
                                        .skipOwnProcess = true},
                                       *this)),
      focus_(app.events.Subscribe(
          {.first = EVENT_OBJECT_FOCUS, .last = EVENT_OBJECT_FOCUS, .skipOwnProcess = true},
          *this)),
      location_(app.events.SubscribeFrontLocation(*this)) {}

void ForegroundHooks::OnWinEvent(const WinEvent& event) noexcept {
    switch (event.event) {
        case EVENT_SYSTEM_FOREGROUND:
            if (event.object == OBJID_WINDOW) {
                OnForegroundChanged(app_, event.window);
            }
            break;
        case EVENT_OBJECT_FOCUS:
            app_.focusedTop = FocusedTopLevel(event.window, event.object);
            app_.foregroundLooks = 0;
            WeighForeground(app_);
            break;
        case EVENT_OBJECT_LOCATIONCHANGE:
            if (event.window == ::GetForegroundWindow() && app_.control) {
                app_.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterMoveMs);
            }
            break;
        default:
            break;
    }
}

void LookAgainAtForeground(App& app) noexcept {
    // The window may have closed or hidden since it took the focus.
    if (!CanBeFront(app.focusedTop)) {
        app.focusedTop = nullptr;
    }
    WeighForeground(app);
}

void InstallForegroundHooks(App& app) noexcept {
    try {
        app.foregroundHooks = std::make_unique<ForegroundHooks>(app);
    } catch (...) {
        // Without them the bar names the application it found at start-up.
    }
}

void WatchForegroundProcess(App& app, HWND window) noexcept {
    app.events.FollowForegroundProcess(window);
}

void RemoveForegroundHooks(App& app) noexcept {
    app.foregroundHooks.reset();
}

}  // namespace corvane
