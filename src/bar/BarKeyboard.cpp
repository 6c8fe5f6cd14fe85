// The bar's titles by keyboard: a global shortcut brings the bar to the
// front with the focus cue on the first menu title, the arrows walk the
// application name and the titles, Down or Enter opens the one in focus,
// and Escape hands the keyboard back to the window that had it.

#include "bar/Bar.h"
#include "bar/BarClicks.h"
#include "base/ForeignWindows.h"
#include "toolkit/KeyboardFocus.h"

#include <utility>

namespace corvane {

void Bar::TakeKeyboardFocus(HWND previous) {
    if (Hwnd() == nullptr || fullscreenHidden_) {
        return;
    }
    focusReturn_ = previous;
    focusStop_ = FirstBarFocusStop(BarFocusStops(Items()));
    keyboardFocus_ = true;
    SetRevealed(true);
    // The shortcut's WM_HOTKEY made this process the one that received the
    // last input, which lets it take the foreground; a no-activate window
    // still takes it when asked.
    ::SetForegroundWindow(Hwnd());
    if (::GetForegroundWindow() != Hwnd()) {
        keyboardFocus_ = false;
    }
    Repaint();
    NotifyKeyboardFocus();
}

int Bar::KeyboardFocusIndex() const noexcept {
    if (!keyboardFocus_) {
        return -1;
    }
    try {
        const std::vector<int> stops = BarFocusStops(Items());
        return focusStop_ >= 0 && focusStop_ < static_cast<int>(stops.size())
                   ? stops[static_cast<std::size_t>(focusStop_)]
                   : -1;
    } catch (...) {
        return -1;
    }
}

void Bar::FocusItem(int itemIndex) noexcept {
    if (!keyboardFocus_) {
        return;
    }
    try {
        const std::vector<int> stops = BarFocusStops(Items());
        for (std::size_t i = 0; i < stops.size(); ++i) {
            if (stops[i] == itemIndex) {
                focusStop_ = static_cast<int>(i);
            }
        }
    } catch (...) {
        // Out of memory: the focus stays where it was.
    }
    Repaint();
    NotifyKeyboardFocus();
}

void Bar::EndKeyboardFocus(bool giveBack) noexcept {
    if (!std::exchange(keyboardFocus_, false)) {
        return;
    }
    const HWND previous = std::exchange(focusReturn_, nullptr);
    Repaint();
    if (giveBack && previous != nullptr && ::IsWindow(previous)) {
        BringForeignToFront(previous);
    }
}

void Bar::OnFocusKey(FocusKey key) {
    const int count = static_cast<int>(BarFocusStops(Items()).size());
    if (const std::optional<int> moved = MovedFocus(key, focusStop_, count)) {
        focusStop_ = *moved;
        Repaint();
        NotifyKeyboardFocus();
        return;
    }
    switch (key) {
        case FocusKey::Open:
        case FocusKey::Down:
        case FocusKey::ContextMenu: {
            const int item = KeyboardFocusIndex();
            if (item < 0) {
                return;
            }
            // The same menus a click opens.
            const BarItem focused = Items()[static_cast<std::size_t>(item)];
            if (focused.kind == BarItemKind::MenuTitleItem) {
                OpenMenus(item, true);
            } else {
                AppNameMenu(focused);
            }
            return;
        }
        case FocusKey::Leave:
            EndKeyboardFocus(true);
            return;
        default:
            return;
    }
}

}  // namespace corvane
