// What clicks on the dock do: activate, minimise or launch an app, open
// Start, and the two context menus (an item's windows and pin state; the
// dock's settings and the Windows taskbar).

#include "base/ForeignWindows.h"
#include "dock/Dock.h"
#include "dock/DockMenus.h"
#include "identity/AppLaunch.h"
#include "identity/AppTargets.h"
#include "identity/AppWindows.h"
#include "identity/ElevatedWindows.h"
#include "toolkit/PopupMenuGate.h"
#include "toolkit/SendKeyStrokes.h"

#include <shellapi.h>

#include <algorithm>
#include <string>

namespace corvane {
namespace {

// The menu opens this far above the dock.
constexpr float kMenuGapPoints = 4.0f;
// Titles are read up to this length; the menu shortens them further.
constexpr int kWindowTitleChars = 256;

void Launch(Worker& worker, const std::wstring& target) noexcept {
    try {
        LaunchInBackground(worker, target);
    } catch (...) {
        // Out of memory for the copy: nothing opens.
    }
}

// The item's windows that still exist, front-most first.
std::vector<HWND> LiveWindows(const DockItem& item) {
    std::vector<HWND> windows;
    for (const WindowId id : item.windows) {
        const HWND window = ToHwnd(id);
        if (::IsWindow(window)) {
            windows.push_back(window);
        }
    }
    return windows;
}

std::wstring WindowTitle(HWND window) {
    return DockMenuTitle(ForeignWindowTitle(window, kWindowTitleChars));
}

UniqueMenu BuildMenu(const std::vector<DockMenuEntry>& entries) {
    UniqueMenu menu(::CreatePopupMenu());
    if (!menu) {
        return menu;
    }
    for (const DockMenuEntry& entry : entries) {
        if (entry.IsSeparator()) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        } else {
            const UINT flags = MF_STRING | (entry.checked ? static_cast<UINT>(MF_CHECKED) : 0u) |
                               (entry.grayed ? static_cast<UINT>(MF_GRAYED) : 0u);
            ::AppendMenuW(menu.Get(), flags, entry.command, entry.text.c_str());
        }
    }
    return menu;
}

}  // namespace

void Dock::Activate(int index) noexcept {
    try {
        const DockItem item = items_.at(static_cast<std::size_t>(index));
        if (item.start) {
            context_.open.ToggleStartSurface(0, display_);
            return;
        }
        const std::vector<HWND> windows = LiveWindows(item);
        if (windows.empty()) {
            Launch(context_.worker, item.target);
            return;
        }
        // Clicking the app in front puts it away. The dock never takes the
        // foreground, so the live one is right even before its event arrived.
        HWND front = ::GetForegroundWindow();
        DWORD process = 0;
        if (front == nullptr || (::GetWindowThreadProcessId(front, &process) != 0 &&
                                 process == ::GetCurrentProcessId())) {
            front = foreground_;
        }
        if (std::find(windows.begin(), windows.end(), front) != windows.end() &&
            !::IsIconic(front)) {
            ::ShowWindowAsync(front, SW_MINIMIZE);
            return;
        }
        BringForeignToFront(windows.front());
    } catch (...) {
        // Out of memory or a stale index: the click does nothing.
    }
}

void Dock::MiddleClick(int index) noexcept {
    try {
        const DockItem item = items_.at(static_cast<std::size_t>(index));
        if (item.start) {
            context_.open.ToggleStartSurface(0, display_);
        } else {
            Launch(context_.worker, item.target);  // a new instance or window
        }
    } catch (...) {
        // Out of memory or a stale index: the click does nothing.
    }
}

uint32_t Dock::TrackMenu(HMENU menu, int screenX) noexcept {
    // A popup menu closes on an outside click only while its owner is in front.
    ::SetForegroundWindow(Hwnd());
    const PopupMenuScope menuOpen;
    const int y = windowRect_.top - ToPixels(kMenuGapPoints);
    const BOOL command =
        ::TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_BOTTOMALIGN | TPM_CENTERALIGN,
                           screenX, y, Hwnd(), nullptr);
    ::PostMessageW(Hwnd(), WM_NULL, 0, 0);
    return command > 0 ? static_cast<uint32_t>(command) : 0u;
}

