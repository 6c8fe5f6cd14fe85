#pragma once
// The process-wide Direct2D, DirectWrite and WIC factories.

#include <d2d1.h>
#include <windows.h>
#include <dwrite.h>
#include <wincodec.h>
#include <wrl/client.h>

namespace corvane {

struct GraphicsFactories {
    Microsoft::WRL::ComPtr<ID2D1Factory> d2d;
    Microsoft::WRL::ComPtr<IDWriteFactory> dwrite;
    // Optional: without it image decoding fails where it is used.
    Microsoft::WRL::ComPtr<IWICImagingFactory> wic;
};

// A render target over the window's client area that draws in DIPs at `dpi`
// (0 counts as 96), with premultiplied alpha so that glass behind it shows.
[[nodiscard]] bool CreateWindowTarget(
    ID2D1Factory* factory, HWND window, UINT dpi,
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget>& target) noexcept;

// The same target for a surface that draws text, with grayscale text
// antialiasing (ClearType needs an opaque background, glass has none) and
// one solid brush; on failure neither is kept.
[[nodiscard]] bool CreateTextTarget(ID2D1Factory* factory, HWND window, UINT dpi,
                                    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget>& target,
                                    Microsoft::WRL::ComPtr<ID2D1SolidColorBrush>& brush) noexcept;

// Replaces any previous factories. False when Direct2D or DirectWrite is missing.
[[nodiscard]] bool CreateGraphicsFactories(GraphicsFactories& factories) noexcept;

}  // namespace corvane
