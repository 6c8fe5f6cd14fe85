#include "bar/BarIslands.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr float kW = 1000;
constexpr float kH = 28;

BarItem Item(BarItemKind kind, float left, float right) {
    BarItem item;
    item.kind = kind;
    item.left = left;
    item.right = right;
    item.top = 3;
    item.bottom = kH - 3;
    return item;
}

std::vector<PointRect> Islands(const std::vector<BarItem>& items, BarStyle style,
                               bool nowPlayingNextToClock = false) {
    std::vector<PointRect> islands;
    BuildBarIslands(items, style, kW, kH, nowPlayingNextToClock, islands);
    return islands;
}

void ExpectIsland(const PointRect& island, float left, float right) {
    EXPECT_FLOAT_EQ(island.left, left);
    EXPECT_FLOAT_EQ(island.right, right);
    EXPECT_FLOAT_EQ(island.top, 0);
    EXPECT_FLOAT_EQ(island.bottom, kH);
}

// Deliberately not in left-to-right order: the list order of a real layout
// puts the name first and the menus last.
std::vector<BarItem> FullBar() {
    return {
        Item(BarItemKind::AppNameItem, 6, 75),     Item(BarItemKind::ClockItem, 473, 528),
        Item(BarItemKind::StatusItem, 934, 994),   Item(BarItemKind::TilingButtonItem, 900, 928),
        Item(BarItemKind::TrayIconItem, 822, 848), Item(BarItemKind::TrayIconItem, 848, 874),
        Item(BarItemKind::MenuTitleItem, 77, 123), Item(BarItemKind::MenuTitleItem, 123, 169),
    };
}

TEST(BarIslandsSeparated, LeftCentreAndRightGroupsWithPaddingOf4_8) {
    const auto islands = Islands(FullBar(), BarStyle::Separated);
    ASSERT_EQ(islands.size(), 3u);
    ExpectIsland(islands[0], 0, 169 + 4.8f);
    ExpectIsland(islands[1], 473 - 4.8f, 528 + 4.8f);
    ExpectIsland(islands[2], 822 - 4.8f, kW);
}

TEST(BarIslandsSeparated, NowPlayingJoinsTheCentreOnlyWhenNextToTheClock) {
    std::vector<BarItem> items = FullBar();
    items.push_back(Item(BarItemKind::NowPlayingItem, 398, 469));

    auto islands = Islands(items, BarStyle::Separated, true);
    ASSERT_EQ(islands.size(), 3u);
    ExpectIsland(islands[1], 398 - 4.8f, 528 + 4.8f);
    ExpectIsland(islands[2], 822 - 4.8f, kW);

    // Next to the tray it belongs to the right-hand group.
    items.back() = Item(BarItemKind::NowPlayingItem, 745, 816);
    islands = Islands(items, BarStyle::Separated, false);
    ASSERT_EQ(islands.size(), 3u);
    ExpectIsland(islands[1], 473 - 4.8f, 528 + 4.8f);
    ExpectIsland(islands[2], 745 - 4.8f, kW);
}

TEST(BarIslandsSeparated, GroupsWithoutItemsGetNoIslandButTheCentreAlwaysDoes) {
    // No application: no left island.
    auto islands =
        Islands({Item(BarItemKind::ClockItem, 473, 528), Item(BarItemKind::StatusItem, 934, 994)},
                BarStyle::Separated);
    ASSERT_EQ(islands.size(), 2u);
    ExpectIsland(islands[0], 473 - 4.8f, 528 + 4.8f);
    ExpectIsland(islands[1], 934 - 4.8f, kW);

    // Nothing right of the clock: no right island.
    islands =
        Islands({Item(BarItemKind::AppNameItem, 6, 75), Item(BarItemKind::ClockItem, 473, 528)},
                BarStyle::Separated);
    ASSERT_EQ(islands.size(), 2u);
    ExpectIsland(islands[0], 0, 75 + 4.8f);
    ExpectIsland(islands[1], 473 - 4.8f, 528 + 4.8f);

    // No items at all: only the centre sliver around 0.
    islands = Islands({}, BarStyle::Separated);
    ASSERT_EQ(islands.size(), 1u);
    ExpectIsland(islands[0], -4.8f, 4.8f);
}

TEST(BarIslandsSeparated, LeftIslandNeedsARightEdgeAboveZero) {
    const auto islands =
        Islands({Item(BarItemKind::AppNameItem, -10, 0), Item(BarItemKind::ClockItem, 473, 528)},
                BarStyle::Separated);
    ASSERT_EQ(islands.size(), 1u);
    ExpectIsland(islands[0], 473 - 4.8f, 528 + 4.8f);
}

TEST(BarIslandsIslandsStyle, NameMenusAndRightSideEachGetAnIsland) {
    const auto islands = Islands(FullBar(), BarStyle::Islands);
    ASSERT_EQ(islands.size(), 3u);
    ExpectIsland(islands[0], 0, 75 + 4);
    ExpectIsland(islands[1], 77 - 4, 169 + 4);
    // The clock is part of the right-hand island in this style.
    ExpectIsland(islands[2], 473 - 6, kW);
}

TEST(BarIslandsIslandsStyle, MissingGroupsAreLeftOut) {
    // A name without menus.
    auto islands =
        Islands({Item(BarItemKind::AppNameItem, 6, 75), Item(BarItemKind::ClockItem, 940, 994)},
                BarStyle::Islands);
    ASSERT_EQ(islands.size(), 2u);
    ExpectIsland(islands[0], 0, 79);
    ExpectIsland(islands[1], 934, kW);

    // Only right-hand items.
    islands =
        Islands({Item(BarItemKind::StatusItem, 880, 940), Item(BarItemKind::ClockItem, 940, 994)},
                BarStyle::Islands);
    ASSERT_EQ(islands.size(), 1u);
    ExpectIsland(islands[0], 874, kW);

    // No items: no islands at all (unlike the separated style).
    EXPECT_TRUE(Islands({}, BarStyle::Islands).empty());
}

TEST(BarIslands, ClassicAndFloatingHaveNoneAndOldIslandsAreDropped) {
    for (BarStyle style : {BarStyle::Classic, BarStyle::Floating}) {
        std::vector<PointRect> islands = {{1, 2, 3, 4}};
        BuildBarIslands(FullBar(), style, kW, kH, false, islands);
        EXPECT_TRUE(islands.empty()) << static_cast<int>(style);
    }
    std::vector<PointRect> islands = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    BuildBarIslands(FullBar(), BarStyle::Separated, kW, kH, false, islands);
    EXPECT_EQ(islands.size(), 3u);
}

}  // namespace
}  // namespace corvane