void Dock::OpenItemMenu(int index, int screenX) noexcept {
    try {
        // The list may be rebuilt while the menu is open.
        const DockItem item = items_.at(static_cast<std::size_t>(index));
        if (item.start) {
            // Start's menu is the system's power-user menu.
            TakeForegroundFromUnreachable(Hwnd());
            (void)SendKeyStrokes(
                {{VK_LWIN, 0}, {'X', 0}, {'X', kStrokeKeyUp}, {VK_LWIN, kStrokeKeyUp}});
            return;
        }
        const HWND previous = foreground_;
        const std::vector<HWND> windows = LiveWindows(item);
        std::vector<std::wstring> titles;
        int frontIndex = -1;
        // Windows of a program running as administrator drop a request to
        // close; only the others are asked.
        std::vector<HWND> closable;
        for (std::size_t i = 0; i < windows.size(); ++i) {
            titles.push_back(WindowTitle(windows[i]));
            if (windows[i] == previous) {
                frontIndex = static_cast<int>(i);
            }
            if (!IsWindowBeyondReach(windows[i])) {
                closable.push_back(windows[i]);
            }
        }
        UniqueMenu menu =
            BuildMenu(DockItemMenu(titles, frontIndex, item.pinned, !closable.empty()));
        if (!menu) {
            return;
        }
        const uint32_t command = TrackMenu(menu.Get(), screenX);
        menu.Reset();

        switch (command) {
            case kDockMenuNothing:
                // From the keyboard the item keeps the focus.
                if (!keyboardFocus_ && previous != nullptr && ::IsWindow(previous)) {
                    ::SetForegroundWindow(previous);
                }
                break;
            case kDockMenuOpen:
                Launch(context_.worker, item.target);
                break;
            case kDockMenuPin:
            case kDockMenuUnpin: {
                const std::wstring key = LowerCased(item.target);
                const auto same = std::find_if(
                    items_.begin(), items_.end(),
                    [&](const DockItem& i) { return !i.start && LowerCased(i.target) == key; });
                if (same != items_.end()) {
                    SetPinned(items_, static_cast<std::size_t>(same - items_.begin()),
                              command == kDockMenuPin);
                    FollowItems();
                    SavePinned();
                    RebuildDock();
                }
                break;
            }
            case kDockMenuClose:
                // The apps may still ask to save.
                for (const HWND window : closable) {
                    if (::IsWindow(window)) {
                        ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
                    }
                }
                break;
            default:
                if (command >= kDockMenuWindowBase &&
                    command - kDockMenuWindowBase < windows.size()) {
                    const HWND window = windows[command - kDockMenuWindowBase];
                    if (::IsWindow(window)) {
                        BringForeignToFront(window);
                    }
                }
                break;
        }
    } catch (...) {
        // Out of memory: the menu does not open.
    }
}

void Dock::OpenDockMenu(POINT screen) noexcept {
    try {
        UniqueMenu menu = BuildMenu(DockMenu(context_.settings.hideTaskbar));
        if (!menu) {
            return;
        }
        const uint32_t command = TrackMenu(menu.Get(), screen.x);
        menu.Reset();
        if (command == kDockMenuSettings) {
            context_.open.OpenSettings(kPageDock);
        } else if (command == kDockMenuToggleTaskbar) {
            ToggleHideTaskbar();
        }
    } catch (...) {
        // Out of memory: the menu does not open.
    }
}

void Dock::ToggleHideTaskbar() noexcept {
    // The set tells every dock, this one included.
    context_.host.SetHideTaskbar(!context_.settings.hideTaskbar);
}

}  // namespace corvane
