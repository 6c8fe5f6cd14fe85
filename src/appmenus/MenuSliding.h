#pragma once
// Moving from one open drop-down to its neighbour, as in a real menu bar.

namespace corvane {

enum class SlideKey { Left, Right };

// The menu an arrow key asks for, wrapping at both ends; -1 when the key
// keeps its usual meaning (one menu only, or cascading submenus that need
// the arrows themselves).
[[nodiscard]] int SlideRequest(SlideKey key, int currentIndex, int menuCount, bool hasSubmenus);

// The menu that hovering over a title asks for; -1 for no title or the
// open one.
[[nodiscard]] int HoverRequest(int hitIndex, int currentIndex);

}  // namespace corvane
