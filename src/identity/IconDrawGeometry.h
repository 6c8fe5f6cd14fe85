#pragma once
// Icons drawn on whole device pixels stay crisp: the destination is snapped
// to the pixel grid, and when the bitmap then maps one to one onto device
// pixels it is copied rather than filtered.

#include "base/Geometry.h"

#include <cstdint>

namespace corvane {

enum class IconSampling { NearestNeighbor, HighQualityCubic };

// Device pixels per DIP for a target DPI; 1 for a DPI that is not positive.
[[nodiscard]] float PixelScaleForDpi(float dpi);

// Left and top on whole device pixels, and the width and height made whole
// device pixels too (so the right edge is not rounded on its own and the
// size stays the same wherever the icon sits).
[[nodiscard]] PointRect SnapToDevicePixels(const PointRect& rect, float scale);

// Nearest neighbour when the bitmap's pixel size is within half a pixel of
// the snapped rectangle's device size in both directions.
[[nodiscard]] IconSampling ChooseIconSampling(uint32_t bitmapWidth, uint32_t bitmapHeight,
                                              const PointRect& snapped, float scale);

}  // namespace corvane
