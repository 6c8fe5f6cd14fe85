#pragma once
// The system's media session, followed from the GUI thread: a thread-less
// timer polls it, asynchronous operations are looked at on later polls and
// never waited for, and one snapshot with its artwork is kept for the card
// and the widgets to read.

#include "base/MediaSessionApi.h"
#include "base/TimerWindow.h"
#include "base/Worker.h"
#include "config/Settings.h"
#include "nowplaying/ArtworkTint.h"
#include "nowplaying/NowPlayingCardSource.h"
#include "nowplaying/NowPlayingHost.h"
#include "nowplaying/NowPlayingModel.h"
#include "nowplaying/NowPlayingRules.h"

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>

namespace corvane {

// How long a seek or skip is given before the session is read again.
inline constexpr UINT kCommandRepollMs = 250;

enum NowPlayingTimer : UINT_PTR {
    TIMER_NOWPLAYING_POLL = 1,
    // Soon after a command, which the session reports late or not at all.
    TIMER_NOWPLAYING_REPOLL,
};

class NowPlayingSource final : public NowPlayingCardSource, private TimerOwner {
public:
    // asyncLimitMs: how long an operation may stay running before it is
    // cancelled and asked again. Cover art is read and decoded on `worker`:
    // the stream reads from the other app.
    NowPlayingSource(NowPlayingHost& host, Worker& worker,
                     uint32_t asyncLimitMs = kAsyncLimitMs) noexcept;
    ~NowPlayingSource() override;
    NowPlayingSource(const NowPlayingSource&) = delete;
    NowPlayingSource& operator=(const NowPlayingSource&) = delete;

    // At start and after every settings change.
    void ApplyNowPlayingSettings(const Settings& settings) noexcept;
    // One refresh step; the timer calls it, so may anyone.
    void Poll() noexcept;
    // Sent without waiting for the answer; the session is read again shortly.
    void SendMediaCommand(MediaCommand command, double seconds = 0) noexcept override;
    void TogglePlayPause() noexcept { SendMediaCommand(MediaCommand::TogglePlayPause); }
    // Timers off and every runtime object released; the feature counts as off.
    void Stop() noexcept;

    // Extrapolated from the last timeline while playing.
    [[nodiscard]] double CurrentPositionSeconds() const noexcept override;
    [[nodiscard]] const NowPlayingSnapshot& Snapshot() const noexcept override { return snapshot_; }
    // Square premultiplied BGRA, or null; a new generation means the device
    // bitmap made from it is stale.
    [[nodiscard]] IWICBitmapSource* Artwork() const noexcept override { return artwork_.Get(); }
    [[nodiscard]] int32_t ArtworkGeneration() const noexcept override { return artworkGeneration_; }
    [[nodiscard]] ArtworkTint Tint() const noexcept override { return tint_; }
    // The source app's icon at this size, loaded synchronously on first use.
    [[nodiscard]] IWICBitmapSource* SourceIcon(int32_t px) noexcept override;
    // The session manager cannot be reached; polling stays off until the
    // feature is switched off and on again.
    [[nodiscard]] bool Unavailable() const noexcept { return unavailable_; }

private:
    template <typename Operation>
    struct Pending {
        Microsoft::WRL::ComPtr<Operation> operation;
        uint32_t started = 0;
    };

    void OnTimer(UINT_PTR id) noexcept override;

    void PollSteps();
    // False when the manager is not there (yet).
    bool EnsureManager(uint32_t now);
    void ReadMediaProperties(sdk::IMediaSession* session, bool sourceChanged, uint32_t now,
                             bool& changed);
    void ReadThumbnail(uint32_t now) noexcept;
    void StartThumbnail(sdk::IMediaProperties* properties, uint32_t now) noexcept;
    void ClearAll();
    void DropArtwork() noexcept;
    // The result once the operation completed with one; null otherwise, and
    // the operation released unless it is still running within its limit.
    template <typename Operation, typename Result>
    Microsoft::WRL::ComPtr<Result> Collect(Pending<Operation>& pending, uint32_t now) noexcept;

    void SetPollPeriod(UINT periodMs) noexcept;
    void KillTimers() noexcept;

    NowPlayingHost& host_;
    Worker& worker_;
    uint32_t channel_;
    uint32_t asyncLimitMs_;
    NowPlayingSnapshot snapshot_;
    Microsoft::WRL::ComPtr<IWICBitmapSource> artwork_;
    ArtworkTint tint_;
    int32_t artworkGeneration_ = 0;
    Microsoft::WRL::ComPtr<IWICBitmapSource> sourceIcon_;
    int32_t sourceIconSize_ = 0;  // 0: not loaded for the current source
    bool unavailable_ = false;

    Microsoft::WRL::ComPtr<sdk::IMediaSessionManagerStatics> statics_;
    Microsoft::WRL::ComPtr<sdk::IMediaSessionManager> manager_;
    Pending<sdk::IAsyncManager> managerRequest_;
    Pending<sdk::IAsyncMediaProperties> propertiesRequest_;
    uint32_t lastPropertiesRequest_ = 0;
    Pending<sdk::IAsyncStream> thumbnailRequest_;

    UINT pollPeriod_ = 0;
    // Last: it goes first, and with it every timer.
    TimerWindow timers_{*this};
};

}  // namespace corvane
