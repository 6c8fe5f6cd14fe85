// Tile arithmetic (margins, spacing, splits) and the tiling manager's
// decisions over plain window facts.

#include "base/Geometry.h"
#include "tiling/TileLayout.h"
#include "tiling/TilingRules.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <tuple>
#include <utility>

namespace corvane {
namespace {

const PixelRect kScreen{0, 0, 1920, 1080};
const int32_t kGap144 = MulDivRound(8, 144, 96);  // 12 px, half gap 6

PixelRect Inset(const PixelRect& r, int32_t g) {
    return {r.left + g, r.top + g, r.right - g, r.bottom - g};
}

TEST(TilingLayout, OneWindowOrMonocleFillsTheMarginedArea) {
    const PixelRect r = Inset(kScreen, kGap144);
    for (int32_t layout : {0, 1, 2, 3, 5}) {
        EXPECT_EQ(ComputeTileLayout(kScreen, 1, layout, kGap144), std::vector<PixelRect>{r})
            << layout;
    }
    EXPECT_EQ(ComputeTileLayout(kScreen, 3, 5, kGap144), std::vector<PixelRect>(3, r));
    EXPECT_TRUE(ComputeTileLayout(kScreen, 0, kLayoutBsp, kGap144).empty());
}

TEST(TilingLayout, SplitsOnA1920x1080Display) {
    using Tiles = std::vector<PixelRect>;
    const std::pair<std::pair<int32_t, int32_t>, Tiles> rows[] = {
        // Halves, then the right half into quarters, then the square-ish
        // lower quarter side by side.
        {{kLayoutBsp, 2}, {{12, 12, 954, 1068}, {966, 12, 1908, 1068}}},
        {{kLayoutBsp, 4},
         {{12, 12, 954, 1068},
          {966, 12, 1908, 534},
          {966, 546, 1431, 1068},
          {1443, 546, 1908, 1068}}},
        // 55 % of 1896 is 1042, less the half gap.
        {{kLayoutMaster, 3},
         {{12, 12, 1048, 1068}, {1060, 12, 1908, 534}, {1060, 546, 1908, 1068}}},
    };
    for (const auto& [key, tiles] : rows) {
        EXPECT_EQ(ComputeTileLayout(kScreen, key.second, key.first, kGap144), tiles)
            << key.first << "/" << key.second;
    }
}

// Every tile edge is on the margined border or exactly g from a facing tile,
// and no two tiles come closer than g.
void ExpectExactSpacing(const std::vector<PixelRect>& tiles, const PixelRect& r, int32_t g) {
    const auto spansOverlap = [](int32_t a0, int32_t a1, int32_t b0, int32_t b1) {
        return a0 < b1 && b0 < a1;
    };
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        const PixelRect& a = tiles[i];
        bool right = a.right == r.right, bottom = a.bottom == r.bottom;
        for (std::size_t j = 0; j < tiles.size(); ++j) {
            const PixelRect& b = tiles[j];
            if (i == j) {
                continue;
            }
            const bool besideY = spansOverlap(a.top, a.bottom, b.top, b.bottom);
            const bool besideX = spansOverlap(a.left, a.right, b.left, b.right);
            EXPECT_FALSE(besideX && besideY) << i << " overlaps " << j;
            if (besideY && b.left >= a.right) {
                EXPECT_GE(b.left - a.right, g) << i << "," << j;
                right = right || b.left - a.right == g;
            }
            if (besideX && b.top >= a.bottom) {
                EXPECT_GE(b.top - a.bottom, g) << i << "," << j;
                bottom = bottom || b.top - a.bottom == g;
            }
        }
        EXPECT_TRUE(right && bottom) << "tile " << i << " leaves a ragged gap";
        EXPECT_TRUE(a.left >= r.left && a.top >= r.top) << "tile " << i;
    }
}

TEST(TilingLayout, SpacingIsExactlyTheGapEvenWhenOdd) {
    for (int32_t gap : {kGap144, 9}) {
        for (int32_t layout : {kLayoutBsp, kLayoutMaster, kLayoutColumns}) {
            for (int32_t n = 2; n <= 7; ++n) {
                SCOPED_TRACE(testing::Message() << gap << "/" << layout << "/" << n);
                const auto tiles = ComputeTileLayout(kScreen, n, layout, gap);
                ASSERT_EQ(tiles.size(), static_cast<std::size_t>(n));
                ExpectExactSpacing(tiles, Inset(kScreen, gap), gap);
            }
        }
    }
}

TileWindowFacts GoodWindow() {
    TileWindowFacts w;
    w.exists = w.visible = true;
    w.style = kStyleSizeFrame;
    w.title = L"notes.txt - Notepad";
    w.className = L"Notepad";
    w.exeName = L"notepad.exe";
    w.windowRect = {100, 100, 900, 700};
    w.monitorRect = kScreen;
    return w;
}

TEST(TilingRules, WhichWindowsTakePart) {
    using F = TileWindowFacts;
    const std::pair<void (*)(F&), bool> rows[] = {
        {[](F&) {}, true},
        {[](F& w) { w.exists = false; }, false},
        {[](F& w) { w.visible = false; }, false},
        {[](F& w) { w.minimized = true; }, false},
        {[](F& w) { w.cloaked = true; }, false},
        {[](F& w) { w.floating = true; }, false},
        {[](F& w) { w.ownProcess = true; }, false},
        {[](F& w) { w.exStyle = kExStyleNoActivate | kExStyleAppWindow; }, false},
        {[](F& w) { w.exStyle = kExStyleTopmost; }, false},
        {[](F& w) { w.exStyle = kExStyleToolWindow; }, false},
        {[](F& w) { w.exStyle = kExStyleToolWindow | kExStyleAppWindow; }, true},
        {[](F& w) { w.hasOwner = true; }, false},
        {[](F& w) {
             w.hasOwner = true;
             w.exStyle = kExStyleAppWindow;
         },
         true},
        {[](F& w) { w.style = 0; }, false},
        {[](F& w) { w.title.clear(); }, false},
        {[](F& w) { w.className = L"#32770"; }, false},
        {[](F& w) { w.className = L"Windows.UI.Core.CoreWindow"; }, false},
        {[](F& w) { w.exeName = L"searchhost.exe"; }, false},
        {[](F& w) { w.exeName = L"game.exe"; }, false},  // in the Float list
        {[](F& w) { w.exeName.clear(); }, true},
        // Full screen: a borderless window over the whole display, not a
        // smaller borderless one, and not one maximised before we placed it.
        {[](F& w) {
             w.windowRect = {-1, 0, 1920, 1080};
         },
         false},
        {[](F& w) {
             w.windowRect = {0, 0, 1920, 1040};
         },
         true},
        {[](F& w) {
             w.maximized = true;
             w.windowRect = {-8, -8, 1928, 1088};
         },
         true},
        {[](F& w) { w.maximized = w.managed = true; }, false},
    };
    const std::vector<std::wstring> floatList = {L"", L"game.exe"};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        TileWindowFacts w = GoodWindow();
        rows[i].first(w);
        EXPECT_EQ(IsTileable(w, floatList), rows[i].second) << "row " << i;
    }
}

