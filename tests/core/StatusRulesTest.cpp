#include "bar/StatusRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

PowerReading Power(uint8_t ac, uint8_t flag, uint8_t percent) {
    return PowerReading{true, ac, flag, percent};
}

TEST(ApplyPowerReading, ValidReadingSetsEveryBatteryField) {
    StatusModel m;
    ApplyPowerReading(m, Power(0, 2, 63));
    EXPECT_TRUE(m.hasBattery);
    EXPECT_EQ(m.batteryPercent, 63);
    EXPECT_FALSE(m.onAcPower);
    EXPECT_FALSE(m.charging);
}

TEST(ApplyPowerReading, ChargingFollowsThePowerSourceBelowFullOrTheChargingBit) {
    StatusModel m;
    ApplyPowerReading(m, Power(1, 1, 99));
    EXPECT_TRUE(m.charging) << "on AC below 100 % counts as charging";

    ApplyPowerReading(m, Power(1, 1, 100));
    EXPECT_TRUE(m.onAcPower);
    EXPECT_FALSE(m.charging) << "a full battery on AC is not charging";

    ApplyPowerReading(m, Power(1, 1 | kBatteryFlagCharging, 100));
    EXPECT_TRUE(m.charging) << "the system's own charging bit wins";

    ApplyPowerReading(m, Power(0, kBatteryFlagCharging, 40));
    EXPECT_TRUE(m.charging);
    EXPECT_FALSE(m.onAcPower);

    ApplyPowerReading(m, Power(255, 0, 40));
    EXPECT_FALSE(m.onAcPower) << "an unknown line status is not AC";
    EXPECT_FALSE(m.charging);
}

TEST(ApplyPowerReading, BoundaryPercentagesAreValid) {
    StatusModel m;
    ApplyPowerReading(m, Power(0, 4, 0));
    EXPECT_TRUE(m.hasBattery);
    EXPECT_EQ(m.batteryPercent, 0);
    ApplyPowerReading(m, Power(0, 1, 100));
    EXPECT_TRUE(m.hasBattery);
    EXPECT_EQ(m.batteryPercent, 100);
}

TEST(ApplyPowerReading, InvalidReadingsHideTheBatteryAndKeepTheLastValues) {
    const PowerReading invalid[] = {
        PowerReading{false, 1, 8, 50},        // the call failed
        Power(1, kBatteryFlagNoBattery, 50),  // no system battery
        Power(1, kBatteryFlagUnknown, 50),    // status not available
        Power(1, 8, 101),                     // percentage out of range
        Power(1, 8, 255),                     // percentage unknown
    };
    for (const PowerReading& reading : invalid) {
        StatusModel m;
        ApplyPowerReading(m, Power(0, 2, 37));
        ApplyPowerReading(m, reading);
        EXPECT_FALSE(m.hasBattery);
        EXPECT_EQ(m.batteryPercent, 37);
        EXPECT_FALSE(m.onAcPower);
        EXPECT_FALSE(m.charging);
    }
}

TEST(ApplyPowerReading, DesktopWithoutBatteryNeverShowsOneWhateverThePowerSource) {
    StatusModel m;
    EXPECT_TRUE(m.onAcPower) << "a fresh record assumes mains power";
    for (uint8_t ac : {uint8_t{1}, uint8_t{0}, uint8_t{1}}) {
        ApplyPowerReading(m, Power(ac, kBatteryFlagNoBattery, 255));
        EXPECT_FALSE(m.hasBattery);
        EXPECT_FALSE(m.charging);
        EXPECT_TRUE(m.onAcPower) << "nothing but 'has battery' changes without a battery";
    }
}

TEST(VolumeStep, WheelNotchesAreTwoPercentEach) {
    EXPECT_FLOAT_EQ(WheelVolumeDelta(120), 0.02f);
    EXPECT_FLOAT_EQ(WheelVolumeDelta(-120), -0.02f);
    EXPECT_NEAR(WheelVolumeDelta(360), 0.06f, 1e-6f);
    EXPECT_FLOAT_EQ(WheelVolumeDelta(0), 0.0f);
    // A high-resolution wheel's partial notch still moves the volume.
    EXPECT_FLOAT_EQ(WheelVolumeDelta(30), 0.005f);
}

TEST(VolumeStep, ThreeNotchesUpRaiseBySixPercent) {
    EXPECT_NEAR(SteppedVolume(0.5f, WheelVolumeDelta(360)), 0.56f, 1e-6f);
}

