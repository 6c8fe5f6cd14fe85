#include "settings/SettingsAccessibleTree.h"

#include "config/Texts.h"
#include "settings/SettingsPages.h"

#include <algorithm>
#include <string>

namespace corvane {
namespace {

constexpr int32_t kRowsPerPage = 1000;

// "from 0 to 100 %", after the row's own description.
std::wstring SliderDescription(const SettingsRow& row) {
    std::wstring range = Text(TextId::RangeFrom) + std::to_wstring(row.min) +
                         Text(TextId::RangeTo) + std::to_wstring(row.max) + row.unit;
    return row.description.empty() ? range : row.description + L", " + range;
}

void FillRow(const SettingsRow& row, AccessibleNode& node) {
    node.name = row.label;
    node.description = row.description;
    switch (row.kind) {
        case RowKind::Header:
        case RowKind::Text:
            node.role = AccessibleRole::Text;
            node.value = row.value;
            return;
        case RowKind::Toggle: {
            const bool on = row.getBool && row.getBool();
            node.role = AccessibleRole::CheckButton;
            node.states |= on ? kAccChecked : 0u;
            node.defaultAction = Text(on ? TextId::UncheckAction : TextId::CheckAction);
            break;
        }
        case RowKind::Slider:
            node.role = AccessibleRole::Slider;
            node.value = std::to_wstring(row.getInt ? row.getInt() : row.min) + row.unit;
            node.description = SliderDescription(row);
            break;
        case RowKind::Choice: {
            const int32_t current = CurrentChoiceOption(row);
            node.role = AccessibleRole::ComboBox;
            node.states |= kAccHasPopup;
            node.value = current >= 0 ? row.options[static_cast<std::size_t>(current)] : L"";
            node.defaultAction = Text(TextId::Open);
            break;
        }
        case RowKind::Button:
            node.role = AccessibleRole::PushButton;
            node.name = row.label.empty() ? row.buttonText : row.label;
            node.defaultAction = row.buttonText.empty() ? Text(TextId::Press) : row.buttonText;
            break;
    }
    node.states |= kAccFocusable;
}

}  // namespace

int32_t SettingsRowAction(int32_t page, std::size_t row) noexcept {
    return (page + 1) * kRowsPerPage + static_cast<int32_t>(row);
}

std::optional<SettingsTarget> SettingsActionTarget(int32_t actionId, int32_t page,
                                                   std::size_t rowCount) noexcept {
    if (actionId >= 0 && actionId < kSettingsPageCount) {
        return SettingsTarget{true, actionId};
    }
    const int32_t row = actionId - SettingsRowAction(page, 0);
    if (row < 0 || row >= kRowsPerPage || static_cast<std::size_t>(row) >= rowCount) {
        return std::nullopt;
    }
    return SettingsTarget{false, row};
}

AccessibleNode SettingsAccessibleTree(const SettingsAccessibleFacts& facts) {
    AccessibleNode root;
    root.role = AccessibleRole::Client;
    root.name = SettingsWindowTitle();
    root.location = PointsToPixels({0, 0, facts.width, facts.height}, facts.dpi);
    for (int32_t page = 0; page < kSettingsPageCount; ++page) {
        AccessibleNode tab;
        tab.role = AccessibleRole::PageTab;
        tab.name = Text(PageInfo(page).name);
        tab.states = kAccSelectable | (page == facts.page ? kAccSelected : 0u);
        tab.defaultAction = Text(TextId::SwitchPage);
        tab.actionId = page;
        tab.location =
            PointsToPixels(SidebarEntryRect(page, {facts.textScale, facts.height}), facts.dpi);
        root.children.push_back(std::move(tab));
    }
    if (facts.rows == nullptr || facts.boxes == nullptr) {
        return root;
    }
    const std::size_t count =
        std::min({facts.rows->size(), facts.boxes->size(), std::size_t{kRowsPerPage}});
    for (std::size_t i = 0; i < count; ++i) {
        const SettingsRow& row = (*facts.rows)[i];
        if (row.kind == RowKind::Header && row.label.empty()) {
            continue;  // a gap, nothing to read
        }
        const PointRect box = Scrolled((*facts.boxes)[i], facts.scroll).row;
        AccessibleNode node;
        node.actionId = SettingsRowAction(facts.page, i);
        node.location = PointsToPixels(box, facts.dpi);
        node.states = static_cast<int32_t>(i) == facts.focusRow ? kAccFocused : 0u;
        node.states |= box.bottom <= 0 || box.top >= facts.height ? kAccOffscreen : 0u;
        FillRow(row, node);
        root.children.push_back(std::move(node));
    }
    return root;
}

}  // namespace corvane
