// The dock by keyboard: a global shortcut brings the dock up and to the
// front, the arrows walk its items, Enter does what a click does, the
// context-menu key and Shift+F10 open the item's menu above it, and Escape
// hands the keyboard back to the window that had it.

#include "base/ForeignWindows.h"
#include "dock/Dock.h"
#include "identity/AppWindows.h"
#include "toolkit/KeyboardFocus.h"

#include <utility>

namespace corvane {
namespace {

// After the keyboard left, smart hide looks again this much later.
constexpr UINT kLeaveAfterKeyboardMs = 500;

}  // namespace

void Dock::TakeKeyboardFocus(HWND previous) noexcept {
    if (Hwnd() == nullptr || suppressed_ || items_.empty()) {
        return;
    }
    focusReturn_ = previous;
    focusIndex_ = FirstDockFocus(items_, ToWindowId(previous));
    keyboardFocus_ = true;
    SetRevealed(true);
    // The shortcut's WM_HOTKEY made this process the one that received the
    // last input, which lets it take the foreground; a no-activate window
    // still takes it when asked.
    ::SetForegroundWindow(Hwnd());
    if (::GetForegroundWindow() != Hwnd()) {
        keyboardFocus_ = false;
    }
    ApplyScaleTargets();
    Repaint();
    NotifyKeyboardFocus();
}

int Dock::FocusedItem() const noexcept {
    return keyboardFocus_ && focusIndex_ >= 0 && focusIndex_ < static_cast<int>(items_.size())
               ? focusIndex_
               : -1;
}

void Dock::EndKeyboardFocus(bool giveBack) noexcept {
    if (!std::exchange(keyboardFocus_, false)) {
        return;
    }
    const HWND previous = std::exchange(focusReturn_, nullptr);
    ApplyScaleTargets();
    Repaint();
    if (giveBack && previous != nullptr && ::IsWindow(previous)) {
        BringForeignToFront(previous);
    }
    // Smart hide may put the dock away again now.
    ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterKeyboardMs, nullptr);
}

void Dock::OnFocusKey(FocusKey key) noexcept {
    if (const std::optional<int> moved =
            MovedFocus(key, focusIndex_, static_cast<int>(items_.size()))) {
        focusIndex_ = *moved;
        ApplyScaleTargets();
        Repaint();
        NotifyKeyboardFocus();
        return;
    }
    switch (key) {
        case FocusKey::Open:
            if (const int item = FocusedItem(); item >= 0) {
                // What the item does is the foreground's business from here.
                EndKeyboardFocus(false);
                Activate(item);
            }
            return;
        case FocusKey::ContextMenu:
            if (const int item = FocusedItem();
                item >= 0 && item < static_cast<int>(cells_.size())) {
                OpenItemMenu(item, ItemCentreOnScreen(item));
            }
            return;
        case FocusKey::Leave:
            EndKeyboardFocus(true);
            return;
        default:
            return;
    }
}

}  // namespace corvane
