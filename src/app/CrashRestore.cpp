#include "app/CrashRestore.h"

#include "app/App.h"
#include "app/DesktopGuard.h"
#include "bar/Bar.h"
#include "dock/CenterStart.h"
#include "dock/TaskbarHider.h"
#include "garden/DesktopIcons.h"
#include "tray/TrayHost.h"

#include <shellapi.h>

#include <atomic>

namespace corvane {
namespace {

// Set by whichever way out gives the desktop back first; the handlers may
// run on any thread, and one may lead into another.
std::atomic<bool> g_givenBack{false};

// A desktop toolbar whose process died keeps its strip reserved: the bars'
// registrations go, found by class without touching their objects.
void RemoveBarStrips() noexcept {
    const DWORD process = ::GetCurrentProcessId();
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, kBarWindowClass, nullptr)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == process) {
            APPBARDATA abd = {};
            abd.cbSize = sizeof(abd);
            abd.hWnd = window;
            ::SHAppBarMessage(ABM_REMOVE, &abd);
        }
    }
}

}  // namespace

void RestoreDesktopAfterCrash() noexcept {
    if (g_givenBack.exchange(true)) {
        return;
    }
    // The user would be left without a taskbar until the next sign-in.
    RestoreTaskbar();
    // Programs gave their notification icons to us, not to Explorer.
    ReturnTrayIconsAfterCrash();
    RemoveBarStrips();
    // The beds die with the process; Explorer's own icons must not stay hidden.
    ShowDesktopIconsAfterCrash();
    // A centred taskbar would outlive the process until Corvane ran again;
    // only a value this program remembered is put back. Last, because telling
    // Explorer reaches every top-level window, ours included.
    SetCenterStart(false);
    WaitForCenterStartBroadcasts();
}

void RestoreDesktopAfterGuard(const GuardRestore& what) noexcept {
    if (what.taskbar) {
        RestoreTaskbar();
    }
    if (what.desktopIcons) {
        SetDesktopIconsVisible(true);
    }
    // Last, as after a crash; the guard's broadcast reaches no window of its own.
    if (what.startAlignment) {
        SetCenterStart(false);
        WaitForCenterStartBroadcasts();
    }
}

void DesktopGivenBack() noexcept {
    g_givenBack.store(true);
    SayGoodbyeToDesktopGuard();
}

}  // namespace corvane
