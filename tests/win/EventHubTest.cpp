// The event hub under real hooks: subscribers asking for the same events
// share one hook and each hears every event, one may leave while an event is
// handed on, and the shell's notices reach every shell subscriber.

#include "app/EventHub.h"
#include "base/Win32Handles.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace corvane {
namespace {

struct Recorder final : WinEventSink, ShellHookSink {
    void OnWinEvent(const WinEvent& event) noexcept override {
        windows.push_back(event.window);
        if (leaveOnEvent) {
            subscription.Reset();
        }
    }
    void OnShellHook(WPARAM code, LPARAM) noexcept override { codes.push_back(code); }

    std::vector<HWND> windows;
    bool leaveOnEvent = false;
    EventSubscription subscription;
    std::vector<WPARAM> codes;
};

TEST(EventHub, SharesOneHookPerFilterAndHandsEachEventToEverySubscriber) {
    EventHub hub;
    Recorder staying;
    Recorder leaving;
    leaving.leaveOnEvent = true;
    const WinEventFilter created{.first = EVENT_OBJECT_CREATE, .last = EVENT_OBJECT_CREATE};
    leaving.subscription = hub.Subscribe(created, leaving);
    staying.subscription = hub.Subscribe(created, staying);
    ASSERT_TRUE(staying.subscription.Active());
    EXPECT_EQ(hub.HookCount(), 1u);

    const UniqueWindow first(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                               nullptr, nullptr, nullptr));
    ASSERT_TRUE(test::PumpUntil(
        [&] { return std::ranges::find(staying.windows, first.Get()) != staying.windows.end(); },
        2000));
    EXPECT_EQ(leaving.windows.size(), 1u) << "left at its first event";
    EXPECT_FALSE(leaving.subscription.Active());
    EXPECT_EQ(hub.HookCount(), 1u) << "the other subscriber still holds it";

    staying.subscription.Reset();
    EXPECT_EQ(hub.HookCount(), 0u);
}

TEST(EventHub, ShellNoticesReachEveryShellSubscriberAndNothingElseIsTaken) {
    EventHub hub;
    Recorder a;
    Recorder b;
    const EventSubscription sa = hub.SubscribeShell(a);
    const EventSubscription sb = hub.SubscribeShell(b);
    const UINT shellHook = ::RegisterWindowMessageW(L"SHELLHOOK");
    EXPECT_TRUE(hub.TakeShellMessage(shellHook, HSHELL_WINDOWCREATED, 0));
    EXPECT_FALSE(hub.TakeShellMessage(WM_USER, HSHELL_WINDOWDESTROYED, 0));
    EXPECT_EQ(a.codes, std::vector<WPARAM>{HSHELL_WINDOWCREATED});
    EXPECT_EQ(b.codes, a.codes);
}

}  // namespace
}  // namespace corvane
