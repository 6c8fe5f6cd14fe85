#pragma once
// Moving from one open drop-down to its neighbour, as in a real menu bar.

#include <cstdint>

namespace corvane {

enum class SlideKey { Left, Right };

// The menu an arrow key asks for, wrapping at both ends; -1 when the key
// keeps its usual meaning (one menu only, or cascading submenus that need
// the arrows themselves).
[[nodiscard]] int SlideRequest(SlideKey key, int currentIndex, int menuCount, bool hasSubmenus);

// The menu that hovering over a title asks for; -1 for no title or the
// open one.
[[nodiscard]] int HoverRequest(int hitIndex, int currentIndex);

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// The menu a pointer-move report asks for. The system also reports a move
// at the unchanged position when a window appears under a resting pointer
// (the next drop-down, say); taken for a hover, that report would send the
// user straight back to the title the pointer rests on. So a report at the
// last known position asks for nothing.
[[nodiscard]] int PointerMoveRequest(ScreenPoint last, ScreenPoint reported, int hitIndex,
                                     int currentIndex);

}  // namespace corvane
