// Tile arithmetic (margins, spacing, splits) and the tiling manager's
// decisions over plain window facts.

#include "base/Geometry.h"
#include "tiling/HotCornerRules.h"
#include "tiling/TileLayout.h"
#include "tiling/TilingRules.h"
#include "toolkit/ShortcutTyping.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Tiles = std::vector<PixelRect>;
const PixelRect kScreen{0, 0, 1920, 1080};
const int32_t kGap144 = MulDivRound(8, 144, 96);  // 12 px, half gap 6
const PixelRect kR144{12, 12, 1908, 1068};
const PixelRect kCover{-8, -8, 1928, 1088};

TEST(TilingLayout, BspQuartersMasterShareAndExactSpacing) {
    // BSP: a left half, the right half split into quarters. Master: 55 % of
    // 1896 is 1042, less the half gap, and a stack of equal heights.
    EXPECT_EQ(ComputeTileLayout(kScreen, 3, kLayoutBsp, kGap144),
              (Tiles{{12, 12, 954, 1068}, {966, 12, 1908, 534}, {966, 546, 1908, 1068}}));
    EXPECT_EQ(ComputeTileLayout(kScreen, 3, kLayoutMaster, kGap144),
              (Tiles{{12, 12, 1048, 1068}, {1060, 12, 1908, 534}, {1060, 546, 1908, 1068}}));
    // Monocle, and any layout number out of range, stacks the margined area.
    EXPECT_EQ(ComputeTileLayout(kScreen, 3, 5, kGap144), Tiles(3, kR144));
    EXPECT_TRUE(ComputeTileLayout(kScreen, 0, kLayoutBsp, kGap144).empty());

    // Margins of g, one window filling them, and neighbours exactly g apart.
    for (int32_t g : {kGap144, 9}) {
        for (int32_t layout : {kLayoutBsp, kLayoutMaster, kLayoutColumns}) {
            for (int32_t n = 1; n <= 7; ++n) {
                const Tiles t = ComputeTileLayout(kScreen, n, layout, g);
                SCOPED_TRACE(testing::Message() << g << "/" << layout << "/" << n);
                ASSERT_EQ(t.size(), static_cast<std::size_t>(n));
                EXPECT_EQ(t.front().left, g);
                EXPECT_EQ(t.front().top, g);
                EXPECT_EQ(t.back().right, kScreen.right - g);
                EXPECT_EQ(t.back().bottom, kScreen.bottom - g);
                for (std::size_t i = 1; i < t.size(); ++i) {
                    const int32_t beside = t[i].left - t[i - 1].right;
                    const int32_t below = t[i].top - t[i - 1].bottom;
                    EXPECT_TRUE(beside == g || below == g) << i << ": " << beside << "," << below;
                }
            }
        }
    }
}

TEST(TilingRules, WhichWindowsTakePart) {
    using F = TileWindowFacts;
    F good;
    good.exists = good.visible = true;
    good.style = kStyleSizeFrame;
    good.title = good.exeName = L"notepad.exe";
    good.windowRect = {100, 100, 900, 700};
    good.monitorRect = kScreen;
    // Each row breaks (or, when kept, bends) one rule of a good window.
    const std::pair<void (*)(F&), bool> rows[] = {
        {[](F&) {}, true},
        {[](F& w) { w.minimized = true; }, false},
        {[](F& w) { w.floating = true; }, false},
        {[](F& w) { w.ownProcess = true; }, false},
        {[](F& w) { w.beyondReach = true; }, false},
        {[](F& w) { w.exStyle = kExStyleNoActivate | kExStyleAppWindow; }, false},
        {[](F& w) { w.exStyle = kExStyleToolWindow; }, false},
        {[](F& w) { w.exStyle = kExStyleToolWindow | kExStyleAppWindow; }, true},
        {[](F& w) { w.hasOwner = true; }, false},
        {[](F& w) { w.hasOwner = true, w.exStyle = kExStyleAppWindow; }, true},
        {[](F& w) { w.style = 0; }, false},
        {[](F& w) { w.title.clear(); }, false},
        {[](F& w) { w.className = L"Windows.UI.Core.CoreWindow"; }, false},
        {[](F& w) { w.exeName = L"searchhost.exe"; }, false},
        {[](F& w) { w.exeName = L"game.exe"; }, false},  // floated
        {[](F& w) { w.exeName.clear(); }, true},
        // Full screen is a borderless window over the display, not one
        // maximised before we ever placed it.
        {[](F& w) { w.windowRect = kCover; }, false},
        {[](F& w) { w.windowRect = kCover, w.maximized = true; }, true},
        {[](F& w) { w.maximized = w.managed = true; }, false}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        F w = good;
        rows[i].first(w);
        EXPECT_EQ(IsTileable(w, {L"", L"game.exe"}), rows[i].second) << "row " << i;
    }
}

