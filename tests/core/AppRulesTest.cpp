#include "app/GuardCommandLine.h"
#include "app/GuardPlan.h"
#include "app/DisplayOrder.h"
#include "app/ClockPeriod.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

TEST(GuardPlan, GivesBackOnlyWhatAVanishedProcessLeftMarked) {
    const LeftBehind all{true, true, 0, true};
    // Marks left, how the process ended; taskbar, Start alignment and icons given back.
    const std::tuple<LeftBehind, GuardEnding, bool, bool, bool> cases[] = {
        {all, {}, true, true, true},
        {{}, {}, false, false, false},
        {{.autohideSwitched = true}, {}, true, false, false},
        {{.taskbarHidden = true, .savedAlignment = -5}, {}, true, false, false},
        {{.savedAlignment = 2}, {}, false, true, false},
        {{.desktopIconsHidden = true}, {}, false, false, true},
        {all, {.saidGoodbye = true}, false, false, false},
        {all, {.successorRunning = true}, false, false, false}};
    for (const auto& [marks, ending, taskbar, alignment, icons] : cases) {
        const GuardRestore plan = PlanGuardRestore(marks, ending);
        EXPECT_EQ(std::tuple(plan.taskbar, plan.startAlignment, plan.desktopIcons),
                  std::tuple(taskbar, alignment, icons))
            << marks.taskbarHidden << marks.savedAlignment << ending.saidGoodbye;
    }
}

TEST(GuardCommandLine, ReadsBackWhatItWritesAndNothingElse) {
    const GuardHandles largest{4294967295u, 4};
    const auto parsed = ParseGuardArguments(FormatGuardArguments(largest));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->process, largest.process);
    EXPECT_EQ(parsed->goodbye, largest.goodbye);
    for (const wchar_t* junk :
         {L"--desktop-guard", L"--desktop-guard 12", L"--desktop-guard 0 8",
          L"--desktop-guard 4294967296 8", L"--desktop-guard 12 8 ", L"--desktop-guard  12 8",
          L"--desktop-guard 12 -8", L"--desktop-guardian 12 8"}) {
        EXPECT_TRUE(AsksForGuard(junk));
        EXPECT_FALSE(ParseGuardArguments(junk).has_value()) << junk;
    }
    EXPECT_FALSE(AsksForGuard(L"") || AsksForGuard(L"/guard 12 8"));
}

using Ids = std::vector<uint64_t>;

Ids IdsOf(const std::vector<DisplayInfo>& displays) {
    Ids ids;
    for (const auto& d : displays) {
        ids.push_back(d.id);
    }
    return ids;
}

TEST(DisplayOrder, NumbersLeftToRightThenTopFirstAndTheDockFollowsTheNumber) {
    // Numbered 2, 1, 3 from the left; 1 is the main display.
    const std::vector<DisplayInfo> sorted = SortDisplays({{1, {0, 0, 1920, 1080}, true},
                                                          {2, {-2560, -200, 0, 1240}, false},
                                                          {3, {1920, 0, 3840, 1080}, false}});
    EXPECT_EQ(IdsOf(sorted), (Ids{2, 1, 3}));
    EXPECT_EQ(
        IdsOf(SortDisplays({{7, {0, 1080, 1920, 2160}, false}, {8, {0, 0, 1920, 1080}, true}})),
        (Ids{8, 7}));
    // The setting: 0 the main display, 1 every display, then a display's number.
    const std::pair<int, Ids> cases[] = {{0, {1}}, {1, {1, 2, 3}}, {2, {2}},
                                         {4, {3}}, {5, {1}},       {9, {1}}};
    for (const auto& [setting, ids] : cases) {
        EXPECT_EQ(DockDisplays(setting, sorted, 1), ids) << setting;
    }
    EXPECT_EQ(DockDisplays(9, {}, 5), Ids{5});
}

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
