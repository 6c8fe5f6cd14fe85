// The dock of the real corvane.exe, probed from outside: where it stands and
// how wide its items make it, the pins of a first run, a running app's item
// and what clicking it and its menu do, dragging a pin away, and screenshots
// in both themes. The arithmetic of the layout and the model's rules are the
// unit tests' business; here they meet the real windows.

#include "base/Commands.h"
#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "config/Texts.h"
#include "config/RestoreMarks.h"
#include "dock/DockGeometry.h"
#include "dock/PreviewLayout.h"
#include "e2e/E2ESupport.h"
#include "support/AccessibleReader.h"
#include "support/TrayClient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;
using test::WindowRect;

// [Dock] IconSize when the file leaves it out.
constexpr int kIconSize = 36;
constexpr wchar_t kSettingsApp[] =
    L"shell:AppsFolder\\windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows."
    L"immersivecontrolpanel";

std::vector<std::wstring> SplitPins(const std::wstring& value) {
    std::vector<std::wstring> pins;
    std::wstringstream in(value);
    for (std::wstring pin; std::getline(in, pin, L'|');) {
        pins.push_back(pin);
    }
    return pins;
}

class DockE2E : public test::CorvaneTest {
protected:
    // Corvane with a dock; the dock's window once it shows, or null.
    HWND StartDock(test::IniOptions options) {
        options.dock = true;
        if (StartCorvane(test::IniText(options)) != nullptr) {
            dock_ = corvane_.WaitForWindow(L"CorvaneDock");
        }
        return dock_;
    }

    [[nodiscard]] int Pixels(double dips) const {
        return static_cast<int>(static_cast<double>(dpi_) * dips / 96.0 + 0.5);
    }
    // The dock of Start, `pins` pinned items and `running` other items.
    [[nodiscard]] static DockLayout Layout(int pins, int running) {
        std::vector<DockItem> items(static_cast<std::size_t>(1 + pins + running));
        for (int i = 0; i <= pins; ++i) {
            items[static_cast<std::size_t>(i)].pinned = true;
        }
        return LayoutDock(items, kIconSize, false);
    }

    // Waits until the dock stands as those items make it.
    testing::AssertionResult StandsAs(int pins, int running, DWORD timeoutMs = 3000) const {
        const DockLayout layout = Layout(pins, running);
        const PixelRect want = DockWindowRect(ToPixelRect(test::PrimaryMonitor().rcMonitor), dpi_,
                                              layout.width, layout.height);
        PixelRect now;
        if (WaitUntil([&] { return (now = ToPixelRect(WindowRect(dock_))) == want; }, timeoutMs)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure()
               << "the dock stands at " << now.left << "," << now.top << " - " << now.right << ","
               << now.bottom << ", not at " << want.left << "," << want.top << " - " << want.right
               << "," << want.bottom << " for " << pins << " pins and " << running << " others";
    }

    [[nodiscard]] POINT ItemCentre(int pins, int running, int index) const {
        const RECT dock = WindowRect(dock_);
        const PointRect cell = Layout(pins, running).cells[static_cast<std::size_t>(index)];
        return {dock.left + Pixels((cell.left + cell.right) / 2), (dock.top + dock.bottom) / 2};
    }

    [[nodiscard]] std::wstring Pinned() const {
        return test::ReadIniValue(IniPath(), L"Dock", L"Pinned");
    }

    HWND dock_ = nullptr;
};

// The geometry also holds at 144 DPI: the pass at that DPI runs this test.
TEST_F(DockE2E, FirstRunSeedsThePinsCentresTheDockAndAPinDraggedFarUpLeaves) {
    ASSERT_NE(StartDock({.pinned = nullptr}), nullptr);
    std::vector<std::wstring> pins;
    ASSERT_TRUE(WaitUntil([&] { return (pins = SplitPins(Pinned())).size() >= 2; }, 5000))
        << "Pinned: " << Pinned();
    EXPECT_EQ(pins.front(), test::WindowsFile(L"explorer.exe"));
    EXPECT_EQ(pins.back(), kSettingsApp);
    const int count = static_cast<int>(pins.size());
    ASSERT_TRUE(StandsAs(count, 0));

    const std::wstring seeded = Pinned();
    const POINT from = ItemCentre(count, 0, count);
    const LONG above = WindowRect(dock_).top - Px(50) - Px(20);
    // Several steps on the way and two at the end: the dock decides on the
    // last move it saw before the release. Now and then Wine delivers the
    // press and nothing after it: a drag that left the dock untouched is
    // made again.
    const auto drag = [&] {
        test::ServerDragAlong({from,
                               {from.x, from.y - Px(10)},
                               {from.x, from.y - Px(40)},
                               {from.x, above},
                               {from.x, above - 1}});
        return WaitUntil([&] { return !Pinned().ends_with(kSettingsApp); }, 3000);
    };
    EXPECT_TRUE(drag() || (Pinned() == seeded && StandsAs(count, 0, 100) && drag()))
        << "Pinned: " << Pinned();
    EXPECT_EQ(SplitPins(Pinned()), std::vector<std::wstring>(pins.begin(), pins.end() - 1));
    EXPECT_TRUE(StandsAs(count - 1, 0));
}

class DockRunningAppE2E : public DockE2E {
protected:
    // A dock with one pin, and the helper in front with an item of its own,
    // told of its window as the shell would.
    void SetUp() override {
        DockE2E::SetUp();
        const std::wstring notepad = test::WindowsFile(L"notepad.exe");
        ASSERT_NE(StartDock({.pinned = notepad.c_str()}), nullptr);
        ASSERT_TRUE(StandsAs(1, 0));
        ASSERT_TRUE(app_.Start(folder_.Path(), L"dockapp.exe", L"normal"));
        ASSERT_TRUE(AnnounceWindow(app_.Window()));
        ASSERT_TRUE(StandsAs(1, 1, 8000)) << "no item for the new window";
        ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app_.Window(); }, 2000));
        item_ = ItemCentre(1, 1, 2);
    }

    test::HelperApp app_;
    POINT item_ = {};
};

