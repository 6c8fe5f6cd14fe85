#pragma once
// What the hot-corner watcher decides between two polls of the pointer:
// which corner square the pointer is in, whether it has stayed there long
// enough to fire, how soon to look again, and what firing a corner does.
// The polling itself and the key presses stay on the Win32 side.

#include "base/Geometry.h"
#include "config/Settings.h"

#include <array>
#include <cstdint>
#include <vector>

namespace corvane {

// The side of a corner's trigger square, in pixels at any DPI: the pointer
// is pinned to the screen edge there, so the square does not grow with
// scaling.
inline constexpr int32_t kHotCornerSquare = 4;
// How long the pointer rests in a corner before it fires.
inline constexpr uint32_t kHotCornerDwellMs = 70;
// Polling is fast only within this square at a corner, where a dwell can
// start.
inline constexpr int32_t kHotCornerNearPixels = 220;
inline constexpr uint32_t kHotCornerFastPeriodMs = 25;
inline constexpr uint32_t kHotCornerSlowPeriodMs = 100;

// The trigger squares of the display's corners, in Corner order.
[[nodiscard]] std::array<PixelRect, 4> HotCornerSquares(const PixelRect& monitor) noexcept;

// The first enabled corner, in Corner order, whose square holds (x, y); -1
// for none. Squares include their left and top edges, not right and bottom.
[[nodiscard]] int HotCornerAt(const std::array<PixelRect, 4>& squares,
                              const std::array<bool, 4>& enabled, int32_t x, int32_t y) noexcept;

// The next polling period for a pointer at (x, y).
[[nodiscard]] uint32_t HotCornerPeriodMs(const PixelRect& monitor, int32_t x, int32_t y) noexcept;

// Whether a watcher is worth running at all: the feature is on and at least
// one corner does something.
[[nodiscard]] bool HotCornersWanted(bool enabled,
                                    const std::array<CornerAction, 4>& actions) noexcept;

// One visit fires once: a corner is disarmed when it fires and re-armed when
// the pointer leaves it, so moving to another corner starts a new dwell.
class HotCornerDwell {
public:
    // The corner under the pointer now (-1 for none) at tick `nowMs`; answers
    // the corner to fire, or -1. Tick counts may wrap.
    [[nodiscard]] int Update(int corner, uint32_t nowMs) noexcept;

private:
    std::array<bool, 4> armed_{true, true, true, true};
    int current_ = -1;
    uint32_t enteredMs_ = 0;
};

// What running a corner's action does. A corner that fires during a
// full-screen application on the main display does nothing, yet its visit
// is spent all the same.
struct HotCornerRun {
    std::vector<uint16_t> keys;  // virtual keys pressed together (SendKeyChord)
    int32_t startSurface = -1;   // for ShowStartSurface; -1 for none
    bool operator==(const HotCornerRun&) const = default;
};
[[nodiscard]] HotCornerRun PlanHotCornerRun(CornerAction action, bool fullscreenOnMain);

// One watcher's geometry, actions and dwell, taken when it starts: later
// display and setting changes reach it only when a new watcher is made.
class HotCornerTracker {
public:
    HotCornerTracker(const PixelRect& monitor, const std::array<CornerAction, 4>& actions) noexcept;

    struct Step {
        int fire = -1;     // the corner whose visit fired, -1 for none
        HotCornerRun run;  // what that does now
        uint32_t periodMs = kHotCornerSlowPeriodMs;
    };
    // `paused`: a full-screen application covers the main display.
    [[nodiscard]] Step Tick(int32_t x, int32_t y, uint32_t nowMs, bool paused);

private:
    PixelRect monitor_;
    std::array<PixelRect, 4> squares_;
    std::array<CornerAction, 4> actions_;
    std::array<bool, 4> enabled_{};
    HotCornerDwell dwell_;
};

}  // namespace corvane
