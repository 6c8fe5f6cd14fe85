#include "nowplaying/NowPlayingSource.h"

#include "identity/IconLoader.h"
#include "nowplaying/Artwork.h"
#include "nowplaying/SnapshotUpdates.h"

#include <roapi.h>
#include <winstring.h>

#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using namespace corvane::sdk;

inline constexpr UINT kFirstPollPeriodMs = 2000;

// A string handed over by the session, deleted when it goes.
class SessionText {
public:
    SessionText() = default;
    ~SessionText() { ::WindowsDeleteString(text_); }
    SessionText(const SessionText&) = delete;
    SessionText& operator=(const SessionText&) = delete;

    [[nodiscard]] HSTRING* Put() noexcept { return &text_; }
    [[nodiscard]] std::wstring_view View() const noexcept {
        UINT32 length = 0;
        const wchar_t* raw = ::WindowsGetStringRawBuffer(text_, &length);
        return raw == nullptr ? std::wstring_view{} : std::wstring_view(raw, length);
    }

private:
    HSTRING text_ = nullptr;
};

// A failed read leaves the text empty. Read in place: only the cleaned,
// capped text is ever copied.
template <typename Object>
void ReadText(Object* object, HRESULT (STDMETHODCALLTYPE Object::*get)(HSTRING*),
              SessionText& text) noexcept {
    (void)(object->*get)(text.Put());
}

// A failed read leaves the value zero.
int64_t ReadTime(IMediaTimelineProperties* timeline,
                 HRESULT (STDMETHODCALLTYPE IMediaTimelineProperties::*get)(int64_t*)) noexcept {
    int64_t value = 0;
    return SUCCEEDED((timeline->*get)(&value)) ? value : 0;
}

// An interface of this apartment, carried to the worker's; the marshalling
// data is released whether or not the worker ever takes it.
class MarshalledInterface {
public:
    explicit MarshalledInterface(IUnknown* object) noexcept {
        if (FAILED(::CoMarshalInterThreadInterfaceInStream(IID_IUnknown, object, &stream_))) {
            stream_ = nullptr;
        }
    }
    ~MarshalledInterface() {
        if (stream_ != nullptr) {
            const LARGE_INTEGER start = {};
            (void)stream_->Seek(start, STREAM_SEEK_SET, nullptr);
            (void)::CoReleaseMarshalData(stream_);
            stream_->Release();
        }
    }
    MarshalledInterface(const MarshalledInterface&) = delete;
    MarshalledInterface& operator=(const MarshalledInterface&) = delete;

    // Once, on the thread that uses it.
    [[nodiscard]] ComPtr<IUnknown> Take() noexcept {
        ComPtr<IUnknown> object;
        IStream* stream = std::exchange(stream_, nullptr);
        if (stream == nullptr ||
            FAILED(::CoGetInterfaceAndReleaseStream(
                stream, IID_IUnknown, reinterpret_cast<void**>(object.GetAddressOf())))) {
            return nullptr;
        }
        return object;
    }

private:
    IStream* stream_ = nullptr;
};

struct DecodedArtwork {
    ComPtr<IWICBitmap> artwork;
    ArtworkTint tint;
};

// On the worker, with a factory of its own: the GUI thread's belongs to
// its apartment.
DecodedArtwork DecodeArtwork(const ComPtr<IUnknown>& opened) noexcept {
    ComPtr<IStream> stream;
    ComPtr<IWICImagingFactory> wic;
    DecodedArtwork decoded;
    if (opened == nullptr ||
        FAILED(::CreateStreamOverRandomAccessStream(
            opened.Get(), IID_IStream, reinterpret_cast<void**>(stream.GetAddressOf()))) ||
        FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&wic)))) {
        return decoded;
    }
    decoded.artwork = ArtworkFromStream(wic.Get(), stream.Get());
    decoded.tint = ArtworkTintOf(wic.Get(), decoded.artwork.Get());
    return decoded;
}

}  // namespace

NowPlayingSource::NowPlayingSource(NowPlayingHost& host, Worker& worker,
                                   uint32_t asyncLimitMs) noexcept
    : host_(host), worker_(worker), channel_(worker.NewChannel()), asyncLimitMs_(asyncLimitMs) {}

NowPlayingSource::~NowPlayingSource() {
    Stop();
    try {
        worker_.Cancel(channel_);
    } catch (...) {
        // The lock failed: nothing can be delivered to a worker this broken.
    }
}

