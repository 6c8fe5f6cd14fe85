#include "identity/IconTrim.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace corvane {
namespace {

// A transparent BGRA canvas with optional padding after each row.
struct Canvas {
    int width;
    int height;
    std::size_t stride;
    std::vector<uint8_t> bytes;

    Canvas(int w, int h, std::size_t padding = 0)
        : width(w),
          height(h),
          stride(static_cast<std::size_t>(w) * 4 + padding),
          bytes(stride * static_cast<std::size_t>(h), 0) {}

    uint8_t& Alpha(int x, int y) {
        return bytes[static_cast<std::size_t>(y) * stride + static_cast<std::size_t>(x) * 4 + 3];
    }
    // Inclusive rectangle.
    void Fill(int x0, int y0, int x1, int y1, uint8_t alpha = 255) {
        for (int y = y0; y <= y1; ++y) {
            for (int x = x0; x <= x1; ++x) {
                Alpha(x, y) = alpha;
            }
        }
    }
    PixelView View() const { return PixelView{bytes, width, height, stride}; }
};

TEST(ComputeIconCrop, ContentUnder62PercentGetsASquareOfItPlusMargin) {
    Canvas hundred(256, 256);
    hundred.Fill(78, 78, 177, 177);  // 100 x 100: 106 + 2, centred on the content
    EXPECT_EQ(ComputeIconCrop(hundred.View()), (IconCrop{73, 73, 108}));

    // 158 is the integer part of 256 x 0.62.
    Canvas wide(256, 256);
    wide.Fill(49, 120, 206, 130);
    EXPECT_EQ(ComputeIconCrop(wide.View()), std::nullopt);
    Canvas justUnder(256, 256);
    justUnder.Fill(50, 120, 206, 130);  // 157 wide: 166 + 2
    EXPECT_EQ(ComputeIconCrop(justUnder.View()), (IconCrop{44, 41, 168}));
}

TEST(ComputeIconCrop, OnlyAlphaAbove12OnCanvasesOf64OrMoreCounts) {
    Canvas haze(256, 256);
    haze.Fill(0, 0, 255, 255, 12);
    EXPECT_EQ(ComputeIconCrop(haze.View()), std::nullopt);
    haze.Fill(100, 100, 109, 109, 13);
    EXPECT_EQ(ComputeIconCrop(haze.View()), (IconCrop{98, 98, 12}));

    Canvas narrow(63, 256);
    narrow.Fill(30, 30, 33, 33);
    EXPECT_EQ(ComputeIconCrop(narrow.View()), std::nullopt);
    Canvas smallest(64, 64);
    smallest.Fill(30, 30, 33, 33);
    EXPECT_EQ(ComputeIconCrop(smallest.View()), (IconCrop{28, 28, 6}));
}

TEST(ComputeIconCrop, TheSquareStaysInsideTheCanvas) {
    Canvas topLeft(256, 256);
    topLeft.Fill(0, 0, 9, 9);
    EXPECT_EQ(ComputeIconCrop(topLeft.View()), (IconCrop{0, 0, 12}));
    Canvas bottomRight(256, 256);
    bottomRight.Fill(246, 246, 255, 255);
    EXPECT_EQ(ComputeIconCrop(bottomRight.View()), (IconCrop{244, 244, 12}));

    // The share is of the width; on a wide, low canvas the square may not
    // be taller than the canvas.
    Canvas tall(100, 300);
    tall.Fill(10, 10, 14, 89);  // 80 tall: 80 % of the width
    EXPECT_EQ(ComputeIconCrop(tall.View()), std::nullopt);
    Canvas low(300, 64);
    low.Fill(20, 10, 169, 20);
    EXPECT_EQ(ComputeIconCrop(low.View()), (IconCrop{62, 0, 64}));
}

TEST(FindVisibleBounds, MatchesAFullScanOnRandomImages) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(random() % 90);
        const int h = 1 + static_cast<int>(random() % 90);
        Canvas c(w, h, random() % 3 * 4);
        for (int dots = static_cast<int>(random() % 6); dots > 0; --dots) {
            c.Alpha(static_cast<int>(random() % w), static_cast<int>(random() % h)) =
                static_cast<uint8_t>(random() % 256);
        }
        std::optional<AlphaBounds> expected;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                if (c.Alpha(x, y) > 12) {
                    AlphaBounds b = expected.value_or(AlphaBounds{x, y, x, y});
                    expected = AlphaBounds{std::min(b.minX, x), std::min(b.minY, y),
                                           std::max(b.maxX, x), std::max(b.maxY, y)};
                }
            }
        }
        ASSERT_EQ(FindVisibleBounds(c.View()), expected) << "round " << round;
    }
}

TEST(FindVisibleBounds, RefusesViewsWhoseBytesDoNotHoldEveryRow) {
    // The last row needs no padding after it.
    Canvas padded(80, 80, 16);
    padded.Fill(79, 79, 79, 79);
    PixelView view = padded.View();
    view.bytes = view.bytes.first(view.bytes.size() - 16);
    EXPECT_EQ(FindVisibleBounds(view), (AlphaBounds{79, 79, 79, 79}));

    PixelView cut = view;
    cut.bytes = view.bytes.first(view.bytes.size() - 1);
    PixelView narrowStride = view;
    narrowStride.stride = 80 * 4 - 1;
    PixelView negative = view;
    negative.height = -5;
    // Sizes whose product would wrap around are refused, not read.
    PixelView huge = view;
    huge.height = INT_MAX;
    huge.stride = SIZE_MAX / 2;
    for (const PixelView& bad : {cut, narrowStride, negative, huge}) {
        EXPECT_EQ(FindVisibleBounds(bad), std::nullopt);
        EXPECT_EQ(ComputeIconCrop(bad), std::nullopt);
    }
}

}  // namespace
}  // namespace corvane
