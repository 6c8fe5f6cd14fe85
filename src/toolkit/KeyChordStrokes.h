#pragma once
// The strokes that press a set of keys together, as the shell's own
// shortcuts expect them: all down in order, then all up in reverse order.

#include "toolkit/KeyStroke.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

[[nodiscard]] std::vector<KeyStroke> PressTogetherStrokes(const std::vector<uint16_t>& keys);

// When the system took only the first `inserted` strokes of a batch, the
// key-ups that leave none of the keys pressed there held down: the latest
// pressed first, each with its press's flags. A Windows key left down would
// turn the user's next key into a shortcut.
[[nodiscard]] std::vector<KeyStroke> StrokesToRelease(const std::vector<KeyStroke>& strokes,
                                                      std::size_t inserted);

}  // namespace corvane