void NowPlayingSource::ApplyNowPlayingSettings(const Settings& settings) noexcept {
    if (settings.nowPlayingEnabled) {
        host_.NowPlayingSwitched(true);
        if (!timers_.Running(TIMER_NOWPLAYING_POLL)) {
            unavailable_ = false;
            SetPollPeriod(kFirstPollPeriodMs);
            Poll();
        }
    } else if (timers_.Running(TIMER_NOWPLAYING_POLL)) {
        KillTimers();
        host_.NowPlayingSwitched(false);
        try {
            ClearAll();
        } catch (...) {
            // Only the docks' relayout allocates; the snapshot is cleared.
        }
    }
}

void NowPlayingSource::Stop() noexcept {
    KillTimers();
    propertiesRequest_ = {};
    thumbnailRequest_ = {};
    managerRequest_ = {};
    manager_.Reset();
    statics_.Reset();
    artwork_.Reset();
    sourceIcon_.Reset();
    sourceIconSize_ = 0;
    tint_ = {};
    (void)corvane::ClearSnapshot(snapshot_);
}

void NowPlayingSource::Poll() noexcept {
    try {
        PollSteps();
    } catch (...) {
        // Out of memory for a text: the next poll tries again.
    }
}

void NowPlayingSource::PollSteps() {
    if (unavailable_) {
        return;
    }
    const uint32_t now = ::GetTickCount();
    if (!EnsureManager(now)) {
        return;
    }
    ComPtr<IMediaSession> session;
    const HRESULT hr = manager_->GetCurrentSession(session.GetAddressOf());
    if (FAILED(hr)) {
        // A manager that stopped answering (its service restarted, say) is
        // asked for anew on the next poll.
        manager_.Reset();
    }
    if (FAILED(hr) || session == nullptr) {
        ClearAll();
        return;
    }

    bool changed = false;
    bool sourceChanged = false;
    {
        SessionText id;
        const std::wstring_view raw = SUCCEEDED(session->get_SourceAppUserModelId(id.Put()))
                                          ? id.View()
                                          : std::wstring_view{};
        sourceChanged = UpdateSource(snapshot_, raw, host_.NowPlayingApps());
    }
    if (sourceChanged) {
        sourceIcon_.Reset();
        sourceIconSize_ = 0;
        propertiesRequest_ = {};
        // The old app's cover goes with its title.
        DropArtwork();
        changed = true;
    }

    // Closed unless read: an unreadable status counts as nothing playing.
    int32_t status = static_cast<int32_t>(MediaPlaybackStatus::Closed);
    ComPtr<IMediaPlaybackInfo> playback;
    if (SUCCEEDED(session->GetPlaybackInfo(playback.GetAddressOf())) && playback != nullptr) {
        MediaPlaybackStatus read = MediaPlaybackStatus::Closed;
        if (SUCCEEDED(playback->get_PlaybackStatus(&read))) {
            status = static_cast<int32_t>(read);
        }
    }

    ComPtr<IMediaTimelineProperties> timeline;
    if (SUCCEEDED(session->GetTimelineProperties(timeline.GetAddressOf())) && timeline != nullptr) {
        UpdateTimeline(snapshot_,
                       ReadTime(timeline.Get(), &IMediaTimelineProperties::get_StartTime),
                       ReadTime(timeline.Get(), &IMediaTimelineProperties::get_EndTime),
                       ReadTime(timeline.Get(), &IMediaTimelineProperties::get_Position),
                       ReadTime(timeline.Get(), &IMediaTimelineProperties::get_LastUpdatedTime));
    } else {
        UpdateTimeline(snapshot_, 0, 0, 0, 0);
    }
    snapshot_.positionSeconds = TicksToSeconds(snapshot_.positionBase);

    ReadMediaProperties(session.Get(), sourceChanged, now, changed);
    ReadThumbnail(now);

    changed = UpdatePlayback(snapshot_, status) || changed;
    if (changed || snapshot_.active) {
        host_.NowPlayingChanged();
    }
}

