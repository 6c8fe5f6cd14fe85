#include "app/CrashRestore.h"

#include "app/App.h"
#include "bar/Bar.h"
#include "dock/Taskbar.h"
#include "garden/DesktopIcons.h"
#include "tray/TrayHost.h"

#include <shellapi.h>

namespace corvane {
namespace {

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
    // The user would be left without a taskbar until the next sign-in.
    RestoreTaskbar(TheApp().settings);
    // Programs gave their notification icons to us, not to Explorer.
    ReturnTrayIconsAfterCrash();
    RemoveBarStrips();
    // The beds die with the process; Explorer's own icons must not stay hidden.
    ShowDesktopIconsAfterCrash();
}

}  // namespace corvane