TEST(TilingRules, OrderSurvivesPassesAndSwapTargetsAndNeighbours) {
    // 1 died; 4 and 5 are new, 5 nearest the top.
    std::vector<TileWindow> order = NextTilingOrder({3, 1, 2}, {5, 2, 4, 3});
    EXPECT_EQ(order, (std::vector<TileWindow>{3, 2, 4, 5}));
    EXPECT_EQ(NextTilingOrder(order, {2, 3, 4, 5, 5}), order);
    SwapInOrder(order, 3, 5);
    SwapInOrder(order, 3, 9);
    EXPECT_EQ(order, (std::vector<TileWindow>{5, 2, 4, 3}));

    // Swap targets and neighbours.
    const Tiles c = ComputeTileLayout(kScreen, 3, kLayoutColumns, kGap144);
    const std::vector<AssignedTile> columns = {{30, c[2], 1}, {10, c[0], 1}, {20, c[1], 1}};
    EXPECT_EQ(FindSwapTarget(columns, 10, c[1].left + 1, 500, 1), TileWindow{20});
    EXPECT_EQ(FindSwapTarget(columns, 10, c[0].left + 1, 500, 1), std::nullopt);
    EXPECT_EQ(FindSwapTarget(columns, 10, c[1].left + 1, 500, 2), std::nullopt);

    const TileDirection right = DirectionOf(1), up = DirectionOf(2);
    EXPECT_EQ(FindNeighbour(columns, 10, right.dx, right.dy), TileWindow{20});
    EXPECT_EQ(FindNeighbour(columns, 30, right.dx, right.dy), std::nullopt);
    // From the left half both right quarters score alike: the lower id wins.
    const Tiles b = ComputeTileLayout(kScreen, 3, kLayoutBsp, kGap144);
    const std::vector<AssignedTile> bsp = {{9, b[1], 1}, {4, b[0], 1}, {7, b[2], 1}};
    EXPECT_EQ(FindNeighbour(bsp, 4, right.dx, right.dy), TileWindow{7});
    EXPECT_EQ(FindNeighbour(bsp, 7, up.dx, up.dy), TileWindow{9});
}

TEST(TilingRules, OnlyASizeKeepingMoveSwapsAndPlacingGoesByTheVisibleFrame) {
    const PixelRect tile{12, 12, 954, 1068};
    // Carried onto the right half; right or left edge pulled; moved one pixel
    // wider; let go where it was.
    const std::pair<PixelRect, bool> ends[] = {{{966, 12, 1908, 1068}, true},
                                               {{12, 12, 1500, 1068}, false},
                                               {{600, 12, 954, 1068}, false},
                                               {{500, 300, 1443, 1356}, false},
                                               {tile, false}};
    for (const auto& [end, swaps] : ends) {
        EXPECT_EQ(IsDragMove(tile, end), swaps) << end.left << "," << end.right;
    }

    // Placing by the visible frame.
    const PixelRect target{12, 12, 954, 1068}, work{0, 0, 1920, 1032};
    EXPECT_TRUE(CloseToTarget({10, 14, 956, 1066}, target));
    EXPECT_FALSE(CloseToTarget({12, 12, 954, 1071}, target));
    // The usual invisible resize border: 7 px left, right and bottom.
    const PixelRect window{93, 100, 1007, 707}, frame{100, 100, 1000, 700};
    EXPECT_EQ(WindowRectForFrame(target, frame, window), (PixelRect{5, 12, 961, 1075}));
    EXPECT_EQ(WindowRectForFrame(target, {0, 0, 2000, 2000}, window), target);
    EXPECT_EQ(AreaAboveDock(work, 980), (PixelRect{0, 0, 1920, 980}));
    EXPECT_EQ(AreaAboveDock(work, 1040), work);
}

