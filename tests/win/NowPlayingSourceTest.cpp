// The Now Playing source over test_fakemedia.dll registered as the session
// manager's runtime class: what the library logs is what the source called.

#include "nowplaying/NowPlayingSource.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <roapi.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

struct CountingHost final : NowPlayingHost {
    void NowPlayingChanged() override { ++changed; }
    void NowPlayingEnded() override { ++ended; }
    void NowPlayingSwitched(bool) override {}
    std::span<const AppEntry> NowPlayingApps() override { return {}; }
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
    }
    void TearDown() override {
        media_.reset();
        if (initialized_) {
            ::RoUninitialize();
        }
    }
    // No thumbnail in the state: this system cannot convert its stream.
    void Register() {
        media_.emplace();
        ASSERT_TRUE(media_->Registered());
    }

    std::optional<test::FakeMediaSession> media_;
    bool initialized_ = false;
    CountingHost host_;
    Worker worker_{nullptr, nullptr};
};

TEST_F(NowPlayingSourceTest, FollowsTheSessionAndSendsItCommands) {
    Register();
    media_->Play("");
    NowPlayingSource source(host_, worker_);
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
    media_->Play("title=Other\n");
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Song");
    ::Sleep(1600);
    source.Poll();
    EXPECT_EQ(snapshot.title, L"Other");
    EXPECT_NE(source.ArtworkGeneration(), generation);
    media_->Play("app=family!App\ntitle=Third\n");
    source.Poll();
    EXPECT_EQ(snapshot.title + L"|" + snapshot.sourceName, L"Third|App");

    // Each command reaching the session is the end-to-end tests' business;
    // here, that the answer is read soon after.
    source.SendMediaCommand(MediaCommand::Next);
    // No poll timer runs here: only the command's own re-read polls.
    const auto polls = media_->Count("GetPlaybackInfo");
    EXPECT_TRUE(test::PumpUntil([&] { return media_->Count("GetPlaybackInfo") > polls; }, 2000));

    media_->Play("session=0\n");
    source.Poll();
    EXPECT_TRUE(snapshot.title.empty() && snapshot.sourceId.empty());
    EXPECT_EQ(host_.ended, 1);
}

TEST_F(NowPlayingSourceTest, AnOperationThatNeverEndsIsCancelledAndAskedAgain) {
    Register();
    media_->Play("pending=-1\n");
    NowPlayingSource source(host_, worker_, 100);
    source.Poll();
    source.Poll();
    EXPECT_EQ(media_->Count("Cancel"), 0);
    ::Sleep(200);
    source.Poll();
    EXPECT_EQ(media_->Count("Cancel"), 1);
    source.Poll();
    EXPECT_EQ(media_->Count("RequestAsync"), 2);
    EXPECT_EQ(media_->Count("GetResults"), 0);
}

TEST_F(NowPlayingSourceTest, WithoutTheClassPollingStopsUntilSwitchedOnAgain) {
    Settings settings;
    settings.nowPlayingEnabled = true;
    NowPlayingSource source(host_, worker_);
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(source.Unavailable());

    Register();
    media_->Play("");
    source.Poll();
    source.ApplyNowPlayingSettings(settings);
    EXPECT_TRUE(media_->Calls().empty());
    settings.nowPlayingEnabled = false;
    source.ApplyNowPlayingSettings(settings);
    settings.nowPlayingEnabled = true;
    source.ApplyNowPlayingSettings(settings);
    EXPECT_FALSE(source.Unavailable());
    EXPECT_EQ(media_->Count("RequestAsync"), 1);
}

}  // namespace
}  // namespace corvane
