#include "base/Geometry.h"

#include <cmath>

namespace corvane {

int32_t MulDivRound(int32_t a, int32_t b, int32_t c) noexcept {
    if (c == 0) {
        return -1;
    }
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const int64_t p = product < 0 ? -product : product;
    const int64_t d = divisor < 0 ? -divisor : divisor;
    const int64_t q = (p + d / 2) / d;
    return static_cast<int32_t>(negative ? -q : q);
}

PixelRect PointsToPixels(const PointRect& r, uint32_t dpi) noexcept {
    const float scale = static_cast<float>(dpi) / 96.0f;
    const auto edge = [scale](float points) {
        return static_cast<int32_t>(std::lround(points * scale));
    };
    return {edge(r.left), edge(r.top), edge(r.right), edge(r.bottom)};
}

}  // namespace corvane
