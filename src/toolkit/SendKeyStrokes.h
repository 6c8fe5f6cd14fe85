#pragma once
// Types key strokes into whatever has the keyboard: the bar's shell
// shortcuts, the chords of chosen menu entries and the dock's Windows-key
// combinations alike.

#include "toolkit/KeyStroke.h"

#include <vector>

namespace corvane {

// One SendInput batch, so that no other input can fall between the
// strokes. False when the system took fewer strokes than sent (for example
// when a higher-integrity window has the keyboard); the keys it took down
// are then let go again.
bool SendKeyStrokes(const std::vector<KeyStroke>& strokes) noexcept;

}  // namespace corvane
