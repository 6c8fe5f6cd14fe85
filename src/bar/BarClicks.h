#pragma once
// What a mouse button does on the bar: which item kinds act on the press and
// which on the release (a release counts as the pointer gesture's click does,
// over the item that was pressed). Kept apart from the window so every
// combination can be checked.

#include "bar/BarGeometry.h"
#include "bar/BarItem.h"
#include "toolkit/PointerGesture.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace corvane {

enum class MouseButton : uint32_t { Left, Right, Middle };

struct BarButtonEvent {
    MouseButton button = MouseButton::Left;
    bool down = false;
    bool doubleClick = false;  // left and right: counts as a press; middle: ignored
};

enum class BarClickAction : uint32_t {
    None,
    OpenMenus,    // menu title, on the press
    TrayPress,    // tray icon, left press: a click or the start of a drag
    TrayForward,  // tray icon, handed to the icon's owner as it is
    AppNameMenu,
    ToggleTiling,
    TilingSettings,
    QuickSettings,  // Win+A
    SoundSettings,
    ToggleMute,
    Notifications,  // Win+N
    DateTimeSettings,
    NowPlayingCard,
    PlayPause,
};

struct BarButtonOutcome {
    // The pressed item while the action runs (-1 for none).
    int pressedIndex = -1;
    BarClickAction action = BarClickAction::None;
    // The press is over once the action has run.
    bool clearPressedAfter = true;
};

// `hitIndex` is the item under the pointer (-1 for none), `pressed` the
// bar's press as it stands before this event.
[[nodiscard]] BarButtonOutcome DecideBarButton(const std::vector<BarItem>& items,
                                               const PointerGesture& pressed, int hitIndex,
                                               BarButtonEvent event) noexcept;

// What a plain left click on an item of this kind does: what the keyboard
// and screen readers ask for as the item's default action.
[[nodiscard]] BarClickAction LeftClickAction(BarItemKind kind) noexcept;

// The window command the application-name menu sends to its target.
enum class WindowCommand : uint32_t { None, Minimize, Maximize, Restore, Close };
[[nodiscard]] WindowCommand AppNameWindowCommand(uint32_t menuId, bool targetMaximized) noexcept;

// After the menu the target gets the foreground back, except when it was
// just minimised or asked to close.
[[nodiscard]] bool AppNameMenuReturnsForeground(uint32_t menuId) noexcept;

// How the tooltip follows a new text: nothing to say switches it off; the
// text itself is only sent again when it changed.
struct TooltipUpdate {
    bool activate = false;
    bool sendText = false;
};
[[nodiscard]] TooltipUpdate PlanTooltipUpdate(std::wstring_view shown,
                                              std::wstring_view wanted) noexcept;

// The places the keyboard walks on the bar, as item indices in order: the
// application name, then each menu title. The walk starts on the first
// title, or on the name when the application has no menus.
[[nodiscard]] std::vector<int> BarFocusStops(const std::vector<BarItem>& items);
[[nodiscard]] int FirstBarFocusStop(const std::vector<int>& stops) noexcept;

// An item's box in pixels at this DPI, each edge truncated toward zero.
[[nodiscard]] PixelRect ItemPixelBox(const BarItem& item, uint32_t dpi) noexcept;

}  // namespace corvane
