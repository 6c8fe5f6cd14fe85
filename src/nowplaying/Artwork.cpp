#include "nowplaying/Artwork.h"

#include "base/DynamicApis.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {

using Microsoft::WRL::ComPtr;

namespace {

// A cover is shown at 320 pixels at most: anything much larger is not a
// cover, and decoding it would cost hundreds of megabytes.
constexpr UINT kMaxDecodedSide = 4096;

}  // namespace

ComPtr<IWICBitmap> ArtworkFromStream(IWICImagingFactory* wic, IStream* encoded) noexcept {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0;
    UINT height = 0;
    if (wic == nullptr || encoded == nullptr ||
        FAILED(wic->CreateDecoderFromStream(encoded, nullptr, WICDecodeMetadataCacheOnLoad,
                                            &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        width == 0 || height == 0 || width > kMaxDecodedSide || height > kMaxDecodedSide) {
        return nullptr;
    }
    // Covers are square in the card; a wide video frame loses its sides. If
    // the clipper fails the whole frame is squeezed instead.
    const UINT side = std::min(width, height);
    ComPtr<IWICBitmapSource> source = frame;
    ComPtr<IWICBitmapClipper> clipper;
    const WICRect square{static_cast<INT>((width - side) / 2),
                         static_cast<INT>((height - side) / 2), static_cast<INT>(side),
                         static_cast<INT>(side)};
    if (SUCCEEDED(wic->CreateBitmapClipper(&clipper)) &&
        SUCCEEDED(clipper->Initialize(frame.Get(), &square))) {
        source = clipper;
    }
    const UINT edge = std::min(side, kArtworkMaxSide);
    const auto cubic =
        static_cast<WICBitmapInterpolationMode>(sdk::kWicInterpolationHighQualityCubic);
    ComPtr<IWICFormatConverter> converter;
    ComPtr<IWICBitmapScaler> scaler;
    ComPtr<IWICBitmap> artwork;
    if (FAILED(wic->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(source.Get(), GUID_WICPixelFormat32bppPBGRA,
                                     WICBitmapDitherTypeNone, nullptr, 0.0,
                                     WICBitmapPaletteTypeCustom)) ||
        FAILED(wic->CreateBitmapScaler(&scaler)) ||
        (FAILED(scaler->Initialize(converter.Get(), edge, edge, cubic)) &&
         FAILED(scaler->Initialize(converter.Get(), edge, edge, WICBitmapInterpolationModeFant))) ||
        FAILED(wic->CreateBitmapFromSource(scaler.Get(), WICBitmapCacheOnLoad, &artwork))) {
        return nullptr;
    }
    return artwork;
}

ArtworkTint ArtworkTintOf(IWICImagingFactory* wic, IWICBitmapSource* artwork) noexcept {
    ComPtr<IWICBitmapScaler> scaler;
    std::array<uint8_t, 64> pixels = {};
    if (wic == nullptr || artwork == nullptr || FAILED(wic->CreateBitmapScaler(&scaler)) ||
        FAILED(scaler->Initialize(artwork, 4, 4, WICBitmapInterpolationModeFant)) ||
        FAILED(scaler->CopyPixels(nullptr, 16, static_cast<UINT>(pixels.size()), pixels.data()))) {
        return {};
    }
    return TintFromPixels(pixels);
}

}  // namespace corvane
