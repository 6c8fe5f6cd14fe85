#pragma once

namespace corvane {

// Milliseconds until 20 ms past the next full second (seconds shown) or the
// next full minute, from the local time's seconds and milliseconds.
[[nodiscard]] constexpr int ClockPeriodMs(bool showSeconds, int second, int millisecond) noexcept {
    const int toBoundary = showSeconds ? 1000 : (60 - second) * 1000;
    return toBoundary - millisecond + 20;
}

}  // namespace corvane
