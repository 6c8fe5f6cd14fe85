// Tiling in the real corvane.exe, with helper windows of other processes:
// where new windows go, a minimised one leaving its slot, a program listed
// as never tiled, and the shortcuts typed as keys. The layouts' arithmetic
// in all its cases and the rules of which window takes part are the unit
// tests' business; here the real windows must end up where the layouts say.

#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "e2e/E2ESupport.h"
#include "tiling/TileLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

// [Tiling] Gap as the ini text writes it, in points.
constexpr int kGapPoints = 8;

struct Shortcut {
    UINT modifiers;
    UINT key;
};
constexpr UINT kCtrlAlt = MOD_CONTROL | MOD_ALT | MOD_NOREPEAT;
constexpr Shortcut kShortcuts[] = {
    {kCtrlAlt, 'T'},
    {kCtrlAlt, VK_LEFT},
    {kCtrlAlt, VK_RIGHT},
    {kCtrlAlt, VK_UP},
    {kCtrlAlt, VK_DOWN},
    {kCtrlAlt | MOD_SHIFT, VK_LEFT},
    {kCtrlAlt | MOD_SHIFT, VK_RIGHT},
    {kCtrlAlt | MOD_SHIFT, VK_UP},
    {kCtrlAlt | MOD_SHIFT, VK_DOWN},
    {kCtrlAlt, 'F'},
    {kCtrlAlt, 'L'},
    {kCtrlAlt, VK_SPACE},
};

// How many of the shortcuts this process could take for itself; a shortcut
// another program holds cannot be taken. Each is given back at once.
int FreeShortcuts() {
    int free = 0;
    for (const Shortcut& s : kShortcuts) {
        if (::RegisterHotKey(nullptr, 1, s.modifiers, s.key)) {
            ::UnregisterHotKey(nullptr, 1);
            ++free;
        }
    }
    return free;
}

PixelRect RectOf(HWND window) {
    return ToPixelRect(test::WindowRect(window));
}

std::string Text(const PixelRect& r) {
    std::ostringstream out;
    out << "(" << r.left << "," << r.top << " - " << r.right << "," << r.bottom << ")";
    return out.str();
}

class TilingE2E : public test::CorvaneTest {
protected:
    void Start(test::IniOptions options) {
        options.tiling = true;
        ASSERT_NE(StartCorvane(test::IniText(options)), nullptr);
        gap_ = ::MulDiv(kGapPoints, static_cast<int>(dpi_), 96);
        work_ = ToPixelRect(test::PrimaryMonitor().rcWork);
    }

    // Starts helper `index` under its own name; returns where its window
    // stood before Corvane heard of it. Wine 8 raises no show event for a
    // new window: the test raises the one Windows raises.
    PixelRect Open(std::size_t index, const wchar_t* exeName) {
        EXPECT_TRUE(apps_[index].Start(folder_.Path(), exeName, L"normal")) << "no window";
        const PixelRect opened = RectOf(App(index));
        ::NotifyWinEvent(EVENT_OBJECT_SHOW, App(index), OBJID_WINDOW, CHILDID_SELF);
        return opened;
    }
    [[nodiscard]] HWND App(std::size_t index) const { return apps_[index].Window(); }

    // Where the layout puts `n` windows on the work area.
    [[nodiscard]] std::vector<PixelRect> Tiles(int n, int32_t layout) const {
        return ComputeTileLayout(work_, n, layout, gap_);
    }

    // Waits until window i of `windows` stands at tile i.
    testing::AssertionResult Tiled(const std::vector<HWND>& windows,
                                   const std::vector<PixelRect>& tiles) const {
        const auto placed = [&] {
            for (std::size_t i = 0; i < windows.size(); ++i) {
                if (RectOf(windows[i]) != tiles[i]) {
                    return false;
                }
            }
            return true;
        };
        if (WaitUntil(placed, 3000)) {
            return testing::AssertionSuccess();
        }
        testing::AssertionResult failure = testing::AssertionFailure();
        for (std::size_t i = 0; i < windows.size(); ++i) {
            failure << "\nwindow " << i << " at " << Text(RectOf(windows[i])) << ", tile "
                    << Text(tiles[i]);
        }
        return failure;
    }

    std::array<test::HelperApp, 3> apps_;
    int32_t gap_ = 0;
    PixelRect work_;
};

// A program listed as never tiled is left where it opened, between the others.
TEST_F(TilingE2E, NewWindowsTakeTheLastSlotButNeverTiledOnesAndAMinimisedOneGivesItsSlotUp) {
    Start({.tilingMode = 0, .tilingFloat = L"apart.exe, other.exe"});
    Open(0, L"first.exe");
    EXPECT_TRUE(Tiled({App(0)}, Tiles(1, kLayoutBsp)));
    const PixelRect apart = Open(1, L"apart.exe");
    Open(2, L"second.exe");
    EXPECT_TRUE(Tiled({App(0), App(2)}, Tiles(2, kLayoutBsp)));
    EXPECT_EQ(RectOf(App(1)), apart) << "now at " << Text(RectOf(App(1)));
    // Tiling has started, so the shortcuts would be in place: in this mode
    // none is taken, not even the toggle.
    EXPECT_EQ(FreeShortcuts(), static_cast<int>(std::size(kShortcuts)));

    ::ShowWindow(App(0), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(App(0)) != FALSE; }, 3000));
    // Wine 8 raises no minimise event either.
    ::NotifyWinEvent(EVENT_SYSTEM_MINIMIZESTART, App(0), OBJID_WINDOW, CHILDID_SELF);
    EXPECT_TRUE(Tiled({App(2)}, Tiles(1, kLayoutBsp))) << "after the first was minimised";
    EXPECT_EQ(RectOf(App(1)), apart);
}

