#include "bar/StatusGlyphs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(NetworkGlyph, NotConnectedIsTheGreyFan) {
    const NetworkGlyph g = ChooseNetworkGlyph(NetworkKind::None, 0);
    EXPECT_EQ(g.glyph, kGlyphWifi);
    EXPECT_EQ(g.colour, StatusColour::Secondary);
    EXPECT_FLOAT_EQ(g.alpha, 1.0f);
    EXPECT_FLOAT_EQ(g.litRadius, 0.0f);
    // A leftover signal value does not light anything up.
    EXPECT_EQ(ChooseNetworkGlyph(NetworkKind::None, 90).colour, StatusColour::Secondary);
}

TEST(NetworkGlyph, EthernetIsItsOwnGlyphInFullColour) {
    const NetworkGlyph g = ChooseNetworkGlyph(NetworkKind::Ethernet, 100);
    EXPECT_EQ(g.glyph, kGlyphEthernet);
    EXPECT_EQ(g.colour, StatusColour::Primary);
    EXPECT_FLOAT_EQ(g.alpha, 1.0f);
    EXPECT_FLOAT_EQ(g.litRadius, 0.0f);
}

TEST(NetworkGlyph, StrongWifiIsTheWholeFan) {
    for (int signal : {75, 88, 100}) {
        const NetworkGlyph g = ChooseNetworkGlyph(NetworkKind::WiFi, signal);
        EXPECT_EQ(g.glyph, kGlyphWifi) << signal;
        EXPECT_EQ(g.colour, StatusColour::Primary) << signal;
        EXPECT_FLOAT_EQ(g.alpha, 1.0f) << signal;
        EXPECT_FLOAT_EQ(g.litRadius, 0.0f) << signal;
    }
}

TEST(NetworkGlyph, WeakWifiLightsTheFanUpToTheSignalBand) {
    struct Case {
        int signal;
        float radius;
    };
    const Case cases[] = {{0, 3.38f},  {24, 3.38f}, {25, 6.24f}, {40, 6.24f},
                          {49, 6.24f}, {50, 9.36f}, {62, 9.36f}, {74, 9.36f}};
    for (const Case& c : cases) {
        const NetworkGlyph g = ChooseNetworkGlyph(NetworkKind::WiFi, c.signal);
        EXPECT_EQ(g.glyph, kGlyphWifi) << c.signal;
        EXPECT_EQ(g.colour, StatusColour::Primary) << c.signal;
        EXPECT_FLOAT_EQ(g.alpha, 0.35f) << c.signal;
        EXPECT_FLOAT_EQ(g.litRadius, c.radius) << c.signal;
    }
}

TEST(NetworkGlyph, LitCircleGrowsWithTheSignal) {
    float previous = 0.0f;
    for (int signal = 0; signal < 75; ++signal) {
        const float r = ChooseNetworkGlyph(NetworkKind::WiFi, signal).litRadius;
        EXPECT_GE(r, previous) << signal;
        previous = r;
    }
}

TEST(SoundGlyph, NoDeviceIsTheDimmedMuteGlyph) {
    for (bool muted : {false, true}) {
        const SoundGlyph g = ChooseSoundGlyph(false, muted, 0.5f);
        EXPECT_EQ(g.glyph, kGlyphMute);
        EXPECT_EQ(g.colour, StatusColour::Secondary);
    }
}

TEST(SoundGlyph, MutedIsTheMuteGlyphInFullColourAtAnyVolume) {
    for (float v : {0.0f, 0.5f, 1.0f}) {
        const SoundGlyph g = ChooseSoundGlyph(true, true, v);
        EXPECT_EQ(g.glyph, kGlyphMute) << v;
        EXPECT_EQ(g.colour, StatusColour::Primary) << v;
    }
}

TEST(SoundGlyph, VolumeBandsPickTheWaves) {
    struct Case {
        float volume;
        wchar_t glyph;
    };
    const Case cases[] = {
        {0.0f, kGlyphVolumeSilent}, {0.001f, kGlyphVolumeSilent}, {0.0011f, kGlyphVolumeLow},
        {0.02f, kGlyphVolumeLow},   {0.339f, kGlyphVolumeLow},    {0.34f, kGlyphVolumeMid},
        {0.5f, kGlyphVolumeMid},    {0.669f, kGlyphVolumeMid},    {0.67f, kGlyphVolumeHigh},
        {1.0f, kGlyphVolumeHigh},
    };
    for (const Case& c : cases) {
        const SoundGlyph g = ChooseSoundGlyph(true, false, c.volume);
        EXPECT_EQ(static_cast<int>(g.glyph), static_cast<int>(c.glyph)) << c.volume;
        EXPECT_EQ(g.colour, StatusColour::Primary) << c.volume;
    }
}

