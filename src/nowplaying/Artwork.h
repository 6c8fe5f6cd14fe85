#pragma once
// Cover art from the encoded image a media session hands over: a centred
// square of at most kArtworkMaxSide pixels in premultiplied BGRA, owning its
// pixels so that painting only turns it into a device bitmap, and the tint
// taken from it.

#include "nowplaying/ArtworkTint.h"

#include <windows.h>
#include <objidl.h>
#include <wincodec.h>
#include <wrl/client.h>

namespace corvane {

inline constexpr UINT kArtworkMaxSide = 320;

// Null when the image cannot be decoded or is too large to be worth
// decoding (wider or taller than 4,096 pixels).
[[nodiscard]] Microsoft::WRL::ComPtr<IWICBitmap> ArtworkFromStream(IWICImagingFactory* wic,
                                                                   IStream* encoded) noexcept;

// The tint of the artwork; a = 0 when it cannot be computed.
[[nodiscard]] ArtworkTint ArtworkTintOf(IWICImagingFactory* wic,
                                        IWICBitmapSource* artwork) noexcept;

}  // namespace corvane