TEST_F(TilingE2E, ShortcutsSwitchTheLayoutSwapWindowsAndTurnTilingOff) {
    Start({.tilingMode = 1});
    for (std::size_t i = 0; i < apps_.size(); ++i) {
        Open(i, (L"tiled" + std::to_wstring(i) + L".exe").c_str());
    }
    ASSERT_TRUE(Tiled({App(0), App(1), App(2)}, Tiles(3, kLayoutBsp)));
    EXPECT_EQ(FreeShortcuts(), 0) << "not every shortcut is Corvane's";

    test::TapKeys({VK_CONTROL, VK_MENU, 'L'});
    EXPECT_TRUE(
        WaitUntil([&] { return test::ReadIniValue(IniPath(), L"Tiling", L"Layout") == L"1"; }));
    const std::vector<PixelRect> master = Tiles(3, kLayoutMaster);
    ASSERT_TRUE(Tiled({App(0), App(1), App(2)}, master)) << "after Ctrl+Alt+L";

    // The master window in front swaps places with one of the two on its right.
    const PixelRect c = RectOf(App(0));
    test::Click({(c.left + c.right) / 2, (c.top + c.bottom) / 2});
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == App(0); }, 3000));
    test::TapKeys({VK_CONTROL, VK_MENU, VK_SHIFT, VK_RIGHT});
    ASSERT_TRUE(WaitUntil([&] { return RectOf(App(0)) != master[0]; }, 3000))
        << "Ctrl+Alt+Shift+Right moved nothing";
    const std::size_t swapped = RectOf(App(0)) == master[1] ? 1 : 2;
    EXPECT_TRUE(Tiled({App(0), App(swapped), App(3 - swapped)},
                      {master[swapped], master[0], master[3 - swapped]}))
        << "after Ctrl+Alt+Shift+Right";

    test::TapKeys({VK_CONTROL, VK_MENU, 'T'});
    EXPECT_TRUE(
        WaitUntil([&] { return test::ReadIniValue(IniPath(), L"Tiling", L"Enabled") == L"0"; }));

    QuitCorvane();
    EXPECT_EQ(FreeShortcuts(), static_cast<int>(std::size(kShortcuts)))
        << "shortcuts outlive Corvane";
}

// Hot corners in the real corvane.exe, with the keys it types read from the
// log of the helper window in front. When a corner fires is the unit tests'.
class HotCornerE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        test::CorvaneTest::TearDown();
        // Whatever went wrong, no Windows key stays down for the tests after.
        ::keybd_event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
    }
    // Into a corner from far away, and the keys logged since the last visit:
    // up to `chord` of them, waited for as long as a loaded machine needs.
    std::string Visit(POINT corner, std::size_t chord = 0) {
        ::SetCursorPos(test::ScreenCentre().x, test::ScreenCentre().y);
        ::Sleep(300);
        ::SetCursorPos(corner.x, corner.y);
        if (chord == 0) {
            ::Sleep(800);
            return Logged();
        }
        std::string keys;
        test::WaitUntil(
            [&] {
                keys += Logged();
                return std::count(keys.begin(), keys.end(), ' ') >= static_cast<long>(chord);
            },
            5000);
        ::Sleep(200);
        return keys + Logged();
    }
    std::string Logged() {
        const std::vector<uint8_t> bytes = test::ReadFileBytes(log_);
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        std::string kind, keys;
        for (unsigned long long key = 0, ext = 0, tick = 0; in >> kind >> key >> ext >> tick;) {
            keys += std::to_string(key) + (kind == "keydown" ? "+ " : "- ");
        }
        return keys.substr(std::exchange(logged_, keys.size()));
    }

    const std::wstring log_ = folder_.File(L"keys.log");
    std::size_t logged_ = 0;
};

TEST_F(HotCornerE2E, EachVisitRunsItsCornerOnceButNotOverAFullScreenAppThatHidesTheBar) {
    const HWND bar =
        StartCorvane(test::IniText() + L"[HotCorners]\r\nEnabled=1\r\nTopLeft=1\r\nBottomRight=6");
    ASSERT_NE(bar, nullptr);
    test::HelperApp front;
    ASSERT_TRUE(front.Start(folder_.Path(), L"front.exe", L"normal", log_));
    // The keys go to whichever window is in front, so it has to be ours.
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            ::SetForegroundWindow(front.Window());
            return ::GetForegroundWindow() == front.Window();
        },
        5000));
    EXPECT_EQ(Visit({0, 0}, 4), "91+ 9+ 9- 91- ") << "no Win+Tab";
    const POINT bottomRight{::GetSystemMetrics(SM_CXSCREEN) - 1,
                            ::GetSystemMetrics(SM_CYSCREEN) - 1};
    EXPECT_EQ(Visit(bottomRight), "") << "the launcher's corner typed keys";
    EXPECT_TRUE(test::WaitUntil([&] {
        const auto all = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneLauncher");
        return std::any_of(all.begin(), all.end(), ::IsWindowVisible);
    })) << "no launcher";

    // Last: for a while after a full-screen window closes, Wine will not
    // move the pointer.
    test::HelperApp fullscreen;
    ASSERT_TRUE(fullscreen.Start(folder_.Path(), L"player.exe", L"fullscreen", log_));
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000));
    EXPECT_EQ(Visit({0, 0}), "") << "fired over a full-screen application";
    // The bar, hidden over it, comes back once it has gone.
    fullscreen.Stop();
    EXPECT_TRUE(test::WaitUntil([&] { return ::IsWindowVisible(bar) != FALSE; }, 5000));
}

}  // namespace
}  // namespace corvane
