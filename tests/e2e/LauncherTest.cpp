// CorLauncher in the real corvane.exe: it opens over the whole display,
// Escape closes it, the keyboard edits the query and starts an app, and
// screenshots in both themes. Its grid and input rules are the unit tests'
// business; the Windows key's hook and the toggle of the surface it opens are
// the CorMenu tests'.

#include "base/Commands.h"
#include "base/Win32Geometry.h"
#include "e2e/E2ESupport.h"
#include "start/LauncherGrid.h"

#include <string>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

constexpr wchar_t kLauncherClass[] = L"CorvaneLauncher";

RECT MonitorArea() {
    return ToRect(MonitorRect(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)));
}

class LauncherE2E : public test::CorvaneTest {
protected:
    bool Start() { return StartCorvane(test::IniText({.startMenu = 2})) != nullptr; }
    // Open, and done fading in.
    bool Opened() const {
        const bool open = WaitUntil([&] { return !Shown(kLauncherClass).empty(); }, 5000);
        ::Sleep(400);
        return open;
    }
    bool Closed() const {
        return WaitUntil([&] { return Shown(kLauncherClass).empty(); }, 3000);
    }
};

// Whether the theme is light.
class LauncherInTheme : public LauncherE2E, public testing::WithParamInterface<bool> {};

TEST_P(LauncherInTheme, ShowsTheAppsOnTheThemesSurfaceAndTheKeyboardWalksTheQueryToAnApp) {
    const std::wstring probe = test::CopyBuiltFile(L"test_helper.exe", folder_.File(L"probe.exe"));
    const test::ProgramsShortcut shortcuts[] = {
        {folder_, L"Notepad", test::WindowsFile(L"notepad.exe")},
        {folder_, L"Corvane Alpha", test::WindowsFile(L"regedit.exe")},
        {folder_, L"Corvane Probe", probe}};
    ASSERT_FALSE(shortcuts[2].path.empty());
    test::SetLightTheme(GetParam());
    const bool started = Start();
    test::SetLightTheme(false);
    ASSERT_TRUE(started);
    test::MovePointer({5, 5});  // no item hovered
    ::PostMessageW(control_, WM_APP_COMMAND, CMD_TOGGLE_START_MENU, 0);
    ASSERT_TRUE(Opened());
    const std::vector<HWND> shown = Shown(kLauncherClass);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(ToPixelRect(test::WindowRect(shown[0])), ToPixelRect(MonitorArea()));
    // Wine draws a full-screen frame slowly, and the icons come after it.
    ::Sleep(2000);
    const test::Capture c = test::CaptureScreen(
        MonitorArea(),
        test::ScreenshotPath(L"corlauncher-" + std::wstring(GetParam() ? L"light" : L"dark") +
                             L"-" + std::to_wstring(dpi_) + L"dpi.png"));
    ASSERT_FALSE(c.pixels.empty());
    // Below the grid, left of the page dots.
    const uint32_t surface = c.At(Px(20), c.height - Px(20));
    EXPECT_EQ(test::Luma(surface) > 128, GetParam()) << std::hex << surface;
    // The first cell: an icon, or its placeholder, and a name.
    const LauncherLayout l = LayOutLauncher(static_cast<float>(c.width) * 96.0f / dpi_,
                                            static_cast<float>(c.height) * 96.0f / dpi_);
    const RECT cell{Px(l.x0), Px(l.y0), Px(l.x0 + l.cellWidth), Px(l.y0 + l.cellHeight)};
    EXPECT_FALSE(test::InkRuns(c, cell, surface, 0).empty()) << "no app in the first cell";
    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(Closed());

    ::PostMessageW(control_, WM_APP_COMMAND, CMD_TOGGLE_START_MENU, 0);
    ASSERT_TRUE(Opened());
    // "corvane" finds both, side by side; with the "a" typed at the end,
    // "corvnea" finds nothing and Enter would search the files instead.
    test::TypeText(L"corvne");
    test::TapKeys({VK_SHIFT, VK_LEFT});
    test::TapKey(VK_LEFT);  // the selection collapses to its start, before "e"
    test::TapKey(VK_LEFT);
    test::TypeText(L"a");
    for (const WORD key : {VK_DOWN, VK_RIGHT, VK_RETURN}) {
        test::TapKey(key);
    }
    EXPECT_TRUE(WaitUntil([] {
        return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr;
    })) << "Enter started nothing";
    EXPECT_TRUE(Closed());
    test::EndStartedHelper();
}

INSTANTIATE_TEST_SUITE_P(Themes, LauncherInTheme, testing::Bool(), test::ThemeName);

}  // namespace
}  // namespace corvane
