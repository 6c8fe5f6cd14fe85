#include "app/ClockPeriod.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ClockPeriod, MinuteTickLandsTwentyMillisecondsPastTheMinute) {
    // 12:00:59.990 -> 10 ms to the minute, plus 20.
    EXPECT_EQ(ClockPeriodMs(false, 59, 990), 30);
    // Right on a minute boundary the next tick is a whole minute away.
    EXPECT_EQ(ClockPeriodMs(false, 0, 0), 60020);
    EXPECT_EQ(ClockPeriodMs(false, 30, 500), 29520);
}

TEST(ClockPeriod, SecondTickAlwaysBelowOneSecondPlusSlack) {
    for (int ms = 0; ms < 1000; ms += 7) {
        const int period = ClockPeriodMs(true, 42, ms);
        EXPECT_GT(period, 20) << ms;
        EXPECT_LT(period, 1021) << ms;
        // Fires 20 ms after the next full second, whatever the second is.
        EXPECT_EQ((ms + period) % 1000, 20) << ms;
    }
}

TEST(ClockPeriod, EveryMinutePeriodEndsJustPastTheBoundary) {
    for (int s = 0; s < 60; ++s) {
        for (int ms : {0, 1, 499, 999}) {
            const int elapsed = s * 1000 + ms + ClockPeriodMs(false, s, ms);
            EXPECT_EQ(elapsed, 60020) << s << "." << ms;
        }
    }
}

}  // namespace
}  // namespace corvane
