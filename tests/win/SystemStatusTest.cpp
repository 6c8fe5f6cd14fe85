// The status sources against whatever the system under test offers: with or
// without an audio device, a WLAN service or a battery.

#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "bar/StatusRules.h"
#include "bar/SystemStatus.h"
#include "base/Worker.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

class SystemStatusTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(window_); }
    void TearDown() override {
        MSG msg = {};
        while (::PeekMessageW(&msg, window_.Get(), WM_APP_COMMAND, WM_APP_COMMAND, PM_REMOVE)) {
            EXPECT_TRUE(msg.wParam == CMD_STATUS_CHANGED || msg.wParam == CMD_AUDIO_DEVICE_CHANGED)
                << msg.wParam;
        }
    }

    ComApartment com_;
    Worker worker_{nullptr, nullptr};
    UniqueWindow window_{::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr)};
};

TEST_F(SystemStatusTest, StartsTwiceAndStopsTwiceWithWhateverTheSystemOffers) {
    SystemStatus status{{.worker = worker_}};
    status.Start(window_.Get());
    EXPECT_EQ(status.NotifyWindow(), window_.Get());
    SYSTEM_POWER_STATUS power = {};
    EXPECT_EQ(status.Model().hasBattery, ::GetSystemPowerStatus(&power) &&
                                             power.BatteryFlag != 128 && power.BatteryFlag != 255 &&
                                             power.BatteryLifePercent <= 100);
    const bool audio = status.Model().audioAvailable;
    // A second Start replaces what the first one made.
    status.Start(window_.Get());
    EXPECT_EQ(status.Model().audioAvailable, audio);
    status.Stop();
    EXPECT_EQ(status.NotifyWindow(), nullptr);
    // Without its enumerator nothing can be bound until the next Start.
    status.BindDefaultEndpoint();
    status.ReadVolume();
    EXPECT_FALSE(status.Model().audioAvailable);
    status.Stop();
}

TEST_F(SystemStatusTest, VolumeStepsAndMuteActOnTheDefaultDevice) {
    SystemStatus status{{.worker = worker_}};
    status.Start(window_.Get());
    if (!status.Model().audioAvailable) {
        status.Stop();
        GTEST_SKIP() << "no default audio render device here";
    }
    const float volume = status.Model().volume;
    const bool muted = status.Model().muted;
    if (!muted) {
        status.ToggleMute();
    }
    ASSERT_TRUE(status.Model().muted);
    status.StepVolume(-0.02f);
    EXPECT_TRUE(status.Model().muted) << "turning down keeps the mute";
    EXPECT_NEAR(status.Model().volume, SteppedVolume(volume, -0.02f), 0.005f);
    status.StepVolume(0.02f);
    EXPECT_FALSE(status.Model().muted) << "turning up unmutes";

    // Put the device back as it was.
    status.StepVolume(volume - status.Model().volume);
    if (status.Model().muted != muted) {
        status.ToggleMute();
    }
    EXPECT_NEAR(status.Model().volume, volume, 0.005f);
    status.Stop();
}

}  // namespace
}  // namespace corvane
