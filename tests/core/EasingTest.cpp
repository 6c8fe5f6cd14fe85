#include "bar/BarGeometry.h"
#include "dock/DockGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace corvane {
namespace {

// Every tick moves towards the target without passing it, and the last one
// lands on it exactly (a timer stopped a hair short would leave a bar or dock
// a pixel off).
TEST(Easing, EachAnimationClosesInWithoutOvershootAndLandsExactly) {
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
}

TEST(Easing, TimedMotionTakesNoTimeWithAnimationEffectsOff) {
    for (const float ms : {0.0f, 110.0f, 340.0f}) {
        EXPECT_EQ(MotionDurationMs(ms, true), ms);
        EXPECT_EQ(MotionDurationMs(ms, false), 0.0f);
    }
}

}  // namespace
}  // namespace corvane