TEST(TilingRules, OrderSurvivesPassesAndNewWindowsComeLast) {
    // 1 died; 4 and 5 are new, 5 nearest the top.
    const std::vector<TileWindow> order = NextTilingOrder({3, 1, 2}, {5, 2, 4, 3});
    EXPECT_EQ(order, (std::vector<TileWindow>{3, 2, 4, 5}));
    EXPECT_EQ(NextTilingOrder(order, {2, 3, 4, 5, 5}), order);

    std::vector<TileWindow> swapped = order;
    SwapInOrder(swapped, 3, 5);
    EXPECT_EQ(swapped, (std::vector<TileWindow>{5, 2, 4, 3}));
    SwapInOrder(swapped, 3, 9);
    EXPECT_EQ(swapped, (std::vector<TileWindow>{5, 2, 4, 3}));
}

// Three columns, handed over out of id order.
std::vector<AssignedTile> ThreeColumns() {
    const auto tiles = ComputeTileLayout(kScreen, 3, kLayoutColumns, kGap144);
    return {{30, tiles[2], 1}, {10, tiles[0], 1}, {20, tiles[1], 1}};
}

TEST(TilingRules, DragReleaseSwapsWithTheTileUnderTheCursor) {
    const auto columns = ThreeColumns();
    const int32_t y = 500;
    EXPECT_EQ(FindSwapTarget(columns, 10, columns[2].rect.left + 1, y, 1), TileWindow{20});
    EXPECT_EQ(FindSwapTarget(columns, 10, columns[1].rect.left + 1, y, 1), std::nullopt);
    EXPECT_EQ(FindSwapTarget(columns, 10, columns[2].rect.left - 1, y, 1), std::nullopt);
    EXPECT_EQ(FindSwapTarget(columns, 10, columns[2].rect.left + 1, y, 2), std::nullopt);
}

