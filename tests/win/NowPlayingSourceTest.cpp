// The Now Playing source over test_fakemedia.dll registered as the session
// manager's runtime class: what the library logs is what the source called.

#include "nowplaying/MediaSource.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <roapi.h>

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

// Test paths are ASCII.
std::string Ascii(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) {
        ascii += static_cast<char>(c);
    }
    return ascii;
}

struct CountingHost final : NowPlayingHost {
    void NowPlayingChanged() override { ++changed; }
    void NowPlayingEnded() override { ++ended; }
    void NowPlayingSwitched(bool) override {}
    std::span<const AppEntry> NowPlayingApps() override { return {}; }
    IWICImagingFactory* NowPlayingImaging() override { return nullptr; }
    int changed = 0;
    int ended = 0;
};

class NowPlayingSourceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::RegisteredRuntimeClass::SystemHasIt(sdk::kMediaSessionManagerClass)) {
            GTEST_SKIP() << "the system has its own media session manager";
        }
        initialized_ = SUCCEEDED(::RoInitialize(RO_INIT_SINGLETHREADED));
        ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", state_.c_str());
    }
    void TearDown() override {
        ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", nullptr);
        if (initialized_) {
            ::RoUninitialize();
        }
    }

    // A playing track 10 s into 300, last updated 2 s ago; no thumbnail,
    // whose conversion this system cannot do.
    void WriteState(const std::string& changes) const {
        FILETIME now = {};
        ::GetSystemTimeAsFileTime(&now);
        const auto updated =
            ((static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) - 20000000;
        const std::string text = changes +
                                 "app=Spotify.exe\ntitle=Song\nartist=Band\nalbum=Record\n"
                                 "status=4\nstart=0\nend=3000000000\nposition=100000000\n"
                                 "updated=" +
                                 std::to_string(updated) +
                                 "\npending=0\nlog=" + Ascii(folder_.File(L"calls.log")) + "\n";
        ASSERT_TRUE(test::WriteFileBytes(state_, {text.begin(), text.end()}));
    }
    // The calls the library logged, without their times.
    [[nodiscard]] std::vector<std::string> Calls() const {
        const auto bytes = test::ReadFileBytes(folder_.File(L"calls.log"));
        std::vector<std::string> calls;
        std::string line;
        for (const uint8_t c : bytes) {
            if (c != '\n') {
                line += static_cast<char>(c);
            } else if (!line.empty()) {
                calls.push_back(line.substr(line.find(' ') + 1));
                line.clear();
            }
        }
        return calls;
    }
    [[nodiscard]] std::ptrdiff_t Count(const std::string& call) const {
        const auto calls = Calls();
        return std::count(calls.begin(), calls.end(), call);
    }

    test::TempFolder folder_;
    std::wstring state_ = folder_.File(L"media.txt");
    bool initialized_ = false;
    CountingHost host_;
};

test::RegisteredRuntimeClass Register() {
    return {sdk::kMediaSessionManagerClass, test::BuiltFile(L"test_fakemedia.dll")};
}

