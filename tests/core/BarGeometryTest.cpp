#include "bar/BarGeometry.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

const PixelRect kDisplay{0, 0, 2560, 1440};

TEST(BarGeometry, MulDivRoundsHalvesAwayFromZeroLikeWindows) {
    EXPECT_EQ(MulDivRound(28, 144, 96), 42);
    EXPECT_EQ(MulDivRound(6, 120, 96), 8);     // 7.5 -> 8
    EXPECT_EQ(MulDivRound(-6, 120, 96), -8);   // -7.5 -> -8
    EXPECT_EQ(MulDivRound(5, 115, 96), 6);     // 5.99 -> 6
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2, 4), 1000000000);  // no overflow
}

TEST(BarGeometry, ClassicBarHasNoMargin) {
    const BarMetrics m = ComputeBarMetrics(28, BarStyle::Classic, 144);
    EXPECT_EQ(m.height, 42);
    EXPECT_EQ(m.margin, 0);
    const PixelRect strip = ProposedReservedStrip(kDisplay, m);
    EXPECT_EQ(strip, (PixelRect{0, 0, 2560, 42}));
    EXPECT_EQ(FrameFromStrip(strip, m), (PixelRect{0, 0, 2560, 42}));
}

TEST(BarGeometry, FloatingBarAt144DpiReservesSixtyPixelsAndIsInsetByNine) {
    for (BarStyle style : {BarStyle::Floating, BarStyle::Islands, BarStyle::Separated}) {
        const BarMetrics m = ComputeBarMetrics(28, style, 144);
        EXPECT_EQ(m.margin, 9);
        const PixelRect strip = ProposedReservedStrip(kDisplay, m);
        EXPECT_EQ(strip.Height(), 60);
        EXPECT_EQ(FrameFromStrip(strip, m), (PixelRect{9, 9, 2551, 51}));
    }
}

TEST(BarGeometry, StripFollowsTheTopTheShellGives) {
    const PixelRect secondary{-1920, 100, 0, 1180};
    const BarMetrics m = ComputeBarMetrics(30, BarStyle::Floating, 96);
    PixelRect strip = ProposedReservedStrip(secondary, m);
    EXPECT_EQ(strip, (PixelRect{-1920, 100, 0, 142}));
    // Another toolbar already holds the top 40 pixels.
    strip = AdjustStripToTop(strip, 140, m);
    EXPECT_EQ(strip.bottom, 182);
    EXPECT_EQ(FrameFromStrip(strip, m), (PixelRect{-1914, 146, -6, 176}));
}

TEST(BarGeometry, SlideMovesTheWholeBarAndItsMarginOffScreen) {
    const BarMetrics m = ComputeBarMetrics(28, BarStyle::Floating, 96);  // h 28, m 6
    EXPECT_EQ(SlideWindowTop(6, m, 0.0f), 6);
    EXPECT_EQ(SlideWindowTop(6, m, 1.0f), 6 - 36);
    EXPECT_EQ(SlideWindowTop(6, m, 0.5f), 6 - 18);
    // Fully slid away, nothing of the bar is left on the display.
    EXPECT_LE(SlideWindowTop(6, m, 1.0f) + m.height, 0);
}

TEST(BarGeometry, SlideEasesAndSnapsToTheTarget) {
    SlideStep step = StepSlide(0.0f, 1.0f);
    EXPECT_FALSE(step.reached);
    EXPECT_FLOAT_EQ(step.position, 0.32f);
    int steps = 1;
    while (!step.reached && steps < 100) {
        step = StepSlide(step.position, 1.0f);
        ++steps;
    }
    EXPECT_TRUE(step.reached);
    EXPECT_EQ(step.position, 1.0f);
    EXPECT_LT(steps, 20);  // about 200 ms at 15 ms a step
    EXPECT_TRUE(StepSlide(0.995f, 1.0f).reached);
    EXPECT_FALSE(StepSlide(0.98f, 1.0f).reached);
}

TEST(BarGeometry, RevealEdgeIsTheTopTwoPixelsShortOfBothEnds) {
    EXPECT_EQ(RevealEdgeRect(kDisplay), (PixelRect{4, 0, 2556, 2}));
    EXPECT_EQ(RevealEdgeRect({1920, -200, 3840, 880}), (PixelRect{1924, -200, 3836, -198}));
}

TEST(BarGeometry, AutoHideKeepsTheBarWhileThePointerIsOnItOrAMenuIsOpen) {
    AutoHideFacts f;
    f.display = kDisplay;
    f.frame = {9, 9, 2551, 51};
    f.barWindow = f.frame;
    f.pointerX = 1000;
    f.pointerY = 30;
    EXPECT_TRUE(AutoHideKeepsBar(f));
    // In the margin above the bar, across the whole width.
    f.pointerX = 2;
    f.pointerY = 3;
    EXPECT_TRUE(AutoHideKeepsBar(f));
    f.pointerY = 51;  // just below the frame
    EXPECT_FALSE(AutoHideKeepsBar(f));
    f.systemMenuVisible = true;
    EXPECT_TRUE(AutoHideKeepsBar(f));
    f.systemMenuVisible = false;
    f.ownPopupOpen = true;
    EXPECT_TRUE(AutoHideKeepsBar(f));
    f.ownPopupOpen = false;
    f.trayDragging = true;
    EXPECT_TRUE(AutoHideKeepsBar(f));
}

TEST(BarGeometry, IslandRegionExtendsRightAndBottomByOnePixel) {
    const auto shapes = IslandRegionShapes({{0, 0, 100.5f, 28}, {900, 0, 1000, 28}}, 144);
    ASSERT_EQ(shapes.size(), 2u);
    EXPECT_EQ(shapes[0].rect, (PixelRect{0, 0, 151, 43}));
    EXPECT_EQ(shapes[1].rect, (PixelRect{1350, 0, 1501, 43}));
    EXPECT_EQ(shapes[0].cornerEllipse, 24);
    EXPECT_EQ(IslandRegionShapes({{0, 0, 10, 10}}, 120)[0].cornerEllipse, 20);
    EXPECT_EQ(IslandRegionShapes({{0, 0, 10, 10}}, 108)[0].cornerEllipse, 18);
}

TEST(BarGeometry, PanelsSitUnderTheirIslandsInScreenPixels) {
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
