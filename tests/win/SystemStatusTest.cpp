// The status sources against whatever the system under test offers: with or
// without an audio device, a WLAN service or a battery, the record must keep
// to the rules the bar paints and describes it by.

#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "bar/StatusGlyphs.h"
#include "bar/StatusRules.h"
#include "bar/StatusText.h"
#include "bar/SystemStatus.h"

#include <gtest/gtest.h>

#include <memory>

namespace corvane {
namespace {

void ExpectBarRulesHold(const StatusModel& m) {
    if (m.audioAvailable) {
        EXPECT_GE(m.volume, 0.0f);
        EXPECT_LE(m.volume, 1.0f);
        EXPECT_FALSE(SoundStatusLine(m).empty());
    } else {
        // No audio: the dimmed mute glyph and no sound line.
        EXPECT_EQ(ChooseSoundGlyph(m).glyph, kGlyphMute);
        EXPECT_EQ(ChooseSoundGlyph(m).colour, StatusColour::Secondary);
        EXPECT_TRUE(SoundStatusLine(m).empty());
    }

    switch (m.networkKind) {
        case NetworkKind::None:
            EXPECT_EQ(m.wifiSignal, 0);
            EXPECT_TRUE(m.ssid.empty());
            break;
        case NetworkKind::WiFi:
            EXPECT_GE(m.wifiSignal, 0);
            EXPECT_LE(m.wifiSignal, 100);
            break;
        case NetworkKind::Ethernet:
            EXPECT_TRUE(m.ssid.empty());
            break;
        default:
            ADD_FAILURE() << "network kind " << static_cast<int>(m.networkKind);
    }

    if (m.hasBattery) {
        EXPECT_GE(m.batteryPercent, 0);
        EXPECT_LE(m.batteryPercent, 100);
    } else {
        EXPECT_FALSE(ChooseBatteryGauge(m).visible);
        EXPECT_TRUE(BatteryStatusLine(m).empty());
    }
}

bool SystemReportsABattery() {
    SYSTEM_POWER_STATUS power = {};
    return ::GetSystemPowerStatus(&power) && power.BatteryFlag != 128 && power.BatteryFlag != 255 &&
           power.BatteryLifePercent <= 100;
}

class SystemStatusTest : public testing::Test {
protected:
    SystemStatusTest()
        : window_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr)) {}

    void SetUp() override { ASSERT_TRUE(window_); }

    // Commands the status sources posted to the test window so far.
    int DrainCommands() {
        int count = 0;
        MSG msg = {};
        while (::PeekMessageW(&msg, window_.Get(), WM_APP_COMMAND, WM_APP_COMMAND, PM_REMOVE)) {
            EXPECT_TRUE(msg.wParam == CMD_STATUS_CHANGED || msg.wParam == CMD_AUDIO_DEVICE_CHANGED)
                << msg.wParam;
            ++count;
        }
        return count;
    }

    ComApartment com_;
    UniqueWindow window_;
};

TEST_F(SystemStatusTest, StartsAndStopsWithWhateverTheSystemOffers) {
    SystemStatus status;
    status.Start(window_.Get());
    EXPECT_EQ(status.NotifyWindow(), window_.Get());
    ExpectBarRulesHold(status.Model());
    EXPECT_EQ(status.Model().hasBattery, SystemReportsABattery());

    status.Stop();
    EXPECT_EQ(status.NotifyWindow(), nullptr);
    DrainCommands();
}

TEST_F(SystemStatusTest, StartAndStopTwiceInARow) {
    SystemStatus status;
    for (int round = 0; round < 2; ++round) {
        status.Start(window_.Get());
        ExpectBarRulesHold(status.Model());
        status.Stop();
        EXPECT_EQ(status.NotifyWindow(), nullptr);
    }
    // A second Start on a running object replaces what the first one made,
    // and a second Stop finds nothing left to release.
    status.Start(window_.Get());
    const bool audio = status.Model().audioAvailable;
    status.Start(window_.Get());
    EXPECT_EQ(status.Model().audioAvailable, audio);
    ExpectBarRulesHold(status.Model());
    status.Stop();
    status.Stop();
    EXPECT_EQ(status.NotifyWindow(), nullptr);
    DrainCommands();
}

