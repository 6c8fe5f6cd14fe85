#include "app/ClockPeriod.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// Whatever the time, the next tick lands 20 ms past the next boundary.
TEST(ClockPeriod, NextTickLandsTwentyMillisecondsPastTheBoundary) {
    for (int s = 0; s < 60; ++s) {
        for (int ms = 0; ms < 1000; ms += 37) {
            SCOPED_TRACE(testing::Message() << s << "." << ms);
            EXPECT_EQ(s * 1000 + ms + ClockPeriodMs(false, s, ms), 60020);
            const int period = ClockPeriodMs(true, s, ms);
            EXPECT_GT(period, 20);
            EXPECT_LE(period, 1020);
            EXPECT_EQ((ms + period) % 1000, 20);
        }
    }
}

}  // namespace
}  // namespace corvane
