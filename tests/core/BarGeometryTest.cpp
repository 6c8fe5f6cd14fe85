#include "bar/BarGeometry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const PixelRect kDisplay{0, 0, 2560, 1440};

TEST(BarGeometry, MulDivRoundsHalvesAwayFromZeroLikeWindows) {
    EXPECT_EQ(MulDivRound(28, 144, 96), 42);
    EXPECT_EQ(MulDivRound(6, 120, 96), 8);    // 7.5
    EXPECT_EQ(MulDivRound(-6, 120, 96), -8);  // -7.5
    EXPECT_EQ(MulDivRound(5, 115, 96), 6);    // 5.99
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2, 4), 1000000000);  // no overflow
}

TEST(BarGeometry, StripAndFrameOfEachStyle) {
    struct Row {
        int32_t heightPoints;
        BarStyle style;
        uint32_t dpi;
        PixelRect display;
        int32_t shellTop;  // where the shell put the strip's top
        PixelRect strip, frame;
    };
    using S = BarStyle;
    const PixelRect secondary{-1920, 100, 0, 1180};
    for (const Row& r :
         {Row{28, S::Classic, 144, kDisplay, 0, {0, 0, 2560, 42}, {0, 0, 2560, 42}},
          {28, S::Floating, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Islands, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Separated, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {30, S::Floating, 96, secondary, 100, {-1920, 100, 0, 142}, {-1914, 106, -6, 136}},
          // Another toolbar already holds the top 40 pixels.
          {30, S::Floating, 96, secondary, 140, {-1920, 140, 0, 182}, {-1914, 146, -6, 176}}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.style) << " at " << r.dpi);
        const BarMetrics m = ComputeBarMetrics(r.heightPoints, r.style, r.dpi);
        const PixelRect proposed = ProposedReservedStrip(r.display, m);
        EXPECT_EQ(proposed.top, r.display.top);
        const PixelRect strip = AdjustStripToTop(proposed, r.shellTop, m);
        EXPECT_EQ(strip, r.strip);
        EXPECT_EQ(proposed.Height(), strip.Height());
        EXPECT_EQ(FrameFromStrip(strip, m), r.frame);
    }
}

TEST(BarGeometry, SlideHidesTheWholeBar) {
    const BarMetrics m = ComputeBarMetrics(28, BarStyle::Floating, 96);  // h 28, m 6
    EXPECT_EQ(SlideWindowTop(6, m, 0.0f), 6);
    EXPECT_EQ(SlideWindowTop(6, m, 0.5f), 6 - 18);
    EXPECT_EQ(SlideWindowTop(6, m, 1.0f), 6 - 36);
    EXPECT_LE(SlideWindowTop(6, m, 1.0f) + m.height, 0);
}

TEST(BarGeometry, AutoHideKeepsTheBarWhileThePointerIsNearOrSomethingIsOpen) {
    EXPECT_EQ(RevealEdgeRect({1920, -200, 3840, 880}), (PixelRect{1924, -200, 3836, -198}));

    struct Row {
        int32_t x, y;
        int open;  // 0 none, 1 a system menu, 2 an own popup, 3 a tray drag
        bool keeps;
    };
    const Row rows[] = {{1000, 30, 0, true},  {2, 3, 0, true},    {2559, 50, 0, true},
                        {1000, 51, 0, false}, {-1, 10, 0, false}, {1000, 51, 1, true},
                        {1000, 51, 2, true},  {1000, 51, 3, true}};
    for (const Row& r : rows) {
        const PixelRect frame{9, 9, 2551, 51};
        // Pointer, bar window, display, frame, then what is open.
        const AutoHideFacts f{r.x,   r.y,         frame,       kDisplay,
                              frame, r.open == 1, r.open == 2, r.open == 3};
        EXPECT_EQ(AutoHideKeepsBar(f), r.keeps) << r.x << "," << r.y << " open " << r.open;
    }
}

TEST(BarGeometry, IslandRegionAndPanelsInPixels) {
    const auto shapes = IslandRegionShapes({{0, 0, 100.5f, 28}, {900, 0, 1000, 28}}, 144);
    ASSERT_EQ(shapes.size(), 2u);
    // Right and bottom reach one pixel further.
    EXPECT_EQ(shapes[0].rect, (PixelRect{0, 0, 151, 43}));
    EXPECT_EQ(shapes[1].rect, (PixelRect{1350, 0, 1501, 43}));
    EXPECT_EQ(shapes[0].cornerEllipse, 24);
    EXPECT_EQ(IslandRegionShapes({{0, 0, 10, 10}}, 108)[0].cornerEllipse, 18);

    EXPECT_EQ(PanelRect({-4.8f, 0, 100.7f, 28}, 144, 9, 9), (PixelRect{2, 9, 160, 51}));
    EXPECT_EQ(PanelRect({10, 0, 20, 28}, 96, -1920, 0), (PixelRect{-1910, 0, -1900, 28}));
}

TEST(BarGeometry, IslandsCountAsMovedOnlyBeyondHalfAPoint) {
    const std::vector<PointRect> applied{{0, 0, 100, 28}, {500, 0, 600, 28}};
    auto same = applied;
    same[1].left += 0.5f;
    same[0].right -= 0.4f;
    same[0].bottom = 99;  // only left and right edges count
    EXPECT_FALSE(IslandsMoved(applied, same));
    auto moved = applied;
    moved[1].right += 0.6f;
    EXPECT_TRUE(IslandsMoved(applied, moved));
    EXPECT_TRUE(IslandsMoved(applied, {applied[0]}));
    EXPECT_FALSE(IslandsMoved({}, {}));
}

}  // namespace
}  // namespace corvane
