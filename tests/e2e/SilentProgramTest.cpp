// Wine's Notepad and Registry Editor, started after Corvane, raise no
// foreground event: they only move the focus. The bar must still name each
// one and the dock list it as running.

#include "e2e/E2ESupport.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// The program's file and its FileDescription.
using Program = std::pair<std::wstring, std::wstring>;
class SilentProgramE2E : public test::CorvaneTest, public testing::WithParamInterface<Program> {};

TEST_P(SilentProgramE2E, TheBarNamesItAndTheDockListsItAsRunning) {
    // With tiling on, the application name's menu names the application.
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .tiling = true})), nullptr);
    const HWND dock = corvane_.WaitForWindow(L"CorvaneDock");
    ASSERT_NE(dock, nullptr);
    const auto width = [&] { return test::WindowRect(dock).right - test::WindowRect(dock).left; };
    const LONG before = width();
    ASSERT_TRUE(test::WaitUntil([&] { return !LeftInk().empty(); }, 30000)) << "nothing named";
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    test::ChildProcess program;  // ended with the test
    ASSERT_TRUE(program.Start(std::wstring(windows) + L"\\" + GetParam().first));

    // Both follow from one handling of the new foreground. The menu opens
    // once: opening it moves the focus itself.
    EXPECT_TRUE(test::WaitUntil([&] { return width() > before; }, 15000)) << "no dock item";
    ASSERT_NE(OpenAppNameMenu(), nullptr);
    const std::vector<std::wstring> entries = test::OpenMenuEntries(corvane_.ProcessId());
    test::TapKey(VK_ESCAPE);
    EXPECT_NE(std::find(entries.begin(), entries.end(), L" Never tile " + GetParam().second),
              entries.end())
        << "the bar names another application: " << testing::PrintToString(entries);
}

INSTANTIATE_TEST_SUITE_P(Wine, SilentProgramE2E,
                         testing::Values(Program{L"notepad.exe", L"Notepad"},
                                         Program{L"regedit.exe", L"Wine Registry Editor"}),
                         [](const auto& info) { return info.index == 0 ? "Notepad" : "Regedit"; });

}  // namespace
}  // namespace corvane
