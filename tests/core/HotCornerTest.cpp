// Hot corners: trigger squares, polling period, dwell and what a corner runs.

#include "tiling/HotCornerRules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace corvane {
namespace {

using A = CornerAction;

// Squares take their left and top edges only; fast polling reaches 220 px in.
TEST(HotCorner, SquareAndPeriodByPosition) {
    const PixelRect display{1000, -200, 2920, 880};  // not at the origin
    const int32_t rows[][4] = {
        {1000, -200, 0, 25},  {1003, -197, 0, 25},  {1004, -200, -1, 25}, {1003, -196, -1, 25},
        {999, -200, -1, 100}, {2919, -200, 1, 25},  {2915, -200, -1, 25}, {2920, -200, -1, 100},
        {1000, 879, 2, 25},   {1000, 880, -1, 100}, {2919, 879, 3, 25},   {1219, 19, -1, 25},
        {1220, 19, -1, 100},  {1219, 20, -1, 100},  {2700, 860, -1, 25},  {2699, 860, -1, 100}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r[0] << "," << r[1]);
        EXPECT_EQ(HotCornerAt(HotCornerSquares(display), {true, true, true, true}, r[0], r[1]),
                  r[2]);
        EXPECT_EQ(HotCornerPeriodMs(display, r[0], r[1]), static_cast<uint32_t>(r[3]));
    }
    // A disabled corner is no corner; where squares overlap the first enabled one wins.
    EXPECT_EQ(HotCornerAt(HotCornerSquares(display), {true, true, true, false}, 2919, 879), -1);
    EXPECT_EQ(HotCornerAt(HotCornerSquares({0, 0, 6, 6}), {false, true, true, true}, 3, 3), 1);
}

// Top-left runs Task view, top-right shows the desktop; (500, 500) is no corner.
TEST(HotCorner, FiresOncePerVisitAfterTheDwell) {
    const uint32_t wrap = 0xFFFFFFF0u;
    using Step = std::tuple<int32_t, int32_t, uint32_t, int>;  // x, y, tick, corner fired
    for (const auto& visit : std::vector<std::vector<Step>>{
             {{0, 0, wrap, -1}, {0, 0, wrap + 69, -1}, {0, 0, wrap + 70, 0}, {0, 0, 500, -1}},
             {{0, 0, 0, -1}, {0, 0, 60, -1}, {500, 500, 69, -1}, {500, 500, 70, -1}},
             {{0, 0, 0, -1}, {0, 0, 70, 0}, {9, 9, 80, -1}, {3, 3, 90, -1}, {0, 0, 160, 0}},
             {{0, 0, 0, -1}, {1919, 0, 50, -1}, {1919, 0, 119, -1}, {1919, 0, 120, 1}}}) {
        HotCornerTracker tracker({0, 0, 1920, 1080},
                                 {A::TaskView, A::ShowDesktop, A::Nothing, A::Nothing});
        for (const auto& [x, y, ms, fire] : visit) {
            EXPECT_EQ(tracker.Tick(x, y, ms, false).fire, fire) << x << "," << y << " at " << ms;
        }
    }
}

// A paused visit runs nothing, yet is spent until the pointer leaves.
TEST(HotCorner, APausedVisitIsSpent) {
    HotCornerTracker tracker({0, 0, 1920, 1080}, {A::TaskView, A::Nothing, A::Nothing, A::Nothing});
    // x and y, tick, paused, keys pressed
    const std::tuple<int32_t, uint32_t, bool, size_t> steps[] = {
        {0, 0, true, 0},    {0, 70, true, 0},   {0, 900, false, 0},
        {9, 910, false, 0}, {0, 920, false, 0}, {0, 990, false, 2}};
    for (const auto& [xy, ms, paused, keys] : steps) {
        EXPECT_EQ(tracker.Tick(xy, xy, ms, paused).run.keys.size(), keys) << ms;
    }
}

// A full-screen application silences every action.
TEST(HotCorner, ActionsAndWhenToWatch) {
    const std::pair<A, uint16_t> chords[] = {{A::TaskView, 0x09},
                                             {A::ShowDesktop, 0x44},
                                             {A::Notifications, 0x4E},
                                             {A::QuickSettings, 0x41}};
    for (const auto& [action, k] : chords) {
        const HotCornerRun run{{0x5B, k}, -1};
        EXPECT_EQ(PlanHotCornerRun(action, false), run);
    }
    EXPECT_EQ(PlanHotCornerRun(A::StartMenu, false), (HotCornerRun{{}, 0}));
    EXPECT_EQ(PlanHotCornerRun(A::Launcher, false), (HotCornerRun{{}, 2}));
    for (int a = 0; a <= 9; ++a) {
        EXPECT_EQ(PlanHotCornerRun(static_cast<A>(a), a > 0 && a <= 6), HotCornerRun{}) << a;
    }
    EXPECT_FALSE(HotCornersWanted(false, {A::TaskView, A::TaskView, A::TaskView, A::TaskView}));
    EXPECT_FALSE(HotCornersWanted(true, {A::Nothing, A::Nothing, A::Nothing, A::Nothing}));
    EXPECT_TRUE(HotCornersWanted(true, {A::Nothing, A::Nothing, A::Nothing, A::Launcher}));
}

}  // namespace
}  // namespace corvane
