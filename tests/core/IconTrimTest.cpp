#include "identity/IconTrim.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace corvane {
namespace {

// A transparent BGRA canvas with optional padding after each row.
struct Canvas {
    int width, height;
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

TEST(ComputeIconCrop, ContentUnder62PercentOfTheWidthGetsASquareOfItPlusMargin) {
    struct Row {
        const char* name;
        int width, height;
        int x0, y0, x1, y1;  // an inclusive rectangle of alpha 255
        std::optional<IconCrop> crop;
    };
    const Row rows[] = {
        {"100 x 100 centred: 106 + 2", 256, 256, 78, 78, 177, 177, IconCrop{73, 73, 108}},
        {"158 wide is 62 %", 256, 256, 49, 120, 206, 130, std::nullopt},
        {"157 wide: 166 + 2", 256, 256, 50, 120, 206, 130, IconCrop{44, 41, 168}},
        {"canvas narrower than 64", 63, 256, 30, 30, 33, 33, std::nullopt},
        {"smallest canvas", 64, 64, 30, 30, 33, 33, IconCrop{28, 28, 6}},
        {"kept inside at the top left", 256, 256, 0, 0, 9, 9, IconCrop{0, 0, 12}},
        {"kept inside at the bottom right", 256, 256, 246, 246, 255, 255, IconCrop{244, 244, 12}},
        {"tall content is measured against the width", 100, 300, 10, 10, 14, 89, std::nullopt},
        {"no taller than a low canvas", 300, 64, 20, 10, 169, 20, IconCrop{62, 0, 64}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        Canvas c(r.width, r.height);
        c.Fill(r.x0, r.y0, r.x1, r.y1);
        EXPECT_EQ(ComputeIconCrop(c.View()), r.crop);
    }
    Canvas haze(256, 256);
    haze.Fill(0, 0, 255, 255, 12);
    EXPECT_EQ(ComputeIconCrop(haze.View()), std::nullopt);
    haze.Fill(100, 100, 109, 109, 13);  // only alpha above 12 counts
    EXPECT_EQ(ComputeIconCrop(haze.View()), (IconCrop{98, 98, 12}));
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
