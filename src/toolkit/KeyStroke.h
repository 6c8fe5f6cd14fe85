#pragma once
// One key press or release as SendInput takes it. Portable, so that the
// strokes of a chord are worked out and tested without a keyboard.

#include <cstdint>

namespace corvane {

// Flags of a keyboard input, with the values SendInput gives them.
inline constexpr uint32_t kStrokeExtended = 0x1;
inline constexpr uint32_t kStrokeKeyUp = 0x2;

struct KeyStroke {
    uint16_t key = 0;
    uint32_t flags = 0;

    friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

}  // namespace corvane
