// The Now Playing source over test_fakemedia.dll registered as the session
// manager's runtime class: what the library logs is what the source called.

#include "base/MediaSessionApi.h"
#include "nowplaying/NowPlayingSource.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <roapi.h>
#include <string>
#include <vector>
#include <winstring.h>
#include <wrl/client.h>

namespace corvane {
namespace {

struct CountingHost final : NowPlayingHost {
    void NowPlayingChanged() override { ++changed; }
    void NowPlayingSwitched(bool) override {}
    std::span<const AppEntry> NowPlayingApps() override { return {}; }
    int changed = 0;
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

    const int told = host_.changed;
    media_->Play("session=0\n");
    source.Poll();
    EXPECT_TRUE(snapshot.title.empty() && snapshot.sourceId.empty());
    EXPECT_GT(host_.changed, told) << "the end went untold";
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

// The media session declarations against test_fakemedia.dll, registered as
// the session manager's runtime class where the system has none (Wine). The
// library declares its vtables on its own, so a value read through the
// product's declarations proves that both agree on that slot and IID.
using Microsoft::WRL::ComPtr;
using namespace corvane::sdk;

class MediaSessionApiTest : public NowPlayingSourceTest {
protected:
    static HRESULT Activate(ComPtr<IMediaSessionManagerStatics>& statics) {
        HSTRING name = nullptr;
        ::WindowsCreateString(kMediaSessionManagerClass,
                              static_cast<UINT32>(wcslen(kMediaSessionManagerClass)), &name);
        const HRESULT hr =
            ::RoGetActivationFactory(name, IMediaSessionManagerStatics::kIid,
                                     reinterpret_cast<void**>(statics.ReleaseAndGetAddressOf()));
        ::WindowsDeleteString(name);
        return hr;
    }
    // Reads the status until the operation leaves Started; how many reads
    // said Started.
    template <typename Operation>
    static int StartedReads(Operation* operation, sdk::AsyncStatus& status) {
        ComPtr<IAsyncInfo> info;
        EXPECT_HRESULT_SUCCEEDED(QueryAs(operation, info.GetAddressOf()));
        int started = 0;
        status = sdk::AsyncStatus::Error;
        while (info != nullptr && SUCCEEDED(info->get_Status(&status)) &&
               status == sdk::AsyncStatus::Started && started < 100) {
            ++started;
        }
        return started;
    }

    // The object answers to the IID it is declared with.
    template <typename Interface>
    static void ExpectOwnIid(Interface* object) {
        ComPtr<Interface> again;
        EXPECT_HRESULT_SUCCEEDED(QueryAs(object, again.GetAddressOf()));
    }
};

// The source's own test reads every other slot through these declarations;
// the cover's stream is what it cannot reach under Wine, which ends the
// process when the stream is handed on.
TEST_F(MediaSessionApiTest, TheCoversSlotsReachTheSessionsStream) {
    Register();
    const std::wstring file = test::BuiltFile(L"test_fakemedia.dll");  // an ASCII path
    media_->Play("pending=2\nthumbnail=" + std::string(file.begin(), file.end()) + "\n");

    ComPtr<IMediaSessionManagerStatics> statics;
    ASSERT_HRESULT_SUCCEEDED(Activate(statics));
    ComPtr<IAsyncManager> request;
    ASSERT_HRESULT_SUCCEEDED(statics->RequestAsync(request.GetAddressOf()));
    sdk::AsyncStatus status = sdk::AsyncStatus::Error;
    EXPECT_EQ(StartedReads(request.Get(), status), 2);
    ComPtr<IMediaSessionManager> manager;
    ASSERT_HRESULT_SUCCEEDED(request->GetResults(manager.GetAddressOf()));
    ComPtr<IMediaSession> session;
    ASSERT_HRESULT_SUCCEEDED(manager->GetCurrentSession(session.GetAddressOf()));
    ASSERT_NE(session, nullptr);
    ComPtr<IAsyncMediaProperties> propertiesRequest;
    ASSERT_HRESULT_SUCCEEDED(session->TryGetMediaPropertiesAsync(&propertiesRequest));
    EXPECT_EQ(StartedReads(propertiesRequest.Get(), status), 2);
    ComPtr<IMediaProperties> properties;
    ASSERT_HRESULT_SUCCEEDED(propertiesRequest->GetResults(properties.GetAddressOf()));

    ComPtr<IRandomAccessStreamReference> thumbnail;
    ASSERT_HRESULT_SUCCEEDED(properties->get_Thumbnail(thumbnail.GetAddressOf()));
    ASSERT_NE(thumbnail, nullptr);
    ExpectOwnIid(thumbnail.Get());
    ComPtr<IAsyncStream> open;
    ASSERT_HRESULT_SUCCEEDED(thumbnail->OpenReadAsync(open.GetAddressOf()));
    ExpectOwnIid(open.Get());
    EXPECT_EQ(StartedReads(open.Get(), status), 2);
    ComPtr<IRandomAccessStreamWithContentType> stream;
    EXPECT_HRESULT_SUCCEEDED(open->GetResults(stream.GetAddressOf()));
    EXPECT_NE(stream, nullptr);
}

}  // namespace
}  // namespace corvane
