#pragma once
// A keyboard focus that walks along a row of places (the bar's menu titles,
// the dock's items) after a global shortcut gave a surface the keyboard, and
// the two shortcuts that do so. Portable: keys are virtual-key codes.

#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {

// What a key does to a focused row; Open is Enter (and Down on the bar,
// whose menus drop down), ContextMenu the context-menu key and Shift+F10,
// Leave is Escape.
enum class FocusKey { None, Previous, Next, First, Last, Open, Down, ContextMenu, Leave };
[[nodiscard]] FocusKey FocusKeyOf(uint32_t virtualKey, bool shift) noexcept;
// Whether the key acts when it is released rather than pressed: Enter and
// the menu keys open a menu whose own loop would otherwise take the
// release, or the character Enter types, as a choice or a close (the
// system's context menus come on the release for the same reason).
[[nodiscard]] bool ActsOnRelease(FocusKey key) noexcept;

// Where a moving key (Previous, Next, First, Last) puts the focus from
// `current` in a row of `count`, wrapping at both ends as a menu bar does; a
// current place outside the row starts from the first, and an empty row
// gives -1. None for a key that does not move the focus.
[[nodiscard]] std::optional<int> MovedFocus(FocusKey key, int current, int count) noexcept;

// The global shortcuts that give the top bar's menus and the dock the
// keyboard, by the modifier choice stored for each (the tiling shortcuts'
// numbers, toolkit/ShortcutTyping.h); a choice of off, or out of range,
// registers nothing.
inline constexpr int kHotkeyBarFocus = 0x5120;
inline constexpr int kHotkeyDockFocus = 0x5121;
inline constexpr uint32_t kBarFocusKey = 0x71;   // F2
inline constexpr uint32_t kDockFocusKey = 0x72;  // F3
struct FocusHotkey {
    int id;
    uint32_t modifiers;  // as RegisterHotKey takes them, with no-repeat
    uint32_t key;
};
[[nodiscard]] std::vector<FocusHotkey> FocusHotkeys(int32_t barChoice, int32_t dockChoice);

}  // namespace corvane
