// The root's two global shortcuts that give the keyboard to the top bar's
// menus and to the dock, owned by the control window.

#include "app/App.h"
#include "app/ControlWindow.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/LayoutProbe.h"
#include "toolkit/ShortcutTyping.h"

namespace corvane {
namespace {

using Bars = std::vector<std::unique_ptr<Bar>>;

bool IsKeyboardSurface(const Bars& bars, const DockSet& docks, HWND window) noexcept {
    for (const auto& bar : bars) {
        if (bar->Hwnd() == window) {
            return true;
        }
    }
    for (const auto& dock : docks) {
        if (dock->Hwnd() == window) {
            return true;
        }
    }
    return false;
}

// The display of the window in front, else the main one.
HMONITOR KeyboardDisplay(HWND previous) noexcept {
    return ::MonitorFromWindow(previous != nullptr ? previous : ::GetDesktopWindow(),
                               MONITOR_DEFAULTTOPRIMARY);
}

Bar* BarOn(const Bars& bars, HMONITOR display) noexcept {
    Bar* main = nullptr;
    for (const auto& bar : bars) {
        if (bar->Display() == display) {
            return bar.get();
        }
        if (main == nullptr || bar->IsMainBar()) {
            main = bar.get();
        }
    }
    return main;
}

Dock* DockOn(const DockSet& docks, HMONITOR display) noexcept {
    const HMONITOR primary = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    Dock* main = nullptr;
    for (const auto& dock : docks) {
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

HWND App::KeyboardReturn() noexcept {
    const HWND front = ::GetForegroundWindow();
    if (!IsKeyboardSurface(bars_, docks_, front) || !::IsWindow(keyboardReturn_)) {
        keyboardReturn_ = IsKeyboardSurface(bars_, docks_, front) ? nullptr : front;
    }
    return keyboardReturn_;
}

void App::RemoveFocusHotkeys() noexcept {
    if (control_ && control_->Hwnd() != nullptr) {
        (void)::UnregisterHotKey(control_->Hwnd(), kHotkeyBarFocus);
        (void)::UnregisterHotKey(control_->Hwnd(), kHotkeyDockFocus);
    }
}

void App::ApplyFocusShortcuts() {
    RemoveFocusHotkeys();
    if (!control_ || control_->Hwnd() == nullptr) {
        return;
    }
    try {
        // Without a dock its chord is left to other programs.
        const int32_t dockChoice =
            settings_.dockEnabled ? settings_.dockFocusKeys : kShortcutChoiceOff;
        for (const FocusHotkey& hotkey : FocusHotkeys(settings_.barFocusKeys, dockChoice)) {
            if (TypedByInstalledLayouts(hotkey.modifiers, hotkey.key).empty()) {
                (void)::RegisterHotKey(control_->Hwnd(), hotkey.id, hotkey.modifiers, hotkey.key);
            }
        }
    } catch (...) {
        // Out of memory: the shortcuts stay unavailable until the next apply.
    }
}

bool App::HandleFocusHotkey(int id) noexcept {
    if (id != kHotkeyBarFocus && id != kHotkeyDockFocus) {
        return false;
    }
    const HWND previous = KeyboardReturn();
    const HMONITOR display = KeyboardDisplay(previous);
    if (id == kHotkeyBarFocus) {
        if (Bar* bar = BarOn(bars_, display)) {
            bar->TakeKeyboardFocus(previous);
        }
    } else if (Dock* dock = DockOn(docks_, display)) {
        dock->TakeKeyboardFocus(previous);
    }
    return true;
}

}  // namespace corvane
