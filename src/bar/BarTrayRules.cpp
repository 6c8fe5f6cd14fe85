#include "bar/BarTrayRules.h"

#include <utility>

namespace corvane {

std::optional<TrayIconKey> TrayKeyOf(const BarItem& item) noexcept {
    if (item.kind != BarItemKind::TrayIconItem) {
        return std::nullopt;
    }
    return TrayIconKey{item.ownerWindow, item.iconId};
}

BarTrayStrip AppendTrayStrip(const std::vector<TrayIcon>& icons,
                             const std::vector<std::wstring>& order,
                             const std::vector<std::wstring>& hidden,
                             std::wstring_view draggedBelow, float rightEdge, float height,
                             std::vector<BarItem>& items) {
    const TrayStripLayout layout =
        LayoutTrayStrip(icons, order, hidden, draggedBelow, rightEdge, height);
    for (const TraySlot& slot : layout.slots) {
        if (slot.iconIndex >= icons.size()) {
            continue;
        }
        const TrayIcon& icon = icons[slot.iconIndex];
        BarItem item;
        item.kind = BarItemKind::TrayIconItem;
        item.left = slot.rect.left;
        item.top = slot.rect.top;
        item.right = slot.rect.right;
        item.bottom = slot.rect.bottom;
        item.ownerWindow = icon.ownerWindow;
        item.iconId = icon.id;
        items.push_back(item);
    }
    BarTrayStrip strip;
    strip.nextRight = layout.nextRight;
    strip.notifyRect = layout.slots.empty() ? PointRect{rightEdge, kTrayStripInset, rightEdge,
                                                        height - kTrayStripInset}
                                            : layout.strip;
    return strip;
}

std::wstring_view TrayDraggedBelow(const TrayDrag& drag) noexcept {
    return drag.Dragging() && drag.dragBelow ? std::wstring_view(drag.dragExeName)
                                             : std::wstring_view();
}

TrayDragMove MoveTrayDrag(TrayDrag& drag, int32_t x, int32_t y, int32_t clientBottom, uint32_t dpi,
                          const std::function<std::vector<TrayStripProgram>()>& programs,
                          const std::vector<std::wstring>& order) {
    TrayDragMove move;
    if (!drag.Active()) {
        return move;
    }
    const GestureStep step = drag.press.Move(x, y);
    if (step == GestureStep::None) {
        return move;
    }
    move.started = step == GestureStep::DragStarted;
    const float scale = 96.0f / static_cast<float>(dpi == 0 ? 96 : dpi);
    drag.dragX = static_cast<float>(x) * scale;
    const bool below = TrayDragIsBelow(y, clientBottom, dpi);
    move.stripChanged = below != drag.dragBelow;
    drag.dragBelow = below;
    if (!below) {
        move.order = ReorderTray(programs(), drag.dragExeName, drag.dragX, order);
        move.stripChanged = move.stripChanged || move.order.has_value();
    }
    return move;
}

TrayRelease ReleaseTrayDrag(TrayDrag& drag) {
    TrayRelease release;
    // Within the threshold the release belongs to the pressed icon, whichever
    // slot it came up over.
    switch (drag.press.Release(drag.press.Target())) {
        case GestureStep::Dropped:
            release.finishDrag = true;
            if (drag.dragBelow) {
                release.hideExeName = std::move(drag.dragExeName);
            }
            break;
        case GestureStep::Clicked:
            release.clickMessage = drag.pressedMessage;
            break;
        default:
            break;
    }
    drag.Reset();
    return release;
}

}  // namespace corvane
