#include "dock/DockAccessibleTree.h"

#include "config/Texts.h"

#include <algorithm>

namespace corvane {

std::wstring DockItemAccessibleName(const DockItem& item) {
    std::wstring name = item.name;
    const std::size_t windows = item.windows.size();
    if (windows > 0) {
        name += L", ";
        name += Text(TextId::DockRunning);
    }
    if (windows > 1) {
        name += L", " + std::to_wstring(windows) + L" " + Text(TextId::DockWindows);
    }
    if (item.pinned) {
        name += L", ";
        name += Text(TextId::DockPinned);
    }
    return name;
}

AccessibleNode DockAccessibleTree(const DockAccessibleFacts& facts) {
    AccessibleNode root;
    root.role = AccessibleRole::ToolBar;
    root.name = Text(TextId::PageDock);
    root.location = facts.client;
    root.states = facts.shown ? 0u : kAccInvisible;
    if (facts.items == nullptr || facts.cells == nullptr) {
        return root;
    }
    const std::size_t count = std::min(facts.items->size(), facts.cells->size());
    root.children.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const PointRect& cell = (*facts.cells)[i];
        AccessibleNode node;
        node.role = AccessibleRole::PushButton;
        node.name = DockItemAccessibleName((*facts.items)[i]);
        node.location = AccessiblePixels(cell, facts.dpi);
        node.states = root.states | kAccFocusable;
        node.states |= static_cast<int>(i) == facts.focusIndex ? kAccFocused : 0u;
        node.defaultAction = Text(TextId::Press);
        node.actionId = static_cast<int32_t>(i);
        root.children.push_back(std::move(node));
    }
    return root;
}

}  // namespace corvane