TEST(TilingRules, EventsAndTheirDelays) {
    using E = TilingEvent;
    const TilingEventFacts plain, moving{0, true, true}, tiled{1, false, true},
        restored{0, false, false, true}, root{0, false, false, false, true},
        hotkeysOnly{2, false, true, true, true};
    // Milliseconds for start, end, location change, show, hidden; 0 = none.
    const std::pair<TilingEventFacts, std::array<unsigned, 5>> rows[] = {
        {plain, {0, 30, 0, 0, 0}},      {moving, {0, 30, 0, 0, 0}},  {tiled, {0, 30, 120, 0, 0}},
        {restored, {0, 30, 120, 0, 0}}, {root, {0, 30, 0, 120, 60}}, {hotkeysOnly, {}}};
    const E events[] = {E::MoveSizeStart, E::MoveSizeEnd, E::LocationChange, E::Show, E::Hidden};
    for (std::size_t r = 0; r < std::size(rows); ++r) {
        for (std::size_t e = 0; e < std::size(events); ++e) {
            const unsigned ms = rows[r].second[e];
            EXPECT_EQ(TilingEventDelay(events[e], rows[r].first),
                      ms ? std::optional<unsigned>(ms) : std::nullopt)
                << "row " << r << ", event " << e;
        }
    }
}

TEST(TilingRules, ShortcutsFollowTheChosenModifiersAndOffLeavesThemOut) {
    Settings settings;
    settings.tilingArrowKeys = 1;  // Win+Alt: the swaps add Shift to it
    settings.tilingLayoutKeys = kShortcutChoiceOff;
    const std::vector<TilingHotkey> keys = TilingHotkeys(settings);
    const auto find = [&](int id) {
        return std::ranges::find_if(keys, [id](const TilingHotkey& k) { return k.id == id; });
    };
    EXPECT_EQ(find(kHotkeyLayout), keys.end());
    EXPECT_EQ(keys.size(), 11u);
    EXPECT_EQ(find(kHotkeyToggle)->modifiers, 0x4003u);
    EXPECT_EQ(find(kHotkeyFocusFirst)->modifiers, 0x4009u);
    EXPECT_EQ(find(kHotkeySwapFirst + 3)->modifiers, 0x400Du);
}

TEST(ShortcutTyping, AChordIsTakenByTheFirstLayoutThatTypesWithIt) {
    const std::tuple<uint32_t, std::vector<LayoutAnswer>, std::wstring> cases[] = {
        {0x3, {{0, L""}, {1, L"ł"}}, L"ł"},                     // US then Polish
        {0x3, {{0, L""}}, L""},                                 // US alone
        {0x3, {{1, L"\x0c"}}, L""},                             // a control character
        {0x3, {{-1, L"\u00b4"}}, L"\u00b4"},                    // a dead key
        {0x3, {{-1, L""}}, L"\u25CC"},                          // a dead key with no spacing form
        {0x3, {{5, L"ab"}}, L"ab"},                             // a count beyond what was written
        {0xB, {{1, L"ł"}}, L""},                                // with the Windows key held
        {0x7, {{2, L"\x01\u0141"}, {1, L"x"}}, L"\x01\u0141"},  // some printable character
    };
    for (const auto& [modifiers, answers, typed] : cases) {
        EXPECT_EQ(TypedByChord(modifiers, answers), typed);
    }
}

// Hot corners: trigger squares, polling period, dwell and what a corner runs.
using A = CornerAction;

// Squares take their left and top edges only; fast polling reaches 220 px in.
TEST(HotCorner, SquareAndPeriodByPosition) {
    const PixelRect display{1000, -200, 2920, 880};  // not at the origin
    const int32_t rows[][4] = {
        {1000, -200, 0, 25},  {1003, -197, 0, 25},  {1004, -200, -1, 25}, {1003, -196, -1, 25},
        {999, -200, -1, 100}, {2919, -200, 1, 25},  {2915, -200, -1, 25}, {2920, -200, -1, 100},
        {1000, 879, 2, 25},   {1000, 880, -1, 100}, {2919, 879, 3, 25},   {1219, 19, -1, 25},
        {1220, 19, -1, 100},  {1219, 20, -1, 100},  {2700, 860, -1, 25},  {2699, 860, -1, 100}};
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << r[0] << "," << r[1]);
        EXPECT_EQ(HotCornerAt(HotCornerSquares(display), {true, true, true, true}, r[0], r[1]),
                  r[2]);
        EXPECT_EQ(HotCornerPeriodMs(display, r[0], r[1]), static_cast<uint32_t>(r[3]));
    }
    // A disabled corner is no corner; where squares overlap the first enabled one wins.
    EXPECT_EQ(HotCornerAt(HotCornerSquares(display), {true, true, true, false}, 2919, 879), -1);
    EXPECT_EQ(HotCornerAt(HotCornerSquares({0, 0, 6, 6}), {false, true, true, true}, 3, 3), 1);
}