// A click minimises the app in front and restores it again; a screen reader
// reads the pin and the running app apart, and the app's default action is
// its click.
TEST_F(DockRunningAppE2E, ClickingOrItsDefaultActionMinimisesAndRestoresTheApp) {
    const auto iconic = [&](bool want) {
        return WaitUntil(
            [&] {
                return (::IsIconic(app_.Window()) != FALSE) == want &&
                       (want || ::GetForegroundWindow() == app_.Window());
            },
            3000);
    };
    test::Click(item_);
    EXPECT_TRUE(iconic(true));
    test::Click(item_);
    EXPECT_TRUE(iconic(false)) << "not restored in front";

    const std::vector<test::AccessibleChild> items = test::ReadAccessibleChildren(dock_);
    ASSERT_EQ(items.size(), 3u);
    const std::wstring running = std::wstring(L", ") + Text(TextId::DockRunning);
    const std::wstring pinned = std::wstring(L", ") + Text(TextId::DockPinned);
    EXPECT_TRUE(items[1].name.ends_with(pinned) &&
                items[1].name.find(running) == std::wstring::npos)
        << items[1].name;
    EXPECT_TRUE(items[2].name.ends_with(running)) << items[2].name;
    ASSERT_TRUE(test::DoAccessibleDefaultAction(dock_, items[2].name));
    EXPECT_TRUE(iconic(true));
}

// A rebuild asked for while the item menu is open waits for it to close.
TEST_F(DockRunningAppE2E, TheItemMenuListsTheWindowAndHoldsARebuildUntilDismissed) {
    test::RightClick(item_);
    const HWND menu = WaitShown(L"#32768");
    ASSERT_NE(menu, nullptr) << "no menu";
    // Above the dock, centred on the item.
    const RECT r = WindowRect(menu);
    EXPECT_LE(r.bottom, WindowRect(dock_).top);
    EXPECT_NEAR((r.left + r.right) / 2, item_.x, 2);
    EXPECT_EQ(test::OpenMenuEntries(corvane_.ProcessId()),
              (std::vector<std::wstring>{L"*Helper", L"-", L" New Window", L" Pin to dock", L"-",
                                         L" Close Window"}));
    for (const WPARAM command : {CMD_DISPLAYS_CHANGED, CMD_RELOAD_SETTINGS}) {
        ::PostMessageW(control_, WM_APP_COMMAND, command, 0);
    }
    ::Sleep(1000);
    EXPECT_TRUE(::IsWindow(dock_) && !test::OpenMenuEntries(corvane_.ProcessId()).empty())
        << "the dock was rebuilt under its menu";

    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(menu); }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dock_); }, 5000)) << "no rebuild after it";
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app_.Window(); }, 3000));
}

