// The top bar of the real corvane.exe, probed from outside: where it stands
// for each style, what it reserves, auto-hide, full-screen windows, the
// application name, and screenshots of every style and theme.

#include "e2e/CorvaneProcess.h"
#include "e2e/ScreenCapture.h"
#include "e2e/TestApp.h"

#include <gtest/gtest.h>

#include <shellapi.h>
#include <shellscalingapi.h>

#include <algorithm>
#include <memory>

namespace corvane {
namespace {

using test::Capture;
using test::CorvaneProcess;
using test::FindProcessWindows;
using test::TempFolder;
using test::WaitUntil;

struct Geometry {
    RECT monitor;
    int h;
    int m;
};

RECT PrimaryMonitor() {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi.rcMonitor;
}

UINT MonitorDpi(HMONITOR monitor) {
    UINT x = 96;
    UINT y = 96;
    if (FAILED(::GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y))) {
        return 96;
    }
    return x;
}

Geometry ExpectedGeometry(HMONITOR monitor, int style, int heightPoints = 28) {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(monitor, &mi);
    const int dpi = static_cast<int>(MonitorDpi(monitor));
    return {mi.rcMonitor, ::MulDiv(heightPoints, dpi, 96), style == 0 ? 0 : ::MulDiv(6, dpi, 96)};
}

RECT ExpectedFrame(const Geometry& g) {
    return {g.monitor.left + g.m, g.monitor.top + g.m, g.monitor.right - g.m,
            g.monitor.top + g.m + g.h};
}

std::wstring Ini(int style, bool autohide, bool allMonitors = true,
                 const wchar_t* backdrop = L"acrylic") {
    return L"[General]\r\nLanguage=en\r\nCenterStart=0\r\n[Bar]\r\nHeight=28\r\nStyle=" +
           std::to_wstring(style) + L"\r\nAutohide=" + (autohide ? L"1" : L"0") +
           L"\r\nAllMonitors=" + (allMonitors ? L"1" : L"0") + L"\r\nBackdrop=" + backdrop +
           L"\r\nTint=72\r\nBarTint=72\r\n[Clock]\r\nDateFormat=ddd MMM d\r\n"
           L"[Tray]\r\nEnabled=0\r\n[Dock]\r\nEnabled=0\r\nConfigVersion=2\r\n";
}

// A column of the bar window outside every island, left of the middle (the
// separated style's clock stands in the middle), or -1.
int GapColumn(HRGN region, const RECT& frame) {
    const int width = frame.right - frame.left;
    const int y = (frame.bottom - frame.top) / 2;
    for (int x = width / 2; x > 0; --x) {
        if (!::PtInRegion(region, x, y)) {
            return x;
        }
    }
    return -1;
}

// Where a desktop toolbar registered after the bar would be placed at the top
// of the display: right below what the bar reserved.
LONG NextTopToolbarTop(const RECT& monitor) {
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
    abd.rc = {monitor.left, monitor.top, monitor.right, monitor.top + 10};
    ::SHAppBarMessage(ABM_QUERYPOS, &abd);
    const LONG top = abd.rc.top;
    ::SHAppBarMessage(ABM_REMOVE, &abd);
    ::DestroyWindow(probe);
    return top;
}

class BarE2E : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::CountControlWindows(), 0) << "a Corvane is already running";
    }

    void TearDown() override {
        if (corvane_ && corvane_->IsRunning()) {
            EXPECT_TRUE(corvane_->PostQuit());
            EXPECT_EQ(corvane_->WaitForExit(), 0u);
        }
    }

    // Starts Corvane with these settings; returns its first bar.
    HWND Start(const std::wstring& ini) {
        corvane_ = std::make_unique<CorvaneProcess>(folder_.Path());
        EXPECT_TRUE(corvane_->WriteSettings(ini));
        EXPECT_TRUE(corvane_->Start());
        EXPECT_NE(corvane_->WaitForControlWindow(), nullptr);
        HWND bar = nullptr;
        WaitUntil([&] {
            const auto bars = Bars();
            bar = bars.empty() ? nullptr : bars.front();
            return bar != nullptr && ::IsWindowVisible(bar);
        });
        return bar;
    }

    void Quit() {
        ASSERT_TRUE(corvane_->PostQuit());
        EXPECT_EQ(corvane_->WaitForExit(), 0u);
    }

    std::vector<HWND> Bars() const { return FindProcessWindows(corvane_->ProcessId(), L"CorvaneBar"); }

    TempFolder folder_;
    std::unique_ptr<CorvaneProcess> corvane_;
};

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

