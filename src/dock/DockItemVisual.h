#pragma once
// What a dock item looks like on its window, beside the model's DockItem:
// the loaded icons, the bitmaps made from them for the dock's render target,
// and the magnification. Kept in a list beside the items, in their order,
// each visual marked with its item's key so that it follows its item.

#include "identity/IconLoader.h"

#include <d2d1.h>
#include <wrl/client.h>

#include <cstdint>

namespace corvane {

struct DockItemVisual {
    uint64_t key = 0;            // DockItem::key of the item it belongs to
    IconSourceBitmap icon;       // at the normal size
    IconSourceBitmap largeIcon;  // at the hover size, drawn while magnified
    Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
    Microsoft::WRL::ComPtr<ID2D1Bitmap> largeBitmap;
    float scale = 1.0f;
    float targetScale = 1.0f;
};

}  // namespace corvane