bool NowPlayingSource::EnsureManager(uint32_t now) {
    if (manager_ != nullptr) {
        return true;
    }
    if (statics_ == nullptr) {
        HSTRING name = nullptr;
        HRESULT hr = ::WindowsCreateString(
            kMediaSessionManagerClass,
            static_cast<UINT32>(std::size(kMediaSessionManagerClass) - 1), &name);
        if (SUCCEEDED(hr)) {
            hr = ::RoGetActivationFactory(name, IMediaSessionManagerStatics::kIid,
                                          reinterpret_cast<void**>(statics_.GetAddressOf()));
            ::WindowsDeleteString(name);
        }
        if (FAILED(hr) || statics_ == nullptr) {
            statics_.Reset();
            unavailable_ = true;
            return false;
        }
    }
    if (managerRequest_.operation == nullptr) {
        if (SUCCEEDED(statics_->RequestAsync(managerRequest_.operation.GetAddressOf()))) {
            managerRequest_.started = now;
        } else {
            managerRequest_ = {};
        }
        return false;
    }
    const ComPtr<IMediaSessionManager> result =
        Collect<IAsyncManager, IMediaSessionManager>(managerRequest_, now);
    if (result == nullptr) {
        return false;  // running, or failed: asked again next time
    }
    // The result's own interface, not the pointer's declared type: the object
    // comes from another component.
    if (FAILED(QueryAs(result.Get(), manager_.GetAddressOf()))) {
        unavailable_ = true;
        return false;
    }
    return true;
}

void NowPlayingSource::ReadMediaProperties(IMediaSession* session, bool sourceChanged, uint32_t now,
                                           bool& changed) {
    if (propertiesRequest_.operation == nullptr &&
        MediaPropertiesDue(false, sourceChanged, now, lastPropertiesRequest_)) {
        lastPropertiesRequest_ = now;
        if (SUCCEEDED(
                session->TryGetMediaPropertiesAsync(propertiesRequest_.operation.GetAddressOf()))) {
            propertiesRequest_.started = now;
        } else {
            propertiesRequest_ = {};
        }
    }
    if (propertiesRequest_.operation == nullptr) {
        return;
    }
    const ComPtr<IMediaProperties> properties =
        Collect<IAsyncMediaProperties, IMediaProperties>(propertiesRequest_, now);
    if (properties == nullptr) {
        return;
    }
    SessionText title;
    SessionText artist;
    SessionText album;
    ReadText(properties.Get(), &IMediaProperties::get_Title, title);
    ReadText(properties.Get(), &IMediaProperties::get_Artist, artist);
    ReadText(properties.Get(), &IMediaProperties::get_AlbumTitle, album);
    if (!UpdateTrack(snapshot_, title.View(), artist.View(), album.View())) {
        return;
    }
    DropArtwork();
    StartThumbnail(properties.Get(), now);
    changed = true;
}

void NowPlayingSource::StartThumbnail(IMediaProperties* properties, uint32_t now) noexcept {
    thumbnailRequest_ = {};
    ComPtr<IRandomAccessStreamReference> thumbnail;
    if (FAILED(properties->get_Thumbnail(thumbnail.GetAddressOf())) || thumbnail == nullptr) {
        return;
    }
    if (SUCCEEDED(thumbnail->OpenReadAsync(thumbnailRequest_.operation.GetAddressOf()))) {
        thumbnailRequest_.started = now;
    } else {
        thumbnailRequest_ = {};
    }
}

void NowPlayingSource::ReadThumbnail(uint32_t now) noexcept {
    if (thumbnailRequest_.operation == nullptr) {
        return;
    }
    // Only a stream the open really produced is handed on: the conversion
    // is not safe to call with anything else.
    const ComPtr<IRandomAccessStreamWithContentType> opened =
        Collect<IAsyncStream, IRandomAccessStreamWithContentType>(thumbnailRequest_, now);
    if (opened == nullptr) {
        return;
    }
    // Reading it waits on the other app: the worker reads and decodes, and
    // a new track (DropArtwork) cancels what it has not delivered yet.
    try {
        auto stream = std::make_shared<MarshalledInterface>(opened.Get());
        worker_.Submit<DecodedArtwork>(
            {channel_, 0}, WorkUrgency::Background,
            [stream] { return DecodeArtwork(stream->Take()); },
            [this](DecodedArtwork&& decoded) {
                if (decoded.artwork == nullptr) {
                    return;
                }
                tint_ = decoded.tint;
                artwork_ = std::move(decoded.artwork);
                ++artworkGeneration_;
                host_.NowPlayingChanged();
            });
    } catch (...) {
        // Out of memory: no cover for this track.
    }
}

template <typename Operation, typename Result>
ComPtr<Result> NowPlayingSource::Collect(Pending<Operation>& pending, uint32_t now) noexcept {
    ComPtr<IAsyncInfo> info;
    sdk::AsyncStatus status = sdk::AsyncStatus::Error;
    if (FAILED(QueryAs(pending.operation.Get(), info.GetAddressOf())) ||
        FAILED(info->get_Status(&status))) {
        status = sdk::AsyncStatus::Error;
    }
    ComPtr<Result> result;
    if (status == sdk::AsyncStatus::Completed &&
        FAILED(pending.operation->GetResults(result.GetAddressOf()))) {
        result.Reset();
    }
    switch (NextAsyncStep(static_cast<int32_t>(status), result != nullptr, now, pending.started,
                          asyncLimitMs_)) {
        case AsyncStep::Wait:
            return nullptr;
        case AsyncStep::Abandon:
            (void)info->Cancel();
            pending = {};
            return nullptr;
        case AsyncStep::Take:
            pending = {};
            return result;
        case AsyncStep::Drop:
            break;
    }
    pending = {};
    return nullptr;
}