TEST(TilingRules, NeighbourInADirection) {
    const auto columns = ThreeColumns();
    const TileDirection left = DirectionOf(0), right = DirectionOf(1), up = DirectionOf(2);
    EXPECT_EQ(FindNeighbour(columns, 10, right.dx, right.dy), TileWindow{20});
    EXPECT_EQ(FindNeighbour(columns, 30, right.dx, right.dy), std::nullopt);
    EXPECT_EQ(FindNeighbour(columns, 30, left.dx, left.dy), TileWindow{20});
    EXPECT_EQ(FindNeighbour(columns, 20, up.dx, up.dy), std::nullopt);
    EXPECT_EQ(FindNeighbour(columns, 99, right.dx, right.dy), std::nullopt);

    // From the left half both right quarters score alike: the lower id wins.
    const auto bsp = ComputeTileLayout(kScreen, 3, kLayoutBsp, kGap144);
    const std::vector<AssignedTile> halves = {{9, bsp[1], 1}, {4, bsp[0], 1}, {7, bsp[2], 1}};
    EXPECT_EQ(FindNeighbour(halves, 4, right.dx, right.dy), TileWindow{7});
    EXPECT_EQ(FindNeighbour(halves, 7, up.dx, up.dy), TileWindow{9});
}

TEST(TilingRules, PlacingByTheVisibleFrame) {
    const PixelRect target{12, 12, 954, 1068};
    EXPECT_TRUE(CloseToTarget({10, 14, 956, 1066}, target));
    EXPECT_FALSE(CloseToTarget({12, 12, 954, 1071}, target));
    EXPECT_FALSE(CloseToTarget({9, 12, 954, 1068}, target));

    // The usual invisible resize border: 7 px left, right and bottom.
    const PixelRect window{93, 100, 1007, 707}, frame{100, 100, 1000, 700};
    EXPECT_EQ(WindowRectForFrame(target, frame, window), (PixelRect{5, 12, 961, 1075}));
    EXPECT_EQ(WindowRectForFrame(target, {0, 0, 2000, 2000}, window), target);

    const PixelRect work{0, 0, 1920, 1032};
    EXPECT_EQ(AreaAboveDock(work, 980), (PixelRect{0, 0, 1920, 980}));
    const std::optional<int32_t> unchanged[] = {std::nullopt, 1040, 0, -20};
    for (const auto& dockTop : unchanged) {
        EXPECT_EQ(AreaAboveDock(work, dockTop), work) << dockTop.value_or(-1);
    }
}

TEST(TilingRules, EventsAndTheirDelays) {
    using E = TilingEvent;
    using D = std::optional<unsigned>;
    const TilingEventFacts plain, moving{0, true, true}, tiled{1, false, true},
        restored{0, false, false, true}, root{0, false, false, false, true},
        hotkeysOnly{2, false, true, true, true};
    const std::tuple<E, TilingEventFacts, D> rows[] = {
        {E::MoveSizeStart, tiled, {}},
        {E::MoveSizeEnd, plain, 30u},
        {E::MoveSizeEnd, hotkeysOnly, {}},
        {E::LocationChange, tiled, 120u},
        {E::LocationChange, restored, 120u},
        {E::LocationChange, moving, {}},
        {E::LocationChange, plain, {}},
        {E::LocationChange, hotkeysOnly, {}},
        {E::Show, root, 120u},
        {E::Show, tiled, {}},
        {E::Hidden, root, 60u},
        {E::Hidden, plain, {}},
        {E::Hidden, hotkeysOnly, {}},
    };
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        const auto& [event, facts, delay] = rows[i];
        EXPECT_EQ(TilingEventDelay(event, facts), delay) << "row " << i;
    }
}

TEST(TilingRules, ShortcutsAreDistinctAndNeverRepeat) {
    std::set<int> ids;
    std::set<std::pair<uint32_t, uint32_t>> chords;
    for (const TilingHotkey& k : TilingHotkeys()) {
        ids.insert(k.id);
        chords.insert({k.modifiers, k.key});
        EXPECT_NE(k.modifiers & 0x4000u, 0u) << k.id;
    }
    // 0x5100 to 0x510B, every id once.
    EXPECT_EQ(ids.size(), 12u);
    EXPECT_EQ(chords.size(), 12u);
    EXPECT_EQ(*ids.begin(), kHotkeyToggle);
    EXPECT_EQ(*ids.rbegin(), kHotkeyRetile);
}

}  // namespace
}  // namespace corvane
