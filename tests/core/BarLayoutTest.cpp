#include "bar/BarLayout.h"
#include "core/BarLayoutFakes.h"
#include "bar/BarIslands.h"
#include "bar/BarTextCompose.h"
#include "bar/BarGeometry.h"
#include "dock/DockGeometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::FakeBarTextMeasurer;
using test::FakeTrayStrip;
using Kind = BarItemKind;

constexpr float kH = 28;

enum class TrayGate { Open, NoHost, Off, NoBuilder };

// A bar 28 points high, 1920 wide unless said otherwise, with the clock
// "12:00" (35 + 20 = 55 wide), the tiling button and what a row turns on.
struct Bar {
    BarLayoutInput in;
    int tray = 0;
    bool builder = true;
    std::optional<BarTextRole> failing;

    explicit Bar(float width = 1920, BarStyle style = BarStyle::Classic) {
        in.width = width;
        in.style = style;
        in.height = kH;
        in.clockText = L"12:00";
        in.nowPlayingText = L"Song";
    }
    template <typename Field, typename Value>
    Bar& Set(Field& field, Value value) {
        field = value;
        return *this;
    }
    Bar& Battery() { return Set(in.hasBattery, true); }
    Bar& NoTiling() { return Set(in.tilingButton, false); }
    Bar& Secondary() { return Set(in.isMainBar, false); }
    // Icons the tray host has; the tray may still be shut by one of its gates.
    Bar& Tray(int icons, TrayGate gate = TrayGate::Open) {
        tray = icons;
        in.trayHostPresent = gate != TrayGate::NoHost;
        in.trayEnabled = gate != TrayGate::Off;
        builder = gate != TrayGate::NoBuilder;
        return *this;
    }
    Bar& Clock(std::wstring_view t) { return Set(in.clockText, t); }
    // Now Playing next to the clock, or shown next to the tray.
    Bar& AtClock(std::wstring_view t = L"Song", bool shown = true) {
        in.nowPlayingShown = shown;
        in.nowPlayingNextToClock = true;
        return Set(in.nowPlayingText, t);
    }
    Bar& AtTray() { return Set(in.nowPlayingShown, true); }
    Bar& App(std::wstring_view name) { return Set(in.appDisplayName, name); }
    template <typename... T>
    Bar& Menus(T... titles) {
        return Set(in.menuTitles, std::vector<std::wstring_view>{titles...});
    }
    Bar& Failing(BarTextRole role) { return Set(failing, role); }
};

std::string Fmt(float left, float right) {
    std::ostringstream out;
    out << left << ".." << right;
    return out.str();
}

// Each island's left..right, all from the top of the bar to its bottom.
std::string Islands(const std::vector<PointRect>& islands) {
    std::string text;
    for (const PointRect& island : islands) {
        text += (text.empty() ? "" : " ") + Fmt(island.left, island.right);
        EXPECT_FLOAT_EQ(island.top, 0);
        EXPECT_FLOAT_EQ(island.bottom, kH);
    }
    return text;
}

// The items in list order, e.g. "N6..75 C1859..1914 R1649..1727x3": N name,
// M menu title, R a run of tray icons, T tiling button, S status, C clock,
// P Now Playing.
std::string Describe(const std::vector<BarItem>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::size_t last = i;
        while (items[i].kind == Kind::TrayIconItem && last + 1 < items.size() &&
               items[last + 1].kind == Kind::TrayIconItem) {
            ++last;
        }
        text += text.empty() ? "" : " ";
        text += "NMRTSCP"[static_cast<int>(items[i].kind)];
        text += Fmt(items[i].left, items[last].right);
        if (items[i].kind == Kind::TrayIconItem) {
            text += "x" + std::to_string(last - i + 1);
        }
        i = last;
    }
    return text;
}

const std::wstring kXs(100, L'x');
std::wstring_view Xs(std::size_t n) {
    return std::wstring_view(kXs).substr(0, n);
}

