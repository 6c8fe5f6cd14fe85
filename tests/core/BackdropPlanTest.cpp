// The glass rule: which DWM attributes and accent each backdrop gets.

#include "toolkit/BackdropPlan.h"

#include <gtest/gtest.h>

#include <climits>

namespace corvane {
namespace {

TEST(TintAlpha, ScalesPercentToByteWithIntegerDivision) {
    EXPECT_EQ(TintAlpha(0), 0);
    EXPECT_EQ(TintAlpha(100), 255);
    EXPECT_EQ(TintAlpha(72), 183);  // 18360 / 100
    EXPECT_EQ(TintAlpha(1), 2);     // 255 / 100
    EXPECT_EQ(TintAlpha(99), 252);  // 25245 / 100
}

TEST(TintAlpha, OutOfRangeTintIsBounded) {
    EXPECT_EQ(TintAlpha(-1), 0);
    EXPECT_EQ(TintAlpha(INT_MIN), 0);
    EXPECT_EQ(TintAlpha(101), 255);
    EXPECT_EQ(TintAlpha(INT_MAX), 255);
}

TEST(AcrylicGradientColor, GreyLevelFollowsTheThemeInEveryChannel) {
    EXPECT_EQ(AcrylicGradientColor(0, true), 0x00202020u);
    EXPECT_EQ(AcrylicGradientColor(100, true), 0xFF202020u);
    EXPECT_EQ(AcrylicGradientColor(0, false), 0x00F3F3F3u);
    EXPECT_EQ(AcrylicGradientColor(100, false), 0xFFF3F3F3u);
    EXPECT_EQ(AcrylicGradientColor(50, false), 0x7FF3F3F3u);
    EXPECT_EQ(AcrylicGradientColor(-20, true), 0x00202020u);
}

TEST(PlanBackdrop, AcrylicExtendsTheFrameAndTintsTheBlur) {
    const BackdropPlan p = PlanBackdrop(Backdrop::Acrylic, 72, false, true);
    EXPECT_TRUE(p.darkMode);
    EXPECT_EQ(p.frameMargin, -1);
    EXPECT_EQ(p.systemBackdrop, kSystemBackdropNone);
    EXPECT_EQ(p.accentState, kAccentAcrylicBlurBehind);
    EXPECT_EQ(p.gradientColor, 0xB7202020u);
}

TEST(PlanBackdrop, MicaUsesTheSystemMaterialWithoutAccent) {
    const BackdropPlan p = PlanBackdrop(Backdrop::Mica, 72, false, false);
    EXPECT_FALSE(p.darkMode);
    EXPECT_EQ(p.accentState, kAccentDisabled);
    EXPECT_EQ(p.frameMargin, -1);
    EXPECT_EQ(p.systemBackdrop, kSystemBackdropMica);
}

TEST(PlanBackdrop, SolidRemovesTheGlass) {
    const BackdropPlan p = PlanBackdrop(Backdrop::Solid, 72, false, true);
    EXPECT_EQ(p.accentState, kAccentDisabled);
    EXPECT_EQ(p.frameMargin, 0);
    EXPECT_EQ(p.systemBackdrop, kSystemBackdropNone);
}

TEST(PlanBackdrop, PlainWinsOverEveryBackdrop) {
    for (Backdrop b : {Backdrop::Acrylic, Backdrop::Mica, Backdrop::Solid}) {
        const BackdropPlan p = PlanBackdrop(b, 100, true, false);
        EXPECT_FALSE(p.darkMode);
        EXPECT_EQ(p.accentState, kAccentDisabled);
        EXPECT_EQ(p.frameMargin, -1);
        EXPECT_EQ(p.systemBackdrop, kSystemBackdropNone);
    }
}

}  // namespace
}  // namespace corvane
