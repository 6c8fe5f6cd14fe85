#include "app/ForegroundHooks.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "app/Foreground.h"
#include "app/Lifecycle.h"

namespace corvane {
namespace {

void CALLBACK OnForegroundEvent(HWINEVENTHOOK, DWORD, HWND window, LONG idObject, LONG, DWORD,
                                DWORD) noexcept {
    if (idObject != OBJID_WINDOW) {
        return;
    }
    App& app = TheApp();
    WatchForegroundProcess(window);
    OnFullscreenCheck();
    // Check again once the window has settled into its final place.
    if (app.control) {
        app.control->StartTimer(TIMER_FULLSCREEN_CHECK, periods::kFullscreenAfterForegroundMs);
    }
    EvaluateForeground(window);
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

void InstallForegroundHook() noexcept {
    TheApp().foregroundHook.Reset(::SetWinEventHook(
        EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnForegroundEvent, 0, 0,
        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void WatchForegroundProcess(HWND window) noexcept {
    App& app = TheApp();
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

void RemoveForegroundHooks() noexcept {
    App& app = TheApp();
    app.foregroundHook.Reset();
    app.locationHook.Reset();
    app.locationHookProcess = 0;
}

}  // namespace corvane
