#include "toolkit/GraphicsFactories.h"

#include <d2d1helper.h>

#include <algorithm>

namespace corvane {

bool CreateGraphicsFactories(GraphicsFactories& factories) noexcept {
    factories = GraphicsFactories{};
    if (FAILED(::D2D1CreateFactory(D2D1_FACTORY_TYPE_SINGLE_THREADED,
                                   factories.d2d.ReleaseAndGetAddressOf()))) {
        return false;
    }
    if (FAILED(::DWriteCreateFactory(
            DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
            reinterpret_cast<IUnknown**>(factories.dwrite.ReleaseAndGetAddressOf())))) {
        factories.d2d.Reset();
        return false;
    }
    (void)::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                             IID_PPV_ARGS(factories.wic.ReleaseAndGetAddressOf()));
    return true;
}

bool CreateWindowTarget(ID2D1Factory* factory, HWND window, UINT dpi,
                        Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget>& target) noexcept {
    if (factory == nullptr || window == nullptr) {
        return false;
    }
    RECT client = {};
    ::GetClientRect(window, &client);
    const auto d = static_cast<float>(dpi != 0 ? dpi : 96);
    const auto props = D2D1::RenderTargetProperties(
        D2D1_RENDER_TARGET_TYPE_DEFAULT,
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), d, d);
    const auto hwndProps = D2D1::HwndRenderTargetProperties(
        window, D2D1::SizeU(static_cast<UINT32>(std::max<LONG>(client.right, 0)),
                            static_cast<UINT32>(std::max<LONG>(client.bottom, 0))));
    return SUCCEEDED(factory->CreateHwndRenderTarget(props, hwndProps, &target));
}

bool CreateTextTarget(ID2D1Factory* factory, HWND window, UINT dpi,
                      Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget>& target,
                      Microsoft::WRL::ComPtr<ID2D1SolidColorBrush>& brush) noexcept {
    if (!CreateWindowTarget(factory, window, dpi, target)) {
        return false;
    }
    target->SetTextAntialiasMode(D2D1_TEXT_ANTIALIAS_MODE_GRAYSCALE);
    if (FAILED(target->CreateSolidColorBrush(D2D1::ColorF(1, 1, 1, 1), &brush))) {
        target.Reset();
        return false;
    }
    return true;
}

}  // namespace corvane