TEST(LayoutBar, Scenarios) {
    using S = BarStyle;
    using R = BarTextRole;
    struct Row {
        const char* name;
        Bar bar;
        const char* items;
        float nameMax = -1;             // the name's maximum width; -1: not measured
        const char* islands = nullptr;  // checked when given
    };
    const char* const plain = "C1859..1914 S1797..1857 T1763..1791";
    const Bar mail = Bar().App(L"Mail");
    const Bar sep = Bar(1000, S::Separated);
    // A name and five menus, the fourth the widest.
    const auto five = [](float w) {
        return Bar(w).NoTiling().App(L"Mail").Menus(L"File", L"Edit", L"View", L"Bookmarks", L"Go");
    };
    const Row rows[] = {
        {"right side stacks inwards from the edge", Bar().Battery().Tray(3),
         "C1859..1914 S1765..1857 T1731..1759 R1649..1727x3"},
        {"clock keeps its trailing spaces", Bar().Clock(L"12:00  "),
         "C1845..1914 S1783..1843 T1749..1777"},
        {"clock without a layout is its padding", Bar().Clock(L"12:00  ").Failing(R::Clock),
         "C1894..1914 S1832..1892 T1798..1826"},
        {"tiling button off gives its room to the tray", Bar().NoTiling().Tray(2),
         "C1859..1914 S1797..1857 R1739..1791x2"},
        {"secondary bar has no tray", Bar().Tray(3).Secondary(), plain},
        {"no tray host", Bar().Tray(3, TrayGate::NoHost), plain},
        {"tray switched off", Bar().Tray(3, TrayGate::Off), plain},
        {"no tray builder", Bar().Tray(3, TrayGate::NoBuilder), plain},
        {"now playing by the tray limits the name", Bar(600).App(L"Mail").Tray(2).AtTray(),
         "N6..75 C539..594 S477..537 T443..471 R387..439x2 P310..381", 256},
        {"now playing next to the clock is at most 240 wide", Bar().AtClock(Xs(50)),
         "C1859..1914 P1574..1857 S1508..1568 T1474..1502"},
        {"now playing without a layout is empty", Bar().AtClock().Failing(R::NowPlaying),
         "C1859..1914 P1857..1857 S1791..1851 T1757..1785"},
        {"now playing not shown", Bar().AtClock(L"Song", false), plain},
        {"secondary bar has no now playing", Bar(1000).Tray(4).AtTray().Secondary(),
         "C939..994 S877..937 T843..871"},
        {"name is at most 420 wide", Bar().NoTiling().App(Xs(100)),
         "N6..467 C1859..1914 S1797..1857", 420},
        {"name may take its limit less 48", Bar(400).NoTiling().App(Xs(100)),
         "N6..270 C339..394 S277..337", 223},
        {"name keeps at least 60", Bar(220).NoTiling().App(L"Calculator"),
         "N6..107 C159..214 S97..157", 60},
        {"name width leaves out trailing spaces", Bar().App(L"Code  "),
         "N6..75 C1859..1914 S1797..1857 T1763..1791", 420},
        {"name without a layout is its padding", Bar(mail).Failing(R::AppName),
         "N6..47 C1859..1914 S1797..1857 T1763..1791", 420},
        {"no name means no menus", Bar().Menus(L"File", L"Edit"), plain},
        {"titles follow the name with their trailing spaces", Bar(mail).Menus(L"File", L"Edit "),
         "N6..75 C1859..1914 S1797..1857 T1763..1791 M77..123 M123..176", 420},
        {"islands leave room between name and menus",
         Bar(1920, S::Islands).App(L"Mail").Menus(L"File"),
         "N6..75 C1859..1914 S1797..1857 T1763..1791 M87..133", 420, "0..79 83..137 1757..1920"},
        {"titles keep 12 points from the limit; one that does not fit ends the row", five(436),
         "N6..75 C375..430 S313..373 M77..123 M123..169 M169..215", 259},
        {"titles keep 12 points from the limit (exact)", five(437),
         "N6..75 C376..431 S314..374 M77..123 M123..169 M169..215 M215..296", 260},
        {"separated clock rounds halves away from zero", Bar(50, S::Separated),
         "C-3..52 S-16..44 T-50..-22"},
        {"separated: centred clock, the left side 10 points short of it",
         Bar(sep).App(L"Mail").Menus(L"File", Xs(43), L"File"),
         "N6..75 C473..528 S934..994 T900..928 M77..123 M123..442", 415},
        {"separated: a crowded right side limits before the centre", Bar(sep).Tray(17).App(L"Mail"),
         "N6..75 C473..528 S934..994 T900..928 R454..896x17", 400},
        {"separated: now playing at the clock joins the centre", Bar(sep).AtClock().App(L"Mail"),
         "N6..75 P435..506 C510..565 S934..994 T900..928", 377, "0..79.8 430.2..569.8 895.2..1000"},
        {"separated: now playing at the tray stays right", Bar(sep).AtTray(),
         "C473..528 S934..994 T900..928 P825..896", -1, "468.2..532.8 820.2..1000"},
    };

    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        BarLayoutInput input = r.bar.in;
        FakeTrayStrip strip(r.bar.tray, kH);
        if (r.bar.builder && r.bar.tray > 0) {
            input.buildTrayStrip = strip.Builder();
        }
        FakeBarTextMeasurer measurer;
        measurer.failing = r.bar.failing;

        const BarLayoutResult result = LayoutBar(input, measurer);

        EXPECT_EQ(Describe(result.items), r.items);
        if (r.islands != nullptr) {
            EXPECT_EQ(Islands(result.islands), r.islands);
        }
        int32_t nextMenu = 0;
        for (const BarItem& item : result.items) {
            EXPECT_FLOAT_EQ(item.top, 3);
            EXPECT_FLOAT_EQ(item.bottom, kH - 3);
            EXPECT_EQ(item.menuIndex, item.kind == Kind::MenuTitleItem ? nextMenu++ : -1);
        }
        EXPECT_EQ(result.placedMenuTitles, nextMenu);

        // What was measured, and with which limits: the title that did not
        // fit was measured and given up, none after it was looked at.
        using Request = std::tuple<BarTextRole, int32_t, std::wstring_view, float>;
        std::vector<Request> expected = {{BarTextRole::Clock, -1, input.clockText, 400}};
        if (std::string(r.items).find('P') != std::string::npos) {
            expected.emplace_back(BarTextRole::NowPlaying, -1, input.nowPlayingText, 240);
        }
        const auto placed = static_cast<std::size_t>(nextMenu);
        const bool cut = r.nameMax >= 0 && placed < input.menuTitles.size();
        if (r.nameMax >= 0) {
            expected.emplace_back(BarTextRole::AppName, -1, input.appDisplayName, r.nameMax);
            for (std::size_t i = 0; i < placed + (cut ? 1 : 0); ++i) {
                expected.emplace_back(BarTextRole::MenuTitle, static_cast<int32_t>(i),
                                      input.menuTitles[i], 300);
            }
        }
        std::vector<Request> measured;
        for (const BarTextRequest& q : measurer.requests) {
            EXPECT_FLOAT_EQ(q.maxHeight, kH);
            measured.emplace_back(q.role, q.menuIndex, q.text, q.maxWidth);
        }
        std::sort(expected.begin(), expected.end());
        std::sort(measured.begin(), measured.end());
        EXPECT_EQ(measured, expected);
        EXPECT_EQ(measurer.discarded, cut ? std::vector{nextMenu} : std::vector<int32_t>{});
    }
}

