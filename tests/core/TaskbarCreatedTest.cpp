#include "dock/TaskbarHidePlan.h"
#include "tray/TaskbarCreated.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

int Receivers(const TaskbarCreatedResponse& r) {
    return int{r.barsRegisterAgain} + int{r.docksRedo} + int{r.gardenRedo} + int{r.trayAsksAgain};
}

TEST(TaskbarCreated, OnlyWhatArrivesInsideOurOwnSendIsOursAndExplorersReachesEveryone) {
    {
        const OwnTaskbarCreatedScope ours;
        EXPECT_EQ(Receivers(RespondToTaskbarCreated(true)), 0);
    }
    EXPECT_EQ(Receivers(RespondToTaskbarCreated(true)), 4);
    EXPECT_FALSE(RespondToTaskbarCreated(false).trayAsksAgain);
}

TEST(TaskbarHidePlan, AHideThatDidNotHoldIsRetriedBoundedlyAndAnewOnEveryEvent) {
    using E = TaskbarHideEvent;
    TaskbarHideState state;
    EXPECT_EQ(StepTaskbarHiding(state, E::DockCreated, true, false), TaskbarHideStep::Hide);
    for (int i = 0; i < taskbarhide::kRetries && RetryTaskbarHide(state, false); ++i) {
        EXPECT_EQ(StepTaskbarHiding(state, E::RetryDue, true, false), TaskbarHideStep::Hide);
    }
    EXPECT_EQ(StepTaskbarHiding(state, E::RetryDue, true, false), TaskbarHideStep::None);
    EXPECT_EQ(StepTaskbarHiding(state, E::ExplorerRestarted, true, true), TaskbarHideStep::Hide);
    EXPECT_EQ(StepTaskbarHiding(state, E::SettingChanged, false, true), TaskbarHideStep::GiveBack);
}

}  // namespace
}  // namespace corvane
