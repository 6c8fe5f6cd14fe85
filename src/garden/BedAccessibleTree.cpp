#include "garden/BedAccessibleTree.h"

#include "config/Texts.h"

namespace corvane {

AccessibleNode BedAccessibleTree(const BedAccessibleFacts& facts) {
    AccessibleNode root;
    root.role = AccessibleRole::List;
    root.location = PointsToPixels({0, 0, facts.width, facts.height}, facts.dpi);
    if (facts.bed == nullptr) {
        return root;
    }
    const Bed& bed = *facts.bed;
    root.name = bed.name;

    AccessibleNode roll;
    roll.role = AccessibleRole::PushButton;
    roll.name = Text(bed.collapsed ? TextId::RollDown : TextId::RollUp);
    roll.states = bed.collapsed ? 0u : kAccExpanded;
    roll.defaultAction = Text(TextId::Press);
    roll.actionId = kBedRollAction;
    roll.location =
        PointsToPixels({0, 0, facts.width, BedHeaderHeight(facts.textScale)}, facts.dpi);
    root.children.push_back(std::move(roll));
    if (bed.collapsed || facts.ids == nullptr || facts.items == nullptr) {
        return root;
    }

    const auto count = static_cast<int32_t>(facts.ids->size());
    const BedGrid grid =
        LayoutBed(facts.width, facts.height, count, facts.scroll, false, facts.textScale);
    const BedCellRange shown = VisibleBedCells(grid, count, facts.height, false);
    root.children.reserve(facts.ids->size() + 1);
    for (int32_t i = 0; i < count; ++i) {
        const auto found = facts.items->find((*facts.ids)[static_cast<std::size_t>(i)]);
        if (found == facts.items->end()) {
            continue;  // not drawn either
        }
        AccessibleNode item;
        item.role = AccessibleRole::ListItem;
        item.name = GardenItemName(found->second);
        item.states = kAccSelectable | (i == facts.selected ? kAccSelected : 0u) |
                      (i >= shown.first && i < shown.end ? 0u : kAccOffscreen);
        item.defaultAction = Text(TextId::Open);
        item.actionId = i + 1;
        item.location = PointsToPixels(BedCellRect(grid, i), facts.dpi);
        root.children.push_back(std::move(item));
    }
    return root;
}

std::optional<std::size_t> BedActionItem(int32_t actionId, std::size_t shown) noexcept {
    if (actionId <= kBedRollAction || static_cast<std::size_t>(actionId) > shown) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(actionId - 1);
}

}  // namespace corvane