// Notepad's window, then the helper's, and no pins: pinning the helper from
// its menu puts it first, and each cell must still show its own app's icon,
// told by the mean colour of what differs from the surface.
TEST_F(DockE2E, PinningARunningAppKeepsEachIconWithItsApp) {
    ASSERT_NE(StartDock({}), nullptr);
    const auto announce = [&](HWND window, int running) {
        return AnnounceWindow(window) && StandsAs(0, running, 8000);
    };
    test::ChildProcess notepad;
    ASSERT_TRUE(notepad.Start(test::WindowsFile(L"notepad.exe")));
    ASSERT_TRUE(announce(notepad.WaitForWindow(L"Notepad"), 1));
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"dockapp.exe", L"normal"));
    ASSERT_TRUE(announce(app.Window(), 2));

    using Colour = std::array<double, 3>;
    // The cells of the dock of `pins` pins and the rest running; empty until
    // both are drawn.
    const auto icons = [&](int pins) {
        const DockLayout layout = Layout(pins, 2 - pins);
        test::MovePointer(test::ScreenCentre());
        const test::Capture c = test::CaptureScreen(WindowRect(dock_));
        std::vector<Colour> means;
        for (int cell = 1; cell <= 2 && !c.pixels.empty(); ++cell) {
            const uint32_t surface = c.At(Px(3), c.height / 2);
            const PointRect& at = layout.cells[static_cast<std::size_t>(cell)];
            Colour sum = {};
            int n = 0;
            for (int y = 0; y < c.height; ++y) {
                for (int x = Pixels(at.left); x < Pixels(at.right); ++x) {
                    const uint32_t px = c.At(x, y);
                    if (test::Differs(px, surface)) {
                        ++n;
                        for (std::size_t k = 0; k < 3; ++k) {
                            sum[k] += (px >> (16 - 8 * k)) & 0xFF;
                        }
                    }
                }
            }
            if (n < Px(kIconSize) * Px(kIconSize) / 4) {
                return std::vector<Colour>{};
            }
            means.push_back({sum[0] / n, sum[1] / n, sum[2] / n});
        }
        return means;
    };
    const auto distance = [](const Colour& a, const Colour& b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    std::vector<Colour> before, after;
    ASSERT_TRUE(WaitUntil([&] { return icons(0).size() == 2; }, 5000)) << "no icons";
    ::Sleep(300);  // each icon in place, not only the first that came
    ASSERT_EQ((before = icons(0)).size(), 2u);
    ASSERT_GT(distance(before[0], before[1]), 30.0) << "the two icons look alike";

    test::RightClick(ItemCentre(0, 2, 2));
    std::vector<std::wstring> entries;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); }, 5000));
    ASSERT_EQ(std::find(entries.begin(), entries.end(), L" Pin to dock") - entries.begin(), 3);
    for (int entry = 0; entry < 3; ++entry) {  // the separator is skipped
        test::TapKey(VK_DOWN);
    }
    test::TapKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return Pinned().ends_with(L"dockapp.exe"); }, 3000)) << Pinned();
    ASSERT_TRUE(StandsAs(1, 1));
    EXPECT_TRUE(WaitUntil(
        [&] {
            after = icons(1);
            return after.size() == 2 &&
                   distance(after[0], before[1]) < distance(after[0], before[0]) &&
                   distance(after[1], before[0]) < distance(after[1], before[1]);
        },
        3000))
        << "an app's cell shows the other app's icon";
}

// Wine's Notepad and Registry Editor, started after Corvane, raise no
// foreground event: they only move the focus. The bar must still name each
// one (the application name's menu names it while tiling is on) and the dock
// list it as running. The parameter: the file and its FileDescription.
class SilentProgramE2E : public DockE2E,
                         public testing::WithParamInterface<std::pair<std::wstring, std::wstring>> {
};

TEST_P(SilentProgramE2E, TheBarNamesItAndTheDockListsItAsRunning) {
    ASSERT_NE(StartDock({.tiling = true}), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return !LeftInk().empty(); }, 30000)) << "nothing named";
    test::ChildProcess program;  // ended with the test
    ASSERT_TRUE(program.Start(test::WindowsFile(GetParam().first.c_str())));
    // Both follow from one handling of the new foreground. The menu opens
    // once: opening it moves the focus itself.
    EXPECT_TRUE(StandsAs(0, 1, 15000)) << "no dock item";
    ASSERT_NE(OpenAppNameMenu(), nullptr);
    const std::vector<std::wstring> entries = test::OpenMenuEntries(corvane_.ProcessId());
    test::TapKey(VK_ESCAPE);
    EXPECT_NE(std::find(entries.begin(), entries.end(), L" Never tile " + GetParam().second),
              entries.end())
        << "the bar names another application: " << testing::PrintToString(entries);
}

