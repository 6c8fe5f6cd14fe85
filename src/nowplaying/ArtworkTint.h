#pragma once
// The colour a cover tints the Now Playing card with.

#include <cstdint>
#include <span>

namespace corvane {

// Channels in 0..1; a = 0 means no tint.
struct ArtworkTint {
    float r = 0.0F;
    float g = 0.0F;
    float b = 0.0F;
    float a = 0.0F;
};

// From the cover scaled to 4 x 4 pixels (BGRA, 4 bytes each): the mean colour
// with its saturation raised by half, so that a muted cover still gives a
// colour that reads as its own. Alpha does not count.
[[nodiscard]] ArtworkTint TintFromPixels(std::span<const uint8_t, 64> bgra) noexcept;

}  // namespace corvane
