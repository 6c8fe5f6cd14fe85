#pragma once
// The inside of a bed in DIPs: a 30-DIP header over a scrolling grid of
// 84 x 80 cells, centred in the client width. Painting, hit testing and item
// drags all go through these rules so that what is drawn is what is hit.
// Windows' text size (`textScale`, 1 to 2.25) deepens the header and each
// cell's label band; at 1 the sizes are the ones named here.

#include "base/Geometry.h"

#include <cstdint>

namespace corvane {

inline constexpr float kBedHeaderHeight = 30;
inline constexpr float kBedCellWidth = 84;
inline constexpr float kBedCellHeight = 80;
inline constexpr float kBedGridTop = 34;  // the first row's top, below the header
inline constexpr int32_t kBedIconSize = 38;

// The header's height in DIPs (a collapsed bed is the header alone).
[[nodiscard]] float BedHeaderHeight(float textScale) noexcept;

// The grid of one paint: a collapsed bed has no grid to scroll.
struct BedGrid {
    float headerHeight = kBedHeaderHeight;
    float gridTop = kBedGridTop;
    float cellHeight = kBedCellHeight;
    int32_t columns = 1;
    float gridOffset = 0;  // left edge of the first column
    float contentHeight = 0;
    float scroll = 0;  // clamped to what the content needs
};

// `width` and `height` are the client size, `count` the bed's visible items and
// `scroll` the wanted offset, which the wheel may have pushed past either end.
[[nodiscard]] BedGrid LayoutBed(float width, float height, int32_t count, float scroll,
                                bool collapsed, float textScale = 1.0f) noexcept;

// Cell `index` of the visible items, scrolled.
[[nodiscard]] PointRect BedCellRect(const BedGrid& grid, int32_t index) noexcept;

// Where the item's name is written in its cell: two lines under the icon.
[[nodiscard]] PointRect BedLabelRect(const BedGrid& grid, const PointRect& cell) noexcept;

// The item under the point, -1 for none. The cell's rim is not part of the
// item, so a point between two highlights never picks either.
[[nodiscard]] int32_t BedHitTest(const BedGrid& grid, int32_t count, float x, float y,
                                 bool collapsed) noexcept;

// Where a dragged item would go, 0..count: before the cell whose left half or
// the previous cell's right half holds the point.
[[nodiscard]] int32_t BedInsertionIndex(const BedGrid& grid, int32_t count, float x,
                                        float y) noexcept;

// The cells [first, end) that reach into the area below the header; only
// these are painted, so a bed of thousands of items costs a screenful.
struct BedCellRange {
    int32_t first = 0;
    int32_t end = 0;
};
[[nodiscard]] BedCellRange VisibleBedCells(const BedGrid& grid, int32_t count, float height,
                                           bool collapsed) noexcept;

// The bar that shows the insertion index: 3 DIPs wide on the left edge of
// that position, inset from the row's top and bottom.
[[nodiscard]] PointRect DropBarRect(const BedGrid& grid, int32_t index) noexcept;

// The icon's size in pixels, so that it is loaded once per size and DPI.
[[nodiscard]] int32_t BedIconPixels(uint32_t dpi) noexcept;

// The scroll offset after a wheel turn: 48 DIPs per notch, down for a
// negative delta; clamped at the next layout.
[[nodiscard]] float WheelScroll(float scroll, int32_t wheelDelta) noexcept;

}  // namespace corvane
