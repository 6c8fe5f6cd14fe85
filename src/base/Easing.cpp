#include "base/Easing.h"

#include <cmath>

namespace corvane {

bool EaseTowards(float& value, float target, const Easing& easing) noexcept {
    value += (target - value) * easing.share;
    if (std::fabs(target - value) <= easing.snap) {
        value = target;
    }
    return value != target;
}

}  // namespace corvane
