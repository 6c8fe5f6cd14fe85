// The top bar of the real corvane.exe, probed from outside: where it stands
// for each style and what it reserves, auto-hide, and screenshots of every
// style and theme (a full-screen window hiding it is the hot corners' test). The application in
// front is named in the tests that click the bar.

#include "base/Win32Geometry.h"
#include "bar/BarGeometry.h"
#include "e2e/E2ESupport.h"
#include "toolkit/AccessibilityPrefs.h"

#include <shellapi.h>

#include <algorithm>
#include <tuple>

namespace corvane {
namespace {

using test::Capture;
using test::HelperApp;
using test::WaitUntil;
using test::WindowRect;

PixelRect Display(HWND window = nullptr) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(window != nullptr ? ::MonitorFromWindow(window, MONITOR_DEFAULTTONULL)
                                        : ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY),
                      &mi);
    return ToPixelRect(mi.rcMonitor);
}

// Where a desktop toolbar registered after the bar would be placed at the top
// of the display: right below what the bar reserved.
LONG NextTopToolbarTop(const PixelRect& display) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneProbeToolbar";
    ::RegisterClassW(&wc);
    HWND probe = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1,
                                   nullptr, nullptr, wc.hInstance, nullptr);
    APPBARDATA abd = {};
    abd.cbSize = sizeof(abd);
    abd.hWnd = probe;
    abd.uCallbackMessage = WM_APP + 7;
    ::SHAppBarMessage(ABM_NEW, &abd);
    abd.uEdge = ABE_TOP;
    abd.rc = {display.left, display.top, display.right, display.top + 10};
    ::SHAppBarMessage(ABM_QUERYPOS, &abd);
    const LONG top = abd.rc.top;
    ::SHAppBarMessage(ABM_REMOVE, &abd);
    ::DestroyWindow(probe);
    return top;
}

class BarE2E : public test::CorvaneTest {
protected:
    [[nodiscard]] BarMetrics Metrics(int style) const {
        return ComputeBarMetrics(28, static_cast<BarStyle>(style), dpi_);
    }
    [[nodiscard]] PixelRect ExpectedStrip(int style, HWND bar = nullptr) const {
        return ProposedReservedStrip(Display(bar), Metrics(style));
    }
    [[nodiscard]] PixelRect ExpectedFrame(int style, HWND bar = nullptr) const {
        return FrameFromStrip(ExpectedStrip(style, bar), Metrics(style));
    }
};

