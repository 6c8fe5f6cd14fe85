#include "app/DisplayOrder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Ids = std::vector<uint64_t>;

Ids IdsOf(const std::vector<DisplayInfo>& displays) {
    Ids ids;
    for (const auto& d : displays) {
        ids.push_back(d.id);
    }
    return ids;
}

TEST(DisplayOrder, NumbersLeftToRightThenTopFirstAndTheDockFollowsTheNumber) {
    // Numbered 2, 1, 3 from the left; 1 is the main display.
    const std::vector<DisplayInfo> sorted = SortDisplays({{1, {0, 0, 1920, 1080}, true},
                                                          {2, {-2560, -200, 0, 1240}, false},
                                                          {3, {1920, 0, 3840, 1080}, false}});
    EXPECT_EQ(IdsOf(sorted), (Ids{2, 1, 3}));
    EXPECT_EQ(
        IdsOf(SortDisplays({{7, {0, 1080, 1920, 2160}, false}, {8, {0, 0, 1920, 1080}, true}})),
        (Ids{8, 7}));
    // The setting: 0 the main display, 1 every display, then a display's number.
    const std::pair<int, Ids> cases[] = {{0, {1}}, {1, {1, 2, 3}}, {2, {2}},
                                         {4, {3}}, {5, {1}},       {9, {1}}};
    for (const auto& [setting, ids] : cases) {
        EXPECT_EQ(DockDisplays(setting, sorted, 1), ids) << setting;
    }
    EXPECT_EQ(DockDisplays(9, {}, 5), Ids{5});
}

}  // namespace
}  // namespace corvane
