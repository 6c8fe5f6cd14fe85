#pragma once
// The key presses that type one chord.

#include "appmenus/AppMenu.h"
#include "toolkit/KeyStroke.h"

#include <cstdint>
#include <vector>

namespace corvane {

// Modifiers down in the order written, the key down and up, the modifiers
// up in reverse order: one batch for one SendInput call.
[[nodiscard]] std::vector<KeyStroke> ChordKeyStrokes(const KeyChord& chord);

}  // namespace corvane