TEST_F(BarE2E, EachStyleStandsAtTheTopAndReservesItsStripAndTheTextSizeGrowsIt) {
    for (int style = 0; style <= 3; ++style) {
        SCOPED_TRACE(style);
        HWND bar = StartCorvane(test::IniText({.style = style}));
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(ToPixelRect(WindowRect(bar)), ExpectedFrame(style));
        EXPECT_TRUE(::GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(::GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
        EXPECT_EQ(NextTopToolbarTop(Display()), ExpectedStrip(style).bottom);
        if (style == 1) {
            // Explorer restarted: the bar registers again, once.
            const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
            HWND to = nullptr;  // made once start-up is done
            ASSERT_TRUE(WaitUntil([&] { return to = ::FindWindowW(L"CorvaneSession", nullptr); }));
            for (int i = 0; i < 3; ++i) {
                DWORD_PTR result = 0;
                ASSERT_NE(::SendMessageTimeoutW(to, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                                &result),
                          0);
            }
            EXPECT_EQ(Bars().size(), 1u);
            EXPECT_EQ(ToPixelRect(WindowRect(bar)), ExpectedFrame(style));
            EXPECT_EQ(NextTopToolbarTop(Display()), ExpectedStrip(style).bottom);
        }
        if (style == 0) {
            // Text size changed while Corvane runs: the bar grows and reserves anew.
            const test::SavedRegistryValue factor(L"Software\\Microsoft\\Accessibility",
                                                  L"TextScaleFactor");
            ASSERT_TRUE(
                WaitUntil([] { return ::FindWindowW(L"CorvaneSession", nullptr) != nullptr; }));
            const DWORD percent = 150;
            ASSERT_TRUE(factor.Set(REG_DWORD, &percent, sizeof(percent)));
            const BarMetrics grown =
                ComputeBarMetrics(TextScaledPoints(28, 1.5f), BarStyle::Classic, dpi_);
            const PixelRect strip = ProposedReservedStrip(Display(), grown);
            EXPECT_TRUE(WaitUntil(
                [&] { return ToPixelRect(WindowRect(bar)) == FrameFromStrip(strip, grown); }));
            EXPECT_EQ(NextTopToolbarTop(Display()), strip.bottom);
        }
        QuitCorvane();
    }
}

TEST_F(BarE2E, AutoHideComesBackAtTheTopEdgeAndStaysForAPopupMenuBehindAHiddenMenuWindow) {
    const PixelRect display = Display();
    test::MovePointer({display.left + 300, display.top + 10});
    HWND bar = StartCorvane(test::IniText({.style = 1, .autohide = true}));
    ASSERT_NE(bar, nullptr);
    // Auto-hide reserves nothing.
    EXPECT_EQ(NextTopToolbarTop(display), display.top);

    test::MovePointer(test::ScreenCentre());
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }, 8000)) << "bar did not hide";
    const auto edges = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneBarEdge");
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_TRUE(::IsWindowVisible(edges[0]));
    EXPECT_EQ(ToPixelRect(WindowRect(edges[0])), RevealEdgeRect(display));

    // Touching the top edge brings the bar back, fully slid in.
    test::MovePointer({display.left + 200, display.top});
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(bar) != FALSE; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(bar).top == ExpectedFrame(1).top; }, 3000));
    EXPECT_FALSE(::IsWindowVisible(edges[0]));

    // While the pointer stays on the bar it stays.
    test::MovePointer({display.left + 300, MidY()});
    ::Sleep(2500);
    EXPECT_TRUE(::IsWindowVisible(bar));

    // An open popup menu keeps the bar even behind a hidden menu window: the
    // pointer rests on the bar while another program opens a popup menu
    // and then moves the pointer away.
    HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"menus.exe", L"popup"));
    HWND firstMenu = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            firstMenu = ::FindWindowW(L"#32768", nullptr);
            const auto menus = test::FindProcessWindows(app.ProcessId(), L"#32768");
            POINT pointer = {};
            return firstMenu != nullptr && !::IsWindowVisible(firstMenu) &&
                   std::any_of(menus.begin(), menus.end(), ::IsWindowVisible) &&
                   ::GetCursorPos(&pointer) && pointer.y > Frame().bottom;
        },
        5000))
        << "no open popup menu behind a hidden one, with the pointer away";

    ::Sleep(2500);
    EXPECT_TRUE(::IsWindowVisible(bar)) << "the bar hid while a menu was open";

    // Once the menu is gone the bar goes too.
    ::PostMessageW(app.Window(), WM_CANCELMODE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000));
}

// Style and whether the theme is light.
class BarScreenshot : public BarE2E, public testing::WithParamInterface<std::tuple<int, bool>> {};

// A column of the bar window outside every island, left of the middle (the
// separated style's clock stands in the middle), or -1.
int GapColumn(HWND bar) {
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    const RECT frame = WindowRect(bar);
    int gap = -1;
    if (::GetWindowRgn(bar, region) != ERROR) {
        for (int x = (frame.right - frame.left) / 2; x > 0 && gap < 0; --x) {
            gap = ::PtInRegion(region, x, (frame.bottom - frame.top) / 2) ? -1 : x;
        }
    }
    ::DeleteObject(region);
    return gap;
}

