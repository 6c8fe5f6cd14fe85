#include "identity/IconDrawGeometry.h"

#include <cmath>

namespace corvane {
namespace {

constexpr float kDipsPerInch = 96.0f;
constexpr float kPixelExactWithin = 0.5f;

}  // namespace

float PixelScaleForDpi(float dpi) {
    return dpi > 0.0f && std::isfinite(dpi) ? dpi / kDipsPerInch : 1.0f;
}

PointRect SnapToDevicePixels(const PointRect& rect, float scale) {
    const float left = std::round(rect.left * scale) / scale;
    const float top = std::round(rect.top * scale) / scale;
    const float width = std::round((rect.right - rect.left) * scale) / scale;
    const float height = std::round((rect.bottom - rect.top) * scale) / scale;
    return PointRect{left, top, left + width, top + height};
}

IconSampling ChooseIconSampling(uint32_t bitmapWidth, uint32_t bitmapHeight,
                                const PointRect& snapped, float scale) {
    const float deviceWidth = (snapped.right - snapped.left) * scale;
    const float deviceHeight = (snapped.bottom - snapped.top) * scale;
    const bool exactWidth =
        std::fabs(static_cast<float>(bitmapWidth) - deviceWidth) < kPixelExactWithin;
    const bool exactHeight =
        std::fabs(static_cast<float>(bitmapHeight) - deviceHeight) < kPixelExactWithin;
    return exactWidth && exactHeight ? IconSampling::NearestNeighbor
                                     : IconSampling::HighQualityCubic;
}

}  // namespace corvane
