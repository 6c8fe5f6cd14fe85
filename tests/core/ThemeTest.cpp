// The accent rule over raw registry values, and which palette each theme gets.

#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace corvane {
namespace {

// Entries whose R, G, B bytes name the entry: entry i = (10i, 10i+1, 10i+2),
// the unused fourth byte 0xFF.
std::vector<uint8_t> NumberedPalette(std::size_t bytes) {
    std::vector<uint8_t> palette(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        palette[i] = static_cast<uint8_t>(i % 4 == 3 ? 0xFF : i / 4 * 10 + i % 4);
    }
    return palette;
}

float Luminance(const ColorF& c) {
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

TEST(Theme, EachThemeHasItsOwnReadablePalette) {
    const Theme dark = MakeTheme(0, {});
    const Theme light = MakeTheme(1, {});
    EXPECT_TRUE(dark.dark);
    EXPECT_FALSE(light.dark);
    EXPECT_FALSE(MakeTheme(0xFFFFFFFFu, {}).dark);  // any value but 0 is light
    // Light text on a dark surface and the other way round.
    EXPECT_GT(Luminance(dark.text) - Luminance(dark.surface), 0.5f);
    EXPECT_GT(Luminance(light.surface) - Luminance(light.text), 0.5f);
    // Every colour but the accent changes with the theme.
    EXPECT_TRUE(dark.accent == light.accent);
    const ColorF Theme::*colours[] = {&Theme::text,        &Theme::secondaryText, &Theme::hoverFill,
                                      &Theme::pressedFill, &Theme::hairline,      &Theme::surface,
                                      &Theme::positive,    &Theme::negative};
    for (const auto colour : colours) {
        EXPECT_FALSE(dark.*colour == light.*colour);
    }
}

TEST(Theme, AccentIsEntryOneWhenDarkAndEntryFiveWhenLightOfAWholePalette) {
    const auto rgb = [](int r, int g, int b) {
        return ColorF{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
    };
    struct Row {
        std::size_t bytes;
        uint32_t light;
        ColorF accent;
    };
    const Row rows[] = {{32, 0, rgb(10, 11, 12)}, {48, 1, rgb(50, 51, 52)},
                        {0, 1, kDefaultAccent},   {1, 0, kDefaultAccent},
                        {24, 0, kDefaultAccent},  {31, 1, kDefaultAccent}};
    for (const Row& r : rows) {
        EXPECT_TRUE(MakeTheme(r.light, NumberedPalette(r.bytes)).accent == r.accent)
            << r.bytes << " bytes, light " << r.light;
    }
}

}  // namespace
}  // namespace corvane
