// The strokes of keys pressed together, and what is let go when the system
// takes only part of a batch.

#include "toolkit/KeyChordStrokes.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace corvane {
namespace {

constexpr uint32_t kUp = kStrokeKeyUp;
constexpr uint32_t kExt = kStrokeExtended;

TEST(KeyChordStrokes, DownInOrderThenUpInReverse) {
    const std::vector<KeyStroke> expected = {{0x5B, 0},  {0x10, 0},   {'A', 0},
                                             {'A', kUp}, {0x10, kUp}, {0x5B, kUp}};
    EXPECT_EQ(PressTogetherStrokes({0x5B, 0x10, 'A'}), expected);
    EXPECT_TRUE(PressTogetherStrokes({}).empty());
}

TEST(KeyChordStrokes, ReleasesWhatTheTakenPartLeftDown) {
    const std::vector<KeyStroke> winTab = PressTogetherStrokes({0x5B, 0x09});
    const std::vector<KeyStroke> mixed = {{0x11, 0}, {0x2E, kExt}, {0x2E, kExt | kUp}, {0x10, 0}};
    const std::tuple<std::vector<KeyStroke>, std::size_t, std::vector<KeyStroke>> rows[] = {
        {winTab, 0, {}},
        {winTab, 1, {{0x5B, kUp}}},
        {winTab, 3, {{0x5B, kUp}}},
        {winTab, 9, {}},
        {mixed, 2, {{0x2E, kExt | kUp}, {0x11, kUp}}},
        {mixed, 4, {{0x10, kUp}, {0x11, kUp}}}};
    for (const auto& [strokes, inserted, ups] : rows) {
        EXPECT_EQ(StrokesToRelease(strokes, inserted), ups) << inserted;
    }
}

}  // namespace
}  // namespace corvane
