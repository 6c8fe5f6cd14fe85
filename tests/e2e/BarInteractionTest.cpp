// Clicking the real bar: the application name's menu acts on the window in
// front and can quit Corvane, the tiling button toggles its setting, and a
// release only counts on the item that was pressed.

#include "base/Commands.h"
#include "e2e/CorvaneProcess.h"
#include "e2e/ScreenCapture.h"
#include "e2e/TestApp.h"

#include <gtest/gtest.h>

#include <shellscalingapi.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <utility>

namespace corvane {
namespace {

using test::CorvaneProcess;
using test::FindProcessWindows;
using test::TempFolder;
using test::WaitUntil;

std::wstring Ini() {
    return L"[General]\r\nLanguage=en\r\nCenterStart=0\r\n[Bar]\r\nHeight=28\r\nStyle=0\r\n"
           L"Autohide=0\r\nAllMonitors=0\r\nBackdrop=solid\r\n[Clock]\r\nDateFormat=ddd MMM d\r\n"
           L"[Tiling]\r\nEnabled=0\r\n[Tray]\r\nEnabled=0\r\n[Dock]\r\nEnabled=0\r\n"
           L"ConfigVersion=2\r\n";
}

void MoveMouse(int x, int y) {
    ::SetCursorPos(x, y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void Button(DWORD flag) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flag;
    ::SendInput(1, &input, sizeof(input));
    ::Sleep(80);
}

void Click(int x, int y) {
    MoveMouse(x, y);
    Button(MOUSEEVENTF_LEFTDOWN);
    Button(MOUSEEVENTF_LEFTUP);
}

// Presses at one point and lets go at another.
void PressAndReleaseElsewhere(POINT from, POINT to) {
    MoveMouse(from.x, from.y);
    Button(MOUSEEVENTF_LEFTDOWN);
    MoveMouse((from.x + to.x) / 2, to.y);
    MoveMouse(to.x, to.y);
    Button(MOUSEEVENTF_LEFTUP);
}

struct Span {
    int left = -1;
    int right = -1;  // exclusive
    [[nodiscard]] int Width() const { return right - left; }
    [[nodiscard]] int Middle() const { return (left + right) / 2; }
};

class BarInteractionE2E : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::CountControlWindows(), 0) << "a Corvane is already running";
        corvane_ = std::make_unique<CorvaneProcess>(folder_.Path());
        ASSERT_TRUE(corvane_->WriteSettings(Ini()));
        ASSERT_TRUE(corvane_->Start());
        ASSERT_NE(corvane_->WaitForControlWindow(), nullptr);
        ASSERT_TRUE(WaitUntil([&] {
            const auto bars = FindProcessWindows(corvane_->ProcessId(), L"CorvaneBar");
            bar_ = bars.empty() ? nullptr : bars.front();
            return bar_ != nullptr && ::IsWindowVisible(bar_);
        }));
        ::GetWindowRect(bar_, &frame_);
        UINT dpiY = 96;
        if (FAILED(::GetDpiForMonitor(::MonitorFromWindow(bar_, MONITOR_DEFAULTTOPRIMARY),
                                      MDT_EFFECTIVE_DPI, &dpi_, &dpiY))) {
            dpi_ = 96;
        }
    }

    void TearDown() override {
        MoveMouse(Centre().x, Centre().y);
        if (corvane_ && corvane_->IsRunning()) {
            EXPECT_TRUE(corvane_->PostQuit());
            EXPECT_EQ(corvane_->WaitForExit(), 0u);
        }
    }

    [[nodiscard]] int Px(double points) const {
        return static_cast<int>(points * static_cast<double>(dpi_) / 96.0);
    }
    [[nodiscard]] int MidY() const { return (frame_.top + frame_.bottom) / 2; }
    [[nodiscard]] static POINT Centre() {
        return {::GetSystemMetrics(SM_CXSCREEN) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2};
    }

