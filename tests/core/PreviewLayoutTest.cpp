#include "dock/PreviewLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <tuple>

namespace corvane {
namespace {

TEST(PreviewLayout, ThumbnailsFitTheirBoxWithAMinimumWidth) {
    // Window pixels and DPI; thumbnail width and height in DIPs.
    const std::tuple<PixelSize, uint32_t, float, float> rows[] = {
        {{100, 2000}, 96, 96, 146},      // tall and narrow: never narrower than 96
        {{2000, 500}, 96, 232, 58},      // wide: limited by the width
        {{800, 1000}, 96, 116.8f, 146},  // tall: limited by the height
        {{600, 300}, 144, 232, 116},     // 400 x 200 DIPs
        {{2000, 500}, 0, 232, 58},       // a DPI of 0 is the default DPI
        {{0, -5}, 96, 146, 146},         // no size: a 1 x 1 square
        {{INT_MAX, 1}, 1, 232, 0},       // a line as wide as can be
    };
    for (const auto& [window, dpi, width, height] : rows) {
        const PreviewLayout layout = LayoutPreview(std::span(&window, 1), dpi);
        ASSERT_EQ(layout.cards.size(), 1u);
        const PreviewCardRects& c = layout.cards[0];
        SCOPED_TRACE(testing::Message() << window.width << "x" << window.height);
        EXPECT_FLOAT_EQ(c.thumbnail.right - c.thumbnail.left, width);
        EXPECT_NEAR(c.thumbnail.bottom - c.thumbnail.top, height, 1e-4);
        EXPECT_EQ(c.card, (PointRect{6, 6, c.thumbnail.right + 4, layout.height - 6}));
        EXPECT_FLOAT_EQ(layout.width, width + 20);
        EXPECT_TRUE(std::isfinite(layout.height) && layout.height >= 42);
    }
}

TEST(PreviewLayout, CardsSitSideBySideCentredInTheTallestBandAndStopAtSix) {
    const PixelSize two[] = {{2000, 500}, {800, 1000}};
    const PreviewLayout layout = LayoutPreview(two, 96);
    EXPECT_EQ(layout.cards[0].thumbnail, (PointRect{10, 76, 242, 134}));
    EXPECT_EQ(layout.cards[1].thumbnail, (PointRect{250, 32, 366.8f, 178}));
    EXPECT_EQ(layout.cards[1].card, (PointRect{246, 6, 370.8f, 182}));
    EXPECT_FLOAT_EQ(layout.width, 376.8f);
    EXPECT_FLOAT_EQ(layout.height, 188);

    const std::vector<PixelSize> eight(8, PixelSize{2000, 500});
    const PreviewLayout capped = LayoutPreview(eight, 96);
    EXPECT_EQ(capped.cards.size(), kPreviewMaxCards);
    EXPECT_FLOAT_EQ(capped.width, 10 + 6 * 232 + 5 * 8 + 10);
}

TEST(PreviewLayout, PopupStaysInsideTheWorkAreaAndTheMonitor) {
    const PixelSize one[] = {{2000, 500}};  // 252 x 100 DIPs
    const PreviewLayout layout = LayoutPreview(one, 96);
    // Anchor x, work-area left, monitor right, DPI; popup left and right.
    const int32_t rows[][6] = {
        {960, 0, 1920, 96, 834, 1086},
        {50, 0, 1920, 96, 8, 260},
        {50, 100, 1920, 96, 108, 360},
        {1900, 0, 1920, 96, 1660, 1912},
        {960, 0, 1920, 144, 771, 1149},
        {-5, -1920, 0, 96, -260, -8},
        {INT_MAX, 0, INT_MAX, 0, INT_MAX - 260, INT_MAX - 8},
    };
    for (const auto& r : rows) {
        const PixelRect popup =
            PreviewPopupRect(layout, static_cast<uint32_t>(r[3]), r[0], 1000, r[1], r[2]);
        EXPECT_EQ(popup, (PixelRect{r[4], 1000 - (r[3] == 144 ? 150 : 100), r[5], 1000}))
            << r[0] << " in " << r[1] << ".." << r[2] << " at " << r[3];
    }
    // Absurd DPIs saturate rather than wrap around.
    const PixelRect huge = PreviewPopupRect(layout, UINT32_MAX, 0, 0, 0, 0);
    EXPECT_LE(huge.left, huge.right);
    EXPECT_LE(huge.top, huge.bottom);
}

TEST(PreviewLayout, HitTestFindsTheCardAndItsCloseSquare) {
    const PixelSize two[] = {{2000, 500}, {800, 1000}};
    const PreviewLayout layout = LayoutPreview(two, 96);
    // Client pixels and DPI; card and close button. Card 0 spans 6..246 x
    // 6..182 DIPs, its close square 222..242 x 9..29.
    const std::tuple<int32_t, int32_t, uint32_t, PreviewHit> rows[] = {
        {6, 6, 96, {0, false}},     {5, 100, 96, {-1, false}},   {245, 100, 96, {0, false}},
        {246, 100, 96, {1, false}}, {100, 182, 96, {-1, false}}, {222, 9, 96, {0, true}},
        {242, 9, 96, {0, false}},   {230, 29, 96, {0, false}},   {230, 28, 96, {0, true}},
        {333, 14, 144, {0, true}},  {333, 14, 0, {1, false}},
    };
    for (const auto& [x, y, dpi, hit] : rows) {
        EXPECT_EQ(HitTestPreview(layout, x, y, dpi), hit) << x << "," << y << " at " << dpi;
    }
    // The hovered card's title makes room for the close square.
    EXPECT_EQ(PreviewTitleRect(layout.cards[0], true), (PointRect{10, 10, 218, 74}));
    EXPECT_EQ(PreviewTitleRect(layout.cards[0], false).right, 242);
    EXPECT_EQ(PreviewToPixels({10, 32.4f, 242, 90.5f}, 144), (PixelRect{15, 49, 363, 136}));
}

TEST(PreviewLayout, CardRules) {
    EXPECT_FALSE(MinimisedThumbnailUsable(false, {800, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {199, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {800, 119}));
    EXPECT_TRUE(MinimisedThumbnailUsable(true, {200, 120}));

    // Tint 0, 72 and 100: 20 more than the dock's alpha, at most 255.
    EXPECT_EQ(PreviewAccentColor(0, true), 0x14202020u);
    EXPECT_EQ(PreviewAccentColor(72, false), 0xCBF3F3F3u);
    EXPECT_EQ(PreviewAccentColor(100, true), 0xFF202020u);
}

}  // namespace
}  // namespace corvane
