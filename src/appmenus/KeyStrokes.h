#pragma once
// The key presses that type one chord.

#include "appmenus/AppMenu.h"

#include <cstdint>
#include <vector>

namespace corvane {

// Flags of a keyboard input, with the values SendInput gives them.
inline constexpr uint32_t kStrokeExtended = 0x1;
inline constexpr uint32_t kStrokeKeyUp = 0x2;

struct KeyStroke {
    uint16_t key = 0;
    uint32_t flags = 0;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// Modifiers down in the order written, the key down and up, the modifiers
// up in reverse order: one batch for one SendInput call.
[[nodiscard]] std::vector<KeyStroke> ChordKeyStrokes(const KeyChord& chord);

}  // namespace corvane
