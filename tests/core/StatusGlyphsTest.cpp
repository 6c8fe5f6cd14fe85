#include "bar/StatusGlyphs.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

constexpr StatusColour P = StatusColour::Primary;
constexpr StatusColour S = StatusColour::Secondary;
constexpr StatusColour Red = StatusColour::Negative;
constexpr StatusColour Green = StatusColour::Positive;

TEST(StatusGlyphs, NetworkGlyphFollowsKindAndSignalBand) {
    struct Row {
        NetworkKind kind;
        int signal;
        wchar_t glyph;
        StatusColour colour;
        float alpha;
        float litRadius;  // 0: the whole fan at alpha
    };
    using enum NetworkKind;
    const wchar_t fan = kGlyphWifi;
    const wchar_t plug = kGlyphEthernet;
    // Not connected stays grey whatever signal is left over.
    const Row rows[] = {{None, 90, fan, S, 1, 0},        {Ethernet, 100, plug, P, 1, 0},
                        {WiFi, 75, fan, P, 1, 0},        {WiFi, 74, fan, P, .35f, 9.36f},
                        {WiFi, 50, fan, P, .35f, 9.36f}, {WiFi, 49, fan, P, .35f, 6.24f},
                        {WiFi, 25, fan, P, .35f, 6.24f}, {WiFi, 24, fan, P, .35f, 3.38f}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.kind) << " at " << r.signal);
        const NetworkGlyph g = ChooseNetworkGlyph(r.kind, r.signal);
        EXPECT_EQ(g.glyph, r.glyph);
        EXPECT_EQ(g.colour, r.colour);
        EXPECT_FLOAT_EQ(g.alpha, r.alpha);
        EXPECT_FLOAT_EQ(g.litRadius, r.litRadius);
    }
}

TEST(StatusGlyphs, SoundGlyphFollowsDeviceMuteAndVolumeBand) {
    struct Row {
        bool device, muted;
        float volume;
        wchar_t glyph;
        StatusColour colour;
    };
    const wchar_t mute = kGlyphMute;
    const wchar_t none = kGlyphVolumeSilent;
    const wchar_t low = kGlyphVolumeLow;
    const wchar_t mid = kGlyphVolumeMid;
    const wchar_t high = kGlyphVolumeHigh;
    const Row rows[] = {{false, false, 0.5f, mute, S},  {false, true, 0.5f, mute, S},
                        {true, true, 0.0f, mute, P},    {true, false, 0.001f, none, P},
                        {true, false, 0.0011f, low, P}, {true, false, 0.339f, low, P},
                        {true, false, 0.34f, mid, P},   {true, false, 0.669f, mid, P},
                        {true, false, 0.67f, high, P}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.device << r.muted << " at " << r.volume);
        const SoundGlyph g = ChooseSoundGlyph(r.device, r.muted, r.volume);
        EXPECT_EQ(static_cast<int>(g.glyph), static_cast<int>(r.glyph));
        EXPECT_EQ(g.colour, r.colour);
    }
}

TEST(StatusGlyphs, BatteryGaugeFillsFromASliverAndWarnsBelow21Percent) {
    struct Row {
        int percent;
        bool charging;
        float fillWidth;  // of 15 points, at least 1.5
        StatusColour fill;
    };
    const Row rows[] = {{15, true, 2.25f, Green}, {20, false, 3.0f, Red},  {21, false, 3.15f, P},
                        {10, false, 1.5f, Red},   {11, false, 1.65f, Red}, {180, false, 15.0f, P},
                        {-4, false, 1.5f, Red}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.percent << "% charging " << r.charging);
        const BatteryGauge g = ChooseBatteryGauge(true, r.percent, r.charging);
        EXPECT_TRUE(g.visible);
        EXPECT_FLOAT_EQ(g.fillWidth, r.fillWidth);
        EXPECT_EQ(g.fillColour, r.fill);
        EXPECT_EQ(g.bolt, r.charging);  // a bolt while charging
    }
    const BatteryGauge none = ChooseBatteryGauge(false, 80, true);
    EXPECT_FALSE(none.visible);
    EXPECT_FALSE(none.bolt);
}

TEST(StatusGlyphs, BatteryShapesStayInTheirSlotAndTheChargeInTheBody) {
    // Centred in the battery slot of a cluster at x = 0.
    const float cx = (kBatterySlotLeft + kBatterySlotRight) / 2;
    for (int percent = -10; percent <= 110; ++percent) {
        const BatteryShapes s = LayoutBattery(cx, 14.0f, ChooseBatteryGauge(true, percent, true));
        SCOPED_TRACE(percent);
        EXPECT_GT(s.charge.left, s.body.left);
        EXPECT_LT(s.charge.right, s.body.right);
        EXPECT_GT(s.charge.top, s.body.top);
        EXPECT_LT(s.charge.bottom, s.body.bottom);
        EXPECT_GT(s.charge.right, s.charge.left);
        EXPECT_GE(s.body.left, kBatterySlotLeft);
        EXPECT_GT(s.terminal.left, s.body.right);
        EXPECT_LE(s.terminal.right, kBatterySlotRight);
        for (const StatusPoint& p : s.bolt) {
            EXPECT_GE(p.x, s.body.left);
            EXPECT_LE(p.x, s.body.right);
        }
    }
}

// Through the record overloads, so each field they read is a row.
TEST(StatusLooksSame, OnlyWhatTheClusterDrawsCounts) {
    StatusModel base;
    base.audioAvailable = true;
    base.volume = 0.5f;
    base.networkKind = NetworkKind::WiFi;
    base.wifiSignal = 60;
    base.ssid = L"home";
    base.hasBattery = true;
    base.batteryPercent = 55;
    struct Row {
        const char* change;
        void (*apply)(StatusModel&);
        bool same;
    };
    const Row rows[] = {
        {"volume within its band", [](StatusModel& m) { m.volume = 0.52f; }, true},
        {"another network name", [](StatusModel& m) { m.ssid = L"work"; }, true},
        {"muted", [](StatusModel& m) { m.muted = true; }, false},
        {"volume to zero", [](StatusModel& m) { m.volume = 0.0f; }, false},
        {"signal into another band", [](StatusModel& m) { m.wifiSignal = 5; }, false},
        {"cable instead of radio", [](StatusModel& m) { m.networkKind = NetworkKind::Ethernet; },
         false},
        {"charging", [](StatusModel& m) { m.charging = true; }, false},
        {"battery nearly empty", [](StatusModel& m) { m.batteryPercent = 5; }, false},
        {"battery gone", [](StatusModel& m) { m.hasBattery = false; }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.change);
        StatusModel changed = base;
        row.apply(changed);
        EXPECT_EQ(StatusLooksSame(base, changed), row.same);
        EXPECT_EQ(StatusLooksSame(changed, base), row.same);
    }
}

}  // namespace
}  // namespace corvane
