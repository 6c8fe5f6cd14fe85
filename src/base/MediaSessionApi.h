#pragma once
// The Windows Runtime interfaces of the system media session, which mingw-w64
// ships no header for. Only the interfaces the Now Playing source calls are
// declared, each up to the last method it needs: every slot before that one
// is declared in metadata order, because a method's place in the vtable is
// all the caller has. TimeSpan and DateTime are single 64-bit values in
// 100-ns units and are passed as int64_t.
//
// IIDs of the plain interfaces are those of the published Windows.Media.Control
// and Windows.Storage.Streams metadata. The IAsyncOperation instantiations
// have no IID of their own in any header: they are computed as the Windows
// Runtime computes parameterised IIDs (a name-based UUID, version 5, SHA-1
// over the namespace 11f47ad5-7b73-42c0-abae-878b1e16adee and the signature
// "pinterface({9fc2b0bb-e446-44e2-aa61-9cab8f636af2};<argument>)", where a
// runtime class argument is "rc(<name>;{<default interface IID>})"). The same
// computation gives the published IIDs of IAsyncOperation<bool> and
// IIterable<GlobalSystemMediaTransportControlsSession>, which checks both the
// method and the session's IID.

#include <windows.h>

#include <hstring.h>
#include <inspectable.h>
#include <objidl.h>

#include <cstdint>