    // The box the bar highlights while the pointer rests at x, found as the
    // columns of the bar's middle row that change colour, in screen pixels.
    [[nodiscard]] std::optional<Span> HoverSpan(int x) const {
        const RECT row{frame_.left, MidY(), frame_.right, MidY() + 1};
        for (int attempt = 0; attempt < 5; ++attempt) {
            // The highlight of the last hover goes once the bar notices the
            // pointer left, which Wine checks on a timer.
            MoveMouse(Centre().x, Centre().y);
            test::Capture before = test::CaptureScreen(row);
            for (int settle = 0; settle < 15; ++settle) {
                ::Sleep(150);
                test::Capture again = test::CaptureScreen(row);
                const bool same = again.pixels == before.pixels;
                before = std::move(again);
                if (same && settle >= 2) {
                    break;
                }
            }
            MoveMouse(x, MidY());
            ::Sleep(250);
            const test::Capture after = test::CaptureScreen(row);
            Span span;
            for (int c = 0; c < before.width; ++c) {
                if (before.At(c, 0) != after.At(c, 0)) {
                    if (span.left < 0) {
                        span.left = c;
                    }
                    span.right = c + 1;
                }
            }
            span.left += frame_.left;
            span.right += frame_.left;
            // A first paint or a clock tick between the two captures spreads
            // the change wider than any item (the clock's text is at most
            // 400 points).
            if (span.Width() > 0 && span.Width() <= Px(440) && span.left <= x &&
                x < span.right) {
                return span;
            }
        }
        return std::nullopt;
    }

    // The clock's item, found from its ink: the rightmost run of ink on the
    // bar, up to a blank stretch wider than any gap inside the clock's text.
    // Its text starts 10 points into the item, which ends 6 points before
    // the bar's right end.
    [[nodiscard]] std::optional<Span> ClockFromInk() const {
        std::optional<Span> found;
        WaitUntil([&] {
            const test::Capture c = test::CaptureScreen(frame_);
            if (c.pixels.empty()) {
                return false;
            }
            const uint32_t background = c.At(c.width / 2, c.height / 2);
            const auto inkAt = [&](int x) {
                return test::CountInk(c, {x, c.height / 4, x + 1, c.height * 3 / 4}, background) > 0;
            };
            int right = c.width - 1;
            while (right >= 0 && !inkAt(right)) {
                --right;
            }
            if (right < c.width / 2) {
                return false;
            }
            int left = right;
            int blank = 0;
            for (int x = right; x >= 0 && blank <= Px(20); --x) {
                if (inkAt(x)) {
                    left = x;
                    blank = 0;
                } else {
                    ++blank;
                }
            }
            found = Span{frame_.left + left - Px(10), frame_.right - Px(6)};
            return true;
        }, 8000);
        return found;
    }

    // The tiling button stands left of the status cluster (92 points with a
    // battery, else 60), which stands 2 points left of the clock.
    [[nodiscard]] std::optional<Span> TilingButton() const {
        const std::optional<Span> clock = ClockFromInk();
        if (!clock) {
            return std::nullopt;
        }
        SYSTEM_POWER_STATUS power = {};
        const bool battery = ::GetSystemPowerStatus(&power) && power.BatteryFlag != 255 &&
                             (power.BatteryFlag & 128) == 0;
        const int right = clock->left - Px(2 + (battery ? 92 : 60) + 6);
        return Span{right - Px(28), right};
    }

    [[nodiscard]] int TilingEnabledInFile() const {
        return static_cast<int>(
            ::GetPrivateProfileIntW(L"Tiling", L"Enabled", -1, corvane_->IniPath().c_str()));
    }

    // The popup menu Corvane shows, once it is on the screen.
    [[nodiscard]] HWND WaitForPopupMenu() const {
        HWND found = nullptr;
        WaitUntil([&] {
            for (HWND menu : FindProcessWindows(corvane_->ProcessId(), L"#32768")) {
                RECT r = {};
                if (::IsWindowVisible(menu) && ::GetWindowRect(menu, &r) && r.bottom > r.top) {
                    found = menu;
                    return true;
                }
            }
            return false;
        }, 5000);
        return found;
    }

    // Clicks the application name, which starts 6 points from the bar's left.
    [[nodiscard]] HWND OpenAppNameMenu() const {
        Click(frame_.left + Px(16), MidY());
        return WaitForPopupMenu();
    }

    TempFolder folder_;
    std::unique_ptr<CorvaneProcess> corvane_;
    HWND bar_ = nullptr;
    RECT frame_ = {};
    UINT dpi_ = 96;
};

