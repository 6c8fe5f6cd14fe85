#pragma once
// The eased step every animation of the shell takes: each tick covers a
// share of the distance left, so that a movement starts quickly and settles
// softly, and a value close enough lands exactly on its target.

namespace corvane {

struct Easing {
    float share = 0;  // of the distance left, covered in one tick
    float snap = 0;   // a value at most this far from its target after a tick lands on it
};

// One tick of `value` towards `target`. True while it has not arrived.
bool EaseTowards(float& value, float target, const Easing& easing) noexcept;

// The motion decision every animation consults: with Windows' animation
// effects off, a movement lands on its target at its first tick and a timed
// one takes no time.
[[nodiscard]] Easing MotionEasing(const Easing& easing, bool animate) noexcept;
[[nodiscard]] float MotionDurationMs(float durationMs, bool animate) noexcept;

}  // namespace corvane
