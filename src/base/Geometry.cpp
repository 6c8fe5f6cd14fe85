#include "base/Geometry.h"

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

}  // namespace corvane
