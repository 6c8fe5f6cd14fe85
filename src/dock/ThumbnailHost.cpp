#include "dock/ThumbnailHost.h"

#include "base/Win32Geometry.h"

namespace corvane {
namespace {

class DwmThumbnails final : public ThumbnailHost {
public:
    HTHUMBNAIL Register(HWND destination, HWND source) noexcept override {
        HTHUMBNAIL thumbnail = nullptr;
        return SUCCEEDED(::DwmRegisterThumbnail(destination, source, &thumbnail)) ? thumbnail
                                                                                  : nullptr;
    }

    bool SetProperties(HTHUMBNAIL thumbnail, const PixelRect& destination,
                       bool visible) noexcept override {
        DWM_THUMBNAIL_PROPERTIES properties = {};
        properties.dwFlags = DWM_TNP_RECTDESTINATION | DWM_TNP_OPACITY | DWM_TNP_VISIBLE |
                             DWM_TNP_SOURCECLIENTAREAONLY;
        properties.rcDestination = ToRect(destination);
        properties.opacity = 255;
        properties.fVisible = visible ? TRUE : FALSE;
        properties.fSourceClientAreaOnly = FALSE;
        return SUCCEEDED(::DwmUpdateThumbnailProperties(thumbnail, &properties));
    }

    bool QuerySourceSize(HTHUMBNAIL thumbnail, SIZE& size) noexcept override {
        return SUCCEEDED(::DwmQueryThumbnailSourceSize(thumbnail, &size));
    }

    void Unregister(HTHUMBNAIL thumbnail) noexcept override {
        (void)::DwmUnregisterThumbnail(thumbnail);
    }
};

}  // namespace

ThumbnailHost& DwmThumbnailHost() noexcept {
    static DwmThumbnails host;
    return host;
}

}  // namespace corvane
