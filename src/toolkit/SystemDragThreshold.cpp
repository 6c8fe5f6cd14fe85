#include "toolkit/SystemDragThreshold.h"

#include <windows.h>

#include <cstdlib>

namespace corvane {
namespace {

int32_t DragMetric(int index, uint32_t dpi) noexcept {
    int value = ::GetSystemMetricsForDpi(index, dpi);
    if (value == 0) {
        // Failed (zero is also no size at all): the unscaled value is the
        // nearest thing.
        value = ::GetSystemMetrics(index);
    }
    // A negative size reaches as far to each side as a positive one.
    return std::abs(value);
}

}  // namespace

DragThreshold SystemDragThreshold(uint32_t dpi) noexcept {
    const uint32_t forDpi = dpi != 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    return {DragMetric(SM_CXDRAG, forDpi), DragMetric(SM_CYDRAG, forDpi)};
}

}  // namespace corvane
