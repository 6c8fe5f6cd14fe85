#include "identity/IconTrim.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr double kTrimBelowShare = 0.62;
constexpr double kMarginFactor = 1.06;
constexpr int kMarginPixels = 2;
constexpr std::size_t kBytesPerPixel = 4;
constexpr std::size_t kAlphaByte = 3;

bool Visible(const uint8_t* row, int x) {
    return row[static_cast<std::size_t>(x) * kBytesPerPixel + kAlphaByte] > kVisibleAlphaAbove;
}

const uint8_t* Row(const PixelView& view, int y) {
    return view.bytes.data() + static_cast<std::size_t>(y) * view.stride;
}

bool RowHasVisible(const PixelView& view, int y) {
    const uint8_t* row = Row(view, y);
    for (int x = 0; x < view.width; ++x) {
        if (Visible(row, x)) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsWellFormed(const PixelView& view) {
    if (view.width <= 0 || view.height <= 0) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(view.width) * kBytesPerPixel;
    if (view.stride < rowBytes || view.bytes.size() < rowBytes) {
        return false;
    }
    // (height - 1) * stride + rowBytes <= size, asked by division so that
    // huge sizes cannot wrap around.
    const std::size_t lastRow = static_cast<std::size_t>(view.height - 1);
    return lastRow == 0 || view.stride <= (view.bytes.size() - rowBytes) / lastRow;
}

std::optional<AlphaBounds> FindVisibleBounds(const PixelView& view) {
    if (!IsWellFormed(view)) {
        return std::nullopt;
    }
    // Rows above and below the content are skipped whole; in the rows
    // between, only the columns outside the box found so far need a look.
    int minY = 0;
    while (minY < view.height && !RowHasVisible(view, minY)) {
        ++minY;
    }
    if (minY == view.height) {
        return std::nullopt;
    }
    int maxY = view.height - 1;
    while (maxY > minY && !RowHasVisible(view, maxY)) {
        --maxY;
    }
    int minX = view.width;
    int maxX = -1;
    for (int y = minY; y <= maxY; ++y) {
        const uint8_t* row = Row(view, y);
        for (int x = 0; x < minX; ++x) {
            if (Visible(row, x)) {
                minX = x;
                break;
            }
        }
        for (int x = view.width - 1; x > maxX; --x) {
            if (Visible(row, x)) {
                maxX = x;
                break;
            }
        }
    }
    return AlphaBounds{minX, minY, maxX, maxY};
}

std::optional<IconCrop> CropForBounds(const AlphaBounds& bounds, int width, int height) {
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const int extent = std::max(bounds.maxX - bounds.minX, bounds.maxY - bounds.minY);
    if (extent + 1 >= static_cast<int>(width * kTrimBelowShare)) {
        return std::nullopt;
    }
    // A crop larger than the shorter side would reach outside the canvas.
    int side = static_cast<int>((extent + 1) * kMarginFactor) + kMarginPixels;
    side = std::min(side, std::min(width, height));
    int left = (bounds.minX + bounds.maxX) / 2 - side / 2;
    left = std::max(std::min(left, width - side), 0);
    int top = (bounds.minY + bounds.maxY) / 2 - side / 2;
    top = std::max(std::min(top, height - side), 0);
    return IconCrop{left, top, side};
}

std::optional<IconCrop> ComputeIconCrop(const PixelView& view) {
    if (view.width < kTrimMinCanvas || view.height < kTrimMinCanvas) {
        return std::nullopt;
    }
    const std::optional<AlphaBounds> bounds = FindVisibleBounds(view);
    if (!bounds) {
        return std::nullopt;
    }
    return CropForBounds(*bounds, view.width, view.height);
}

}  // namespace corvane
