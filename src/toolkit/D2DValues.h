#pragma once
// The theme's colours and the layouts' rectangles as Direct2D takes them.

#include "base/Geometry.h"
#include "toolkit/Theme.h"

#include <d2d1.h>

namespace corvane {

[[nodiscard]] inline D2D1_COLOR_F ToD2D(const ColorF& c, float alpha) noexcept {
    return {c.r, c.g, c.b, alpha};
}

[[nodiscard]] inline D2D1_COLOR_F ToD2D(const ColorF& c) noexcept {
    return ToD2D(c, c.a);
}

[[nodiscard]] inline D2D1_RECT_F ToD2D(const PointRect& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace corvane
