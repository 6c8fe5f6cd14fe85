// The full-screen decision with real windows of another process in front.

#include "identity/ForegroundRules.h"
#include "identity/Fullscreen.h"
#include "win/HelperWindowProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace corvane {
namespace {

using test::HelperWindowProcess;

ScreenRect ToScreenRect(const RECT& r) {
    return ScreenRect{r.left, r.top, r.right, r.bottom};
}

HMONITOR MainDisplay() {
    return ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
}

TEST(Fullscreen, BorderlessWindowCoveringTheDisplayIsFullscreen) {
    HelperWindowProcess helper(L"borderless");
    ASSERT_NE(helper.Window(), nullptr);
    ASSERT_TRUE(helper.WaitForForeground());

    EXPECT_EQ(FindFullscreenDisplay(),
              ::MonitorFromWindow(helper.Window(), MONITOR_DEFAULTTONEAREST));
}

TEST(Fullscreen, MaximisedWindowCoveringTheDisplayIsNot) {
    {
        HelperWindowProcess borderless(L"borderless");
        ASSERT_TRUE(borderless.WaitForForeground());
        ASSERT_EQ(FindFullscreenDisplay(), MainDisplay());
    }

    HelperWindowProcess helper(L"maximised");
    ASSERT_NE(helper.Window(), nullptr);
    ASSERT_TRUE(helper.WaitForForeground());
    ASSERT_TRUE(::IsZoomed(helper.Window()));
    // Only the maximised state may decide here: the window must cover the
    // display (Wine's X11 driver may settle its size a moment after IsZoomed).
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(MainDisplay(), &info));
    RECT window = {};
    for (int i = 0; i < 250; ++i) {
        ASSERT_TRUE(::GetWindowRect(helper.Window(), &window));
        if (CoversDisplay(ToScreenRect(window), ToScreenRect(info.rcMonitor))) {
            break;
        }
        ::Sleep(20);
    }
    ASSERT_TRUE(CoversDisplay(ToScreenRect(window), ToScreenRect(info.rcMonitor)))
        << "window " << window.left << "," << window.top << "," << window.right << ","
        << window.bottom << " display " << info.rcMonitor.left << "," << info.rcMonitor.top << ","
        << info.rcMonitor.right << "," << info.rcMonitor.bottom;

    EXPECT_EQ(FindFullscreenDisplay(), nullptr);
}

TEST(Fullscreen, OrdinaryWindowIsNot) {
    HelperWindowProcess helper(L"normal");
    ASSERT_TRUE(helper.WaitForForeground());
    EXPECT_EQ(FindFullscreenDisplay(), nullptr);
}

TEST(Fullscreen, OwnWindowCoveringTheDisplayIsNot) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(MainDisplay(), &info));
    const RECT& r = info.rcMonitor;
    HWND own =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    ::SetForegroundWindow(own);
    for (int i = 0; i < 100 && ::GetForegroundWindow() != own; ++i) {
        ::Sleep(20);
    }
    ASSERT_EQ(::GetForegroundWindow(), own);
    EXPECT_EQ(FindFullscreenDisplay(), nullptr);
    ::DestroyWindow(own);
}

}  // namespace
}  // namespace corvane