INSTANTIATE_TEST_SUITE_P(
    Wine, SilentProgramE2E,
    testing::Values(std::pair<std::wstring, std::wstring>{L"notepad.exe", L"Notepad"},
                    std::pair<std::wstring, std::wstring>{L"regedit.exe", L"Wine Registry Editor"}),
    [](const auto& info) { return info.index == 0 ? "Notepad" : "Regedit"; });

// A helper with two windows, the second minimised behind the first, and the
// pointer resting on its item until the preview opens above the dock.
class DockPreviewE2E : public DockE2E {
protected:
    void SetUp() override {
        DockE2E::SetUp();
        const std::wstring notepad = test::WindowsFile(L"notepad.exe");
        test::SetLightTheme(Light());
        StartDock({.pinned = notepad.c_str()});
        test::SetLightTheme(false);
        ASSERT_NE(dock_, nullptr);
        ASSERT_TRUE(app_.Start(folder_.Path(), L"previews.exe", L"two-windows"));
        ASSERT_NE(second_ = ::FindWindowW(test::kHelperSecondWindowClass, nullptr), nullptr);
        ASSERT_TRUE(AnnounceWindow(app_.Window()));
        // The rebuild waits for the dock's debounce; a busy machine adds to it.
        ASSERT_TRUE(StandsAs(1, 1, 3000));
        item_ = ItemCentre(1, 1, 2);
        test::MovePointer(item_);
        ASSERT_TRUE(WaitUntil([&] { return !(previews_ = Previews()).empty(); }, 3000))
            << "no preview";
        frame_ = WindowRect(previews_.front());
    }

    [[nodiscard]] virtual bool Light() const { return false; }
    [[nodiscard]] std::vector<HWND> Previews() const { return Shown(L"CorvaneDockPreview"); }
    // The popup's cards for `count` windows of the front window's size.
    [[nodiscard]] PreviewLayout Cards(std::size_t count) const {
        const RECT r = WindowRect(app_.Window());
        const std::vector<PixelSize> sizes(count, {r.right - r.left, r.bottom - r.top});
        return LayoutPreview(sizes, dpi_);
    }
    [[nodiscard]] POINT Card(int index) const {
        const PointRect& t = Cards(2).cards[static_cast<std::size_t>(index)].thumbnail;
        return {frame_.left + Pixels((t.left + t.right) / 2),
                frame_.top + Pixels((t.top + t.bottom) / 2)};
    }

    test::HelperApp app_;
    HWND second_ = nullptr;
    POINT item_ = {};
    std::vector<HWND> previews_;
    RECT frame_ = {};
};

TEST_F(DockPreviewE2E, MiddleClickClosesThatWindowAndTheCardGoes) {
    test::MiddleClick(Card(1));
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(second_); }, 3000));
    EXPECT_TRUE(::IsWindow(app_.Window()));
    const auto width = [&] {
        return WindowRect(previews_.front()).right - WindowRect(previews_.front()).left;
    };
    EXPECT_TRUE(WaitUntil([&] { return width() == Pixels(Cards(1).width); }, 3000)) << width();
}

TEST_F(DockPreviewE2E, ClickingAMinimisedWindowsCardRestoresItInFront) {
    ASSERT_TRUE(::IsIconic(second_));
    test::Click(Card(1));
    EXPECT_TRUE(WaitUntil(
        [&] { return !::IsIconic(second_) && ::GetForegroundWindow() == second_; }, 3000));
    EXPECT_TRUE(Previews().empty());
}

// Whether the theme is light.
class DockScreenshot : public DockE2E, public testing::WithParamInterface<bool> {};