TEST_F(SystemStatusTest, DestroyingARunningObjectReleasesEverything) {
    auto status = std::make_unique<SystemStatus>();
    status->Start(window_.Get());
    status.reset();
    // A fresh one binds again from scratch, as after a restart.
    SystemStatus again;
    again.Start(window_.Get());
    ExpectBarRulesHold(again.Model());
    again.Stop();
    DrainCommands();
}

TEST_F(SystemStatusTest, WithoutStartThereIsNoAudioAndNothingToChange) {
    SystemStatus status;
    status.BindDefaultEndpoint();
    EXPECT_FALSE(status.Model().audioAvailable);
    status.StepVolume(0.5f);
    status.ToggleMute();
    status.ReadVolume();
    EXPECT_FALSE(status.Model().audioAvailable);
    EXPECT_FLOAT_EQ(status.Model().volume, 0.0f);
    EXPECT_FALSE(status.Model().muted);
    EXPECT_EQ(status.NotifyWindow(), nullptr);
}

TEST_F(SystemStatusTest, StopUnbindsTheAudioEndpoint) {
    SystemStatus status;
    status.Start(window_.Get());
    status.Stop();
    status.ReadVolume();
    EXPECT_FALSE(status.Model().audioAvailable);
    // Without its enumerator nothing can be bound again until the next Start.
    status.BindDefaultEndpoint();
    EXPECT_FALSE(status.Model().audioAvailable);
}

TEST_F(SystemStatusTest, BatteryRefreshFollowsThePowerStatus) {
    SystemStatus status;
    const bool expected = SystemReportsABattery();
    for (int i = 0; i < 3; ++i) {
        status.RefreshBattery();
        EXPECT_EQ(status.Model().hasBattery, expected);
        ExpectBarRulesHold(status.Model());
    }
}

TEST_F(SystemStatusTest, NetworkRefreshWorksWithoutStart) {
    // Without a WLAN handle the adapter walk alone decides.
    SystemStatus status;
    status.RefreshNetwork();
    ExpectBarRulesHold(status.Model());
    EXPECT_TRUE(status.Model().ssid.empty());
    if (status.Model().networkKind == NetworkKind::WiFi) {
        EXPECT_EQ(status.Model().wifiSignal, 100);
    }
}

TEST_F(SystemStatusTest, VolumeStepsAndMuteActOnTheDefaultDevice) {
    SystemStatus status;
    status.Start(window_.Get());
    if (!status.Model().audioAvailable) {
        status.Stop();
        GTEST_SKIP() << "no default audio render device here";
    }
    const float volume = status.Model().volume;
    const bool muted = status.Model().muted;

    status.ToggleMute();
    EXPECT_NE(status.Model().muted, muted);
    if (!status.Model().muted) {
        status.ToggleMute();
    }
    ASSERT_TRUE(status.Model().muted);
    status.StepVolume(-0.02f);
    EXPECT_TRUE(status.Model().muted) << "turning down keeps the mute";
    EXPECT_NEAR(status.Model().volume, SteppedVolume(volume, -0.02f), 0.005f);
    status.StepVolume(0.02f);
    EXPECT_FALSE(status.Model().muted) << "turning up unmutes";
    EXPECT_NEAR(status.Model().volume, SteppedVolume(SteppedVolume(volume, -0.02f), 0.02f), 0.005f);

    // Put the device back as it was.
    status.StepVolume(volume - status.Model().volume);
    if (status.Model().muted != muted) {
        status.ToggleMute();
    }
    EXPECT_NEAR(status.Model().volume, volume, 0.005f);
    EXPECT_EQ(status.Model().muted, muted);
    status.Stop();
    DrainCommands();
}

}  // namespace
}  // namespace corvane
