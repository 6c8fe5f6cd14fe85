#include "identity/IconDrawing.h"

#include "identity/IconDrawGeometry.h"

#include <d2d1_1.h>
#include <wrl/client.h>

namespace corvane {

void DrawIconBitmap(ID2D1RenderTarget* target, ID2D1Bitmap* bitmap, D2D1_RECT_F& rect,
                    float opacity) noexcept {
    if (target == nullptr || bitmap == nullptr) {
        return;
    }
    float dpiX = 0;
    float dpiY = 0;
    target->GetDpi(&dpiX, &dpiY);
    const float scale = PixelScaleForDpi(dpiX);
    const PointRect snapped =
        SnapToDevicePixels(PointRect{rect.left, rect.top, rect.right, rect.bottom}, scale);
    rect = D2D1_RECT_F{snapped.left, snapped.top, snapped.right, snapped.bottom};

    Microsoft::WRL::ComPtr<ID2D1DeviceContext> context;
    if (SUCCEEDED(target->QueryInterface(IID_PPV_ARGS(&context)))) {
        const D2D1_SIZE_U pixels = bitmap->GetPixelSize();
        const D2D1_INTERPOLATION_MODE mode =
            ChooseIconSampling(pixels.width, pixels.height, snapped, scale) ==
                    IconSampling::NearestNeighbor
                ? D2D1_INTERPOLATION_MODE_NEAREST_NEIGHBOR
                : D2D1_INTERPOLATION_MODE_HIGH_QUALITY_CUBIC;
        context->DrawBitmap(bitmap, &rect, opacity, mode, nullptr, nullptr);
        return;
    }
    target->DrawBitmap(bitmap, rect, opacity, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
}

bool DrawRoundedBitmap(ID2D1RenderTarget* target, ID2D1Bitmap* bitmap, const D2D1_RECT_F& rect,
                       float radius, float opacity) noexcept {
    if (target == nullptr || bitmap == nullptr) {
        return false;
    }
    Microsoft::WRL::ComPtr<ID2D1Factory> factory;
    Microsoft::WRL::ComPtr<ID2D1RoundedRectangleGeometry> mask;
    Microsoft::WRL::ComPtr<ID2D1Layer> layer;
    target->GetFactory(&factory);
    if (!factory ||
        FAILED(factory->CreateRoundedRectangleGeometry(D2D1::RoundedRect(rect, radius, radius),
                                                       &mask)) ||
        FAILED(target->CreateLayer(nullptr, &layer))) {
        return false;
    }
    target->PushLayer(D2D1::LayerParameters(rect, mask.Get()), layer.Get());
    target->DrawBitmap(bitmap, rect, opacity, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
    target->PopLayer();
    return true;
}

}  // namespace corvane
