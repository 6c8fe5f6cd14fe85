// The Now Playing source over test_fakemedia.dll registered as the session
// manager's runtime class: what the library logs is what the source called.

#include "nowplaying/MediaSource.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <roapi.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

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
    // Changes first (the first line of a key counts), then a track playing
    // 10 s into 300, updated 2 s ago. No thumbnail: this system cannot
    // convert its stream.
    void WriteState(const std::string& changes) const {
        FILETIME now = {};
        ::GetSystemTimeAsFileTime(&now);
        const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
        std::string text = changes +
                           "app=Spotify.exe\ntitle=Song\nartist=Band\nalbum=Record\nstatus=4\n"
                           "start=0\nend=3000000000\nposition=100000000\npending=0\nupdated=" +
                           std::to_string(ticks - 20000000) + "\nlog=";
        for (const wchar_t c : log_) {
            text += static_cast<char>(c);  // test paths are ASCII
        }
        ASSERT_TRUE(test::WriteFileBytes(state_, {text.begin(), text.end()}));
    }
    // The calls the library logged, without their times.
    [[nodiscard]] std::vector<std::string> Calls() const {
        const auto bytes = test::ReadFileBytes(log_);
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        std::vector<std::string> calls;
        for (std::string line; std::getline(in, line);) {
            calls.push_back(line.substr(line.find(' ') + 1));
        }
        return calls;
    }
    [[nodiscard]] std::ptrdiff_t Count(const std::string& call) const {
        const auto calls = Calls();
        return std::count(calls.begin(), calls.end(), call);
    }

    test::TempFolder folder_;
    std::wstring state_ = folder_.File(L"media.txt");
    std::wstring log_ = folder_.File(L"calls.log");
    bool initialized_ = false;
    CountingHost host_;
};

test::RegisteredRuntimeClass Register() {
    return {sdk::kMediaSessionManagerClass, test::BuiltFile(L"test_fakemedia.dll")};
}

TEST_F(NowPlayingSourceTest, FollowsTheSessionAndSendsItCommands) {
    const auto registration = Register();
    ASSERT_TRUE(registration.Registered());
    WriteState("");
    NowPlayingSource source(host_);
    source.Poll();  // asks for the manager
    source.Poll();  // takes it and reads the session
    const NowPlayingSnapshot& snapshot = source.Snapshot();
    EXPECT_EQ(snapshot.title + L"|" + snapshot.artist + L"|" + snapshot.album + L"|" +
                  snapshot.sourceName,
              L"Song|Band|Record|Spotify");
    EXPECT_TRUE(snapshot.active && snapshot.playing);
    EXPECT_DOUBLE_EQ(snapshot.durationSeconds, 300.0);
    EXPECT_GT(source.CurrentPositionSeconds(), 11.5);
    EXPECT_LT(source.CurrentPositionSeconds(), 14.0);
    EXPECT_GT(host_.changed, 0);

    // The same app's next track once the properties are due again; another
    // app's at once.
    const int32_t generation = source.ArtworkGeneration();
    WriteState("title=Other\n");
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Song");
    ::Sleep(1600);
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Other");
    EXPECT_NE(source.ArtworkGeneration(), generation);
    WriteState("app=family!App\ntitle=Third\n");
    source.Poll();
    EXPECT_EQ(snapshot.title + L"|" + snapshot.sourceName, L"Third|App");

    const struct {
        const char* state;
        bool active;
        bool playing;
        double position;
    } statuses[] = {{"status=3\n", false, false, 0.0}, {"status=5\n", true, false, 10.0}};
    for (const auto& status : statuses) {
        SCOPED_TRACE(status.state);
        WriteState(status.state);
        source.Poll();
        EXPECT_EQ(snapshot.active, status.active);
        EXPECT_EQ(snapshot.playing, status.playing);
        EXPECT_DOUBLE_EQ(source.CurrentPositionSeconds(), status.position);
    }

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
    const auto polls = Count("GetPlaybackInfo");
    EXPECT_TRUE(test::PumpUntil([&] { return Count("GetPlaybackInfo") > polls; }, 2000));

    WriteState("session=0\n");
    source.Poll();
    EXPECT_TRUE(snapshot.title.empty() && snapshot.sourceId.empty());
    EXPECT_EQ(host_.ended, 1);
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
}

TEST_F(NowPlayingSourceTest, WithoutTheClassPollingStopsUntilSwitchedOnAgainThenFollowsPlayback) {
    Settings settings;
    settings.nowPlayingEnabled = true;
    NowPlayingSource source(host_);
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(source.Unavailable());

    const auto registration = Register();
    WriteState("");
    source.Poll();
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(Calls().empty());
    settings.nowPlayingEnabled = false;
    source.ApplyNowPlayingSettings(settings);
    settings.nowPlayingEnabled = true;
    source.ApplyNowPlayingSettings(settings);
    EXPECT_FALSE(source.Unavailable());
    EXPECT_EQ(Count("RequestAsync"), 1);
    // The timer takes over: every second while playing, every two otherwise.
    EXPECT_TRUE(test::PumpUntil([&] { return source.PollPeriodMs() == 1000; }, 5000));
    WriteState("status=5\n");
    EXPECT_TRUE(test::PumpUntil([&] { return source.PollPeriodMs() == 2000; }, 3000));
}

}  // namespace
}  // namespace corvane
