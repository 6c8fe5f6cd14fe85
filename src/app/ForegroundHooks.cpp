#include "app/ForegroundHooks.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/Foreground.h"
#include "identity/AppWindows.h"
#include "identity/ForegroundFromFocus.h"
#include "identity/WindowFacts.h"

#include <iterator>

namespace corvane {
namespace {

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                DWORD) noexcept {
    if (idObject != OBJID_WINDOW) {
        return;
    }
    OnForegroundChanged(TheApp(), window);
}

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

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                           DWORD) noexcept {
    App& app = TheApp();
    app.focusedTop = FocusedTopLevel(window, idObject);
    app.foregroundLooks = 0;
    WeighForeground(app);
}

void CALLBACK OnLocationEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                              DWORD) noexcept {
    if (idObject != OBJID_WINDOW || window != ::GetForegroundWindow()) {
        return;
    }
    App& app = TheApp();
    if (app.control) {
        app.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterMoveMs);
    }
}

}  // namespace

void LookAgainAtForeground(App& app) noexcept {
    // The window may have closed or hidden since it took the focus.
    if (!CanBeFront(app.focusedTop)) {
        app.focusedTop = nullptr;
    }
    WeighForeground(app);
}

void InstallForegroundHooks(App& app) noexcept {
    constexpr DWORD kFlags = WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS;
    app.foregroundHook.Reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND,
                                               nullptr, &OnForegroundEvent, 0, 0, kFlags));
    app.focusHook.Reset(::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
                                          &OnFocusEvent, 0, 0, kFlags));
}

void WatchForegroundProcess(App& app, HWND window) noexcept {
    DWORD pid = 0;
    if (window != nullptr) {
        ::GetWindowThreadProcessId(window, &pid);
    }
    if (pid == app.locationHookProcess) {
        return;
    }
    app.locationHook.Reset();
    app.locationHookProcess = pid;
    if (pid != 0 && pid != ::GetCurrentProcessId()) {
        app.locationHook.Reset(::SetWinEventHook(EVENT_OBJECT_LOCATIONCHANGE,
                                                 EVENT_OBJECT_LOCATIONCHANGE, nullptr,
                                                 &OnLocationEvent, pid, 0, WINEVENT_OUTOFCONTEXT));
    }
}

void RemoveForegroundHooks(App& app) noexcept {
    app.foregroundHook.Reset();
    app.focusHook.Reset();
    app.locationHook.Reset();
    app.locationHookProcess = 0;
}

}  // namespace corvane
