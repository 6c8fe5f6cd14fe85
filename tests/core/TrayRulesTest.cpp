#include "dock/TaskbarHidePlan.h"
#include "support/TrayRecords.h"
#include "tray/AppBarRecord.h"
#include "tray/TaskbarCreated.h"
#include "tray/TrayCallbacks.h"
#include "tray/TraySchedule.h"

#include <gtest/gtest.h>

#include <iterator>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

using Sent = std::vector<uint32_t>;

Sent List(const TrayMessages& m) {
    return {m.messages.begin(), m.messages.begin() + static_cast<std::ptrdiff_t>(m.count)};
}

TEST(TrayCallbacks, EachVersionGetsItsParametersAndMessages) {
    // Version, icon id, mouse message; wParam and lParam at (-5, 300).
    const std::tuple<uint32_t, uint32_t, uint32_t, uint64_t, int64_t> packs[] = {
        {4, 7, 0x201, 0x012CFFFB, 0x00070201},
        {4, 0x18001, 0x10202, 0x012CFFFB, 0x80010202},  // zero-extended
        {3, 7, 0x201, 7, 0x201},
        {0, 0xFFFFFFFF, 0x205, 0xFFFFFFFF, 0x205},
    };
    for (const auto& [version, id, message, wParam, lParam] : packs) {
        const TrayCallbackParams params = PackTrayCallback(version, id, message, -5, 300);
        EXPECT_EQ(std::pair(params.wParam, params.lParam), std::pair(wParam, lParam))
            << version << " " << id;
    }

    EXPECT_EQ(List(TrayMouseMessages(4, 0x205)), (Sent{0x205, 0x7B}));
    EXPECT_EQ(List(TrayMouseMessages(0, 0x205)), Sent{0x205});
    EXPECT_TRUE(TrayMouseMessages(0, 0x207).grantForeground);
    EXPECT_FALSE(TrayMouseMessages(4, 0x202).grantForeground);
    // A left click on a version-3 icon is selected on release.
    EXPECT_EQ(List(TrayMouseMessages(3, 0x201)), Sent{0x201});
    EXPECT_EQ(List(TrayMouseMessages(3, 0x202)), (Sent{0x202, 0x400}));
    EXPECT_EQ(List(TrayHoverMessages(3)), Sent{0x2A1});
    EXPECT_EQ(List(TrayLeaveMessages(4)), (Sent{0x2A3, 0x407}));
}

TEST(TraySchedule, BroadcastsAfterAStart) {
    std::vector<uint64_t> at = {0};  // the start broadcasts at once
    uint32_t step = 1;
    for (std::optional<unsigned> delay = trayperiods::kFirstRebroadcastMs; delay && at.size() < 9;
         delay = NextTrayBroadcast(step)) {
        at.push_back(at.back() + *delay);
    }
    EXPECT_EQ(at, (std::vector<uint64_t>{0, 2500, 10500, 30500, 75500}));
    EXPECT_EQ(step, 0u);
}

TEST(TraySchedule, WatchdogLooksCloselyOnlyAfterTaskbarEventsAndResumesWhenTheTaskbarStayed) {
    using A = TrayWatchdogAction;
    // Explorer's taskbar is destroyed at 1000, made again at 5000 and
    // flickers at 6000; each is an event, which makes the host look at once.
    const auto present = [](uint64_t t) { return t < 1000 || (t >= 5000 && t != 6000); };
    const uint64_t events[] = {1000, 5000, 6000};
    const uint64_t* event = std::begin(events);
    TrayWatchdogState state;
    std::vector<std::pair<uint64_t, A>> actions;
    int quietChecks = 0;  // once all has settled, over 110 s
    for (uint64_t t = 0, next = 0; t <= 130000; t = next) {
        if (event != std::end(events) && *event <= t) {
            t = *event++;
            AlertTrayWatchdog(state, t);
        }
        const A a = StepTrayWatchdog(state, {t, present(t), true, false, 0});
        if (a != A::None) {
            actions.emplace_back(t, a);
        }
        quietChecks += t > 20000 ? 1 : 0;
        next = t + NextTrayWatchdogCheck(state, t);
    }
    EXPECT_EQ(actions,
              (std::vector<std::pair<uint64_t, A>>{{1000, A::Suspend}, {8000, A::Resume}}));
    EXPECT_LE(quietChecks, 4) << "the watchdog keeps looking when nothing happens";

    // At 30 s with the taskbar there: the host first, a broadcast pending, the last one; action.
    const std::tuple<bool, bool, uint64_t, A> rows[] = {
        {true, false, 0, A::None},
        {false, true, 0, A::Raise},
        {false, false, 20000, A::Raise},
        {false, false, 19999, A::RaiseAndCatchUp},
    };
    for (const auto& [hostIsFirst, pending, lastBroadcast, action] : rows) {
        TrayWatchdogState running;
        EXPECT_EQ(StepTrayWatchdog(running, {30000, true, hostIsFirst, pending, lastBroadcast}),
                  action)
            << lastBroadcast;
    }
}

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
