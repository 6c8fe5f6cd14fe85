// Explorer's taskbar, played by the helper program, while the real Corvane
// runs a dock in its place: put away, kept away when Explorer shows it
// again, and given back when Corvane quits and when it crashes.

#include "e2e/E2ESupport.h"

namespace corvane {
namespace {

using TaskbarE2E = test::CorvaneTest;

TEST_F(TaskbarE2E, KeptAwayWhileTheDockRunsAndBackWhenCorvaneQuitsOrCrashes) {
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    ASSERT_NE(taskbar, nullptr);
    const auto hiddenWithin = [taskbar](DWORD timeoutMs) {
        return test::WaitUntil([taskbar] { return !::IsWindowVisible(taskbar); }, timeoutMs);
    };
    const std::wstring ini = test::IniText({.dock = true, .hideTaskbar = true});
    for (const bool crash : {false, true}) {
        SCOPED_TRACE(crash ? "crash" : "quit");
        ASSERT_NE(StartCorvane(ini), nullptr);
        EXPECT_TRUE(hiddenWithin(10000));
        // Returns once the taskbar has shown itself.
        DWORD_PTR result = 0;
        ASSERT_NE(::SendMessageTimeoutW(taskbar, test::kHelperShowTaskbar, 0, 0, SMTO_ABORTIFHUNG,
                                        5000, &result),
                  0);
        EXPECT_TRUE(hiddenWithin(2000)) << "shown again and left so";
        if (crash) {
            ASSERT_TRUE(test::CrashFromOutside(corvane_));
            EXPECT_NE(corvane_.WaitForExit(), 0u);
        } else {
            QuitCorvane();
        }
        EXPECT_TRUE(::IsWindowVisible(taskbar));
        EXPECT_EQ(test::ReadIniValue(IniPath(), L"Dock", L"RestoreAutohide"), L"<absent>");
    }
}

}  // namespace
}  // namespace corvane