TEST(LayoutBar, ReusedResultIsRebuiltFromScratch) {
    BarLayoutInput input = Bar(1920, BarStyle::Islands).App(L"Mail").Menus(L"File", L"Edit").in;
    FakeBarTextMeasurer measurer;
    BarLayoutResult reused = LayoutBar(input, measurer);
    ASSERT_FALSE(reused.islands.empty());
    reused.items.push_back(BarItem{});

    input.style = BarStyle::Classic;
    input.appDisplayName = L"";
    LayoutBar(input, measurer, reused);

    EXPECT_EQ(reused.items.size(), 3u);
    EXPECT_TRUE(reused.islands.empty());
    EXPECT_EQ(reused.placedMenuTitles, 0);
}

TEST(HitTestBar, ItemsAreHalfOpenFromTheTopEdgeTo4PointsBelowInPoints) {
    const std::vector<BarItem> items = {test::ItemAt(Kind::AppNameItem, 6, 47),
                                        test::ItemAt(Kind::MenuTitleItem, 49, 95)};
    // x, y, DPI; the item hit. At 144 DPI: 6 points = 9 pixels, 47 = 70.5, 29 = 43.5. A DPI of 0
    // reads as 96 rather than dividing by zero.
    const std::tuple<float, float, uint32_t, int> rows[] = {
        {5.99f, 10, 96, -1},  {6, 10, 96, 0},       {46.99f, 10, 96, 0}, {47, 10, 96, -1},
        {49, 10, 96, 1},      {95, 10, 96, -1},     {10, 0, 96, 0},      {10, -0.5f, 96, -1},
        {10, 28.99f, 96, 0},  {10, 29, 96, -1},     {8.9f, 10, 144, -1}, {9, 10, 144, 0},
        {70.4f, 10, 144, 0},  {70.5f, 10, 144, -1}, {73.5f, 10, 144, 1}, {20, 43.4f, 144, 0},
        {20, 43.5f, 144, -1}, {70.4f, 10, 96, 1},   {10, 10, 0, 0}};
    for (const auto& [x, y, dpi, hit] : rows) {
        EXPECT_EQ(HitTestBar(items, x, y, dpi), hit) << x << ", " << y << " @" << dpi;
    }
    // Overlapping items: the first in the list wins.
    std::vector<BarItem> overlapping = items;
    overlapping[1].left = 40;
    EXPECT_EQ(HitTestBar(overlapping, 44, 10, 96), 0);
    EXPECT_EQ(HitTestBar({}, 10, 10, 96), -1);
}