TEST(VolumeStep, StaysWithinZeroAndOne) {
    EXPECT_FLOAT_EQ(SteppedVolume(0.99f, 0.02f), 1.0f);
    EXPECT_FLOAT_EQ(SteppedVolume(1.0f, 0.02f), 1.0f);
    EXPECT_FLOAT_EQ(SteppedVolume(0.01f, -0.02f), 0.0f);
    EXPECT_FLOAT_EQ(SteppedVolume(0.0f, -0.02f), 0.0f);
    EXPECT_FLOAT_EQ(SteppedVolume(0.3f, -0.02f), 0.28f);
}

TEST(VolumeStep, NeverProducesANonNumber) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FLOAT_EQ(SteppedVolume(nan, 0.02f), 0.0f);
    EXPECT_FLOAT_EQ(SteppedVolume(0.4f, nan), 0.4f);
}

TEST(VolumeStep, OnlyRaisingAMutedDeviceUnmutesIt) {
    EXPECT_TRUE(StepUnmutes(0.02f, true));
    EXPECT_FALSE(StepUnmutes(-0.02f, true));
    EXPECT_FALSE(StepUnmutes(0.0f, true));
    EXPECT_FALSE(StepUnmutes(0.02f, false));
}

AdapterFacts Up(uint32_t type) {
    return {true, true, type};
}

TEST(NetworkFromAdapters, NothingUsableIsNotConnected) {
    EXPECT_EQ(NetworkFromAdapters({}).kind, NetworkKind::None);
    const NetworkFacts facts = NetworkFromAdapters({
        {false, true, kIfTypeEthernetCsmacd},  // down
        {true, false, kIfTypeEthernetCsmacd},  // no gateway
        {false, true, kIfTypeIeee80211},
        {true, false, kIfTypeIeee80211},
        Up(24),   // loopback
        Up(131),  // tunnel
    });
    EXPECT_EQ(facts.kind, NetworkKind::None);
    EXPECT_EQ(facts.signal, 0);
}

TEST(NetworkFromAdapters, WifiAdapterAloneMeansFullSignal) {
    const NetworkFacts facts = NetworkFromAdapters({Up(24), Up(kIfTypeIeee80211)});
    EXPECT_EQ(facts.kind, NetworkKind::WiFi);
    EXPECT_EQ(facts.signal, 100);
}

TEST(NetworkFromAdapters, EthernetWinsWhereverItStands) {
    // A connected Wi-Fi adapter whose WLAN query failed, with Ethernet also up.
    EXPECT_EQ(NetworkFromAdapters({Up(kIfTypeIeee80211), Up(kIfTypeEthernetCsmacd)}).kind,
              NetworkKind::Ethernet);
    EXPECT_EQ(NetworkFromAdapters({Up(kIfTypeEthernetCsmacd), Up(kIfTypeIeee80211)}).kind,
              NetworkKind::Ethernet);
}

TEST(NetworkFromAdapters, EthernetWithoutARouteOutDoesNotCount) {
    const NetworkFacts facts =
        NetworkFromAdapters({{true, false, kIfTypeEthernetCsmacd}, Up(kIfTypeIeee80211)});
    EXPECT_EQ(facts.kind, NetworkKind::WiFi);
}

TEST(AdapterBuffer, RetryUsesTheReportedSizeButAtLeast32K) {
    EXPECT_EQ(kAdapterBufferBytes, 16384u);
    EXPECT_EQ(AdapterRetryBufferBytes(20000), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(0), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(32768), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(50000), 50000u);
}

TEST(WlanValues, SsidLengthNeverExceedsItsBuffer) {
    EXPECT_EQ(SsidByteCount(0), 0u);
    EXPECT_EQ(SsidByteCount(7), 7u);
    EXPECT_EQ(SsidByteCount(32), 32u);
    EXPECT_EQ(SsidByteCount(33), 32u);
    EXPECT_EQ(SsidByteCount(0xFFFFFFFFu), 32u);
}

TEST(WlanValues, SignalIsAPercentage) {
    EXPECT_EQ(SignalPercent(0), 0);
    EXPECT_EQ(SignalPercent(62), 62);
    EXPECT_EQ(SignalPercent(100), 100);
    EXPECT_EQ(SignalPercent(250), 100);
    EXPECT_EQ(SignalPercent(0xFFFFFFFFu), 100);
}

}  // namespace
}  // namespace corvane
