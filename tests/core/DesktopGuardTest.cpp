#include "app/GuardCommandLine.h"
#include "app/GuardPlan.h"

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

}  // namespace
}  // namespace corvane
