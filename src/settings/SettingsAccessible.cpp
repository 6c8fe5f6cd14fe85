// The settings window for screen readers: the tree they read is built from
// the rows as laid out, the pages' and rows' default actions do what their
// click does, and they hear the focus move and the values change.

#include "settings/SettingsAccessibleTree.h"
#include "settings/SettingsWindowImpl.h"

#include <algorithm>

namespace corvane {

AccessibleNode SettingsWindow::Impl::BuildAccessibleTree() {
    const D2D1_SIZE_F size = ClientDips();
    return SettingsAccessibleTree({.rows = &rows_,
                                   .boxes = &boxes_,
                                   .page = page_,
                                   .scroll = scroll_,
                                   .width = size.width,
                                   .height = size.height,
                                   .dpi = dpi_,
                                   .focusRow = focusRow_,
                                   .textScale = context_.theme.textScale});
}

void SettingsWindow::Impl::RunAccessibleAction(int32_t actionId) {
    const auto target =
        SettingsActionTarget(actionId, page_, std::min(rows_.size(), boxes_.size()));
    if (!target) {
        return;
    }
    if (target->isPage) {
        ShowPage(target->index);
    } else if (rows_[static_cast<std::size_t>(target->index)].kind != RowKind::Slider) {
        Act(target->index, true);
    }
}

void SettingsWindow::Impl::NotifyRow(DWORD event, int32_t index) noexcept {
    if (index >= 0) {
        accessible_.Notify(event, SettingsRowAction(page_, static_cast<std::size_t>(index)));
    }
}

}  // namespace corvane
