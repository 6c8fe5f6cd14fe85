#pragma once
// The strokes that press a set of keys together, as the shell's own
// shortcuts expect them: all down in order, then all up in reverse order.

#include "toolkit/KeyStroke.h"

#include <cstdint>
#include <vector>

namespace corvane {

[[nodiscard]] std::vector<KeyStroke> PressTogetherStrokes(const std::vector<uint16_t>& keys);

}  // namespace corvane
