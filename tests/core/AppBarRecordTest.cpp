#include "support/TrayRecords.h"
#include "tray/AppBarRecord.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(AppBarRecord, AnsweredByTheHostOnlyWhileTheDockHidesTheTaskbarForOthers) {
    using enum AppBarRoute;
    const struct {
        uint32_t message, block;
        bool dockHides, fromHostThread;
        AppBarRoute route;
        int64_t reply;
        std::size_t size = 56;
    } cases[] = {
        // Answered: always on top without auto-hide; no auto-hide bar.
        {4, 0, true, false, Answer, 2},      {7, 0, true, false, Answer, 0},
        {11, 0, true, false, Answer, 0, 52}, {4, 0, false, false, Forward, 0},
        {4, 0, true, true, Forward, 0},      {4, 0, true, false, Forward, 0, 51},
        {2, 9, true, false, Relay, 0, 64},   {3, 9, false, true, Relay, 0},
        {5, 9, false, false, Relay, 0},      {5, 9, false, false, Forward, 0, 65},
        {5, 0, false, false, Forward, 0},    {9, 9, true, false, Forward, 0},
    };
    for (const auto& c : cases) {
        const auto record = test::Sized(test::AppBar(c.message, c.block, 1), c.size);
        const AppBarDecision d =
            RouteAppBar(DecodeAppBarRecord(record), c.dockHides, c.fromHostThread);
        EXPECT_EQ(std::pair(d.route, d.reply), std::pair(c.route, c.reply)) << c.message;
    }
}

}  // namespace
}  // namespace corvane
