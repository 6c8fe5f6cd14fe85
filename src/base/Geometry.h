#pragma once
// Rectangles shared by every surface: whole pixels on the screen or in a
// window, and device-independent points (1/96 inch).

#include <cstdint>

namespace corvane {

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    [[nodiscard]] int32_t Width() const noexcept { return right - left; }
    [[nodiscard]] int32_t Height() const noexcept { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

struct PointRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    bool operator==(const PointRect&) const = default;
};

// Whether a point lies in a rectangle: the left and top edges belong to it,
// the right and bottom edges to the next one, so that rectangles that touch
// never both claim a point.
[[nodiscard]] constexpr bool Contains(const PixelRect& r, int32_t x, int32_t y) noexcept {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}
[[nodiscard]] constexpr bool Contains(const PointRect& r, float x, float y) noexcept {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// a x b / c rounded to the nearest integer, halves away from zero, as
// Windows' MulDiv does (which also answers -1 for a zero divisor).
[[nodiscard]] int32_t MulDivRound(int32_t a, int32_t b, int32_t c) noexcept;

// Points to pixels at this DPI.
[[nodiscard]] inline int32_t ScalePoints(int32_t points, uint32_t dpi) noexcept {
    return MulDivRound(points, static_cast<int32_t>(dpi), 96);
}
// A rectangle in points to whole pixels at this DPI, each edge rounded.
[[nodiscard]] PixelRect PointsToPixels(const PointRect& r, uint32_t dpi) noexcept;

}  // namespace corvane
