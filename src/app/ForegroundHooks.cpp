// The root's foreground and focus WinEvent hooks and the location watch on
// the foreground window's process.

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

void CALLBACK App::OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                     DWORD) noexcept {
    if (idObject != OBJID_WINDOW) {
        return;
    }
    TheApp().ForegroundChanged(window);
}

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

void CALLBACK App::OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                DWORD) noexcept {
    App& app = TheApp();
    app.focusedTop_ = FocusedTopLevel(window, idObject);
    app.foregroundLooks_ = 0;
    app.WeighForeground();
}

void CALLBACK App::OnLocationEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                   DWORD) noexcept {
    if (idObject != OBJID_WINDOW || window != ::GetForegroundWindow()) {
        return;
    }
    App& app = TheApp();
    if (app.control_) {
        app.control_->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterMoveMs);
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
    constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    foregroundHook_.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                            nullptr, &OnForegroundEvent, 0, 0, kFlags));
    focusHook_.Reset(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                       &OnFocusEvent, 0, 0, kFlags));
}

void App::WatchForegroundProcess(HWND window) noexcept {
    DWORD pid = 0;
    if (window != nullptr) {
        ::GetWindowThreadProcessId(window, &pid);
    }
    if (pid == locationHookProcess_) {
        return;
    }
    locationHook_.Reset();
    locationHookProcess_ = pid;
    if (pid != 0 && pid != ::GetCurrentProcessId()) {
        locationHook_.Reset(::SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE,
                                              EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                              &OnLocationEvent, pid, 0, WINEVENT_OUTOFCONTEXT));
    }
}

void App::RemoveForegroundHooks() noexcept {
    foregroundHook_.Reset();
    focusHook_.Reset();
    locationHook_.Reset();
    locationHookProcess_ = 0;
}

}  // namespace corvane
