// DrawIconBitmap into an offscreen Direct2D target at 150 % scale.

#include "base/Win32Handles.h"
#include "identity/IconDrawing.h"

#include <gtest/gtest.h>

#include <d2d1.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <vector>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;

TEST(DrawIconBitmap, A48PixelIconIn32DipsLandsOnWholeDevicePixels) {
    constexpr UINT kCanvas = 100;
    constexpr UINT kIcon = 48;
    ComApartment com;
    ComPtr<IWICImagingFactory> wic;
    ComPtr<ID2D1Factory> d2d;
    ComPtr<IWICBitmap> canvas;
    ComPtr<ID2D1RenderTarget> target;
    ASSERT_TRUE(SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_PPV_ARGS(&wic))));
    ASSERT_TRUE(
        SUCCEEDED(::D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED, d2d.GetAddressOf())));
    ASSERT_TRUE(SUCCEEDED(wic->CreateBitmap(kCanvas, kCanvas, GUID_WICPixelFormat32bppPBGRA,
                                            WICBitmapCacheOnLoad, &canvas)));
    const D2D1_RENDER_TARGET_PROPERTIES props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 144.0f,
        144.0f);
    ASSERT_TRUE(SUCCEEDED(d2d->CreateWicBitmapRenderTarget(canvas.Get(), props, &target)));

    // A checkerboard of single pixels: any blending or offset would show.
    std::vector<uint8_t> pixels(kIcon * kIcon * 4, 255);
    for (UINT i = 0; i < kIcon * kIcon; ++i) {
        if ((i % kIcon + i / kIcon) % 2 == 0) {
            pixels[i * 4] = pixels[i * 4 + 1] = 0;
        }
    }
    ComPtr<IWICBitmap> source;
    ComPtr<ID2D1Bitmap> bitmap;
    ASSERT_TRUE(SUCCEEDED(wic->CreateBitmapFromMemory(kIcon, kIcon, GUID_WICPixelFormat32bppPBGRA,
                                                      kIcon * 4, static_cast<UINT>(pixels.size()),
                                                      pixels.data(), &source)));
    ASSERT_TRUE(SUCCEEDED(target->CreateBitmapFromWicBitmap(source.Get(), &bitmap)));

    D2D1_RECT_F rect = {10.3f, 10.3f, 42.3f, 42.3f};
    target->BeginDraw();
    target->Clear(D2D1::ColorF(0, 0.0f));
    DrawIconBitmap(target.Get(), bitmap.Get(), rect, 1.0f);
    ASSERT_TRUE(SUCCEEDED(target->EndDraw()));
    // 10.3 DIPs are 15.45 device pixels, snapped to 15.

    std::vector<uint8_t> drawn(kCanvas * kCanvas * 4);
    ASSERT_TRUE(SUCCEEDED(
        canvas->CopyPixels(nullptr, kCanvas * 4, static_cast<UINT>(drawn.size()), drawn.data())));
    // Device pixels 15..62 hold the checkerboard exactly, nothing around it.
    int mismatches = 0;
    for (UINT y = 14; y <= 15 + kIcon; ++y) {
        for (UINT x = 14; x <= 15 + kIcon; ++x) {
            const uint8_t* p = &drawn[(y * kCanvas + x) * 4];
            const bool inside = x >= 15 && x < 15 + kIcon && y >= 15 && y < 15 + kIcon;
            const bool dark = (x + y) % 2 == 0;
            mismatches += inside ? p[3] != 255 || p[0] != (dark ? 0 : 255) : p[3] != 0;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace corvane
