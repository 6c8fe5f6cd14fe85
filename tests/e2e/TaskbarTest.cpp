// Explorer's taskbar, played by the helper program, while the real Corvane
// runs a dock in its place: put away, kept away when Explorer shows it
// again, and given back when Corvane quits, when it crashes and, by its
// guard, when it is ended from outside.

#include "base/Win32Handles.h"
#include "config/RestoreMarks.h"
#include "base/Commands.h"
#include "e2e/E2ESupport.h"
#include "support/TrayClient.h"

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
    enum End { kQuit, kCrash, kKill };
    for (const End end : {kQuit, kCrash, kKill}) {
        SCOPED_TRACE(end);
        ASSERT_NE(StartCorvane(ini), nullptr);
        EXPECT_TRUE(hiddenWithin(10000));
        // Returns once the taskbar has shown itself.
        DWORD_PTR result = 0;
        ASSERT_NE(::SendMessageTimeoutW(taskbar, test::kHelperShowTaskbar, 0, 0, SMTO_ABORTIFHUNG,
                                        5000, &result),
                  0);
        EXPECT_TRUE(hiddenWithin(2000)) << "shown again and left so";
        const std::vector<DWORD> guards = test::GuardsOf(corvane_.ProcessId());
        ASSERT_EQ(guards.size(), 1u);
        if (end == kQuit) {
            QuitCorvane();
        } else if (end == kCrash) {
            ASSERT_TRUE(test::CrashFromOutside(corvane_));
            EXPECT_NE(corvane_.WaitForExit(), 0u);
        } else {
            // As Task Manager ends it: no code of Corvane's runs again.
            const UniqueHandle process(
                ::OpenProcess(PROCESS_TERMINATE, FALSE, corvane_.ProcessId()));
            ASSERT_TRUE(process && ::TerminateProcess(process.Get(), 1));
            EXPECT_EQ(corvane_.WaitForExit(), 1u);
        }
        EXPECT_TRUE(
            test::WaitUntil([taskbar] { return ::IsWindowVisible(taskbar) != FALSE; }, 5000));
        EXPECT_FALSE(ReadRestoreMark(RestoreMark::TaskbarHidden).has_value());
    }
}

// Only Explorer's broadcast is a new Explorer, right after the tray host's own or as it stops.
TEST_F(TaskbarE2E, OnlyExplorersBroadcastIsANewExplorerHoweverCloseToTheTrayHostsOwn) {
    ASSERT_TRUE(StartCorvane(test::IniText({.tray = true, .dock = true, .hideTaskbar = true})));
    test::TrayClient program;
    ASSERT_TRUE(program.PumpUntil([&] { return program.taskbarCreated > 0; }, 10000));
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    ::SendNotifyMessageW(HWND_BROADCAST, ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(taskbar); }, 6000));
    program.taskbarCreated = 0;  // asked again for the new Explorer; stopped when all is quiet
    ASSERT_TRUE(program.PumpUntil([&] { return program.taskbarCreated > 0; }, 12000));
    program.PumpUntil([] { return false; }, 3500);
    ::WritePrivateProfileStringW(L"Tray", L"Enabled", L"0", IniPath().c_str());
    ::SendMessageTimeoutW(control_, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0, 0, 9000, nullptr);
    ::ShowWindowAsync(taskbar, SW_SHOWNA);  // no show event: only a new hide puts it away
    program.PumpUntil([] { return false; }, 3000);
    EXPECT_TRUE(::IsWindowVisible(taskbar));
}

}  // namespace
}  // namespace corvane
