#include "dock/ThumbnailHost.h"

#include "base/Win32Geometry.h"

namespace corvane {

HTHUMBNAIL DwmThumbnails::Register(HWND destination, HWND source) noexcept {
    HTHUMBNAIL thumbnail = nullptr;
    return SUCCEEDED(::DwmRegisterThumbnail(destination, source, &thumbnail)) ? thumbnail : nullptr;
}

bool DwmThumbnails::SetProperties(HTHUMBNAIL thumbnail, const PixelRect& destination,
                                  bool visible) noexcept {
    DWM_THUMBNAIL_PROPERTIES properties = {};
    properties.dwFlags =
        DWM_TNP_RECTDESTINATION | DWM_TNP_OPACITY | DWM_TNP_VISIBLE | DWM_TNP_SOURCECLIENTAREAONLY;
    properties.rcDestination = ToRect(destination);
    properties.opacity = 255;
    properties.fVisible = visible ? TRUE : FALSE;
    properties.fSourceClientAreaOnly = FALSE;
    return SUCCEEDED(::DwmUpdateThumbnailProperties(thumbnail, &properties));
}

bool DwmThumbnails::QuerySourceSize(HTHUMBNAIL thumbnail, SIZE& size) noexcept {
    return SUCCEEDED(::DwmQueryThumbnailSourceSize(thumbnail, &size));
}

void DwmThumbnails::Unregister(HTHUMBNAIL thumbnail) noexcept {
    (void)::DwmUnregisterThumbnail(thumbnail);
}

}  // namespace corvane
