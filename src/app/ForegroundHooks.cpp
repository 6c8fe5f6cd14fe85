#include "app/ForegroundHooks.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/Foreground.h"

namespace corvane {
namespace {

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                DWORD) noexcept {
    if (idObject != OBJID_WINDOW) {
        return;
    }
    OnForegroundChanged(TheApp(), window);
}

// Focus moves far more often than the foreground; only a foreground window
// that differs from the one handled last costs more than one call.
void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) noexcept {
    App& app = TheApp();
    const HWND foreground = ::GetForegroundWindow();
    if (foreground == nullptr || foreground == app.lastForeground) {
        return;
    }
    DWORD pid = 0;
    ::GetWindowThreadProcessId(foreground, &pid);
    if (pid == ::GetCurrentProcessId()) {
        return;
    }
    OnForegroundChanged(app, foreground);
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