void ExpectRect(const RECT& actual, const RECT& expected, const char* what) {
    EXPECT_EQ(actual.left, expected.left) << what;
    EXPECT_EQ(actual.top, expected.top) << what;
    EXPECT_EQ(actual.right, expected.right) << what;
    EXPECT_EQ(actual.bottom, expected.bottom) << what;
}

TEST_F(BarE2E, EachStyleStandsAtTheTopAndReservesItsStrip) {
    const HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    for (int style = 0; style <= 3; ++style) {
        SCOPED_TRACE(style);
        HWND bar = Start(Ini(style, false));
        ASSERT_NE(bar, nullptr);
        const Geometry g = ExpectedGeometry(primary, style);
        ExpectRect(WindowRect(bar), ExpectedFrame(g), "bar window");
        EXPECT_TRUE(::GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_TRUE(::GetWindowLongW(bar, GWL_EXSTYLE) & WS_EX_NOACTIVATE);
        // The strip is the bar plus its margin above and below.
        EXPECT_EQ(NextTopToolbarTop(g.monitor), g.monitor.top + g.h + 2 * g.m);
        Quit();
    }
}

TEST_F(BarE2E, ExplorerRestartRegistersTheBarAgainWithoutDuplicating) {
    const HMONITOR primary = ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
    const Geometry g = ExpectedGeometry(primary, 1);
    HWND bar = Start(Ini(1, false));
    ASSERT_NE(bar, nullptr);
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    for (int i = 0; i < 3; ++i) {
        DWORD_PTR result = 0;
        ASSERT_NE(::SendMessageTimeoutW(bar, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result), 0);
    }
    EXPECT_EQ(Bars().size(), 1u);
    ExpectRect(WindowRect(bar), ExpectedFrame(g), "bar window");
    EXPECT_EQ(NextTopToolbarTop(g.monitor), g.monitor.top + g.h + 2 * g.m);
}

TEST_F(BarE2E, IslandStylesCutTheWindowToTheirIslands) {
    for (int style : {2, 3}) {
        SCOPED_TRACE(style);
        HWND bar = Start(Ini(style, false));
        ASSERT_NE(bar, nullptr);
        // The region is rebuilt after the first paint found the islands.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return ::GetWindowRgn(bar, region) != ERROR; }));
        const RECT frame = WindowRect(bar);
        // Between the groups the bar has no window at all.
        EXPECT_GE(GapColumn(region, frame), 0);
        ::DeleteObject(region);
        // Each panel ends up under its island, as tall as the bar.
        std::vector<HWND> panels;
        EXPECT_TRUE(WaitUntil([&] {
            panels = FindProcessWindows(corvane_->ProcessId(), L"CorvaneBarPanel");
            return !panels.empty() && std::all_of(panels.begin(), panels.end(), [&](HWND p) {
                       const RECT r = WindowRect(p);
                       return r.top == frame.top && r.bottom == frame.bottom;
                   });
        }));
        for (HWND panel : panels) {
            const RECT p = WindowRect(panel);
            EXPECT_GE(p.left, frame.left - 1);
            EXPECT_LE(p.right, frame.right + 1);
            EXPECT_TRUE(::IsWindowVisible(panel));
        }
        Quit();
    }
}

TEST_F(BarE2E, AutoHideSlidesAwayAndTheTopEdgeBringsItBack) {
    const RECT monitor = PrimaryMonitor();
    ::SetCursorPos(monitor.left + 300, monitor.top + 10);
    HWND bar = Start(Ini(1, true));
    ASSERT_NE(bar, nullptr);
    // Auto-hide reserves nothing.
    EXPECT_EQ(NextTopToolbarTop(monitor), monitor.top);

    ::SetCursorPos((monitor.left + monitor.right) / 2, (monitor.top + monitor.bottom) / 2);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }, 8000)) << "bar did not hide";
    const auto edges = FindProcessWindows(corvane_->ProcessId(), L"CorvaneBarEdge");
    ASSERT_EQ(edges.size(), 1u);
    EXPECT_TRUE(::IsWindowVisible(edges[0]));
    ExpectRect(WindowRect(edges[0]), {monitor.left + 4, monitor.top, monitor.right - 4, monitor.top + 2},
               "edge strip");

    // Touching the top edge brings the bar back, fully slid in.
    ::SetCursorPos(monitor.left + 200, monitor.top);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowVisible(bar) != FALSE; }, 5000)) << "bar did not come back";
    const Geometry g = ExpectedGeometry(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), 1);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(bar).top == ExpectedFrame(g).top; }, 3000));
    EXPECT_FALSE(::IsWindowVisible(edges[0]));

    // While the pointer stays on the bar it stays.
    ::SetCursorPos(monitor.left + 200, monitor.top + g.m + g.h / 2);
    ::Sleep(2500);
    EXPECT_TRUE(::IsWindowVisible(bar));
}

