#include "base/Easing.h"

#include <cmath>
#include <limits>

namespace corvane {

bool EaseTowards(float& value, float target, const Easing& easing) noexcept {
    value += (target - value) * easing.share;
    if (std::fabs(target - value) <= easing.snap) {
        value = target;
    }
    return value != target;
}

Easing MotionEasing(const Easing& easing, bool animate) noexcept {
    return animate ? easing : Easing{1.0f, std::numeric_limits<float>::infinity()};
}

float MotionDurationMs(float durationMs, bool animate) noexcept {
    return animate ? durationMs : 0.0f;
}

}  // namespace corvane
