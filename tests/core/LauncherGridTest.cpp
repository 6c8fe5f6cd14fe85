#include "start/LauncherGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(LauncherGrid, LaysOutPagesForTheDisplay) {
    // width, height, icon, cell width and height, x0, y0, columns, rows, per page
    const LauncherLayout cases[] = {
        {1920, 1080, 84, 168, 134, 204, 160, 9, 6, 54},
        {800, 400, 56, 112, 106, 64, 116, 6, 2, 12},
        {3840, 1200, 84, 168, 134, 1164, 220, 9, 6, 54},
        {400, 770, 70, 140, 120, -80, 167, 4, 4, 16},
    };
    for (const LauncherLayout& c : cases) {
        EXPECT_EQ(LayOutLauncher(c.width, c.height), c) << c.width << "x" << c.height;
    }
    const LauncherLayout l = cases[0];
    EXPECT_EQ(std::tuple(l.Pages(0), l.Pages(54), l.Pages(55)), std::tuple(1, 1, 2));
    EXPECT_EQ(l.CellOf(64, 0.5f), (LauncherCell{204 + 168 + 960, 160 + 134}));
}

TEST(LauncherGrid, DragsKeepTheKeysOfMissingAppsInPlace) {
    // Apps are letters in catalog order; p to y are apps missing now.
    const std::tuple<std::wstring, std::wstring, int32_t, int32_t, std::wstring, std::wstring>
        cases[] = {{L"c|x|a|c", L"abcd", 0, 1, L"acbd", L"x|a|c|b|d"},
                   {L"a|x|b|y|c", L"abcd", 2, 0, L"cabd", L"c|a|x|b|y|d"},
                   {L"x||y", L"abcd", 1, 4, L"abcd", L"x|y|a|b|c|d"},
                   // A catalog from another source that matches no stored key.
                   {L"p|q|r", L"abc", 2, 0, L"cab", L"p|q|r|c|a|b"}};
    for (const auto& [stored, present, from, to, grid, saved] : cases) {
        std::vector<AppEntry> catalog(present.size());
        for (std::size_t i = 0; i < catalog.size(); ++i) {
            catalog[i].key = present.substr(i, 1);
        }
        LauncherArrangement arranged = ArrangeLauncher(stored, catalog);
        MoveArranged(arranged, from, to);
        std::wstring shown;
        for (const AppEntry& entry : arranged.grid) {
            shown += entry.key;
        }
        EXPECT_EQ(std::pair(shown, JoinArrangement(arranged)), std::pair(grid, saved)) << stored;
    }
}

TEST(LauncherGrid, FindsItemsSlotsPageDotsAndEdgesUnderThePointer) {
    const LauncherLayout l = LayOutLauncher(1920, 1080);  // 9 x 6 cells from (204, 160)
    // page, x, y, the item hit and the drop slot among 60 items
    const std::tuple<int32_t, float, float, int32_t, int32_t> cases[] = {
        {0, 212.0f, 160.0f, 0, 0},     {0, 211.9f, 160.0f, -1, 0},  {0, 364.0f, 200.0f, -1, 0},
        {0, 380.0f, 294.0f, 10, 10},   {0, 250.0f, 290.0f, -1, 0},  {0, 0.0f, 0.0f, -1, 0},
        {0, 1919.0f, 1079.0f, -1, 53}, {1, 250.0f, 200.0f, 54, 54}, {1, 1250.0f, 200.0f, -1, 59},
        {1, 1919.0f, 1079.0f, -1, 59}, {0, 548.0f, 294.0f, 11, 11}, {2, 250.0f, 200.0f, -1, 59},
    };
    for (const auto& [page, x, y, item, slot] : cases) {
        EXPECT_EQ(LauncherItemAt(l, 60, page, static_cast<float>(page), x, y), item)
            << x << "," << y;
        EXPECT_EQ(LauncherDropSlot(l, 60, page, x, y), slot) << x << "," << y;
    }
    // Three dots centred at x 942, 960, 978 on y 1024: x, y, the dot hit.
    const std::tuple<float, float, int32_t> dots[] = {
        {933.0f, 1024.0f, 0}, {932.5f, 1024.0f, -1}, {960.0f, 1011.0f, -1},
        {987.0f, 1036.0f, 2}, {987.0f, 1036.5f, -1},
    };
    for (const auto& [x, y, k] : dots) {
        EXPECT_EQ(PageDotAt(l, 3, x, y), k) << x << "," << y;
        EXPECT_EQ(PageDotAt(l, 1, x, y), -1);
    }
    // A drag turns pages near the edges: pointer x; the edge.
    const std::pair<float, int32_t> edges[] = {{500.0f, 0},  {40.0f, -1},  {41.0f, 0},
                                               {1880.0f, 1}, {1879.0f, 0}, {-5.0f, -1}};
    for (const auto& [x, edge] : edges) {
        EXPECT_EQ(EdgeUnderDrag(l, x), edge) << x;
    }
}

