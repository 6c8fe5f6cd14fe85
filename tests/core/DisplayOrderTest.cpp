#include "app/DisplayOrder.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Ids = std::vector<uint64_t>;

std::vector<DisplayInfo> ThreeDisplays() {
    // Enumeration order as the system gives it: main first.
    return {{1, {0, 0, 1920, 1080}, true},
            {2, {-2560, -200, 0, 1240}, false},
            {3, {1920, 0, 3840, 1080}, false}};
}

Ids IdsOf(const std::vector<DisplayInfo>& displays) {
    Ids ids;
    for (const auto& d : displays) {
        ids.push_back(d.id);
    }
    return ids;
}

TEST(DisplayOrder, NumbersLeftToRightThenTopFirst) {
    EXPECT_EQ(IdsOf(SortDisplays(ThreeDisplays())), (Ids{2, 1, 3}));
    const std::vector<DisplayInfo> stacked{{7, {0, 1080, 1920, 2160}, false},
                                           {8, {0, 0, 1920, 1080}, true}};
    EXPECT_EQ(IdsOf(SortDisplays(stacked)), (Ids{8, 7}));
}

TEST(DisplayOrder, DockOnTheMainDisplayByDefault) {
    const auto sorted = SortDisplays(ThreeDisplays());
    EXPECT_EQ(DockDisplays(0, sorted, 1), Ids{1});
}

TEST(DisplayOrder, EveryDisplayPutsTheMainOneFirst) {
    const auto sorted = SortDisplays(ThreeDisplays());
    EXPECT_EQ(DockDisplays(1, sorted, 1), (Ids{1, 2, 3}));
}

TEST(DisplayOrder, NumberedDisplayOrTheMainOneWhenItIsMissing) {
    const auto sorted = SortDisplays(ThreeDisplays());
    EXPECT_EQ(DockDisplays(2, sorted, 1), Ids{2});  // display 1 is the leftmost
    EXPECT_EQ(DockDisplays(4, sorted, 1), Ids{3});
    EXPECT_EQ(DockDisplays(5, sorted, 1), Ids{1});  // display 4 does not exist
    const std::vector<DisplayInfo> two{{1, {0, 0, 10, 10}, true}, {2, {10, 0, 20, 10}, false}};
    EXPECT_EQ(DockDisplays(4, two, 1), Ids{1});
    EXPECT_EQ(DockDisplays(9, {}, 5), Ids{5});
}

}  // namespace
}  // namespace corvane
