#include "toolkit/PointerGesture.h"

#include <cstdlib>

namespace corvane {
namespace {

bool Beyond(int32_t from, int32_t to, int32_t threshold) noexcept {
    return std::llabs(static_cast<int64_t>(to) - from) > threshold;
}

}  // namespace

void PointerGesture::Press(int32_t target, int32_t x, int32_t y, DragThreshold threshold,
                           bool draggable) noexcept {
    target_ = target < 0 ? kNoTarget : target;
    pressX_ = x;
    pressY_ = y;
    threshold_ = threshold;
    draggable_ = draggable;
    dragging_ = false;
}

GestureStep PointerGesture::Move(int32_t x, int32_t y) noexcept {
    if (dragging_) {
        return GestureStep::DragMoved;
    }
    if (!Pressed() || !draggable_ ||
        !(Beyond(pressX_, x, threshold_.x) || Beyond(pressY_, y, threshold_.y))) {
        return GestureStep::None;
    }
    dragging_ = true;
    return GestureStep::DragStarted;
}

GestureStep PointerGesture::Release(int32_t targetUnder) noexcept {
    const bool clicked = ClicksOn(targetUnder);
    if (Cancel() == GestureStep::Cancelled) {
        return GestureStep::Dropped;
    }
    return clicked ? GestureStep::Clicked : GestureStep::None;
}

GestureStep PointerGesture::Cancel() noexcept {
    const bool dragged = dragging_;
    *this = PointerGesture{};
    return dragged ? GestureStep::Cancelled : GestureStep::None;
}

void PointerGesture::Retarget(int32_t target) noexcept {
    if (Pressed() && target >= 0) {
        target_ = target;
    }
}

}  // namespace corvane