TEST_F(NowPlayingSourceTest, FollowsTheSessionsTrackAndStatus) {
    const auto registration = Register();
    ASSERT_TRUE(registration.Registered());
    WriteState("");
    NowPlayingSource source(host_);
    source.Poll();  // asks for the manager
    source.Poll();  // takes it and reads the session
    const NowPlayingSnapshot& snapshot = source.Snapshot();
    EXPECT_EQ(snapshot.title, L"Song");
    EXPECT_EQ(snapshot.artist, L"Band");
    EXPECT_EQ(snapshot.album, L"Record");
    EXPECT_EQ(snapshot.sourceName, L"Spotify");
    EXPECT_TRUE(snapshot.active);
    EXPECT_TRUE(snapshot.playing);
    EXPECT_DOUBLE_EQ(snapshot.positionSeconds, 10.0);
    EXPECT_DOUBLE_EQ(snapshot.durationSeconds, 300.0);
    EXPECT_GT(source.CurrentPositionSeconds(), 11.5);
    EXPECT_LT(source.CurrentPositionSeconds(), 14.0);
    EXPECT_GT(host_.changed, 0);
    EXPECT_EQ(source.Artwork(), nullptr);

    // The same app's next track shows once the properties are due again.
    const int32_t generation = source.ArtworkGeneration();
    WriteState("title=Other\n");
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Song");
    ::Sleep(1600);
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Other");
    EXPECT_NE(source.ArtworkGeneration(), generation);
    // Another app's track at once.
    WriteState("app=family!App\ntitle=Third\n");
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Third");
    EXPECT_EQ(snapshot.sourceName, L"App");

    const struct {
        const char* state;
        bool active;
        bool playing;
        double position;
    } statuses[] = {
        {"status=5\n", true, false, 10.0},
        {"status=3\n", false, false, 0.0},
        {"status=9\n", false, false, 0.0},
        {"status=2\n", true, false, 10.0},
    };
    for (const auto& status : statuses) {
        SCOPED_TRACE(status.state);
        WriteState(status.state);
        source.Poll();
        EXPECT_EQ(snapshot.active, status.active);
        EXPECT_EQ(snapshot.playing, status.playing);
        EXPECT_DOUBLE_EQ(source.CurrentPositionSeconds(), status.position);
    }

    WriteState("session=0\n");
    source.Poll();
    EXPECT_FALSE(snapshot.active);
    EXPECT_TRUE(snapshot.title.empty());
    EXPECT_TRUE(snapshot.sourceId.empty());
    EXPECT_EQ(host_.ended, 1);
}

TEST_F(NowPlayingSourceTest, CommandsReachTheSessionAndItIsReadAgain) {
    const auto registration = Register();
    WriteState("");
    NowPlayingSource source(host_);
    source.Poll();
    source.Poll();
    const struct {
        MediaCommand command;
        double seconds;
        const char* call;
    } commands[] = {
        {MediaCommand::TogglePlayPause, 0, "TryTogglePlayPauseAsync"},
        {MediaCommand::Next, 0, "TrySkipNextAsync"},
        {MediaCommand::Previous, 0, "TrySkipPreviousAsync"},
        {MediaCommand::Seek, 12.5, "TryChangePlaybackPositionAsync 125000000"},
    };
    for (const auto& command : commands) {
        source.SendMediaCommand(command.command, command.seconds);
        EXPECT_EQ(Calls().back(), command.call);
    }
    // No poll timer runs here: only the command's own re-read polls.
    const auto before = Count("GetPlaybackInfo");
    EXPECT_TRUE(test::PumpUntil([&] { return Count("GetPlaybackInfo") > before; }, 2000));
    source.TogglePlayPause();
    EXPECT_EQ(Calls().back(), "TryTogglePlayPauseAsync");
}

TEST_F(NowPlayingSourceTest, AnOperationThatNeverEndsIsCancelledAndAskedAgain) {
    const auto registration = Register();
    WriteState("pending=-1\n");
    NowPlayingSource source(host_, 100);
    source.Poll();
    source.Poll();
    EXPECT_EQ(Count("Cancel"), 0);
    ::Sleep(200);
    source.Poll();
    EXPECT_EQ(Count("Cancel"), 1);
    source.Poll();
    EXPECT_EQ(Count("RequestAsync"), 2);
    EXPECT_EQ(Count("GetResults"), 0);
    EXPECT_FALSE(source.Snapshot().active);
}

TEST_F(NowPlayingSourceTest, WithoutTheClassPollingStopsUntilSwitchedOnAgain) {
    Settings settings;
    settings.nowPlayingEnabled = true;
    NowPlayingSource source(host_);
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(source.Unavailable());

    const auto registration = Register();
    WriteState("");
    source.Poll();
    EXPECT_TRUE(Calls().empty());
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(Calls().empty());

    settings.nowPlayingEnabled = false;
    source.ApplyNowPlayingSettings(settings);
    settings.nowPlayingEnabled = true;
    source.ApplyNowPlayingSettings(settings);
    EXPECT_FALSE(source.Unavailable());
    EXPECT_EQ(Count("RequestAsync"), 1);
}

}  // namespace
}  // namespace corvane
