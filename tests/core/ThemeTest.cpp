// The palette and the accent rule over raw registry values.

#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace corvane {
namespace {

// Eight entries whose R, G, B bytes name the entry: entry i = (10i, 10i+1, 10i+2),
// the unused fourth byte 0xFF.
std::vector<uint8_t> NumberedPalette(std::size_t bytes) {
    std::vector<uint8_t> palette(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        const std::size_t entry = i / 4;
        const std::size_t channel = i % 4;
        palette[i] = static_cast<uint8_t>(channel == 3 ? 0xFF : entry * 10 + channel);
    }
    return palette;
}

ColorF Rgb(int r, int g, int b) {
    return ColorF{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
}

void ExpectColor(const ColorF& c, float r, float g, float b, float a) {
    EXPECT_FLOAT_EQ(c.r, r);
    EXPECT_FLOAT_EQ(c.g, g);
    EXPECT_FLOAT_EQ(c.b, b);
    EXPECT_FLOAT_EQ(c.a, a);
}

TEST(Theme, MissingValuesGiveTheDarkPaletteWithTheDefaultAccent) {
    const Theme t = MakeTheme(0, {});
    EXPECT_TRUE(t.dark);
    ExpectColor(t.text, 1, 1, 1, 0.92f);
    ExpectColor(t.secondaryText, 1, 1, 1, 0.55f);
    ExpectColor(t.hoverFill, 1, 1, 1, 0.08f);
    ExpectColor(t.pressedFill, 1, 1, 1, 0.05f);
    ExpectColor(t.hairline, 1, 1, 1, 0.07f);
    ExpectColor(t.surface, 0.125f, 0.125f, 0.125f, 1);
    ExpectColor(t.accent, 0.376f, 0.804f, 1.0f, 1);
    ExpectColor(t.positive, 0.42f, 0.82f, 0.46f, 1);
    ExpectColor(t.negative, 1.0f, 0.36f, 0.36f, 1);
    // The record before any read is the same theme.
    const Theme initial;
    EXPECT_EQ(initial.dark, t.dark);
    EXPECT_EQ(initial.text, t.text);
    EXPECT_EQ(initial.accent, t.accent);
    EXPECT_EQ(initial.negative, t.negative);
}

TEST(Theme, LightValuesReplaceEverythingButTheAccent) {
    const Theme t = MakeTheme(1, {});
    EXPECT_FALSE(t.dark);
    ExpectColor(t.text, 0, 0, 0, 0.90f);
    ExpectColor(t.secondaryText, 0, 0, 0, 0.45f);
    ExpectColor(t.hoverFill, 0, 0, 0, 0.06f);
    ExpectColor(t.pressedFill, 0, 0, 0, 0.035f);
    ExpectColor(t.hairline, 0, 0, 0, 0.08f);
    ExpectColor(t.surface, 0.953f, 0.953f, 0.953f, 1);
    ExpectColor(t.accent, 0.376f, 0.804f, 1.0f, 1);
    ExpectColor(t.positive, 0.06f, 0.55f, 0.24f, 1);
    ExpectColor(t.negative, 0.77f, 0.17f, 0.11f, 1);
    // Any value but 0 is light.
    EXPECT_FALSE(MakeTheme(0xFFFFFFFFu, {}).dark);
}

TEST(Theme, FullPalettePicksEntryOneWhenDarkAndEntryFiveWhenLight) {
    const auto palette = NumberedPalette(32);
    EXPECT_EQ(MakeTheme(0, palette).accent, Rgb(10, 11, 12));
    EXPECT_EQ(MakeTheme(1, palette).accent, Rgb(50, 51, 52));
}

TEST(Theme, ShortPaletteKeepsTheDefaultAccentInBothThemes) {
    for (std::size_t bytes : {1u, 8u, 24u, 31u}) {
        const auto palette = NumberedPalette(bytes);
        EXPECT_EQ(MakeTheme(1, palette).accent, kDefaultAccent) << bytes << " bytes";
        EXPECT_EQ(MakeTheme(0, palette).accent, kDefaultAccent) << bytes << " bytes";
    }
}

TEST(Theme, LongerPaletteStillUsesTheFirstEightEntries) {
    const auto palette = NumberedPalette(48);
    EXPECT_EQ(MakeTheme(0, palette).accent, Rgb(10, 11, 12));
    EXPECT_EQ(MakeTheme(1, palette).accent, Rgb(50, 51, 52));
}

}  // namespace
}  // namespace corvane
