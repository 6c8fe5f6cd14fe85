#pragma once
// One press of a pointer button, from the press to its end, as every surface
// reads it: the pointer may wander within the drag threshold and the press
// is still a click, which counts only when it is let go over what was
// pressed; once it goes past the threshold on either axis the press becomes
// a drag, which the release drops and a lost capture (or anything else that
// ends the press without a release) cancels. Coordinates are the caller's
// own pixels (client or screen), the same for the whole press.

#include <cstdint>

namespace corvane {

// How far the pointer may move from the press, each way and in pixels, and
// still make a click.
struct DragThreshold {
    int32_t x = 0;
    int32_t y = 0;
};

inline constexpr int32_t kNoTarget = -1;

enum class GestureStep : uint8_t {
    None,         // nothing for the caller to do
    DragStarted,  // this move took the press past the threshold
    DragMoved,    // a move of a drag under way
    Clicked,      // let go over the pressed target without a drag
    Dropped,      // let go while dragging
    Cancelled,    // a drag ended without a release
};

class PointerGesture {
public:
    // A press on `target` (kNoTarget: nothing that clicks or drags). A
    // target that is not `draggable` only ever clicks.
    void Press(int32_t target, int32_t x, int32_t y, DragThreshold threshold,
               bool draggable = true) noexcept;
    [[nodiscard]] GestureStep Move(int32_t x, int32_t y) noexcept;
    // The button came up over `targetUnder`; the press is over.
    [[nodiscard]] GestureStep Release(int32_t targetUnder) noexcept;
    // The press ended without a release: the capture went, the pointer left.
    GestureStep Cancel() noexcept;
    // A drag that reorders moves its target to another index.
    void Retarget(int32_t target) noexcept;

    [[nodiscard]] bool Pressed() const noexcept { return target_ != kNoTarget; }
    [[nodiscard]] bool Dragging() const noexcept { return dragging_; }
    [[nodiscard]] int32_t Target() const noexcept { return target_; }
    [[nodiscard]] int32_t PressX() const noexcept { return pressX_; }
    [[nodiscard]] int32_t PressY() const noexcept { return pressY_; }
    // Whether letting go over `targetUnder` now would be a click.
    [[nodiscard]] bool ClicksOn(int32_t targetUnder) const noexcept {
        return Pressed() && !dragging_ && targetUnder == target_;
    }

private:
    int32_t target_ = kNoTarget;
    int32_t pressX_ = 0;
    int32_t pressY_ = 0;
    DragThreshold threshold_;
    bool draggable_ = false;
    bool dragging_ = false;
};

}  // namespace corvane