TEST(SoundGlyph, FollowsTheRecord) {
    StatusModel m;
    m.audioAvailable = true;
    m.volume = 0.5f;
    EXPECT_EQ(ChooseSoundGlyph(m).glyph, kGlyphVolumeMid);
    m.muted = true;
    EXPECT_EQ(ChooseSoundGlyph(m).glyph, kGlyphMute);
    EXPECT_EQ(ChooseSoundGlyph(m).colour, StatusColour::Primary);
    m.audioAvailable = false;
    EXPECT_EQ(ChooseSoundGlyph(m).colour, StatusColour::Secondary);
}

TEST(BatteryGauge, NoBatteryDrawsNothing) {
    EXPECT_FALSE(ChooseBatteryGauge(false, 80, true).visible);
    EXPECT_FALSE(ChooseBatteryGauge(false, 80, true).bolt);
    StatusModel m;
    m.batteryPercent = 50;
    EXPECT_FALSE(ChooseBatteryGauge(m).visible);
    m.hasBattery = true;
    EXPECT_TRUE(ChooseBatteryGauge(m).visible);
}

TEST(BatteryGauge, LowAndNotChargingIsAShortRedBar) {
    const BatteryGauge g = ChooseBatteryGauge(true, 15, false);
    EXPECT_TRUE(g.visible);
    EXPECT_FLOAT_EQ(g.fillWidth, 2.25f);
    EXPECT_EQ(g.fillColour, StatusColour::Negative);
    EXPECT_FALSE(g.bolt);
}

TEST(BatteryGauge, LowAndChargingIsGreenWithABolt) {
    const BatteryGauge g = ChooseBatteryGauge(true, 15, true);
    EXPECT_FLOAT_EQ(g.fillWidth, 2.25f);
    EXPECT_EQ(g.fillColour, StatusColour::Positive);
    EXPECT_TRUE(g.bolt);
}

TEST(BatteryGauge, RedBelowTwentyOnePercentOnly) {
    EXPECT_EQ(ChooseBatteryGauge(true, 20, false).fillColour, StatusColour::Negative);
    EXPECT_EQ(ChooseBatteryGauge(true, 21, false).fillColour, StatusColour::Primary);
    EXPECT_EQ(ChooseBatteryGauge(true, 100, false).fillColour, StatusColour::Primary);
}

TEST(BatteryGauge, FillWidthRunsFromAMinimumSliverToTheFullBody) {
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 0, false).fillWidth, 1.5f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 5, false).fillWidth, 1.5f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 10, false).fillWidth, 1.5f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 11, false).fillWidth, 1.65f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 50, false).fillWidth, 7.5f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 100, false).fillWidth, 15.0f);
    // Out-of-range values are clamped rather than drawn outside the body.
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, 180, false).fillWidth, 15.0f);
    EXPECT_FLOAT_EQ(ChooseBatteryGauge(true, -4, false).fillWidth, 1.5f);
}

TEST(BatteryShapes, ChargeStaysInsideTheBodyAtEveryLevel) {
    for (int percent = -10; percent <= 110; ++percent) {
        const BatteryGauge g = ChooseBatteryGauge(true, percent, false);
        const BatteryShapes s = LayoutBattery(70.0f, 14.0f, g);
        EXPECT_GT(s.charge.left, s.body.left) << percent;
        EXPECT_LT(s.charge.right, s.body.right) << percent;
        EXPECT_GT(s.charge.top, s.body.top) << percent;
        EXPECT_LT(s.charge.bottom, s.body.bottom) << percent;
        EXPECT_GT(s.charge.right, s.charge.left) << percent;
    }
}

TEST(BatteryShapes, BatteryFitsItsSlotAndTheTerminalSitsOutsideTheBody) {
    // Centre of the battery slot of a cluster at x0 = 0, bar height 28.
    const float cx = (kBatterySlotLeft + kBatterySlotRight) / 2;
    const BatteryShapes s = LayoutBattery(cx, 14.0f, ChooseBatteryGauge(true, 50, true));
    EXPECT_GE(s.body.left, kBatterySlotLeft);
    EXPECT_LE(s.terminal.right, kBatterySlotRight);
    EXPECT_GT(s.terminal.left, s.body.right);
    for (const StatusPoint& p : s.bolt) {
        EXPECT_GE(p.x, s.body.left);
        EXPECT_LE(p.x, s.body.right);
    }
}

TEST(BatteryShapes, BoltContrastsWithTheTheme) {
    EXPECT_FLOAT_EQ(BoltGrey(true), 0.08f);
    EXPECT_FLOAT_EQ(BoltGrey(false), 1.0f);
}

}  // namespace
}  // namespace corvane
