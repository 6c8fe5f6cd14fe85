// The media session declarations against test_fakemedia.dll, registered as
// the session manager's runtime class where the system has none (Wine). The library declares its
// vtables on its own, so every value read here through the product's declarations proves that both
// agree on that slot and on the interface's IID.

#include "base/MediaSessionApi.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <roapi.h>
#include <winstring.h>
#include <wrl/client.h>

#include <functional>
#include <string>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using namespace corvane::sdk;

std::wstring Take(HSTRING text) {
    std::wstring copy = ::WindowsGetStringRawBuffer(text, nullptr);
    ::WindowsDeleteString(text);
    return copy;
}

// Test paths are ASCII.
std::string Ascii(const std::wstring& text) {
    std::string ascii;
    for (const wchar_t c : text) {
        ascii += static_cast<char>(c);
    }
    return ascii;
}

class MediaSessionApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::RegisteredRuntimeClass::SystemHasIt(kMediaSessionManagerClass)) {
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

    void WriteState(const std::string& lines) const {
        const std::string text = lines + "log=" + Ascii(folder_.File(L"calls.log")) + "\n";
        ASSERT_TRUE(test::WriteFileBytes(state_, {text.begin(), text.end()}));
    }
    // The last call the library logged, without its time.
    [[nodiscard]] std::string LastCall() const {
        const auto bytes = test::ReadFileBytes(folder_.File(L"calls.log"));
        std::string text(bytes.begin(), bytes.end());
        text.erase(text.find_last_not_of('\n') + 1);
        const std::string line = text.substr(text.find_last_of('\n') + 1);
        return line.substr(line.find(' ') + 1);
    }

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
    static int StartedReads(Operation* operation, AsyncStatus& status) {
        ComPtr<IAsyncInfo> info;
        EXPECT_HRESULT_SUCCEEDED(QueryAs(operation, info.GetAddressOf()));
        int started = 0;
        status = AsyncStatus::Error;
        while (info != nullptr && SUCCEEDED(info->get_Status(&status)) &&
               status == AsyncStatus::Started && started < 100) {
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

    test::TempFolder folder_;
    std::wstring state_ = folder_.File(L"media.txt");
    bool initialized_ = false;
};

TEST_F(MediaSessionApiTest, WithoutTheRegisteredClassTheFactoryIsAbsent) {
    ComPtr<IMediaSessionManagerStatics> statics;
    EXPECT_TRUE(FAILED(Activate(statics)));
    EXPECT_EQ(statics, nullptr);
}

TEST_F(MediaSessionApiTest, EverySlotUsedReachesTheSessionsMethod) {
    const test::RegisteredRuntimeClass registration(kMediaSessionManagerClass,
                                                    test::BuiltFile(L"test_fakemedia.dll"));
    ASSERT_TRUE(registration.Registered());
    WriteState(
        "app=Spotify.exe\ntitle=Song\nartist=Band\nalbum=Record\nstatus=5\n"
        "start=100\nend=3000100\nposition=1500100\nupdated=133000000000000000\npending=2\n"
        "thumbnail=" +
        Ascii(test::BuiltFile(L"test_fakemedia.dll")) + "\n");

    ComPtr<IMediaSessionManagerStatics> statics;
    ASSERT_HRESULT_SUCCEEDED(Activate(statics));
    ComPtr<IAsyncManager> request;
    ASSERT_HRESULT_SUCCEEDED(statics->RequestAsync(request.GetAddressOf()));
    AsyncStatus status = AsyncStatus::Error;
    EXPECT_EQ(StartedReads(request.Get(), status), 2);
    ASSERT_EQ(status, AsyncStatus::Completed);
    ComPtr<IMediaSessionManager> manager;
    ASSERT_HRESULT_SUCCEEDED(request->GetResults(manager.GetAddressOf()));
    ComPtr<IMediaSession> session;
    ASSERT_HRESULT_SUCCEEDED(manager->GetCurrentSession(session.GetAddressOf()));
    ASSERT_NE(session, nullptr);

    ExpectOwnIid(request.Get());
    ExpectOwnIid(manager.Get());
    ExpectOwnIid(session.Get());
    HSTRING app = nullptr;
    ASSERT_HRESULT_SUCCEEDED(session->get_SourceAppUserModelId(&app));
    EXPECT_EQ(Take(app), L"Spotify.exe");

    ComPtr<IMediaPlaybackInfo> playback;
    ASSERT_HRESULT_SUCCEEDED(session->GetPlaybackInfo(playback.GetAddressOf()));
    ExpectOwnIid(playback.Get());
    MediaPlaybackStatus playbackStatus = MediaPlaybackStatus::Closed;
    ASSERT_HRESULT_SUCCEEDED(playback->get_PlaybackStatus(&playbackStatus));
    EXPECT_EQ(playbackStatus, MediaPlaybackStatus::Paused);

    ComPtr<IMediaTimelineProperties> timeline;
    ASSERT_HRESULT_SUCCEEDED(session->GetTimelineProperties(timeline.GetAddressOf()));
    ExpectOwnIid(timeline.Get());
    using TimeGetter = HRESULT (STDMETHODCALLTYPE IMediaTimelineProperties::*)(int64_t*);
    const struct {
        TimeGetter get;
        int64_t expected;
    } times[] = {
        {&IMediaTimelineProperties::get_StartTime, 100},
        {&IMediaTimelineProperties::get_EndTime, 3000100},
        {&IMediaTimelineProperties::get_Position, 1500100},
        {&IMediaTimelineProperties::get_LastUpdatedTime, 133000000000000000},
    };
    for (const auto& time : times) {
        int64_t value = -1;
        EXPECT_HRESULT_SUCCEEDED((timeline.Get()->*time.get)(&value));
        EXPECT_EQ(value, time.expected);
    }

    ComPtr<IAsyncMediaProperties> propertiesRequest;
    ASSERT_HRESULT_SUCCEEDED(session->TryGetMediaPropertiesAsync(&propertiesRequest));
    EXPECT_EQ(StartedReads(propertiesRequest.Get(), status), 2);
    ComPtr<IMediaProperties> properties;
    ASSERT_HRESULT_SUCCEEDED(propertiesRequest->GetResults(properties.GetAddressOf()));
    ExpectOwnIid(propertiesRequest.Get());
    ExpectOwnIid(properties.Get());
    using TextGetter = HRESULT (STDMETHODCALLTYPE IMediaProperties::*)(HSTRING*);
    const struct {
        TextGetter get;
        const wchar_t* expected;
    } texts[] = {
        {&IMediaProperties::get_Title, L"Song"},
        {&IMediaProperties::get_Artist, L"Band"},
        {&IMediaProperties::get_AlbumTitle, L"Record"},
    };
    for (const auto& text : texts) {
        HSTRING value = nullptr;
        EXPECT_HRESULT_SUCCEEDED((properties.Get()->*text.get)(&value));
        EXPECT_EQ(Take(value), text.expected);
    }

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

    const struct {
        std::function<HRESULT(IAsyncBool**)> send;
        const char* call;
    } commands[] = {
        {[&](IAsyncBool** op) { return session->TryTogglePlayPauseAsync(op); },
         "TryTogglePlayPauseAsync"},
        {[&](IAsyncBool** op) { return session->TrySkipNextAsync(op); }, "TrySkipNextAsync"},
        {[&](IAsyncBool** op) { return session->TrySkipPreviousAsync(op); },
         "TrySkipPreviousAsync"},
        {[&](IAsyncBool** op) { return session->TryChangePlaybackPositionAsync(1234567, op); },
         "TryChangePlaybackPositionAsync 1234567"},
    };
    for (const auto& command : commands) {
        ComPtr<IAsyncBool> sent;
        EXPECT_HRESULT_SUCCEEDED(command.send(sent.GetAddressOf()));
        EXPECT_EQ(LastCall(), command.call);
        ExpectOwnIid(sent.Get());
        boolean done = 0;
        EXPECT_EQ(StartedReads(sent.Get(), status), 2);
        EXPECT_HRESULT_SUCCEEDED(sent->GetResults(&done));
        EXPECT_EQ(done, 1);
    }
}

}  // namespace
}  // namespace corvane
