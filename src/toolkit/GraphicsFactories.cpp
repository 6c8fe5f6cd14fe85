#include "toolkit/GraphicsFactories.h"

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

}  // namespace corvane
