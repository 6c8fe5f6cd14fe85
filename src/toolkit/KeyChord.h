#pragma once
// Types a shell shortcut such as Win+A into whatever has the keyboard.

#include <cstdint>
#include <vector>

namespace corvane {

// The keys pressed together in one batch (see SendKeyStrokes); false when
// the system did not take them all.
bool SendKeyChord(const std::vector<uint16_t>& virtualKeys) noexcept;

}  // namespace corvane
