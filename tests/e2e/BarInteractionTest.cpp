// Clicking the real bar: the application name's menu acts on the window in
// front and can quit Corvane, and the tiling button toggles its setting. The
// bar is built again once per burst of display changes.
// Which press and release make a click is settled without Windows.

#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "e2e/E2ESupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace corvane {
namespace {

using test::WaitUntil;

class BarInteractionE2E : public test::CorvaneTest {
protected:
    void SetUp() override {
        CorvaneTest::SetUp();
        ASSERT_NE(StartCorvane(test::IniText()), nullptr);
    }

    // The helper in front, once the bar shows its long name.
    void StartApp() {
        ASSERT_TRUE(app_.Start(folder_.Path(), L"averyveryverylongapplicationname.exe", L"normal"));
        ASSERT_TRUE(WaitUntil(
            [&] {
                const auto ink = LeftInk();
                return !ink.empty() && ink.back().right > Frame().left + Px(150);
            },
            8000))
            << "the bar does not name the application";
    }

    [[nodiscard]] std::wstring TilingEnabledInFile() const {
        return test::ReadIniValue(IniPath(), L"Tiling", L"Enabled");
    }

    test::HelperApp app_;
};

// One run: the tiling button, then a burst of display notices, then the
// application name's menu, whose last entry quits.
TEST_F(BarInteractionE2E, TilingButtonDisplayBurstAndAppNameMenuAct) {
    ASSERT_EQ(TilingEnabledInFile(), L"0");
    const std::optional<POINT> button = TilingButton();
    ASSERT_TRUE(button.has_value()) << "clock not found";
    for (const wchar_t* want : {L"1", L"0"}) {
        test::Click(*button);
        EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == want; }, 5000));
    }

    // As Windows sends them while a display is plugged in: the bar must stay
    // for the whole burst (each notice reaches it), then be replaced once.
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR result = 0;
        ASSERT_NE(::SendMessageTimeoutW(bar_, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768),
                                        SMTO_NORMAL, 10000, &result),
                  0)
            << i;
    }
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(bar_) && Bars().size() == 1; }));
    const std::vector<HWND> rebuilt = Bars();
    ::Sleep(800);
    EXPECT_EQ(Bars(), rebuilt);
    bar_ = rebuilt.front();

    StartApp();
    for (const bool last : {false, true}) {
        SCOPED_TRACE(last ? "Quit Corvane" : "Minimize");
        const HWND menu = OpenAppNameMenu();
        ASSERT_NE(menu, nullptr) << "no menu";
        const RECT r = test::WindowRect(menu);
        test::Click({r.left + Px(24), last ? r.bottom - Px(10) : r.top + Px(10)});
        EXPECT_TRUE(WaitUntil(
            [&] {
                return last ? corvane_.WaitForExit(0) == 0 : ::IsIconic(app_.Window()) != FALSE;
            },
            10000));
    }
}

// A program that stops answering must not stop Corvane: with a hung,
// maximised window in front, tiling on and the dock showing its item, the
// queue is served after the start, a click and the item menu, and the bar
// still repaints.
using test::WindowRect;

class HungAppE2E : public test::CorvaneTest {
protected:
    // Whether a posted echo request comes back. A freeze shows as many
    // seconds; under Wine a click on the dock alone holds the queue 1.6 s.
    bool Served() {
        MSG msg;
        ::PostMessageW(control_, WM_APP_COMMAND, CMD_ECHO,
                       reinterpret_cast<LPARAM>(watcher_.Get()));
        return WaitUntil(
            [&] { return ::PeekMessageW(&msg, watcher_.Get(), 0, 0, PM_REMOVE) != FALSE; }, 3000);
    }
    UniqueWindow watcher_{::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            nullptr, nullptr)};
    test::HelperApp hung_;
};

TEST_F(HungAppE2E, CorvaneKeepsServingWhileTheAppInFrontHangs) {
    ASSERT_TRUE(hung_.Start(folder_.Path(), L"hungapp.exe", L"hung"));
    ASSERT_TRUE(WaitUntil([&] {
        return !::SendMessageTimeoutW(hung_.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100,
                                      nullptr);
    }));
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .tiling = true})), nullptr);
    const HWND dock = corvane_.WaitForWindow(L"CorvaneDock");
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(Served()) << "after the start";

    // Told of the window as the shell would (to the session window): two
    // cells of 44 points between ends of 6, Start's and the app's.
    ASSERT_TRUE(AnnounceWindow(hung_.Window()));
    RECT r = {};
    ASSERT_TRUE(WaitUntil([&] {
        r = WindowRect(dock);
        return r.right - r.left >= Px(100);
    }));
    const POINT item{r.right - Px(28), (r.top + r.bottom) / 2};
    test::Click(item);
    EXPECT_TRUE(Served()) << "after a click on the item";
    test::RightClick(item);
    EXPECT_TRUE(WaitUntil([&] {
        const auto menus = test::FindProcessWindows(corvane_.ProcessId(), L"#32768");
        return std::any_of(menus.begin(), menus.end(), ::IsWindowVisible);
    })) << "no item menu";
    EXPECT_TRUE(Served()) << "with the item menu open";
    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(Served()) << "after the item menu";

    // A theme change asked for through the queue must reach the screen.
    const auto lightPixels = [&] {
        const test::Capture bar = test::CaptureScreen(WindowRect(bar_));
        return std::count_if(bar.pixels.begin(), bar.pixels.end(),
                             [](uint32_t px) { return test::Luma(px) > 128; });
    };
    const auto before = lightPixels();
    test::SetLightTheme(true);
    ::PostMessageW(control_, WM_APP_COMMAND, CMD_THEME_CHANGED, 0);
    EXPECT_TRUE(WaitUntil([&] { return lightPixels() > before * 2 + 100; }, 3000));
    test::SetLightTheme(false);
}

}  // namespace
}  // namespace corvane
