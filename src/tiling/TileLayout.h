#pragma once
// The four tiling layouts: n windows into one display's usable area, with
// the same gap between tiles as around them. Pure arithmetic over pixels.

#include "base/Geometry.h"

#include <cstdint>
#include <vector>

namespace corvane {

enum TileLayoutKind : int32_t {
    kLayoutBsp = 0,
    kLayoutMaster = 1,
    kLayoutColumns = 2,
    kLayoutMonocle = 3,  // and any other value
};

// Target i belongs to the i-th window of the display in tiling order; empty
// for a count below 1. `gap` is in pixels (the DIPs already scaled).
// Very small areas may give tiles of zero or negative size, as computed.
[[nodiscard]] std::vector<PixelRect> ComputeTileLayout(const PixelRect& area, int32_t count,
                                                       int32_t layout, int32_t gap);

}  // namespace corvane
