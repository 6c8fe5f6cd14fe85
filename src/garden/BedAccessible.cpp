// A bed for screen readers: the tree they read is built from the grid the
// bed paints, the roll toggle and the items act as a click on the header and
// a double click on the item do, and they hear where the selection goes.

#include "garden/BedAccessibleTree.h"
#include "garden/BedWindow.h"

namespace corvane {

AccessibleNode BedWindow::BuildAccessibleTree() {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    return BedAccessibleTree({.bed = CurrentBed(),
                              .ids = &Visible(),
                              .items = &context_.items,
                              .width = Dips(client.right),
                              .height = Dips(client.bottom),
                              .scroll = scroll_,
                              .dpi = dpi_,
                              .selected = selected_,
                              .textScale = context_.theme.textScale});
}

void BedWindow::RunAccessibleAction(int32_t actionId) {
    if (actionId == kBedRollAction) {
        ToggleRoll();
    } else if (const auto item = BedActionItem(actionId, Visible().size())) {
        const std::wstring id = Visible()[*item];  // a copy: opening may rescan
        context_.host.OpenItem(id);
    }
}

void BedWindow::NotifySelection() noexcept {
    if (selected_ >= 0) {
        accessible_.Notify(EVENT_OBJECT_SELECTION, selected_ + 1);
    }
}

}  // namespace corvane