TEST_P(DockScreenshot, DrawsTheStartLogoAndThePinsOnTheThemesSurface) {
    const bool light = GetParam();
    const std::wstring pinned =
        test::WindowsFile(L"notepad.exe") + L"|" + test::WindowsFile(L"regedit.exe");
    test::SetLightTheme(light);
    // The solid material: without a compositor glass shows as black.
    const HWND dock = StartDock({.pinned = pinned.c_str()});
    test::SetLightTheme(false);
    ASSERT_NE(dock, nullptr);
    ASSERT_TRUE(StandsAs(2, 0));
    const RECT frame = WindowRect(dock);
    const DockLayout layout = Layout(2, 0);

    // The logo's four squares, in the blues of its gradient, fill about half
    // of the Start cell's icon square.
    const int logoSide = Px(kIconSize * 0.36);
    const auto logoPixels = [&](const test::Capture& c) {
        int n = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < Pixels(layout.cells[1].left); ++x) {
                const uint32_t px = c.At(x, y);
                n += (px & 0xFF) >= 200 && (px >> 16) <= 100 && ((px >> 8) & 0xFF) >= 100;
            }
        }
        return n;
    };
    test::Capture c;
    EXPECT_TRUE(WaitUntil(
        [&] {
            c = test::CaptureScreen(frame);
            return !c.pixels.empty() && logoPixels(c) >= 2 * logoSide * logoSide;
        },
        10000))
        << "no Start logo";
    ::Sleep(300);  // icons come after the first paint
    c = test::CaptureScreen(
        frame, test::ScreenshotPath(L"dock-" + std::wstring(light ? L"light-" : L"dark-") +
                                    std::to_wstring(dpi_) + L"dpi.png"));
    ASSERT_FALSE(c.pixels.empty());

    // The left end holds nothing but the surface, dark or light with the theme.
    const uint32_t surface = c.At(Px(3), c.height / 2);
    EXPECT_EQ(test::Luma(surface) > 128, light) << std::hex << surface;
    for (int cell = 1; cell <= 2; ++cell) {
        SCOPED_TRACE(cell);
        const PointRect& at = layout.cells[static_cast<std::size_t>(cell)];
        const RECT inCell{Pixels(at.left), 0, Pixels(at.right), c.height};
        EXPECT_FALSE(test::InkRuns(c, inCell, surface, 0).empty()) << "no icon drawn";
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, DockScreenshot, testing::Bool(), test::ThemeName);

class DockPreviewScreenshot : public DockPreviewE2E, public testing::WithParamInterface<bool> {
protected:
    [[nodiscard]] bool Light() const override { return GetParam(); }
};

TEST_P(DockPreviewScreenshot, OneCardPerWindowAboveTheItemInTheTheme) {
    EXPECT_EQ(previews_.size(), 1u);
    const PreviewLayout layout = Cards(2);
    EXPECT_NEAR(frame_.right - frame_.left, Pixels(layout.width), 1);
    EXPECT_NEAR(frame_.bottom - frame_.top, Pixels(layout.height), 1);
    EXPECT_NEAR((frame_.left + frame_.right) / 2, item_.x, 1);
    EXPECT_EQ(frame_.bottom, WindowRect(dock_).top - Pixels(8));
    // Onto the first card's close button through the X server where there is
    // one: Wine may drop injected moves there.
    const PointRect square = PreviewCloseSquare(layout.cards[0].card);
    const POINT close{frame_.left + Pixels((square.left + square.right) / 2),
                      frame_.top + Pixels((square.top + square.bottom) / 2)};
    if (!test::StartUnixProgram(std::wstring(test::kXdotool) + L" mousemove " +
                                std::to_wstring(close.x) + L" " + std::to_wstring(close.y))) {
        test::MovePointer(close);
    }
    ::Sleep(500);  // the icon comes after the first paint
    const std::wstring name = GetParam() ? L"dockpreview-light" : L"dockpreview-dark";
    const test::Capture c = test::CaptureScreen(
        frame_,
        test::ScreenshotPath(dpi_ == 96 ? name + L".png"
                                        : name + L"-" + std::to_wstring(dpi_) + L"dpi.png"));
    ASSERT_FALSE(c.pixels.empty());
    const uint32_t surface = c.At(Pixels(4), c.height / 2);
    EXPECT_EQ(test::Luma(surface) > 128, GetParam()) << std::hex << surface;
    // The front window's title above its picture; the minimised one's card
    // holds its title and a live picture where the system has them, else
    // the app's icon on a faint fill.
    const PixelRect title = PreviewToPixels(PreviewTitleRect(layout.cards[0], true), dpi_);
    EXPECT_FALSE(test::InkRuns(c, ToRect(title), surface, 0).empty()) << "no title";
    const PointRect& second = layout.cards[1].card;
    EXPECT_FALSE(
        test::InkRuns(c, {Pixels(second.left), 0, Pixels(second.right), c.height}, surface, 0)
            .empty());
    const uint32_t red = c.At(Pixels(square.left + 2), Pixels(square.top + 2));
    EXPECT_TRUE((red >> 16) > 150 && (red & 0xFF) < 80) << "not red: " << std::hex << red;
}

INSTANTIATE_TEST_SUITE_P(Themes, DockPreviewScreenshot, testing::Bool(), test::ThemeName);

// Explorer's taskbar, played by the helper program, while the real Corvane
// runs a dock in its place: put away, kept away when Explorer shows it
// again, and given back when Corvane quits, when it crashes and, by its
// guard, when it is ended from outside.
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
