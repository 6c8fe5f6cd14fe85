#pragma once
// What the Now Playing card reads and asks of the media session it shows, so
// that the card knows nothing of how the session is watched.

#include "nowplaying/ArtworkTint.h"
#include "nowplaying/NowPlayingModel.h"

#include <wincodec.h>

#include <cstdint>

namespace corvane {

class NowPlayingCardSource {
public:
    virtual ~NowPlayingCardSource() = default;

    [[nodiscard]] virtual const NowPlayingSnapshot& Snapshot() const = 0;
    // Extrapolated from the last timeline while playing.
    [[nodiscard]] virtual double CurrentPositionSeconds() const = 0;
    // The cover in premultiplied BGRA; null without one.
    [[nodiscard]] virtual IWICBitmapSource* Artwork() const = 0;
    // Changes whenever the cover does.
    [[nodiscard]] virtual int32_t ArtworkGeneration() const = 0;
    [[nodiscard]] virtual ArtworkTint Tint() const = 0;
    // The source app's icon `px` pixels square; null without one.
    [[nodiscard]] virtual IWICBitmapSource* SourceIcon(int32_t px) = 0;
    // `seconds` is the target of a seek and ignored otherwise.
    virtual void SendMediaCommand(MediaCommand command, double seconds) = 0;
};

}  // namespace corvane