TEST_F(BarInteractionE2E, AppNameMenuMinimizeMinimizesTheWindowInFront) {
    test::TestApp app(folder_.Path(), L"notes.exe");
    ASSERT_TRUE(app.Start(L"normal", L"Notes"));
    // The name is on the bar once hovering it highlights something there.
    ASSERT_TRUE(WaitUntil([&] { return HoverSpan(frame_.left + Px(16)).has_value(); }, 8000));
    ASSERT_FALSE(::IsIconic(app.Window()));

    const HWND menu = OpenAppNameMenu();
    ASSERT_NE(menu, nullptr) << "no menu";
    RECT r = {};
    ::GetWindowRect(menu, &r);
    // The menu hangs 2 pixels below the name's box, which starts 6 points
    // in and ends 3 points above the bar's bottom.
    EXPECT_EQ(r.left, frame_.left + Px(6));
    EXPECT_EQ(r.top, frame_.top + Px(25) + 2);
    // "Minimize" is the first entry.
    Click(r.left + Px(24), r.top + Px(10));
    EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(app.Window()) != FALSE; }, 5000));
    EXPECT_TRUE(corvane_->IsRunning());
    app.Close();
}

TEST_F(BarInteractionE2E, AppNameMenuQuitEndsCorvaneWithExitCodeZero) {
    test::TestApp app(folder_.Path(), L"notes.exe");
    ASSERT_TRUE(app.Start(L"normal", L"Notes"));
    ASSERT_TRUE(WaitUntil([&] { return HoverSpan(frame_.left + Px(16)).has_value(); }, 8000));

    const HWND menu = OpenAppNameMenu();
    ASSERT_NE(menu, nullptr) << "no menu";
    RECT r = {};
    ::GetWindowRect(menu, &r);
    // "Quit Corvane" is the last entry.
    Click(r.left + Px(24), r.bottom - Px(10));
    EXPECT_EQ(corvane_->WaitForExit(10000), 0u);
    EXPECT_FALSE(::IsIconic(app.Window()));
    app.Close();
}

TEST_F(BarInteractionE2E, BarsAreRebuiltOnlyAfterTheOpenMenuCloses) {
    test::TestApp app(folder_.Path(), L"notes.exe");
    ASSERT_TRUE(app.Start(L"normal", L"Notes"));
    ASSERT_TRUE(WaitUntil([&] { return HoverSpan(frame_.left + Px(16)).has_value(); }, 8000));
    const HWND menu = OpenAppNameMenu();
    ASSERT_NE(menu, nullptr) << "no menu";

    // The displays change while the menu's loop runs on the bar.
    const HWND control = corvane_->WaitForControlWindow();
    ASSERT_NE(control, nullptr);
    ASSERT_TRUE(::PostMessageW(control, WM_APP_COMMAND, CMD_DISPLAYS_CHANGED, 0));
    ::Sleep(500);
    EXPECT_TRUE(::IsWindow(bar_));
    EXPECT_TRUE(corvane_->IsRunning());

    // Closing the menu lets the rebuild happen: a new bar replaces the old one.
    Click(frame_.left + (frame_.right - frame_.left) / 2, frame_.bottom + Px(200));
    EXPECT_TRUE(WaitUntil([&] {
        const auto bars = test::FindProcessWindows(corvane_->ProcessId(), L"CorvaneBar");
        return !::IsWindow(bar_) && bars.size() == 1;
    }, 8000));
    EXPECT_TRUE(corvane_->IsRunning());
    app.Close();
}

TEST_F(BarInteractionE2E, TilingButtonTogglesTheSettingInTheFile) {
    ASSERT_EQ(TilingEnabledInFile(), 0);
    const std::optional<Span> button = TilingButton();
    ASSERT_TRUE(button.has_value()) << "tiling button not found";
    Click(button->Middle(), MidY());
    EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == 1; }, 5000));
    Click(button->Middle(), MidY());
    EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == 0; }, 5000));
}

TEST_F(BarInteractionE2E, AReleaseCountsOnlyOnThePressedItem) {
    const std::optional<Span> clock = ClockFromInk();
    ASSERT_TRUE(clock.has_value()) << "clock not found";
    const std::optional<Span> button = TilingButton();
    ASSERT_TRUE(button.has_value()) << "tiling button not found";
    const POINT onClock{clock->Middle(), MidY()};
    const POINT onButton{button->Middle(), MidY()};
    // Between the button and the clock: the status cluster.
    const POINT onStatus{(button->right + clock->left) / 2, MidY()};

    PressAndReleaseElsewhere(onClock, onButton);
    PressAndReleaseElsewhere(onButton, onStatus);
    ::Sleep(800);
    EXPECT_EQ(TilingEnabledInFile(), 0);

    // The same button does toggle when pressed and released on it.
    PressAndReleaseElsewhere(onButton, onButton);
    EXPECT_TRUE(WaitUntil([&] { return TilingEnabledInFile() == 1; }, 5000));
}

}  // namespace
}  // namespace corvane
