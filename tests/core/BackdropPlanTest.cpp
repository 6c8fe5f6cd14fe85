// The glass rule: which DWM attributes and accent each backdrop gets.

#include "toolkit/BackdropPlan.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace corvane {
namespace {

TEST(BackdropPlan, TintScalesPercentToAByteWithIntegerDivision) {
    const std::pair<int, int> cases[] = {{0, 0},     {100, 255},   {72, 183},
                                         {1, 2},     {99, 252},    {-1, 0},
                                         {101, 255}, {INT_MIN, 0}, {INT_MAX, 255}};
    for (const auto& [percent, alpha] : cases) {
        EXPECT_EQ(TintAlpha(percent), alpha) << percent;
    }
    // The grey follows the theme in every channel.
    EXPECT_EQ(AcrylicGradientColor(100, true), 0xFF202020u);
    EXPECT_EQ(AcrylicGradientColor(50, false), 0x7FF3F3F3u);
    EXPECT_EQ(AcrylicGradientColor(-20, true), 0x00202020u);
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

}  // namespace
}  // namespace corvane