constexpr float kW = 1000;

using test::ItemAt;

// In list order, which is not left to right: the name first, menus last. Now
// Playing's place is the layout's to check.
const std::vector<BarItem> kFullBar = {
    ItemAt(Kind::AppNameItem, 6, 75),     ItemAt(Kind::ClockItem, 473, 528),
    ItemAt(Kind::StatusItem, 934, 994),   ItemAt(Kind::TilingButtonItem, 900, 928),
    ItemAt(Kind::TrayIconItem, 822, 848), ItemAt(Kind::TrayIconItem, 848, 874),
    ItemAt(Kind::MenuTitleItem, 77, 123), ItemAt(Kind::MenuTitleItem, 123, 169)};

TEST(BarIslands, GroupsOfEachStyle) {
    // Name, style, items; the islands.
    using Row = std::tuple<const char*, BarStyle, std::vector<BarItem>, const char*>;
    const BarStyle sep = BarStyle::Separated, isl = BarStyle::Islands;
    const BarItem name = kFullBar[0], clock = kFullBar[1], status = kFullBar[2];
    const BarItem noName = ItemAt(Kind::AppNameItem, -10, 0),
                  lateClock = ItemAt(Kind::ClockItem, 940, 994);
    const Row rows[] = {
        {"separated: left, centre, right", sep, kFullBar, "0..173.8 468.2..532.8 817.2..1000"},
        {"separated: no name, no left island", sep, {clock, status}, "468.2..532.8 929.2..1000"},
        {"separated: nothing right of the clock", sep, {name, clock}, "0..79.8 468.2..532.8"},
        {"separated: a left side ending at 0", sep, {noName, clock}, "468.2..532.8"},
        {"separated: the centre is always there", sep, {}, "-4.8..4.8"},
        {"islands: a name without menus", isl, {name, lateClock}, "0..79 934..1000"},
        {"islands: right side only",
         isl,
         {ItemAt(Kind::StatusItem, 880, 940), lateClock},
         "874..1000"},
        {"islands: no items, no islands", isl, {}, ""},
        {"classic has none", BarStyle::Classic, kFullBar, ""},
        {"floating has none", BarStyle::Floating, kFullBar, ""}};
    for (const auto& [name, style, items, expected] : rows) {
        SCOPED_TRACE(name);
        std::vector<PointRect> built = {{1, 2, 3, 4}};  // what the last layout left
        BuildBarIslands(items, style, kW, kH, false, built);
        EXPECT_EQ(Islands(built), expected);
    }
}

