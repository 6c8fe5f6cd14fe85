#pragma once
// The shortcut notation of menus.txt: "Ctrl+Shift+T", "Alt+Left", "F11".

#include "appmenus/AppMenu.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace corvane {

// A key with the way it must be sent.
struct NamedKey {
    uint16_t key = 0;
    uint8_t extended = 0;
};

// The key of one lower-case key part: "a"-"z", "0"-"9", "f1"-"f24" (digits
// read as a decimal prefix, so "f1x" is F1) or a name of the key table.
[[nodiscard]] std::optional<NamedKey> KeyFromPart(std::wstring_view lowerPart);

// The modifier of one lower-case part: ctrl/control, shift, alt, win.
[[nodiscard]] std::optional<uint16_t> ModifierFromPart(std::wstring_view lowerPart);

// One chord such as "Ctrl+Shift+T": parts split at every "+", trimmed and
// lower-cased; all but the last are modifiers. Any unknown or empty part
// makes the chord invalid.
[[nodiscard]] std::optional<KeyChord> ParseKeyChord(std::wstring_view piece);

}  // namespace corvane
