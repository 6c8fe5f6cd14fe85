#pragma once
// Where an icon's visible content sits in its canvas, and the square to crop
// so that icons drawn small on a large canvas are shown as large as others.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace corvane {

// A 32-bit pixel counts as visible when its alpha (fourth byte) is above this.
inline constexpr uint8_t kVisibleAlphaAbove = 12;
// Canvases smaller than this in either direction are never trimmed.
inline constexpr int kTrimMinCanvas = 64;

// 32-bit pixels, rows of `stride` bytes, alpha in the fourth byte of each.
struct PixelView {
    std::span<const uint8_t> bytes;
    int width = 0;
    int height = 0;
    std::size_t stride = 0;
};

// Inclusive bounds of the visible pixels.
struct AlphaBounds {
    int minX = 0;
    int minY = 0;
    int maxX = 0;
    int maxY = 0;
    friend bool operator==(const AlphaBounds&, const AlphaBounds&) = default;
};

struct IconCrop {
    int left = 0;
    int top = 0;
    int side = 0;
    friend bool operator==(const IconCrop&, const IconCrop&) = default;
};

// True when the view's sizes are positive and its bytes hold every row.
[[nodiscard]] bool IsWellFormed(const PixelView& view);

// The bounding box of the visible pixels; none when no pixel is visible or
// the view is not well formed.
[[nodiscard]] std::optional<AlphaBounds> FindVisibleBounds(const PixelView& view);

// Content narrower than 62 % of the canvas width gets a square crop of its
// extent plus 6 % and 2 pixels, centred on it and kept inside the canvas.
// None when the content is large enough to be shown as it is.
[[nodiscard]] std::optional<IconCrop> CropForBounds(const AlphaBounds& bounds, int width,
                                                    int height);

// The whole decision: none for canvases under 64 pixels, for blank or
// malformed ones, and for content that already fills the canvas enough.
[[nodiscard]] std::optional<IconCrop> ComputeIconCrop(const PixelView& view);

}  // namespace corvane
