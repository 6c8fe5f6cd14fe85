#include "bar/StatusGlyphs.h"
#include "bar/StatusRules.h"

#include <gtest/gtest.h>

#include <limits>
#include <utility>

namespace corvane {
namespace {

PowerReading Power(uint8_t ac, uint8_t flag, uint8_t percent) {
    return PowerReading{true, ac, flag, percent};
}

TEST(ApplyPowerReading, ValidReadingsSetTheBatteryInvalidOnesOnlyHideIt) {
    struct Row {
        const char* name;
        PowerReading reading;
        bool hasBattery;
        int percent;
        bool onAc, charging;
    };
    // Every row starts from a battery at 37 %, on battery power, not charging.
    const Row rows[] = {
        {"on battery", Power(0, 2, 63), true, 63, false, false},
        {"on AC below full is charging", Power(1, 1, 99), true, 99, true, true},
        {"on AC and full is not charging", Power(1, 1, 100), true, 100, true, false},
        {"the charging bit wins when full", Power(1, 1 | kBatteryFlagCharging, 100), true, 100,
         true, true},
        {"the charging bit wins on battery", Power(0, kBatteryFlagCharging, 40), true, 40, false,
         true},
        {"unknown line status is not AC", Power(255, 0, 40), true, 40, false, false},
        {"empty", Power(0, 4, 0), true, 0, false, false},
        {"the call failed", PowerReading{false, 1, 8, 50}, false, 37, false, false},
        {"no system battery", Power(1, kBatteryFlagNoBattery, 50), false, 37, false, false},
        {"status unknown", Power(1, kBatteryFlagUnknown, 50), false, 37, false, false},
        {"percentage out of range", Power(1, 8, 101), false, 37, false, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        StatusModel m;
        ApplyPowerReading(m, Power(0, 2, 37));
        ApplyPowerReading(m, r.reading);
        EXPECT_EQ(m.hasBattery, r.hasBattery);
        EXPECT_EQ(m.batteryPercent, r.percent);
        EXPECT_EQ(m.onAcPower, r.onAc);
        EXPECT_EQ(m.charging, r.charging);
    }
    // A desktop's fresh record keeps assuming mains power.
    StatusModel desktop;
    ApplyPowerReading(desktop, Power(0, kBatteryFlagNoBattery, 255));
    EXPECT_TRUE(desktop.onAcPower);
    EXPECT_FALSE(desktop.charging);
}

TEST(VolumeStep, WheelNotchesMoveTwoPercentWithinZeroAndOne) {
    struct Row {
        float current;
        int wheel;
        float expected;
    };
    // 30 is a high-resolution wheel's partial notch.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Row rows[] = {{0.5f, 120, 0.52f}, {0.5f, -120, 0.48f}, {0.5f, 360, 0.56f},
                        {0.5f, 0, 0.5f},    {0.5f, 30, 0.505f},  {0.99f, 120, 1.0f},
                        {1.0f, 120, 1.0f},  {0.01f, -120, 0.0f}, {0.0f, -120, 0.0f},
                        {nan, 120, 0.0f}};
    for (const Row& r : rows) {
        EXPECT_NEAR(SteppedVolume(r.current, WheelVolumeDelta(r.wheel)), r.expected, 1e-6f)
            << r.current << " + " << r.wheel;
    }
    EXPECT_FLOAT_EQ(SteppedVolume(0.4f, nan), 0.4f);
    // Only raising the volume of a muted device unmutes it.
    EXPECT_TRUE(StepUnmutes(0.02f, true));
    EXPECT_FALSE(StepUnmutes(-0.02f, true));
    EXPECT_FALSE(StepUnmutes(0.0f, true));
    EXPECT_FALSE(StepUnmutes(0.02f, false));
}

TEST(NetworkFromAdapters, EthernetWinsThenWifiAmongAdaptersThatAreUpWithAGateway) {
    const uint32_t wired = kIfTypeEthernetCsmacd;
    const uint32_t radio = kIfTypeIeee80211;
    const auto up = [](uint32_t type) { return AdapterFacts{true, true, type}; };
    const auto down = [](uint32_t type) { return AdapterFacts{false, true, type}; };
    const auto noRoute = [](uint32_t type) { return AdapterFacts{true, false, type}; };
    const AdapterFacts loopback = up(24);
    const AdapterFacts tunnel = up(131);
    struct Row {
        const char* name;
        std::vector<AdapterFacts> adapters;
        NetworkKind kind;
    };
    const Row rows[] = {
        {"no adapters", {}, NetworkKind::None},
        {"nothing usable",
         {down(wired), noRoute(wired), down(radio), noRoute(radio), loopback, tunnel},
         NetworkKind::None},
        {"wifi alone", {loopback, up(radio)}, NetworkKind::WiFi},
        {"ethernet after wifi", {up(radio), up(wired)}, NetworkKind::Ethernet},
        {"ethernet before wifi", {up(wired), up(radio)}, NetworkKind::Ethernet},
        {"ethernet without a route out", {noRoute(wired), up(radio)}, NetworkKind::WiFi},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const NetworkFacts facts = NetworkFromAdapters(r.adapters);
        EXPECT_EQ(facts.kind, r.kind);
        // Found by the adapter walk alone, Wi-Fi counts as full signal.
        if (r.kind != NetworkKind::Ethernet) {
            EXPECT_EQ(facts.signal, r.kind == NetworkKind::WiFi ? 100 : 0);
        }
    }
}

TEST(StatusBuffers, SizesFromTheSystemAreBounded) {
    EXPECT_EQ(AdapterRetryBufferBytes(0), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(20000), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(50000), 50000u);
    const std::pair<uint32_t, int32_t> bars[] = {{0, 0}, {3, 60}, {5, 100}, {255, 100}};
    for (const auto& [count, percent] : bars) {
        EXPECT_EQ(SignalFromBars(count), percent) << count;
    }
}

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
