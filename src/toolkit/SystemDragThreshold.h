#pragma once
// The one drag threshold of every surface: the user's drag rectangle
// (SM_CXDRAG, SM_CYDRAG) scaled to the DPI of the window the pointer is in.

#include "toolkit/PointerGesture.h"

#include <cstdint>

namespace corvane {

[[nodiscard]] DragThreshold SystemDragThreshold(uint32_t dpi) noexcept;

}  // namespace corvane