TEST(LauncherGrid, IndicesAndPageStayInsideAListThatShrank) {
    // index, count; the index kept
    const std::tuple<int32_t, std::size_t, int32_t> indices[] = {
        {-1, 5, -1}, {0, 0, -1}, {3, 5, 3}, {5, 5, 4}, {70, 5, 4}, {4, 1, 0}};
    for (const auto& [index, count, kept] : indices) {
        EXPECT_EQ(KeepIndexIn(index, count), kept) << index << " of " << count;
    }
    // page, pages now; the page kept, at rest there
    const std::tuple<int32_t, int32_t, int32_t> pages[] = {{3, 2, 1}, {1, 2, 1}, {2, 0, 0}};
    for (const auto& [page, count, kept] : pages) {
        PageMotion motion;
        motion.Reset(page);
        motion.ClampToPages(count);
        EXPECT_EQ(std::pair(motion.Page(), motion.Scroll()), std::pair(kept, float(kept))) << page;
    }
    // A wheel report without a delta turns nothing.
    PageMotion motion;
    motion.Reset(1);
    EXPECT_FALSE(motion.Wheel(0, 3, 1000));
    EXPECT_EQ(std::pair(motion.Page(), motion.FreeScroll()), std::pair(1, false));
}

TEST(LauncherGrid, WheelNotchesTurnOnePageAtMostEvery180MsAndSwipesRubberBand) {
    // Reports of a signed delta so many ms apart over so many pages; the page reached.
    const std::tuple<int32_t, int32_t, double, int32_t, int32_t> cases[] = {
        {120, 1, 0, 3, 1},   {240, 1, 0, 3, 1},   {-120, 1, 0, 3, 0},
        {120, 3, 60, 3, 1},  {120, 2, 179, 3, 1}, {120, 4, 180, 3, 2},
        {120, 2, 180, 3, 2}, {120, 2, 180, 1, 0}, {37, 2, 180, 1, 0}};
    for (const auto& [delta, reports, interval, pages, page] : cases) {
        PageMotion motion;
        double last = 1000;
        for (int32_t i = 0; i < reports; ++i) {
            last = 1000 + interval * i;
            motion.Wheel(delta, pages, last);
        }
        EXPECT_EQ(motion.Page(), page) << delta << " x" << reports << " " << interval;
        motion.Tick(last + 170, pages);  // eased: 1 - 0.5^3 of the way at half time
        EXPECT_GE(motion.Scroll(), 0.8f * static_cast<float>(page)) << page;
        motion.Tick(last + 340, pages);
        EXPECT_EQ(motion.Scroll(), static_cast<float>(page));
    }

    // Touchpad swipes rubber-band and settle on a page.
    // page, precision delta, reports, ms apart; scroll at the end, page settled on
    const std::tuple<int32_t, int32_t, int32_t, double, float, int32_t> swipes[] = {
        {2, 90, 3, 10, 2.09f, 2},    {2, 90, 20, 10, 2.25f, 2},   {0, -90, 20, 10, -0.25f, 0},
        {0, 60, 5, 10, 0.3333f, 1},  {0, 60, 5, 200, 0.3333f, 0}, {1, -60, 5, 10, 0.6667f, 0},
        {1, 300, 1, 10, 1.3333f, 1}, {0, 90, 2, 30, 0.2f, 0},
    };
    for (const auto& [from, delta, events, interval, scroll, settles] : swipes) {
        PageMotion motion;
        motion.Reset(from);
        double now = 1000;
        for (int32_t i = 0; i < events; ++i, now += interval) {
            EXPECT_TRUE(motion.Wheel(delta, 3, now));
        }
        const double last = now - interval;
        EXPECT_NEAR(motion.Scroll(), scroll, 1e-3) << from << " " << delta;
        motion.Tick(last + 109, 3);
        EXPECT_TRUE(motion.FreeScroll());
        motion.Tick(last + 110, 3);
        EXPECT_EQ(motion.Page(), settles) << from << " " << delta << " " << interval;
        motion.Tick(last + 410, 3);
        EXPECT_EQ(motion.Scroll(), static_cast<float>(settles));
    }
}

TEST(LauncherGrid, KeysMoveTheSelectionAcrossPagesSideBySide) {
    const LauncherLayout l = LayOutLauncher(1920, 1080);  // 9 columns, 6 rows, 54 a page
    using K = LauncherKey;
    // key, shown count, selection, page; the selection and page after it
    const std::tuple<K, std::size_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
        {K::PageDown, 60, -1, 0, -1, 1}, {K::PageDown, 60, 5, 0, 59, 1},
        {K::PageUp, 60, 57, 1, 3, 0},    {K::Down, 60, -1, 1, 54, 1},
        {K::Right, 60, 8, 0, 54, 1},     {K::Right, 60, 17, 0, 59, 1},
        {K::Left, 60, 54, 1, 8, 0},      {K::Left, 60, 9, 0, 9, 0},
        {K::Right, 60, 59, 1, 59, 1},    {K::Down, 60, 50, 0, 50, 0},
        {K::Down, 60, 55, 1, 55, 1},     {K::Down, 14, 6, 0, 13, 0},
        {K::Up, 60, 3, 0, 3, 0},         {K::Up, 60, 20, 0, 11, 0},
        {K::Down, 0, -1, 0, -1, 0},
    };
    for (const auto& [key, count, selection, page, toSelection, toPage] : cases) {
        const LauncherKeyMove move = MoveInLauncher(l, count, key, selection, page);
        EXPECT_EQ(std::pair(move.selection, move.page), std::pair(toSelection, toPage))
            << int(key) << " from " << selection << " of " << count;
    }
}

}  // namespace
}  // namespace corvane
