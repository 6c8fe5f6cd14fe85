// What is let go when the system takes only part of a batch of strokes.

#include "toolkit/KeyChordStrokes.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

constexpr uint32_t kUp = kStrokeKeyUp;

TEST(KeyChordStrokes, ReleasesWhatTheTakenPartLeftDown) {
    const std::vector<KeyStroke> winTab = PressTogetherStrokes({0x5B, 0x09});
    const std::vector<KeyStroke> mixed = {
        {0x11, 0}, {0x2E, kStrokeExtended}, {0x2E, kStrokeExtended | kUp}, {0x10, 0}, {0x11, kUp}};
    const struct {
        const std::vector<KeyStroke>& strokes;
        std::size_t inserted;
        std::vector<KeyStroke> ups;
    } rows[] = {
        {winTab, 0, {}},
        {winTab, 1, {{0x5B, kUp}}},
        {winTab, 2, {{0x09, kUp}, {0x5B, kUp}}},
        {winTab, 3, {{0x5B, kUp}}},
        {winTab, 4, {}},
        {winTab, 9, {}},
        {mixed, 2, {{0x2E, kStrokeExtended | kUp}, {0x11, kUp}}},
        {mixed, 4, {{0x10, kUp}, {0x11, kUp}}},
        {mixed, 5, {{0x10, kUp}}},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(StrokesToRelease(r.strokes, r.inserted), r.ups) << r.inserted;
    }
}

}  // namespace
}  // namespace corvane
