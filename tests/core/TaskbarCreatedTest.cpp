#include "dock/TaskbarHidePlan.h"
#include "tray/TaskbarCreated.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(TaskbarCreated, OnlyWhatArrivesInsideOurOwnSendIsOurs) {
    {
        const OwnTaskbarCreatedScope ours;
        {
            const OwnTaskbarCreatedScope nested;
            EXPECT_TRUE(IsOwnTaskbarCreated());
        }
        EXPECT_TRUE(IsOwnTaskbarCreated());
    }
    EXPECT_FALSE(IsOwnTaskbarCreated());
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
