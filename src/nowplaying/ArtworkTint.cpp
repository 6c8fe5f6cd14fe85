#include "nowplaying/ArtworkTint.h"

#include <algorithm>

namespace corvane {

ArtworkTint TintFromPixels(std::span<const uint8_t, 64> bgra) noexcept {
    float sums[3] = {};
    for (std::size_t i = 0; i < bgra.size(); i += 4) {
        for (std::size_t c = 0; c < 3; ++c) {
            sums[c] += bgra[i + c];
        }
    }
    // 16 pixels of at most 255 each.
    const float b = sums[0] / 4080.0F;
    const float g = sums[1] / 4080.0F;
    const float r = sums[2] / 4080.0F;
    const float mean = (r + g + b) / 3.0F;
    const auto saturate = [mean](float c) {
        return std::clamp(mean + 1.5F * (c - mean), 0.0F, 1.0F);
    };
    return {saturate(r), saturate(g), saturate(b), 1.0F};
}

}  // namespace corvane
