#include "bar/BarTrayIcons.h"

#include "identity/IconLoader.h"

#include <algorithm>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

ComPtr<ID2D1Bitmap> MakeBitmap(ID2D1RenderTarget* target, IWICImagingFactory* wic, HICON handle,
                               int32_t size) {
    ComPtr<IWICBitmap> fromIcon;
    if (target == nullptr || wic == nullptr || handle == nullptr ||
        FAILED(wic->CreateBitmapFromHICON(handle, &fromIcon))) {
        return {};
    }
    ComPtr<ID2D1Bitmap> bitmap;
    if (const IconSourceBitmap scaled = TrimAndScale(wic, fromIcon.Get(), size)) {
        if (SUCCEEDED(target->CreateBitmapFromWicBitmap(scaled.Get(), nullptr, &bitmap))) {
            return bitmap;
        }
    }
    // Unscaled is still better than an empty slot: drawing fits it to the slot.
    ComPtr<IWICFormatConverter> converter;
    if (SUCCEEDED(wic->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(fromIcon.Get(), GUID_WICPixelFormat32bppPBGRA,
                                        WICBitmapDitherTypeNone, nullptr, 0.0,
                                        WICBitmapPaletteTypeCustom))) {
        (void)target->CreateBitmapFromWicBitmap(converter.Get(), nullptr, &bitmap);
    }
    return bitmap;
}

}  // namespace

ID2D1Bitmap* TrayIconBitmaps::Get(ID2D1RenderTarget* target, IWICImagingFactory* wic,
                                  const TrayIcon& icon, int32_t size) {
    const auto handle = reinterpret_cast<HICON>(static_cast<uintptr_t>(icon.icon));
    for (Entry& e : entries_) {
        if (e.ownerWindow == icon.ownerWindow && e.id == icon.id) {
            if (e.generation != icon.iconGeneration) {
                e.generation = icon.iconGeneration;
                e.bitmap = MakeBitmap(target, wic, handle, size);
            }
            return e.bitmap.Get();
        }
    }
    Entry& e = entries_.emplace_back();
    e.ownerWindow = icon.ownerWindow;
    e.id = icon.id;
    e.generation = icon.iconGeneration;
    e.bitmap = MakeBitmap(target, wic, handle, size);
    return e.bitmap.Get();
}

void TrayIconBitmaps::DropMissing(const std::vector<TrayIcon>& icons) noexcept {
    std::erase_if(entries_, [&icons](const Entry& e) {
        return std::none_of(icons.begin(), icons.end(), [&e](const TrayIcon& icon) {
            return icon.ownerWindow == e.ownerWindow && icon.id == e.id;
        });
    });
}

}  // namespace corvane
