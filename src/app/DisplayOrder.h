#pragma once
// How displays are numbered and which ones carry a dock. Display handles are
// opaque ids here.

#include "base/Geometry.h"

#include <cstdint>
#include <vector>

namespace corvane {

struct DisplayInfo {
    uint64_t id = 0;
    PixelRect rect;  // the full display rectangle
    bool primary = false;
};

// Left to right by the left edge, ties top first. Display number n (1-based)
// is the n-th of this order.
[[nodiscard]] std::vector<DisplayInfo> SortDisplays(std::vector<DisplayInfo> displays);

// The displays that get a dock, in creation order, for [Dock] Monitor:
// 0 the main display, 1 every display (main first, then by number),
// 2..9 display number (value - 1), falling back to the main display.
[[nodiscard]] std::vector<uint64_t> DockDisplays(int32_t monitorSetting,
                                                 const std::vector<DisplayInfo>& sorted,
                                                 uint64_t mainDisplay);

}  // namespace corvane
