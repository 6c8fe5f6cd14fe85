#include "bar/BarIslands.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr float kW = 1000;
constexpr float kH = 28;
using K = BarItemKind;

BarItem Item(K kind, float left, float right) {
    BarItem item;
    item.kind = kind;
    item.left = left;
    item.right = right;
    item.top = 3;
    item.bottom = kH - 3;
    return item;
}

// In list order, which is not left to right: the name first, menus last. Now
// Playing's place is the layout's to check.
const std::vector<BarItem> kFullBar = {
    Item(K::AppNameItem, 6, 75),     Item(K::ClockItem, 473, 528),
    Item(K::StatusItem, 934, 994),   Item(K::TilingButtonItem, 900, 928),
    Item(K::TrayIconItem, 822, 848), Item(K::TrayIconItem, 848, 874),
    Item(K::MenuTitleItem, 77, 123), Item(K::MenuTitleItem, 123, 169),
};

TEST(BarIslands, GroupsOfEachStyle) {
    struct Row {
        const char* name;
        BarStyle style;
        std::vector<BarItem> items;
        std::vector<std::pair<float, float>> islands;  // each from the top to the bottom
    };
    const BarStyle separated = BarStyle::Separated;
    const BarStyle islands = BarStyle::Islands;
    const float p = 4.8f;
    const Row rows[] = {
        {"separated: left, centre and right",
         separated,
         kFullBar,
         {{0, 169 + p}, {473 - p, 528 + p}, {822 - p, kW}}},
        {"separated: no application, no left island",
         separated,
         {Item(K::ClockItem, 473, 528), Item(K::StatusItem, 934, 994)},
         {{473 - p, 528 + p}, {934 - p, kW}}},
        {"separated: nothing right of the clock, no right island",
         separated,
         {Item(K::AppNameItem, 6, 75), Item(K::ClockItem, 473, 528)},
         {{0, 75 + p}, {473 - p, 528 + p}}},
        {"separated: a left side ending at 0 gets no island",
         separated,
         {Item(K::AppNameItem, -10, 0), Item(K::ClockItem, 473, 528)},
         {{473 - p, 528 + p}}},
        {"separated: the centre is always there", separated, {}, {{-p, p}}},
        {"islands: a name without menus",
         islands,
         {Item(K::AppNameItem, 6, 75), Item(K::ClockItem, 940, 994)},
         {{0, 79}, {934, kW}}},
        {"islands: only the right side",
         islands,
         {Item(K::StatusItem, 880, 940), Item(K::ClockItem, 940, 994)},
         {{874, kW}}},
        {"islands: no items, no islands", islands, {}, {}},
        {"classic has none", BarStyle::Classic, kFullBar, {}},
        {"floating has none", BarStyle::Floating, kFullBar, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        std::vector<PointRect> built = {{1, 2, 3, 4}};  // what the last layout left
        BuildBarIslands(r.items, r.style, kW, kH, false, built);
        ASSERT_EQ(built.size(), r.islands.size());
        for (std::size_t i = 0; i < built.size(); ++i) {
            EXPECT_FLOAT_EQ(built[i].left, r.islands[i].first) << i;
            EXPECT_FLOAT_EQ(built[i].right, r.islands[i].second) << i;
            EXPECT_FLOAT_EQ(built[i].top, 0) << i;
            EXPECT_FLOAT_EQ(built[i].bottom, kH) << i;
        }
    }
}

}  // namespace
}  // namespace corvane
