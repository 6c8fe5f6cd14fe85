#include "bar/BarClicks.h"

#include "bar/AppNameMenuModel.h"

namespace corvane {
namespace {

BarClickAction ReleaseAction(BarItemKind kind, MouseButton button) noexcept {
    switch (kind) {
        case BarItemKind::AppNameItem:
            return button == MouseButton::Middle ? BarClickAction::None
                                                 : BarClickAction::AppNameMenu;
        case BarItemKind::TilingButtonItem:
            return button == MouseButton::Left    ? BarClickAction::ToggleTiling
                   : button == MouseButton::Right ? BarClickAction::TilingSettings
                                                  : BarClickAction::None;
        case BarItemKind::StatusItem:
            return button == MouseButton::Left    ? BarClickAction::QuickSettings
                   : button == MouseButton::Right ? BarClickAction::SoundSettings
                                                  : BarClickAction::ToggleMute;
        case BarItemKind::ClockItem:
            return button == MouseButton::Left    ? BarClickAction::Notifications
                   : button == MouseButton::Right ? BarClickAction::DateTimeSettings
                                                  : BarClickAction::None;
        case BarItemKind::NowPlayingItem:
            return button == MouseButton::Left     ? BarClickAction::NowPlayingCard
                   : button == MouseButton::Middle ? BarClickAction::PlayPause
                                                   : BarClickAction::None;
        case BarItemKind::MenuTitleItem:
        case BarItemKind::TrayIconItem:
        default:
            return BarClickAction::None;
    }
}

int32_t ScaleTruncated(float points, uint32_t dpi) noexcept {
    return static_cast<int32_t>(points * static_cast<float>(dpi) / 96.0f);
}

}  // namespace

BarClickAction LeftClickAction(BarItemKind kind) noexcept {
    switch (kind) {
        case BarItemKind::MenuTitleItem:
            return BarClickAction::OpenMenus;
        case BarItemKind::TrayIconItem:
            return BarClickAction::TrayPress;
        default:
            return ReleaseAction(kind, MouseButton::Left);
    }
}

BarButtonOutcome DecideBarButton(const std::vector<BarItem>& items, const PointerGesture& pressed,
                                 int hitIndex, BarButtonEvent event) noexcept {
    BarButtonOutcome out;
    if (event.doubleClick && event.button == MouseButton::Middle) {
        // A quick second middle click is no new press: counting it would
        // toggle mute twice on the way up.
        return out;
    }
    const bool press = event.down || event.doubleClick;
    if (hitIndex < 0 || static_cast<std::size_t>(hitIndex) >= items.size()) {
        return out;
    }
    const BarItemKind kind = items[static_cast<std::size_t>(hitIndex)].kind;
    if (press) {
        out.pressedIndex = hitIndex;
        switch (kind) {
            case BarItemKind::TrayIconItem:
                if (event.button == MouseButton::Left) {
                    // The release decides between a click and a drag.
                    out.action = BarClickAction::TrayPress;
                    out.clearPressedAfter = false;
                } else {
                    out.action = BarClickAction::TrayForward;
                }
                return out;
            case BarItemKind::MenuTitleItem:
                if (event.button != MouseButton::Middle) {
                    out.action = BarClickAction::OpenMenus;
                } else {
                    out.clearPressedAfter = false;
                }
                return out;
            default:
                // Everything else waits for the release on the same item.
                out.clearPressedAfter = false;
                return out;
        }
    }
    out.pressedIndex = pressed.Target();
    if (kind == BarItemKind::TrayIconItem) {
        // A left release belongs to the press-or-drag logic.
        out.action =
            event.button == MouseButton::Left ? BarClickAction::None : BarClickAction::TrayForward;
        return out;
    }
    if (pressed.ClicksOn(hitIndex)) {
        out.action = ReleaseAction(kind, event.button);
    }
    return out;
}

WindowCommand AppNameWindowCommand(uint32_t menuId, bool targetMaximized) noexcept {
    switch (menuId) {
        case kMenuMinimize:
            return WindowCommand::Minimize;
        case kMenuMaximizeOrRestore:
            return targetMaximized ? WindowCommand::Restore : WindowCommand::Maximize;
        case kMenuCloseWindow:
            return WindowCommand::Close;
        default:
            return WindowCommand::None;
    }
}

bool AppNameMenuReturnsForeground(uint32_t menuId) noexcept {
    return menuId != kMenuMinimize && menuId != kMenuCloseWindow;
}

TooltipUpdate PlanTooltipUpdate(std::wstring_view shown, std::wstring_view wanted) noexcept {
    TooltipUpdate plan;
    if (wanted.empty()) {
        return plan;
    }
    plan.activate = true;
    plan.sendText = shown != wanted;
    return plan;
}

PixelRect ItemPixelBox(const BarItem& item, uint32_t dpi) noexcept {
    return {ScaleTruncated(item.left, dpi), ScaleTruncated(item.top, dpi),
            ScaleTruncated(item.right, dpi), ScaleTruncated(item.bottom, dpi)};
}

std::vector<int> BarFocusStops(const std::vector<BarItem>& items) {
    std::vector<int> stops;
    for (const BarItemKind kind : {BarItemKind::AppNameItem, BarItemKind::MenuTitleItem}) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (items[i].kind == kind) {
                stops.push_back(static_cast<int>(i));
            }
        }
    }
    return stops;
}

int FirstBarFocusStop(const std::vector<int>& stops) noexcept {
    return stops.empty() ? -1 : (stops.size() > 1 ? 1 : 0);
}

}  // namespace corvane
