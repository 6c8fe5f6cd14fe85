// The root's own subscriptions to the event hub: the foreground and focus
// events and the location watch on the foreground window's process.

#include "app/App.h"
#include "app/ControlWindow.h"
#include "identity/AppWindows.h"
#include "identity/ForegroundFromFocus.h"
#include "identity/WindowFacts.h"

#include <iterator>

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

}  // namespace

// Only a window other than the one handled last costs more than a few calls:
// focus moves far more often than the foreground.
void App::WeighForeground() noexcept {
    const HWND foreground = ::GetForegroundWindow();
    const FocusVerdict verdict =
        DecideForegroundFromFocus({.foreground = ToWindowId(foreground),
                                   .kind = KindOf(foreground),
                                   .focusedTop = ToWindowId(focusedTop_),
                                   .lastHandled = ToWindowId(lastForeground_)});
    if (verdict.front != 0) {
        ForegroundChanged(ToHwnd(verdict.front));
    }
    const auto looks = static_cast<int>(std::size(kLookAgainMs));
    if (verdict.lookAgain && foregroundLooks_ < looks && control_) {
        control_->StartTimer(TIMER_FOREGROUND_LOOK, kLookAgainMs[foregroundLooks_++]);
    }
}

void App::OnWinEvent(const WinEvent& event) noexcept {
    switch (event.event) {
        case EVENT_SYSTEM_FOREGROUND:
            if (event.object == OBJID_WINDOW) {
                ForegroundChanged(event.window);
            }
            break;
        case EVENT_OBJECT_FOCUS:
            focusedTop_ = FocusedTopLevel(event.window, event.object);
            foregroundLooks_ = 0;
            WeighForeground();
            break;
        case EVENT_OBJECT_LOCATIONCHANGE:
            if (event.window == ::GetForegroundWindow() && control_) {
                control_->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterMoveMs);
            }
            break;
        default:
            break;
    }
}

void App::LookAgainAtForeground() noexcept {
    // The window may have closed or hidden since it took the focus.
    if (!CanBeFront(focusedTop_)) {
        focusedTop_ = nullptr;
    }
    WeighForeground();
}

void App::InstallForegroundHooks() noexcept {
    try {
        foregroundEvents_ = events_.Subscribe({.first = EVENT_SYSTEM_FOREGROUND,
                                               .last = EVENT_SYSTEM_FOREGROUND,
                                               .skipOwnProcess = true},
                                              *this);
        focusEvents_ = events_.Subscribe(
            {.first = EVENT_OBJECT_FOCUS, .last = EVENT_OBJECT_FOCUS, .skipOwnProcess = true},
            *this);
        frontMoves_ = events_.SubscribeFrontLocation(*this);
    } catch (...) {
        // Without them the bar names the application it found at start-up.
    }
}

void App::WatchForegroundProcess(HWND window) noexcept {
    events_.FollowForegroundProcess(window);
}

void App::RemoveForegroundHooks() noexcept {
    foregroundEvents_.Reset();
    focusEvents_.Reset();
    frontMoves_.Reset();
}

}  // namespace corvane