TEST_P(BarScreenshot, DrawsTheBarAndLeavesGapsBetweenIslandsClear) {
    const auto [style, light] = GetParam();
    const PixelRect display = Display();
    const RECT strip{display.left, display.top, display.right, display.top + 80};
    const Capture before = test::CaptureScreen(strip);
    test::SetLightTheme(light);
    // The solid material: without a compositor glass shows as black and a
    // light bar could not be seen at all.
    HWND bar = StartCorvane(test::IniText({.style = style, .allMonitors = true}));
    test::SetLightTheme(false);
    ASSERT_NE(bar, nullptr);
    const RECT frame = WindowRect(bar);
    const RECT local{frame.left - strip.left, frame.top - strip.top, frame.right - strip.left,
                     frame.bottom - strip.top};
    // The clock, the tiling button and the status glyphs put ink on the bar
    // once the first paint is through. The island styles clear their window
    // and let panels under it carry the surface; without a compositor that
    // window stays black, so there only the dark theme's light text shows.
    const bool visible = style < 2 || !light;
    Capture after;
    // Pixels that changed in these columns of the bar.
    const auto changed = [&](int left, int right) {
        int n = 0;
        for (int y = local.top; y < local.bottom; ++y) {
            for (int x = left; x < right; ++x) {
                n += before.At(x, y) != after.At(x, y);
            }
        }
        return n;
    };
    WaitUntil(
        [&] {
            after = test::CaptureScreen(strip);
            return changed(local.left, local.right) > 200;
        },
        visible ? 10000 : 2000);
    if (visible) {
        EXPECT_GT(changed(local.left, local.right), 200) << "nothing drawn on the bar";
    }
    ::Sleep(300);  // the island region follows the first paint
    const std::wstring name = L"bar-style" + std::to_wstring(style) +
                              (light ? L"-light-" : L"-dark-") + std::to_wstring(dpi_) + L"dpi.png";
    after = test::CaptureScreen(strip, test::ScreenshotPath(name));
    if (style < 2) {
        return;
    }
    // Between the islands there is no window: the desktop shows through.
    const int gap = GapColumn(bar);
    ASSERT_GE(gap, 0);
    EXPECT_EQ(changed(local.left + gap, local.left + gap + 1), 0);
    // Each panel carrying an island's surface stands under it, as tall as the bar.
    const auto panels = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneBarPanel");
    ASSERT_FALSE(panels.empty());
    for (HWND panel : panels) {
        const RECT p = WindowRect(panel);
        EXPECT_TRUE(::IsWindowVisible(panel));
        EXPECT_EQ(p.top, frame.top);
        EXPECT_EQ(p.bottom, frame.bottom);
        EXPECT_GE(p.left, frame.left - 1);
        EXPECT_LE(p.right, frame.right + 1);
    }
}

INSTANTIATE_TEST_SUITE_P(StylesAndThemes, BarScreenshot,
                         testing::Combine(testing::Range(0, 4), testing::Bool()),
                         [](const auto& info) {
                             return "Style" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "Light" : "Dark");
                         });

TEST_F(BarE2E, DualDisplayGivesEachDisplayABarOrOnlyTheMainOne) {
    if (::GetSystemMetrics(SM_CMONITORS) < 2) {
        if (::GetEnvironmentVariableW(L"CORVANE_REQUIRE_DUAL", nullptr, 0) != 0) {
            FAIL() << "two displays were promised but only one exists";
        }
        GTEST_SKIP() << "needs two displays";
    }
    StartCorvane(test::IniText({.allMonitors = true}));
    ASSERT_TRUE(WaitUntil([&] { return Bars().size() == 2; }));
    for (HWND bar : Bars()) {
        const PixelRect expected = ExpectedFrame(0, bar);
        const RECT actual = WindowRect(bar);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom - actual.top, expected.Height());
        // The bar takes the strip the shell gives it. Wine clips a toolbar
        // against every earlier one, whatever display it is on, so the second
        // bar may stand below the first one's strip; Windows keeps displays apart.
        EXPECT_GE(actual.top, expected.top);
        EXPECT_LE(actual.top, expected.bottom);
        if (Display(bar) == Display()) {
            EXPECT_EQ(actual.top, expected.top);
        }
    }
    EXPECT_NE(Display(Bars()[0]), Display(Bars()[1]));
    QuitCorvane();

    StartCorvane(test::IniText());
    ::Sleep(500);
    const auto bars = Bars();
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(Display(bars[0]), Display());
}

}  // namespace
}  // namespace corvane
