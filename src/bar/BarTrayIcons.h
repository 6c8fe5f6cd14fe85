#pragma once
// The bar's Direct2D bitmaps of the hosted tray icons, made once per icon
// and generation: icons change by a new generation, not on every paint.

#include "tray/TrayIcon.h"

#include <d2d1.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace corvane {

class TrayIconBitmaps final {
public:
    // The icon's bitmap for this target, `size` pixels square; null when the
    // icon could not be turned into one (it is not tried again until its
    // generation changes).
    [[nodiscard]] ID2D1Bitmap* Get(ID2D1RenderTarget* target, IWICImagingFactory* wic,
                                   const TrayIcon& icon, int32_t size);
    // Drops the bitmaps of icons that are no longer in the list.
    void DropMissing(const std::vector<TrayIcon>& icons) noexcept;
    // Device bitmaps go with the target they were made for.
    void Clear() noexcept { entries_.clear(); }

private:
    struct Entry {
        uint64_t ownerWindow = 0;
        uint32_t id = 0;
        uint64_t generation = 0;
        Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
    };
    std::vector<Entry> entries_;
};

}  // namespace corvane
