// The glass rule: which DWM attributes and accent each backdrop gets.

#include "toolkit/BackdropPlan.h"

#include <gtest/gtest.h>

#include <climits>

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
        bool plain, dark;
        int32_t accent;
        uint32_t gradient;
        int32_t margin, system;
    };
    for (const Row& r :
         {Row{Backdrop::Acrylic, false, true, kAccentAcrylicBlurBehind, 0xB7202020u, -1,
              kSystemBackdropNone},
          {Backdrop::Mica, false, false, kAccentDisabled, 0, -1, kSystemBackdropMica},
          {Backdrop::Solid, false, true, kAccentDisabled, 0, 0, kSystemBackdropNone},
          {Backdrop::Acrylic, true, false, kAccentDisabled, 0, -1, kSystemBackdropNone},
          {Backdrop::Solid, true, false, kAccentDisabled, 0, -1, kSystemBackdropNone}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.backdrop) << " plain " << r.plain);
        const BackdropPlan p = PlanBackdrop(r.backdrop, 72, r.plain, r.dark);
        EXPECT_EQ(p.darkMode, r.dark);
        EXPECT_EQ(p.accentState, r.accent);
        if (r.accent != kAccentDisabled) {
            EXPECT_EQ(p.gradientColor, r.gradient);
        }
        EXPECT_EQ(p.frameMargin, r.margin);
        EXPECT_EQ(p.systemBackdrop, r.system);
    }
}

}  // namespace
}  // namespace corvane
