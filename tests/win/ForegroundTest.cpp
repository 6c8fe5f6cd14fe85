// The application in front and full screen, decided on real windows of
// another process and of this one.

#include "base/ImagePaths.h"
#include "identity/ForegroundIdentity.h"
#include "identity/Fullscreen.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(UpdateCurrentApplication, NamesAnotherProcessAndIgnoresThisOne) {
    test::TempFolder folder;
    test::HelperApp helper;
    ASSERT_TRUE(helper.Start(folder.Path(), L"window-helper.exe", L"normal"));
    CurrentApplication current;
    EXPECT_TRUE(UpdateCurrentApplication(current, helper.Window()));
    EXPECT_EQ(current.window, helper.Window());
    // No version resource: named after its file.
    EXPECT_EQ(current.displayName, L"Window-helper");
    EXPECT_EQ(current.exeName, L"window-helper.exe");
    EXPECT_EQ(current.exePath, ProcessImagePath(helper.ProcessId()));

    HWND own = ::CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(UpdateCurrentApplication(current, own));
    ::DestroyWindow(own);
    EXPECT_EQ(current.window, helper.Window());
}

// Corvane's own surfaces may cover a display; they are never full-screen
// applications.
TEST(FindFullscreenDisplay, IgnoresAWindowOfThisProcessCoveringTheDisplay) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info));
    const RECT& r = info.rcMonitor;
    HWND own =
        ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    ::SetForegroundWindow(own);
    ASSERT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == own; }, 5000));
    EXPECT_EQ(FindFullscreenDisplay(), nullptr);
    ::DestroyWindow(own);
}

}  // namespace
}  // namespace corvane