void NowPlayingSource::DropArtwork() noexcept {
    try {
        worker_.Cancel(channel_);
    } catch (...) {
        // The lock failed: a late cover may still land, as before a change.
    }
    artwork_.Reset();
    tint_ = {};
    ++artworkGeneration_;
    thumbnailRequest_ = {};
}

void NowPlayingSource::ClearAll() {
    propertiesRequest_ = {};
    thumbnailRequest_ = {};
    sourceIcon_.Reset();
    sourceIconSize_ = 0;
    if (artwork_ != nullptr) {
        DropArtwork();
    }
    tint_ = {};
    if (corvane::ClearSnapshot(snapshot_)) {
        host_.NowPlayingChanged();
    }
}

double NowPlayingSource::CurrentPositionSeconds() const noexcept {
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    const int64_t ticks = static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32U) |
                                               now.dwLowDateTime);
    return corvane::CurrentPositionSeconds(snapshot_, ticks);
}

void NowPlayingSource::SendMediaCommand(MediaCommand command, double seconds) noexcept {
    if (manager_ == nullptr) {
        return;
    }
    ComPtr<IMediaSession> session;
    if (FAILED(manager_->GetCurrentSession(session.GetAddressOf())) || session == nullptr) {
        return;
    }
    // The answer says whether the app took the command; its effect shows in
    // the next poll either way, so the operation is let go at once.
    ComPtr<IAsyncBool> sent;
    switch (command) {
        case MediaCommand::TogglePlayPause:
            (void)session->TryTogglePlayPauseAsync(sent.GetAddressOf());
            break;
        case MediaCommand::Next:
            (void)session->TrySkipNextAsync(sent.GetAddressOf());
            break;
        case MediaCommand::Previous:
            (void)session->TrySkipPreviousAsync(sent.GetAddressOf());
            break;
        case MediaCommand::Seek:
            (void)session->TryChangePlaybackPositionAsync(SecondsToTicks(seconds),
                                                          sent.GetAddressOf());
            break;
        default:
            return;
    }
    (void)timers_.Start(TIMER_NOWPLAYING_REPOLL, kCommandRepollMs);
}

IWICBitmapSource* NowPlayingSource::SourceIcon(int32_t px) noexcept {
    // The identifier becomes a shell path: one that could name a file or
    // climb out of the apps folder never gets that far.
    if (px <= 0 || !IsSafeSourceId(snapshot_.sourceId)) {
        return nullptr;
    }
    if (sourceIconSize_ == px) {
        return sourceIcon_.Get();
    }
    try {
        std::wstring path;
        if (const AppEntry* app = FindSourceApp(snapshot_.sourceId, host_.NowPlayingApps())) {
            path = app->exePath.empty() ? app->target : app->exePath;
        } else {
            path = L"shell:AppsFolder\\" + snapshot_.sourceId;
        }
        sourceIcon_ = LoadIconBitmap(path, px);
    } catch (...) {
        sourceIcon_.Reset();
    }
    // A failed load is remembered too: it is synchronous and runs from paint.
    sourceIconSize_ = px;
    return sourceIcon_.Get();
}

void NowPlayingSource::OnTimer(UINT_PTR id) noexcept {
    if (id == TIMER_NOWPLAYING_REPOLL) {
        timers_.Stop(id);
        Poll();
        return;
    }
    Poll();
    const UINT period = corvane::PollIntervalMs(snapshot_.active, snapshot_.playing);
    if (period != pollPeriod_) {
        SetPollPeriod(period);
    }
}

void NowPlayingSource::SetPollPeriod(UINT periodMs) noexcept {
    pollPeriod_ = timers_.Start(TIMER_NOWPLAYING_POLL, periodMs) ? periodMs : 0;
}

void NowPlayingSource::KillTimers() noexcept {
    timers_.Stop(TIMER_NOWPLAYING_POLL);
    timers_.Stop(TIMER_NOWPLAYING_REPOLL);
    pollPeriod_ = 0;
}

}  // namespace corvane
