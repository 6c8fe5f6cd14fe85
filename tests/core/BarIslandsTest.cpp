#include "bar/BarIslands.h"
#include "core/BarLayoutFakes.h"

#include <gtest/gtest.h>

#include <sstream>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

constexpr float kW = 1000;
constexpr float kH = 28;
using K = BarItemKind;

using test::ItemAt;

// In list order, which is not left to right: the name first, menus last. Now
// Playing's place is the layout's to check.
const std::vector<BarItem> kFullBar = {
    ItemAt(K::AppNameItem, 6, 75),     ItemAt(K::ClockItem, 473, 528),
    ItemAt(K::StatusItem, 934, 994),   ItemAt(K::TilingButtonItem, 900, 928),
    ItemAt(K::TrayIconItem, 822, 848), ItemAt(K::TrayIconItem, 848, 874),
    ItemAt(K::MenuTitleItem, 77, 123), ItemAt(K::MenuTitleItem, 123, 169)};

TEST(BarIslands, GroupsOfEachStyle) {
    // Name, style, items; left..right of each island, all from the top to the bottom.
    using Row = std::tuple<const char*, BarStyle, std::vector<BarItem>, const char*>;
    const BarStyle sep = BarStyle::Separated, isl = BarStyle::Islands;
    const BarItem name = kFullBar[0], clock = kFullBar[1], status = kFullBar[2];
    const BarItem noName = ItemAt(K::AppNameItem, -10, 0),
                  lateClock = ItemAt(K::ClockItem, 940, 994);
    const Row rows[] = {
        {"separated: left, centre, right", sep, kFullBar, "0..173.8 468.2..532.8 817.2..1000"},
        {"separated: no name, no left island", sep, {clock, status}, "468.2..532.8 929.2..1000"},
        {"separated: nothing right of the clock", sep, {name, clock}, "0..79.8 468.2..532.8"},
        {"separated: a left side ending at 0", sep, {noName, clock}, "468.2..532.8"},
        {"separated: the centre is always there", sep, {}, "-4.8..4.8"},
        {"islands: a name without menus", isl, {name, lateClock}, "0..79 934..1000"},
        {"islands: right side only",
         isl,
         {ItemAt(K::StatusItem, 880, 940), lateClock},
         "874..1000"},
        {"islands: no items, no islands", isl, {}, ""},
        {"classic has none", BarStyle::Classic, kFullBar, ""},
        {"floating has none", BarStyle::Floating, kFullBar, ""}};
    for (const auto& [name, style, items, expected] : rows) {
        SCOPED_TRACE(name);
        std::vector<PointRect> built = {{1, 2, 3, 4}};  // what the last layout left
        BuildBarIslands(items, style, kW, kH, false, built);
        std::ostringstream islands;
        for (const PointRect& island : built) {
            islands << (&island == built.data() ? "" : " ") << island.left << ".." << island.right;
            EXPECT_FLOAT_EQ(island.top, 0);
            EXPECT_FLOAT_EQ(island.bottom, kH);
        }
        EXPECT_EQ(islands.str(), expected);
    }
}

}  // namespace
}  // namespace corvane