// Top-left runs Task view, top-right shows the desktop; (500, 500) is no corner.
TEST(HotCorner, FiresOncePerVisitAfterTheDwellAndAPausedVisitIsSpent) {
    const uint32_t wrap = 0xFFFFFFF0u;
    using Step = std::tuple<int32_t, int32_t, uint32_t, int>;  // x, y, tick, corner fired
    for (const auto& visit : std::vector<std::vector<Step>>{
             {{0, 0, wrap, -1}, {0, 0, wrap + 69, -1}, {0, 0, wrap + 70, 0}, {0, 0, 500, -1}},
             {{0, 0, 0, -1}, {0, 0, 60, -1}, {500, 500, 69, -1}, {500, 500, 70, -1}},
             {{0, 0, 0, -1}, {0, 0, 70, 0}, {9, 9, 80, -1}, {3, 3, 90, -1}, {0, 0, 160, 0}},
             {{0, 0, 0, -1}, {1919, 0, 50, -1}, {1919, 0, 119, -1}, {1919, 0, 120, 1}}}) {
        HotCornerTracker tracker({0, 0, 1920, 1080},
                                 {A::TaskView, A::ShowDesktop, A::Nothing, A::Nothing});
        for (const auto& [x, y, ms, fire] : visit) {
            EXPECT_EQ(tracker.Tick(x, y, ms, false).fire, fire) << x << "," << y << " at " << ms;
        }
    }

    // A paused visit runs nothing, yet is spent until the pointer leaves.
    HotCornerTracker tracker({0, 0, 1920, 1080}, {A::TaskView, A::Nothing, A::Nothing, A::Nothing});
    // x and y, tick, paused, keys pressed
    const std::tuple<int32_t, uint32_t, bool, size_t> steps[] = {
        {0, 0, true, 0},    {0, 70, true, 0},   {0, 900, false, 0},
        {9, 910, false, 0}, {0, 920, false, 0}, {0, 990, false, 2}};
    for (const auto& [xy, ms, paused, keys] : steps) {
        EXPECT_EQ(tracker.Tick(xy, xy, ms, paused).run.keys.size(), keys) << ms;
    }
}

// A full-screen application silences every action.
TEST(HotCorner, ActionsAndWhenToWatch) {
    const std::pair<A, uint16_t> chords[] = {{A::TaskView, 0x09},
                                             {A::ShowDesktop, 0x44},
                                             {A::Notifications, 0x4E},
                                             {A::QuickSettings, 0x41}};
    for (const auto& [action, k] : chords) {
        const HotCornerRun run{{0x5B, k}, -1};
        EXPECT_EQ(PlanHotCornerRun(action, false), run);
    }
    EXPECT_EQ(PlanHotCornerRun(A::StartMenu, false), (HotCornerRun{{}, 0}));
    EXPECT_EQ(PlanHotCornerRun(A::Launcher, false), (HotCornerRun{{}, 2}));
    for (int a = 0; a <= 9; ++a) {
        EXPECT_EQ(PlanHotCornerRun(static_cast<A>(a), a > 0 && a <= 6), HotCornerRun{}) << a;
    }
    EXPECT_FALSE(HotCornersWanted(false, {A::TaskView, A::TaskView, A::TaskView, A::TaskView}));
    EXPECT_FALSE(HotCornersWanted(true, {A::Nothing, A::Nothing, A::Nothing, A::Nothing}));
    EXPECT_TRUE(HotCornersWanted(true, {A::Nothing, A::Nothing, A::Nothing, A::Launcher}));
}

}  // namespace
}  // namespace corvane
