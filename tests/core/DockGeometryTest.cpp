#include "dock/DockGeometry.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvane {
namespace {

const PixelRect kMonitor{0, 0, 1920, 1080};
const PixelRect kDock{780, 1007, 1139, 1074};  // 359 x 67 DIPs at 96 DPI

// "S" the Start item, "+" a pinned app, "-" a running one.
DockLayout Layout(std::string_view kinds, int32_t iconSize = 48, bool nowPlaying = false) {
    std::vector<DockItem> items(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        items[i].start = kinds[i] == 'S';
        items[i].pinned = kinds[i] != '-';
    }
    return LayoutDock(items, iconSize, nowPlaying);
}

TEST(DockGeometry, CellsGapAndDockSize) {
    // kinds, icon size, Now Playing cell; cell lefts (then Now Playing's), width, height.
    const std::tuple<std::string_view, int32_t, bool, std::vector<float>, float, float> rows[] = {
        {"S+++--", 48, false, {6, 62, 118, 174, 241, 297}, 359, 67},
        {"S-+", 32, false, {6, 57, 97}, 143, 49},  // no gap after a running app
        {"S+", 48, true, {6, 62, 129}, 191, 67},
        {"", 48, false, {}, 12, 67}};
    for (const auto& [kinds, iconSize, nowPlaying, lefts, width, height] : rows) {
        const DockLayout layout = Layout(kinds, iconSize, nowPlaying);
        std::vector<float> got;
        for (const PointRect& cell : layout.cells) {
            got.push_back(cell.left);
            EXPECT_EQ(cell, (PointRect{cell.left, 0, cell.left + iconSize + 8, height}));
        }
        if (nowPlaying) {
            got.push_back(layout.nowPlaying.left);
        }
        EXPECT_EQ(got, lefts) << kinds;
        EXPECT_EQ(layout.width, width);
        EXPECT_EQ(layout.height, height);
    }
}

TEST(DockGeometry, WindowIsCentredAboveTheBottomAndHidesBelowItIconsGrowUpwards) {
    // At 144 DPI 538.5 x 100.5 pixels round up; the half pixel of centring goes left.
    EXPECT_EQ(DockWindowRect(kMonitor, 96, 359, 67), kDock);
    EXPECT_EQ(DockWindowRect({-2560, 0, 0, 1440}, 144, 359, 67),
              (PixelRect{-1550, 1330, -1011, 1431}));
    EXPECT_EQ(DockWindowTop(kDock, 96, 0.5f), 1007 + 37);
    EXPECT_EQ(DockWindowTop(kDock, 96, 1.0f), 1080 + 2);
    // Icons grow upwards.
    EXPECT_EQ(DockIconSquare({6, 0, 62, 67}, 48, 1.0f, 67), (PointRect{10, 10.5f, 58, 58.5f}));
    EXPECT_EQ(DockLargeIconPixels(48, 120), 67);  // 67.2
}

TEST(DockGeometry, RevealStripZoneAndHalfOpenCellsHitInDips) {
    // DPI, RevealWidth, dock left and right, strip left and right.
    const int strips[][6] = {{96, -3, 780, 1139, 780, 1139}, {96, 1, 780, 1139, 630, 1289},
                             {120, 1, 780, 1139, 592, 1327}, {96, 3, 780, 1139, 4, 1916},
                             {960, 7, 780, 1139, 4, 1916},   {96, 0, 2, 1919, 4, 1916}};
    for (const auto& s : strips) {
        const PixelRect dock{s[2], 1007, s[3], 1074};
        EXPECT_EQ(DockEdgeRect(kMonitor, dock, static_cast<uint32_t>(s[0]), s[1]),
                  (PixelRect{s[4], 1078, s[5], 1080}))
            << s[1] << " at " << s[0];
    }
    const PixelRect edge = DockEdgeRect(kMonitor, kDock, 96, 1);  // 630..1289
    const int inside[][2] = {{780, 1007}, {1138, 1079}, {630, 1074}, {1288, 1079}};
    const int outside[][2] = {{1139, 1010}, {779, 1073}, {780, 1006}, {629, 1079}, {900, 1080}};
    for (const auto& p : inside) {
        EXPECT_TRUE(InRevealZone(p[0], p[1], kMonitor, kDock, edge)) << p[0] << "," << p[1];
    }
    for (const auto& p : outside) {
        EXPECT_FALSE(InRevealZone(p[0], p[1], kMonitor, kDock, edge)) << p[0] << "," << p[1];
    }

    // Hit tests use half-open cells in DIPs.
    const std::vector<PointRect> cells = Layout("S+++--").cells;
    // Client x, DPI, cell hit.
    const int hits[][3] = {{5, 96, -1},   {6, 96, 0},   {61, 96, 0},   {62, 96, 1},
                           {230, 96, -1}, {241, 96, 4}, {353, 96, -1}, {8, 144, -1},
                           {9, 144, 0},   {92, 144, 0}, {93, 144, 1},  {529, 144, 5}};
    for (const auto& h : hits) {
        EXPECT_EQ(HitTestDock(cells, h[0], static_cast<uint32_t>(h[1])), h[2])
            << h[0] << "@" << h[1];
    }
}

}  // namespace
}  // namespace corvane
