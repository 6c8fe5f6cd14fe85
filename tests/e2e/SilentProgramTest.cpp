// Wine's Notepad and Registry Editor raise no foreground event of their own:
// started after Corvane, they only move the focus. The bar must still name
// each one and the dock list it as running.

#include "e2e/E2ESupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

struct Program {
    const wchar_t* file;
    const wchar_t* name;  // its FileDescription
};
void PrintTo(const Program& program, std::ostream* out) {
    *out << testing::PrintToString(std::wstring(program.file));
}

class SilentProgramE2E : public test::CorvaneTest, public testing::WithParamInterface<Program> {};

TEST_P(SilentProgramE2E, TheBarNamesItAndTheDockListsItAsRunning) {
    // With tiling on, the application name's menu names the application.
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .tiling = true})), nullptr);
    const HWND dock = corvane_.WaitForWindow(L"CorvaneDock");
    ASSERT_NE(dock, nullptr);
    const auto width = [&] { return test::WindowRect(dock).right - test::WindowRect(dock).left; };
    const LONG before = width();
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    test::ChildProcess program;
    ASSERT_TRUE(program.Start(windows + std::wstring(L"\\") + GetParam().file));

    EXPECT_TRUE(WaitUntil([&] { return width() > before; }, 15000)) << "no item in the dock";
    const std::wstring entry = std::wstring(L" Never tile ") + GetParam().name;
    std::vector<std::wstring> entries;
    EXPECT_TRUE(WaitUntil(
        [&] {
            if (OpenAppNameMenu() == nullptr) {
                return false;
            }
            entries = test::OpenMenuEntries(corvane_.ProcessId());
            test::TapKey(VK_ESCAPE);
            return std::find(entries.begin(), entries.end(), entry) != entries.end();
        },
        15000))
        << "the bar names another application; its menu: " << testing::PrintToString(entries);
}

INSTANTIATE_TEST_SUITE_P(Wine, SilentProgramE2E,
                         testing::Values(Program{L"notepad.exe", L"Notepad"},
                                         Program{L"regedit.exe", L"Wine Registry Editor"}),
                         [](const auto& info) { return info.index == 0 ? "Notepad" : "Regedit"; });

}  // namespace
}  // namespace corvane