TEST_F(BarE2E, FullScreenWindowHidesTheBarUntilItCloses) {
    HWND bar = Start(Ini(0, false));
    ASSERT_NE(bar, nullptr);
    {
        test::TestApp fullscreen(folder_.Path(), L"player.exe");
        ASSERT_TRUE(fullscreen.Start(L"fullscreen", L"Player"));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000)) << "bar stayed";
        fullscreen.Close();
    }
    test::TestApp normal(folder_.Path(), L"notes.exe");
    ASSERT_TRUE(normal.Start(L"normal", L"Notes"));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(bar) != FALSE; }, 5000)) << "bar stayed hidden";

    // A maximised window covers the display too, but is no full-screen window.
    test::TestApp maximized(folder_.Path(), L"editor.exe");
    ASSERT_TRUE(maximized.Start(L"maximized", L"Editor"));
    ::Sleep(1200);
    EXPECT_TRUE(::IsWindowVisible(bar));
}

// How far to the right the application name's ink reaches in the bar.
int NameInkRight(HWND bar) {
    const RECT frame = WindowRect(bar);
    const int width = frame.right - frame.left;
    const Capture capture = test::CaptureScreen(frame);
    const uint32_t background = capture.At(width / 2, (frame.bottom - frame.top) / 2);
    return test::RightmostInk(capture, {0, 0, width / 2, frame.bottom - frame.top}, background);
}

TEST_F(BarE2E, TheWindowInFrontNamesTheBar) {
    HWND bar = Start(Ini(0, false));
    ASSERT_NE(bar, nullptr);
    test::TestApp shortName(folder_.Path(), L"a.exe");
    ASSERT_TRUE(shortName.Start(L"normal", L"Short"));
    int shortRight = -1;
    EXPECT_TRUE(WaitUntil([&] { return (shortRight = NameInkRight(bar)) > 0; }));

    test::TestApp longName(folder_.Path(), L"averyveryverylongapplicationname.exe");
    ASSERT_TRUE(longName.Start(L"normal", L"Long"));
    int longRight = -1;
    // "Averyveryverylongapplicationname" is far wider than "A".
    EXPECT_TRUE(WaitUntil([&] { return (longRight = NameInkRight(bar)) > shortRight + 100; }))
        << shortRight << " vs " << longRight;

    longName.Close();
    shortName.Close();
}

struct ShotCase {
    int style;
    bool light;
};

class BarScreenshot : public BarE2E, public testing::WithParamInterface<ShotCase> {};

void SetLightTheme(bool light) {
    const DWORD value = light ? 1 : 0;
    ::RegSetKeyValueW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                      L"SystemUsesLightTheme", REG_DWORD, &value, sizeof(value));
    ::RegSetKeyValueW(HKEY_CURRENT_USER,
                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize",
                      L"AppsUseLightTheme", REG_DWORD, &value, sizeof(value));
}

