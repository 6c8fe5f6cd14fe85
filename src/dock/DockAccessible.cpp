// The dock for screen readers: the tree they read is built from the cells
// of the last layout, their default action is the item's click, and they
// hear where the keyboard's focus goes.

#include "dock/Dock.h"
#include "dock/DockAccessibleTree.h"

namespace corvane {

AccessibleNode Dock::BuildAccessibleTree() {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    DockAccessibleFacts facts;
    facts.items = &items_;
    facts.cells = &cells_;
    facts.dpi = dpi_;
    facts.client = {0, 0, client.right, client.bottom};
    facts.shown = IsShown();
    facts.focusIndex = FocusedItem();
    return DockAccessibleTree(facts);
}

void Dock::RunAccessibleAction(int32_t actionId) {
    if (actionId >= 0 && actionId < static_cast<int32_t>(items_.size())) {
        Activate(actionId);
    }
}

void Dock::NotifyKeyboardFocus() noexcept {
    if (const int item = FocusedItem(); item >= 0) {
        accessible_.Notify(EVENT_OBJECT_FOCUS, item);
    }
}

}  // namespace corvane
