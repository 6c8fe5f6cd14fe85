#pragma once
// How a surface that hides at a screen edge slides in and out: a position
// from 0 (in place) to 1 (out of sight) eased towards where it is going. The
// bar and the dock share it, so they move alike and both land at once when
// Windows' animation effects are off.

#include "base/Easing.h"

namespace corvane {

class RevealAnimator {
public:
    explicit constexpr RevealAnimator(Easing easing) noexcept : easing_(easing) {}

    // Where the slide goes from now on; Step moves there.
    void Reveal(bool shown) noexcept { target_ = shown ? 0.0f : 1.0f; }
    // Out of sight at once, with no slide (the surface is being put away).
    void HideNow() noexcept { position_ = target_ = 1.0f; }

    // One tick; true while the slide has not arrived.
    bool Step(bool animate) noexcept {
        return EaseTowards(position_, target_, MotionEasing(easing_, animate));
    }

    [[nodiscard]] float Position() const noexcept { return position_; }
    [[nodiscard]] bool OutOfSight() const noexcept { return position_ >= 1.0f; }

private:
    Easing easing_;
    float position_ = 0.0f;
    float target_ = 0.0f;
};

}  // namespace corvane
