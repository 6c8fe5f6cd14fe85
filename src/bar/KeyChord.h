#pragma once
// Types a shell shortcut such as Win+A into whatever has the keyboard.

#include <cstdint>
#include <vector>

namespace corvane {

// One SendInput batch, so no other input can fall between the keys. False
// when the system took fewer strokes than sent (for example when blocked by
// a higher-integrity window).
bool SendKeyChord(const std::vector<uint16_t>& virtualKeys) noexcept;

}  // namespace corvane
