#include "bar/BarGeometry.h"
#include "dock/DockGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

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
    // Height in points, style, DPI, display, where the shell put the strip's top; the
    // strip and the frame.
    using Row = std::tuple<int32_t, BarStyle, uint32_t, PixelRect, int32_t, PixelRect, PixelRect>;
    using S = BarStyle;
    const PixelRect secondary{-1920, 100, 0, 1180};
    for (const auto& [points, style, dpi, display, shellTop, expectedStrip, frame] :
         {Row{28, S::Classic, 144, kDisplay, 0, {0, 0, 2560, 42}, {0, 0, 2560, 42}},
          {28, S::Floating, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Islands, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Separated, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {30, S::Floating, 96, secondary, 100, {-1920, 100, 0, 142}, {-1914, 106, -6, 136}},
          // Another toolbar already holds the top 40 pixels.
          {30, S::Floating, 96, secondary, 140, {-1920, 140, 0, 182}, {-1914, 146, -6, 176}}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(style) << " at " << dpi);
        const BarMetrics m = ComputeBarMetrics(points, style, dpi);
        const PixelRect proposed = ProposedReservedStrip(display, m);
        EXPECT_EQ(proposed.top, display.top);
        const PixelRect strip = AdjustStripToTop(proposed, shellTop, m);
        EXPECT_EQ(strip, expectedStrip);
        EXPECT_EQ(proposed.Height(), strip.Height());
        EXPECT_EQ(FrameFromStrip(strip, m), frame);
    }
}

TEST(BarGeometry, SlideAndAutoHideHideTheWholeBarOnlyWhenNothingHoldsIt) {
    const BarMetrics m = ComputeBarMetrics(28, BarStyle::Floating, 96);  // h 28, m 6
    EXPECT_EQ(SlideWindowTop(6, m, 0.0f), 6);
    EXPECT_EQ(SlideWindowTop(6, m, 0.5f), 6 - 18);
    EXPECT_EQ(SlideWindowTop(6, m, 1.0f), 6 - 36);
    EXPECT_LE(SlideWindowTop(6, m, 1.0f) + m.height, 0);

    // Auto-hide keeps the bar while the pointer is near or something is open.
    EXPECT_EQ(RevealEdgeRect({1920, -200, 3840, 880}), (PixelRect{1924, -200, 3836, -198}));

    // Pointer x and y, what is open (0 none, 1 a system menu, 2 an own popup, 3 a tray
    // drag); whether the bar stays.
    const std::tuple<int32_t, int32_t, int, bool> rows[] = {
        {1000, 30, 0, true}, {2, 3, 0, true},     {2559, 50, 0, true}, {1000, 51, 0, false},
        {-1, 10, 0, false},  {1000, 51, 1, true}, {1000, 51, 2, true}, {1000, 51, 3, true}};
    const PixelRect frame{9, 9, 2551, 51};
    for (const auto& [x, y, open, keeps] : rows) {
        // Pointer, bar window, display, frame, then what is open.
        const AutoHideFacts f{x, y, frame, kDisplay, frame, open == 1, open == 2, open == 3};
        EXPECT_EQ(AutoHideKeepsBar(f), keeps) << x << "," << y << " open " << open;
    }
}

TEST(BarGeometry, IslandRegionPanelsAndMovesInPixels) {
    const auto shapes = IslandRegionShapes({{0, 0, 100.5f, 28}, {900, 0, 1000, 28}}, 144);
    ASSERT_EQ(shapes.size(), 2u);
    // Right and bottom reach one pixel further.
    EXPECT_EQ(shapes[0].rect, (PixelRect{0, 0, 151, 43}));
    EXPECT_EQ(shapes[1].rect, (PixelRect{1350, 0, 1501, 43}));
    EXPECT_EQ(shapes[0].cornerEllipse, 24);
    EXPECT_EQ(IslandRegionShapes({{0, 0, 10, 10}}, 108)[0].cornerEllipse, 18);

    EXPECT_EQ(PanelRect({-4.8f, 0, 100.7f, 28}, 144, 9, 9), (PixelRect{2, 9, 160, 51}));
    EXPECT_EQ(PanelRect({10, 0, 20, 28}, 96, -1920, 0), (PixelRect{-1910, 0, -1900, 28}));

    // Islands count as moved only beyond half a point.
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

// Every tick moves towards the target without passing it, and the last one
// lands on it exactly (a timer stopped a hair short would leave a bar or dock
// a pixel off).
TEST(Easing, EachAnimationClosesInWithoutOvershootLandsExactlyAndTakesNoTimeWhenOff) {
    const struct {
        float from, target;
        Easing easing;
        int ticks;
    } rows[] = {
        {0.0f, 1.0f, kBarSlideEasing, 12},  // about 180 ms at 15 ms a tick
        {1.0f, 0.0f, kBarSlideEasing, 12},
        {0.995f, 1.0f, kBarSlideEasing, 1},
        {0.98f, 1.0f, kBarSlideEasing, 2},
        {1.0f, kDockHoverScale, kDockScaleEasing, 10},
        {kDockHoverScale, kDockPressScale, kDockScaleEasing, 11},
        {0.0f, 1.0f, kDockHideEasing, 16},
        {0.5f, 0.5f, kDockHideEasing, 1},
    };
    for (const auto& r : rows) {
        float value = r.from;
        int ticks = 1;
        for (float before = value; EaseTowards(value, r.target, r.easing) && ticks < 100;
             before = value) {
            EXPECT_LT(std::abs(r.target - value), std::abs(r.target - before));
            EXPECT_EQ(value < r.target, r.from < r.target) << "passed the target";
            ++ticks;
        }
        EXPECT_EQ(ticks, r.ticks) << r.from << " to " << r.target;
        EXPECT_EQ(value, r.target);
        // Animation effects off: the first tick lands.
        value = r.from;
        EXPECT_FALSE(EaseTowards(value, r.target, MotionEasing(r.easing, false)));
        EXPECT_EQ(value, r.target);
    }
    // So does timed motion.
    EXPECT_EQ(std::pair(MotionDurationMs(340, true), MotionDurationMs(340, false)),
              std::pair(340.0f, 0.0f));
}

}  // namespace
}  // namespace corvane
