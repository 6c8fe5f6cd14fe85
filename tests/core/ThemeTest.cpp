// The accent rule over raw registry values, and which palette each theme gets.

#include "bar/BarGeometry.h"
#include "toolkit/AccessibilityPrefs.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <tuple>
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

// The glass rule: which DWM attributes and accent each backdrop gets.
TEST(BackdropPlan, TintScalesPercentToAByteWithIntegerDivision) {
    const std::pair<int, int> cases[] = {{0, 0},     {100, 255},   {72, 183},
                                         {1, 2},     {99, 252},    {-1, 0},
                                         {101, 255}, {INT_MIN, 0}, {INT_MAX, 255}};
    for (const auto& [percent, alpha] : cases) {
        EXPECT_EQ(TintAlpha(percent), alpha) << percent;
    }
}

TEST(BackdropPlan, EachBackdropGetsItsAttributesAndPlainWinsOverAll) {
    struct Row {
        Backdrop backdrop;
        bool plain, dark, glass, activates;
        int32_t accent;
        uint32_t gradient;
        int32_t margin, system;
    };
    constexpr auto kAcrylic = kAccentAcrylicBlurBehind;
    for (const Row& r :
         {Row{Backdrop::Acrylic, false, true, true, false, kAcrylic, 0xB7202020u, -1,
              kSystemBackdropNone},
          // Mica only where the window becomes active; elsewhere its
          // inactive fallback would be all anyone sees.
          {Backdrop::Mica, false, false, true, true, kAccentDisabled, 0, -1, kSystemBackdropMica},
          {Backdrop::Mica, false, false, true, false, kAcrylic, 0xB7F3F3F3u, -1,
           kSystemBackdropNone},
          {Backdrop::Solid, false, true, true, true, kAccentDisabled, 0, 0, kSystemBackdropNone},
          // Transparency effects off or battery saver: opaque for every material.
          {Backdrop::Acrylic, false, true, false, false, kAccentDisabled, 0, 0,
           kSystemBackdropNone},
          {Backdrop::Mica, false, true, false, true, kAccentDisabled, 0, 0, kSystemBackdropNone},
          {Backdrop::Acrylic, true, false, true, false, kAccentDisabled, 0, -1,
           kSystemBackdropNone},
          {Backdrop::Solid, true, false, false, false, kAccentDisabled, 0, -1,
           kSystemBackdropNone}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.backdrop) << " plain " << r.plain
                                        << " glass " << r.glass << " active " << r.activates);
        const BackdropPlan p =
            PlanBackdrop({r.backdrop, 72, r.plain, r.dark, r.glass, r.activates});
        EXPECT_EQ(p.darkMode, r.dark);
        EXPECT_EQ(p.accentState, r.accent);
        if (r.accent != kAccentDisabled) {
            EXPECT_EQ(p.gradientColor, r.gradient);
        }
        EXPECT_EQ(p.frameMargin, r.margin);
        EXPECT_EQ(p.systemBackdrop, r.system);
    }
}

TEST(BackdropPlan, GlassNeedsTransparencyEffectsOnAndBatterySaverOff) {
    // (EnableTransparency, SystemStatusFlag) -> allowed
    for (const auto& [transparency, saver, allowed] :
         {std::tuple{1u, 0, true}, {0u, 0, false}, {1u, 1, false}, {2u, 0, true}}) {
        EXPECT_EQ(GlassAllowed(transparency, static_cast<uint8_t>(saver)), allowed);
    }
}

// High contrast: every colour comes from the system, and the palette is
// readable in a white-on-black and a black-on-white scheme alike.
TEST(Accessibility, HighContrastPaintsWithTheSystemColoursAndNoGlass) {
    const SystemColors black{0x000000, 0xFFFFFF, 0xFFFF1A, 0x000000, 0x101010, 0x3FF23F, 0xFF8080};
    const SystemColors white{};
    for (const auto& [colors, dark] : {std::pair{black, true}, std::pair{white, false}}) {
        for (const uint32_t light : {0u, 1u}) {
            const Theme t = WithAccessibility(MakeTheme(light, {}), {true, colors, 100, true});
            SCOPED_TRACE(testing::Message() << "dark scheme " << dark << " light app " << light);
            EXPECT_TRUE(t.highContrast);
            EXPECT_FALSE(t.glass);
            EXPECT_EQ(t.dark, dark);
            EXPECT_TRUE(t.surface == FromColorRef(colors.window));
            EXPECT_TRUE(t.text == FromColorRef(colors.windowText));
            EXPECT_TRUE(t.hairline == t.text);
            EXPECT_TRUE(t.secondaryText == FromColorRef(colors.grayText));
            EXPECT_TRUE(t.hoverFill == FromColorRef(colors.highlight));
            EXPECT_TRUE(t.selectedText == FromColorRef(colors.highlightText));
            EXPECT_EQ(Opacity(t, 0.1f), 1.0f);
        }
    }
    EXPECT_TRUE(FromColorRef(0x00336699) == (ColorF{0x99 / 255.0f, 0x66 / 255.0f, 0.2f, 1.0f}));
    EXPECT_EQ(Opacity(WithAccessibility(MakeTheme(0, {}), {}), 0.1f), 0.1f);
}

// The text scale: held to Windows' range, and the bar's height grows with it.
TEST(Accessibility, TextScaleIsClampedAndGrowsTheBar) {
    const struct {
        std::optional<uint32_t> registry;
        float scale;
        int32_t barPixelsAt144;  // a 32-point bar at 150 % display scale
    } rows[] = {{std::nullopt, 1.0f, 48}, {100u, 1.0f, 48},         {150u, 1.5f, 72},
                {225u, 2.25f, 108},       {99u, 1.0f, 48},          {0u, 1.0f, 48},
                {226u, 2.25f, 108},       {0xFFFFFFFFu, 2.25f, 108}};
    for (const auto& r : rows) {
        AccessibilityPrefs prefs;
        prefs.textScalePercent = TextScalePercent(r.registry);
        const Theme t = WithAccessibility(Theme{}, prefs);
        EXPECT_EQ(t.textScale, r.scale) << r.registry.value_or(0);
        EXPECT_EQ(
            ComputeBarMetrics(TextScaledPoints(32, t.textScale), BarStyle::Classic, 144).height,
            r.barPixelsAt144);
    }
}

}  // namespace
}  // namespace corvane
