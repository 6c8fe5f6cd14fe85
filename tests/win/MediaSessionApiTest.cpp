// The media session declarations against test_fakemedia.dll, registered as
// the session manager's runtime class where the system has none (Wine). The
// library declares its vtables on its own, so a value read through the
// product's declarations proves that both agree on that slot and IID.

#include "base/MediaSessionApi.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <roapi.h>
#include <winstring.h>
#include <wrl/client.h>

#include <string>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using namespace corvane::sdk;

class MediaSessionApiTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (test::RegisteredRuntimeClass::SystemHasIt(kMediaSessionManagerClass)) {
            GTEST_SKIP() << "the system has its own media session manager";
        }
        initialized_ = SUCCEEDED(::RoInitialize(RO_INIT_SINGLETHREADED));
    }
    void TearDown() override {
        if (initialized_) {
            ::RoUninitialize();
        }
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

    bool initialized_ = false;
};

// The source's own test reads every other slot through these declarations;
// the cover's stream is what it cannot reach under Wine, which ends the
// process when the stream is handed on.
TEST_F(MediaSessionApiTest, TheCoversSlotsReachTheSessionsStream) {
    const test::FakeMediaSession media;
    ASSERT_TRUE(media.Registered());
    const std::wstring file = test::BuiltFile(L"test_fakemedia.dll");  // an ASCII path
    media.Play("pending=2\nthumbnail=" + std::string(file.begin(), file.end()) + "\n");

    ComPtr<IMediaSessionManagerStatics> statics;
    ASSERT_HRESULT_SUCCEEDED(Activate(statics));
    ComPtr<IAsyncManager> request;
    ASSERT_HRESULT_SUCCEEDED(statics->RequestAsync(request.GetAddressOf()));
    AsyncStatus status = AsyncStatus::Error;
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