TEST_P(BarScreenshot, DrawsTheBarAndLeavesGapsBetweenIslandsClear) {
    const ShotCase c = GetParam();
    const RECT monitor = PrimaryMonitor();
    const RECT strip{monitor.left, monitor.top, monitor.right, monitor.top + 80};
    const Capture before = test::CaptureScreen(strip);
    SetLightTheme(c.light);
    // The solid material, because without a compositor glass shows as black
    // and a light bar could not be seen at all.
    HWND bar = Start(Ini(c.style, false, true, L"solid"));
    SetLightTheme(false);
    ASSERT_NE(bar, nullptr);
    const RECT frame = WindowRect(bar);
    const RECT local{frame.left - strip.left, frame.top - strip.top, frame.right - strip.left,
                     frame.bottom - strip.top};
    // The clock, the tiling button and the status glyphs put ink on the bar
    // once the first paint is through (Direct2D takes a moment to start). The
    // island styles clear their window and let panels under it carry the
    // surface; without a compositor that window stays black, so there only
    // the dark theme's light text can show.
    const bool visible = c.style < 2 || !c.light;
    const RECT& right = local;
    Capture after;
    int changed = 0;
    WaitUntil([&] {
        after = test::CaptureScreen(strip);
        changed = 0;
        for (int y = right.top; y < right.bottom; ++y) {
            for (int x = right.left; x < right.right; ++x) {
                changed += before.At(x, y) != after.At(x, y);
            }
        }
        return changed > 200;
    }, visible ? 10000 : 2000);
    if (visible) {
        EXPECT_GT(changed, 200) << "nothing drawn on the bar";
    }
    ::Sleep(300);  // the island region follows the first paint
    after = test::CaptureScreen(strip);

    const UINT dpi = MonitorDpi(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    const std::wstring name = L"bar-style" + std::to_wstring(c.style) + (c.light ? L"-light-" : L"-dark-") +
                              std::to_wstring(dpi) + L"dpi.png";
    EXPECT_TRUE(test::SavePng(after, test::ScreenshotFolder() + L"\\" + name));
    if (c.style >= 2) {
        // Between the islands the desktop shows through unchanged.
        HRGN region = ::CreateRectRgn(0, 0, 0, 0);
        ASSERT_NE(::GetWindowRgn(bar, region), ERROR);
        const int gap = GapColumn(region, frame);
        ::DeleteObject(region);
        ASSERT_GE(gap, 0);
        const int midX = local.left + gap;
        int same = 0;
        for (int y = local.top; y < local.bottom; ++y) {
            same += before.At(midX, y) == after.At(midX, y);
        }
        EXPECT_EQ(same, local.bottom - local.top);
    }
}

INSTANTIATE_TEST_SUITE_P(StylesAndThemes, BarScreenshot,
                         testing::Values(ShotCase{0, false}, ShotCase{0, true}, ShotCase{1, false},
                                         ShotCase{1, true}, ShotCase{2, false}, ShotCase{2, true},
                                         ShotCase{3, false}, ShotCase{3, true}),
                         [](const testing::TestParamInfo<ShotCase>& info) {
                             return "Style" + std::to_string(info.param.style) +
                                    (info.param.light ? "Light" : "Dark");
                         });

TEST_F(BarE2E, DualDisplayGivesEachDisplayABarOrOnlyTheMainOne) {
    if (::GetSystemMetrics(SM_CMONITORS) < 2) {
        if (::GetEnvironmentVariableW(L"CORVANE_REQUIRE_DUAL", nullptr, 0) != 0) {
            FAIL() << "two displays were promised but only one exists";
        }
        GTEST_SKIP() << "needs two displays";
    }
    Start(Ini(0, false, true));
    ASSERT_TRUE(WaitUntil([&] { return Bars().size() == 2; }));
    for (HWND bar : Bars()) {
        const HMONITOR monitor = ::MonitorFromWindow(bar, MONITOR_DEFAULTTONULL);
        ASSERT_NE(monitor, nullptr);
        const Geometry g = ExpectedGeometry(monitor, 0);
        const RECT expected = ExpectedFrame(g);
        const RECT actual = WindowRect(bar);
        EXPECT_EQ(actual.left, expected.left);
        EXPECT_EQ(actual.right, expected.right);
        EXPECT_EQ(actual.bottom - actual.top, g.h);
        // The bar takes the strip the shell gives it. Wine clips a toolbar
        // against every earlier one, whatever display it is on, so the second
        // bar may stand below the first one's strip; Windows keeps displays apart.
        EXPECT_GE(actual.top, expected.top);
        EXPECT_LE(actual.top, expected.top + g.h);
        if (monitor == ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)) {
            EXPECT_EQ(actual.top, expected.top);
        }
    }
    const HMONITOR first = ::MonitorFromWindow(Bars()[0], MONITOR_DEFAULTTONULL);
    const HMONITOR second = ::MonitorFromWindow(Bars()[1], MONITOR_DEFAULTTONULL);
    EXPECT_NE(first, second);
    Quit();

    Start(Ini(0, false, false));
    ::Sleep(500);
    const auto bars = Bars();
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(::MonitorFromWindow(bars[0], MONITOR_DEFAULTTONULL),
              ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

}  // namespace
}  // namespace corvane
