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

}  // namespace
}  // namespace corvane