TEST(BarTextCompose, ClockAndNowPlayingJoinTheirPartsOnlyWhenBothAreThere) {
    // Date or title, time or artist; the clock's text, Now Playing's text.
    using Row = std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*>;
    for (const auto& [first, second, clock, nowPlaying] :
         {Row{L"Mon Jan 6", L"14:05", L"Mon Jan 6   14:05", L"Mon Jan 6  \u2014  14:05"},
          {L"", L"14:05", L"14:05", L"  \u2014  14:05"},
          {L"Blue", L"", L"Blue   ", L"Blue"},
          {L" ", L"9:00", L"    9:00", L"   \u2014  9:00"},  // white space is still text
          {L"", L"", L"", L""}}) {
        EXPECT_EQ(ComposeClockText(first, second), clock);
        EXPECT_EQ(ComposeNowPlayingText(first, second), nowPlaying);
    }
}

const PixelRect kDisplay{0, 0, 2560, 1440};

TEST(BarGeometry, MulDivRoundsHalvesAwayFromZeroLikeWindows) {
    EXPECT_EQ(MulDivRound(28, 144, 96), 42);
    EXPECT_EQ(MulDivRound(6, 120, 96), 8);    // 7.5
    EXPECT_EQ(MulDivRound(-6, 120, 96), -8);  // -7.5
    EXPECT_EQ(MulDivRound(5, 115, 96), 6);    // 5.99
    EXPECT_EQ(MulDivRound(1, 1, 0), -1);
    EXPECT_EQ(MulDivRound(2000000000, 2, 4), 1000000000);  // no overflow
}

