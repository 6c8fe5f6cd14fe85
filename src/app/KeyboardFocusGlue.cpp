#include "app/KeyboardFocusGlue.h"

#include "app/App.h"
#include "app/ControlWindow.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/LayoutProbe.h"
#include "toolkit/ShortcutTyping.h"

namespace corvane {
namespace {

bool IsKeyboardSurface(const App& app, HWND window) noexcept {
    for (const auto& bar : app.bars) {
        if (bar->Hwnd() == window) {
            return true;
        }
    }
    for (const auto& dock : app.docks) {
        if (dock->Hwnd() == window) {
            return true;
        }
    }
    return false;
}

// The window in front when the shortcut came, or, when that is a bar or a
// dock that has the keyboard already, the one it would have given it to.
HWND KeyboardReturn(App& app) noexcept {
    const HWND front = ::GetForegroundWindow();
    if (!IsKeyboardSurface(app, front) || !::IsWindow(app.keyboardReturn)) {
        app.keyboardReturn = IsKeyboardSurface(app, front) ? nullptr : front;
    }
    return app.keyboardReturn;
}

// The display of the window in front, else the main one.
HMONITOR KeyboardDisplay(HWND previous) noexcept {
    return ::MonitorFromWindow(previous != nullptr ? previous : ::GetDesktopWindow(),
                               MONITOR_DEFAULTTOPRIMARY);
}

Bar* BarOn(const App& app, HMONITOR display) noexcept {
    Bar* main = nullptr;
    for (const auto& bar : app.bars) {
        if (bar->Display() == display) {
            return bar.get();
        }
        if (main == nullptr || bar->IsMainBar()) {
            main = bar.get();
        }
    }
    return main;
}

Dock* DockOn(const App& app, HMONITOR display) noexcept {
    const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    Dock* main = nullptr;
    for (const auto& dock : app.docks) {
        const HMONITOR own = dock->Display() != nullptr ? dock->Display() : primary;
        if (own == display) {
            return dock.get();
        }
        if (main == nullptr || dock->IsPrimary()) {
            main = dock.get();
        }
    }
    return main;
}

}  // namespace

void RemoveFocusHotkeys(App& app) noexcept {
    if (app.control && app.control->Hwnd() != nullptr) {
        (void)::UnregisterHotKey(app.control->Hwnd(), kHotkeyBarFocus);
        (void)::UnregisterHotKey(app.control->Hwnd(), kHotkeyDockFocus);
    }
}

void ApplyFocusHotkeys(App& app) noexcept {
    RemoveFocusHotkeys(app);
    if (!app.control || app.control->Hwnd() == nullptr) {
        return;
    }
    try {
        // Without a dock its chord is left to other programs.
        const int32_t dockChoice =
            app.settings.dockEnabled ? app.settings.dockFocusKeys : kShortcutChoiceOff;
        for (const FocusHotkey& hotkey : FocusHotkeys(app.settings.barFocusKeys, dockChoice)) {
            if (TypedByInstalledLayouts(hotkey.modifiers, hotkey.key).empty()) {
                (void)::RegisterHotKey(app.control->Hwnd(), hotkey.id, hotkey.modifiers,
                                       hotkey.key);
            }
        }
    } catch (...) {
        // Out of memory: the shortcuts stay unavailable until the next apply.
    }
}

bool OnFocusHotkey(App& app, int id) noexcept {
    if (id != kHotkeyBarFocus && id != kHotkeyDockFocus) {
        return false;
    }
    const HWND previous = KeyboardReturn(app);
    const HMONITOR display = KeyboardDisplay(previous);
    if (id == kHotkeyBarFocus) {
        if (Bar* bar = BarOn(app, display)) {
            bar->TakeKeyboardFocus(previous);
        }
    } else if (Dock* dock = DockOn(app, display)) {
        dock->TakeKeyboardFocus(previous);
    }
    return true;
}

}  // namespace corvane
