#pragma once
// The shared rectangles to and from the system's RECT.

#include "base/Geometry.h"

#include <windows.h>

namespace corvane {

[[nodiscard]] inline PixelRect ToPixelRect(const RECT& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

[[nodiscard]] inline RECT ToRect(const PixelRect& r) noexcept {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace corvane