TEST(BarGeometry, StripAndFrameOfEachStyle) {
    // Height in points, style, DPI, display, where the shell put the strip's top; the
    // strip and the frame.
    using Row = std::tuple<int32_t, BarStyle, uint32_t, PixelRect, int32_t, PixelRect, PixelRect>;
    using S = BarStyle;
    const PixelRect secondary{-1920, 100, 0, 1180};
    for (const auto& [points, style, dpi, display, shellTop, expectedStrip, frame] :
         {Row{28, S::Classic, 144, kDisplay, 0, {0, 0, 2560, 42}, {0, 0, 2560, 42}},
          {28, S::Floating, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Islands, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {28, S::Separated, 144, kDisplay, 0, {0, 0, 2560, 60}, {9, 9, 2551, 51}},
          {30, S::Floating, 96, secondary, 100, {-1920, 100, 0, 142}, {-1914, 106, -6, 136}},
          // Another toolbar already holds the top 40 pixels.
          {30, S::Floating, 96, secondary, 140, {-1920, 140, 0, 182}, {-1914, 146, -6, 176}}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(style) << " at " << dpi);
        const BarMetrics m = ComputeBarMetrics(points, style, dpi);
        const PixelRect proposed = ProposedReservedStrip(display, m);
        EXPECT_EQ(proposed.top, display.top);
        const PixelRect strip = AdjustStripToTop(proposed, shellTop, m);
        EXPECT_EQ(strip, expectedStrip);
        EXPECT_EQ(proposed.Height(), strip.Height());
        EXPECT_EQ(FrameFromStrip(strip, m), frame);
    }
}

TEST(BarGeometry, SlideAndAutoHideHideTheWholeBarOnlyWhenNothingHoldsIt) {
    const BarMetrics m = ComputeBarMetrics(28, BarStyle::Floating, 96);  // h 28, m 6
    EXPECT_EQ(SlideWindowTop(6, m, 0.0f), 6);
    EXPECT_EQ(SlideWindowTop(6, m, 0.5f), 6 - 18);
    EXPECT_EQ(SlideWindowTop(6, m, 1.0f), 6 - 36);
    EXPECT_LE(SlideWindowTop(6, m, 1.0f) + m.height, 0);

    // Auto-hide keeps the bar while the pointer is near or something is open.
    EXPECT_EQ(RevealEdgeRect({1920, -200, 3840, 880}), (PixelRect{1924, -200, 3836, -198}));

    // Pointer x and y, what is open (0 none, 1 a system menu, 2 an own popup, 3 a tray
    // drag); whether the bar stays.
    const std::tuple<int32_t, int32_t, int, bool> rows[] = {
        {1000, 30, 0, true}, {2, 3, 0, true},     {2559, 50, 0, true}, {1000, 51, 0, false},
        {-1, 10, 0, false},  {1000, 51, 1, true}, {1000, 51, 2, true}, {1000, 51, 3, true}};
    const PixelRect frame{9, 9, 2551, 51};
    for (const auto& [x, y, open, keeps] : rows) {
        // Pointer, bar window, display, frame, then what is open.
        const AutoHideFacts f{x, y, frame, kDisplay, frame, open == 1, open == 2, open == 3};
        EXPECT_EQ(AutoHideKeepsBar(f), keeps) << x << "," << y << " open " << open;
    }
}

TEST(BarGeometry, IslandRegionPanelsAndMovesInPixels) {
    const auto shapes = IslandRegionShapes({{0, 0, 100.5f, 28}, {900, 0, 1000, 28}}, 144);
    ASSERT_EQ(shapes.size(), 2u);
    // Right and bottom reach one pixel further.
    EXPECT_EQ(shapes[0].rect, (PixelRect{0, 0, 151, 43}));
    EXPECT_EQ(shapes[1].rect, (PixelRect{1350, 0, 1501, 43}));
    EXPECT_EQ(shapes[0].cornerEllipse, 24);
    EXPECT_EQ(IslandRegionShapes({{0, 0, 10, 10}}, 108)[0].cornerEllipse, 18);

    EXPECT_EQ(PanelRect({-4.8f, 0, 100.7f, 28}, 144, 9, 9), (PixelRect{2, 9, 160, 51}));
    EXPECT_EQ(PanelRect({10, 0, 20, 28}, 96, -1920, 0), (PixelRect{-1910, 0, -1900, 28}));

    // Islands count as moved only beyond half a point.
    const std::vector<PointRect> applied{{0, 0, 100, 28}, {500, 0, 600, 28}};
    auto same = applied;
    same[1].left += 0.5f;
    same[0].right -= 0.4f;
    same[0].bottom = 99;  // only left and right edges count
    EXPECT_FALSE(IslandsMoved(applied, same));
    auto moved = applied;
    moved[1].right += 0.6f;
    EXPECT_TRUE(IslandsMoved(applied, moved));
    EXPECT_TRUE(IslandsMoved(applied, {applied[0]}));
    EXPECT_FALSE(IslandsMoved({}, {}));
}

// Every tick moves towards the target without passing it, and the last one
// lands on it exactly (a timer stopped a hair short would leave a bar or dock
// a pixel off).
TEST(Easing, EachAnimationClosesInWithoutOvershootLandsExactlyAndTakesNoTimeWhenOff) {
    const struct {
        float from, target;
        Easing easing;
        int ticks;
    } rows[] = {
        {0.0f, 1.0f, kBarSlideEasing, 12},  // about 180 ms at 15 ms a tick
        {1.0f, 0.0f, kBarSlideEasing, 12},
        {0.995f, 1.0f, kBarSlideEasing, 1},
        {0.98f, 1.0f, kBarSlideEasing, 2},
        {1.0f, kDockHoverScale, kDockScaleEasing, 10},
        {kDockHoverScale, kDockPressScale, kDockScaleEasing, 11},
        {0.0f, 1.0f, kDockHideEasing, 16},
        {0.5f, 0.5f, kDockHideEasing, 1},
    };
    for (const auto& r : rows) {
        float value = r.from;
        int ticks = 1;
        for (float before = value; EaseTowards(value, r.target, r.easing) && ticks < 100;
             before = value) {
            EXPECT_LT(std::abs(r.target - value), std::abs(r.target - before));
            EXPECT_EQ(value < r.target, r.from < r.target) << "passed the target";
            ++ticks;
        }
        EXPECT_EQ(ticks, r.ticks) << r.from << " to " << r.target;
        EXPECT_EQ(value, r.target);
        // Animation effects off: the first tick lands.
        value = r.from;
        EXPECT_FALSE(EaseTowards(value, r.target, MotionEasing(r.easing, false)));
        EXPECT_EQ(value, r.target);
    }
    // So does timed motion.
    EXPECT_EQ(std::pair(MotionDurationMs(340, true), MotionDurationMs(340, false)),
              std::pair(340.0f, 0.0f));
}

}  // namespace
}  // namespace corvane