namespace corvane::sdk {

// Windows.Foundation.AsyncStatus.
enum class AsyncStatus : int32_t { Started = 0, Completed = 1, Canceled = 2, Error = 3 };

// Windows.Media.Control.GlobalSystemMediaTransportControlsSessionPlaybackStatus.
enum class MediaPlaybackStatus : int32_t {
    Closed = 0,
    Opened = 1,
    Changing = 2,
    Stopped = 3,
    Playing = 4,
    Paused = 5,
};

inline constexpr wchar_t kMediaSessionManagerClass[] =
    L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

// mingw-w64's libuuid lacks these two.
inline constexpr GUID kIidInspectable = {
    0xaf86e2e0, 0xb12d, 0x4c6a, {0x9c, 0x5a, 0xd7, 0xaa, 0x65, 0x10, 0x1e, 0x90}};
inline constexpr GUID kIidActivationFactory = {
    0x00000035, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// Windows.Foundation.IAsyncInfo.
struct IAsyncInfo : IInspectable {
    static constexpr GUID kIid = {
        0x00000036, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
    virtual HRESULT STDMETHODCALLTYPE get_Id(UINT32* id) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Status(AsyncStatus* status) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* errorCode) = 0;
    virtual HRESULT STDMETHODCALLTYPE Cancel() = 0;
    virtual HRESULT STDMETHODCALLTYPE Close() = 0;
};

// Windows.Foundation.IAsyncOperation<Result>; the completion handler is
// never set, so it is passed as the plain pointer it is.
template <typename Result, const GUID* Iid>
struct IAsyncOperationOf : IInspectable {
    static constexpr GUID kIid = *Iid;
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IUnknown* handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IUnknown** handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetResults(Result* results) = 0;
};

struct IRandomAccessStreamWithContentType;
struct IMediaSession;
struct IMediaProperties;
struct IMediaSessionManager;

// IAsyncOperation<bool>: published.
inline constexpr GUID kIidAsyncBool = {
    0xcdb5efb3, 0x5788, 0x509d, {0x9b, 0xe1, 0x71, 0xcc, 0xb8, 0xa3, 0x36, 0x2a}};
// IAsyncOperation<IRandomAccessStreamWithContentType>: published and computed.
inline constexpr GUID kIidAsyncStream = {
    0xc4a57c5e, 0x32b0, 0x55b3, {0xad, 0x13, 0xce, 0x1c, 0x23, 0x04, 0x1e, 0xd6}};
// IAsyncOperation<GlobalSystemMediaTransportControlsSessionManager>: computed.
inline constexpr GUID kIidAsyncManager = {
    0x3eec115e, 0x7346, 0x5c27, {0x8c, 0x5f, 0xda, 0x78, 0x51, 0x4a, 0x27, 0x7b}};
// IAsyncOperation<GlobalSystemMediaTransportControlsSessionMediaProperties>: computed.
inline constexpr GUID kIidAsyncMediaProperties = {
    0xb185e6f3, 0xe0d8, 0x51cb, {0x91, 0x3f, 0xc9, 0x8d, 0x48, 0xc9, 0x3c, 0x46}};

using IAsyncBool = IAsyncOperationOf<boolean, &kIidAsyncBool>;
using IAsyncStream = IAsyncOperationOf<IRandomAccessStreamWithContentType*, &kIidAsyncStream>;
using IAsyncManager = IAsyncOperationOf<IMediaSessionManager*, &kIidAsyncManager>;
using IAsyncMediaProperties = IAsyncOperationOf<IMediaProperties*, &kIidAsyncMediaProperties>;

// Windows.Storage.Streams.IRandomAccessStreamWithContentType: only handed on
// to CreateStreamOverRandomAccessStream.
struct IRandomAccessStreamWithContentType : IInspectable {
    static constexpr GUID kIid = {
        0xcc254827, 0x4b3d, 0x438f, {0x92, 0x32, 0x10, 0xc7, 0x6b, 0xc7, 0xe0, 0x38}};
};

// Windows.Storage.Streams.IRandomAccessStreamReference.
struct IRandomAccessStreamReference : IInspectable {
    static constexpr GUID kIid = {
        0x33ee3134, 0x1dd6, 0x4e3a, {0x80, 0x67, 0xd1, 0xc1, 0x62, 0xe8, 0x64, 0x2b}};
    virtual HRESULT STDMETHODCALLTYPE OpenReadAsync(IAsyncStream** operation) = 0;
};

// IGlobalSystemMediaTransportControlsSessionManagerStatics.
struct IMediaSessionManagerStatics : IInspectable {
    static constexpr GUID kIid = {
        0x2050c4ee, 0x11a0, 0x57de, {0xae, 0xd7, 0xc9, 0x7c, 0x70, 0x33, 0x82, 0x45}};
    virtual HRESULT STDMETHODCALLTYPE RequestAsync(IAsyncManager** operation) = 0;
};

// IGlobalSystemMediaTransportControlsSessionManager.
struct IMediaSessionManager : IInspectable {
    static constexpr GUID kIid = {
        0xcace8eac, 0xe86e, 0x504a, {0xab, 0x31, 0x5f, 0xf8, 0xff, 0x1b, 0xce, 0x49}};
    virtual HRESULT STDMETHODCALLTYPE GetCurrentSession(IMediaSession** session) = 0;
};

// IGlobalSystemMediaTransportControlsSessionPlaybackInfo.
struct IMediaPlaybackInfo : IInspectable {
    static constexpr GUID kIid = {
        0x94b4b6cf, 0xe8ba, 0x51ad, {0x87, 0xa7, 0xc1, 0x0a, 0xde, 0x10, 0x61, 0x27}};
    virtual HRESULT STDMETHODCALLTYPE get_Controls(IInspectable** controls) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(MediaPlaybackStatus* status) = 0;
};

// IGlobalSystemMediaTransportControlsSessionTimelineProperties.
struct IMediaTimelineProperties : IInspectable {
    static constexpr GUID kIid = {
        0xede34136, 0x6f25, 0x588d, {0x8e, 0xcf, 0xea, 0x5b, 0x67, 0x35, 0xaa, 0xa5}};
    virtual HRESULT STDMETHODCALLTYPE get_StartTime(int64_t* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EndTime(int64_t* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MinSeekTime(int64_t* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxSeekTime(int64_t* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Position(int64_t* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_LastUpdatedTime(int64_t* value) = 0;
};

// IGlobalSystemMediaTransportControlsSessionMediaProperties.
struct IMediaProperties : IInspectable {
    static constexpr GUID kIid = {
        0x68856cf6, 0xadb4, 0x54b2, {0xac, 0x16, 0x05, 0x83, 0x79, 0x07, 0xac, 0xb6}};
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_TrackNumber(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Genres(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTrackCount(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackType(IInspectable** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(IRandomAccessStreamReference** value) = 0;
};

// IGlobalSystemMediaTransportControlsSession.
struct IMediaSession : IInspectable {
    static constexpr GUID kIid = {
        0x7148c835, 0x9b14, 0x5ae2, {0xab, 0x85, 0xdc, 0x9b, 0x1c, 0x14, 0xe1, 0xa8}};
    virtual HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(IAsyncMediaProperties** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetTimelineProperties(IMediaTimelineProperties** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPlaybackInfo(IMediaPlaybackInfo** result) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryPlayAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryPauseAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryStopAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryRecordAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryFastForwardAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryRewindAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TrySkipNextAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TrySkipPreviousAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangeChannelUpAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangeChannelDownAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryTogglePlayPauseAsync(IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangeAutoRepeatModeAsync(INT32 mode, IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackRateAsync(DOUBLE rate, IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangeShuffleActiveAsync(boolean active,
                                                                  IAsyncBool** op) = 0;
    virtual HRESULT STDMETHODCALLTYPE TryChangePlaybackPositionAsync(int64_t position,
                                                                     IAsyncBool** op) = 0;
};

// QueryInterface by the interface's own IID.
template <typename Interface>
HRESULT QueryAs(IUnknown* from, Interface** to) noexcept {
    *to = nullptr;
    return from == nullptr ? E_POINTER
                           : from->QueryInterface(Interface::kIid, reinterpret_cast<void**>(to));
}

}  // namespace corvane::sdk

// shcore: an IStream over a Windows Runtime stream. The import library has
// it, the headers do not. Call it only with a stream that was really opened:
// some systems implement the export as a stub that ends the process.
extern "C" HRESULT WINAPI CreateStreamOverRandomAccessStream(IUnknown* randomAccessStream,
                                                             REFIID riid, void** ppv);
