// A program that stops answering must not stop Corvane: with a hung,
// maximised window in front, tiling on and the dock showing its item,
// Corvane's queue is still served after it starts, after the item is
// clicked and while and after its menu is open, and the bar still repaints.

#include "base/Commands.h"
#include "e2e/E2ESupport.h"

namespace corvane {
namespace {

using test::WaitUntil;
using test::WindowRect;

// A freeze shows as many seconds; this is no timing benchmark. Under Wine a
// click on the dock alone keeps the queue from the echo for up to 1.6 s.
constexpr DWORD kServedWithinMs = 3000;

class HungAppE2E : public test::CorvaneTest {
protected:
    void SetUp() override {
        CorvaneTest::SetUp();
        watcher_ = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     nullptr, nullptr);
        ASSERT_NE(watcher_, nullptr);
        ASSERT_TRUE(hung_.Start(folder_.Path(), L"hungapp.exe", L"hung"));
        ASSERT_TRUE(WaitUntil([&] { return !Answers(hung_.Window()); }, 5000)) << "not hung";
    }
    void TearDown() override {
        CorvaneTest::TearDown();
        ::DestroyWindow(watcher_);
    }

    static bool Answers(HWND window) {
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 100, &ignored) != 0;
    }

    // Whether a posted echo request comes back in time.
    testing::AssertionResult Served(const char* after) {
        MSG msg;
        while (::PeekMessageW(&msg, watcher_, WM_APP_COMMAND, WM_APP_COMMAND, PM_REMOVE)) {
        }
        ::PostMessageW(control_, WM_APP_COMMAND, CMD_ECHO, reinterpret_cast<LPARAM>(watcher_));
        if (WaitUntil(
                [&] {
                    return ::PeekMessageW(&msg, watcher_, WM_APP_COMMAND, WM_APP_COMMAND,
                                          PM_REMOVE) != FALSE &&
                           msg.wParam == CMD_ECHO;
                },
                kServedWithinMs)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "no echo after " << after;
    }

    // Pixels of the bar lighter than mid-grey.
    [[nodiscard]] int LightPixels() const {
        const test::Capture bar = test::CaptureScreen(WindowRect(bar_));
        int light = 0;
        for (const uint32_t px : bar.pixels) {
            light += test::Luma(px) > 128 ? 1 : 0;
        }
        return light;
    }

    HWND watcher_ = nullptr;
    test::HelperApp hung_;
};

TEST_F(HungAppE2E, CorvaneKeepsServingWhileTheAppInFrontHangs) {
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .tiling = true})), nullptr);
    const HWND dock = corvane_.WaitForWindow(L"CorvaneDock");
    ASSERT_NE(dock, nullptr);
    EXPECT_TRUE(Served("the start"));

    // Told of the window as the shell would; its item comes after Start's,
    // two cells of IconSize 36 + 8 between ends of 6 points.
    ::PostMessageW(dock, ::RegisterWindowMessageW(L"SHELLHOOK"), HSHELL_WINDOWCREATED,
                   reinterpret_cast<LPARAM>(hung_.Window()));
    ASSERT_TRUE(WaitUntil(
        [&] {
            const RECT r = WindowRect(dock);
            return r.right - r.left >= Px(6 + 2 * 44 + 6);
        },
        3000))
        << "no item for the hung window";
    const RECT r = WindowRect(dock);
    const POINT item{r.right - Px(6 + 22), (r.top + r.bottom) / 2};

    test::Click(item);
    EXPECT_TRUE(Served("a click on the item"));

    test::RightClick(item);
    HWND menu = nullptr;
    EXPECT_TRUE(WaitUntil(
        [&] {
            for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), L"#32768")) {
                menu = ::IsWindowVisible(w) ? w : menu;
            }
            return menu != nullptr;
        },
        3000))
        << "no item menu";
    EXPECT_TRUE(Served("the item menu opened"));
    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return menu == nullptr || !::IsWindowVisible(menu); }, 3000));
    EXPECT_TRUE(Served("the item menu closed"));

    // A theme change asked for through the queue: the bar must draw it.
    const int darkLight = LightPixels();
    test::SetLightTheme(true);
    ::PostMessageW(control_, WM_APP_COMMAND, CMD_THEME_CHANGED, 0);
    const bool repainted = WaitUntil([&] { return LightPixels() > darkLight * 2 + 100; }, 3000);
    test::SetLightTheme(false);
    EXPECT_TRUE(repainted) << "the bar did not repaint";
}

}  // namespace
}  // namespace corvane
