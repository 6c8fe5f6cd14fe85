#include "config/Language.h"
#include "bar/StatusText.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

class StatusText : public testing::Test {
protected:
    void SetUp() override { saved_ = IsNorwegian(); }
    void TearDown() override { SetNorwegian(saved_); }

    static StatusModel Desktop() {
        StatusModel m;
        m.audioAvailable = true;
        m.volume = 0.5f;
        m.networkKind = NetworkKind::Ethernet;
        return m;
    }

private:
    bool saved_ = false;
};

TEST_F(StatusText, NetworkLinesInBothLanguages) {
    StatusModel m;
    SetNorwegian(false);
    EXPECT_EQ(NetworkStatusLine(m), L"Not connected");
    SetNorwegian(true);
    EXPECT_EQ(NetworkStatusLine(m), L"Ikke tilkoblet");

    m.networkKind = NetworkKind::Ethernet;
    EXPECT_EQ(NetworkStatusLine(m), L"Ethernet: tilkoblet");
    SetNorwegian(false);
    EXPECT_EQ(NetworkStatusLine(m), L"Ethernet: connected");
}

TEST_F(StatusText, WifiLineNamesTheNetworkAndItsSignal) {
    StatusModel m;
    m.networkKind = NetworkKind::WiFi;
    m.ssid = L"Kaffebar Ø";
    m.wifiSignal = 62;
    SetNorwegian(false);
    EXPECT_EQ(NetworkStatusLine(m), L"Wi-Fi: Kaffebar Ø (62 %)");
    SetNorwegian(true);
    EXPECT_EQ(NetworkStatusLine(m), L"Wi-Fi: Kaffebar Ø (62 %)");

    // Found by the adapter walk alone: full signal, no name.
    m.ssid.clear();
    m.wifiSignal = 100;
    EXPECT_EQ(NetworkStatusLine(m), L"Wi-Fi:  (100 %)");
    m.wifiSignal = 0;
    EXPECT_EQ(NetworkStatusLine(m), L"Wi-Fi:  (0 %)");
}

TEST_F(StatusText, SoundLineShowsRoundedVolumeOrMute) {
    StatusModel m = Desktop();
    SetNorwegian(false);
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: 50 %");
    m.volume = 0.0f;
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: 0 %");
    m.volume = 1.0f;
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: 100 %");
    m.volume = 0.333f;
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: 33 %");
    m.volume = 0.337f;
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: 34 %");
    m.muted = true;
    EXPECT_EQ(SoundStatusLine(m), L"\nSound: muted");

    SetNorwegian(true);
    EXPECT_EQ(SoundStatusLine(m), L"\nLyd: dempet");
    m.muted = false;
    m.volume = 0.72f;
    EXPECT_EQ(SoundStatusLine(m), L"\nLyd: 72 %");
}

TEST_F(StatusText, NoAudioDeviceLeavesOutTheSoundLine) {
    StatusModel m = Desktop();
    m.audioAvailable = false;
    m.muted = true;
    EXPECT_EQ(SoundStatusLine(m), L"");
}

TEST_F(StatusText, VolumePercentRoundsAndStaysInRange) {
    EXPECT_EQ(VolumePercent(0.0f), 0);
    EXPECT_EQ(VolumePercent(0.004f), 0);
    EXPECT_EQ(VolumePercent(0.006f), 1);
    EXPECT_EQ(VolumePercent(0.995f), 100);
    EXPECT_EQ(VolumePercent(1.0f), 100);
    EXPECT_EQ(VolumePercent(1.5f), 100);
    EXPECT_EQ(VolumePercent(-0.2f), 0);
    EXPECT_EQ(VolumePercent(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST_F(StatusText, BatteryLineWithAndWithoutCharging) {
    StatusModel m;
    m.hasBattery = true;
    m.batteryPercent = 15;
    SetNorwegian(false);
    EXPECT_EQ(BatteryStatusLine(m), L"\nBattery: 15 %");
    m.charging = true;
    EXPECT_EQ(BatteryStatusLine(m), L"\nBattery: 15 % (charging)");
    SetNorwegian(true);
    EXPECT_EQ(BatteryStatusLine(m), L"\nBatteri: 15 % (lader)");
    m.charging = false;
    m.batteryPercent = 100;
    EXPECT_EQ(BatteryStatusLine(m), L"\nBatteri: 100 %");
    m.batteryPercent = 0;
    EXPECT_EQ(BatteryStatusLine(m), L"\nBatteri: 0 %");
}

TEST_F(StatusText, NoBatteryLeavesOutTheBatteryLine) {
    StatusModel m;
    m.batteryPercent = 80;
    m.charging = true;
    EXPECT_EQ(BatteryStatusLine(m), L"");
}

TEST_F(StatusText, TooltipJoinsTheLinesInOrderAndEndsWithTheWheelHint) {
    StatusModel m;
    m.networkKind = NetworkKind::WiFi;
    m.ssid = L"home";
    m.wifiSignal = 62;
    m.audioAvailable = true;
    m.volume = 0.25f;
    m.hasBattery = true;
    m.batteryPercent = 80;
    m.charging = true;
    SetNorwegian(false);
    EXPECT_EQ(StatusTooltipText(m),
              L"Wi-Fi: home (62 %)\nSound: 25 %\nBattery: 80 % (charging)\n"
              L"Scroll to change volume");
    SetNorwegian(true);
    EXPECT_EQ(StatusTooltipText(m),
              L"Wi-Fi: home (62 %)\nLyd: 25 %\nBatteri: 80 % (lader)\nRull for å endre volum");
}

TEST_F(StatusText, TooltipOfABareDesktopHasOnlyTheNetworkAndTheHint) {
    StatusModel m;
    SetNorwegian(false);
    EXPECT_EQ(StatusTooltipText(m), L"Not connected\nScroll to change volume");
}

}  // namespace
}  // namespace corvane
