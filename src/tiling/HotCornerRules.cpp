#include "tiling/HotCornerRules.h"

#include <cstddef>

namespace corvane {

namespace {

constexpr uint16_t kVkLeftWindows = 0x5B;
constexpr uint16_t kVkTab = 0x09;
constexpr uint16_t kVkD = 0x44;
constexpr uint16_t kVkN = 0x4E;
constexpr uint16_t kVkA = 0x41;
constexpr int32_t kSurfaceAsConfigured = 0;
constexpr int32_t kSurfaceLauncher = 2;

std::array<PixelRect, 4> CornerSquares(const PixelRect& m, int32_t s) noexcept {
    return {PixelRect{m.left, m.top, m.left + s, m.top + s},
            PixelRect{m.right - s, m.top, m.right, m.top + s},
            PixelRect{m.left, m.bottom - s, m.left + s, m.bottom},
            PixelRect{m.right - s, m.bottom - s, m.right, m.bottom}};
}

}  // namespace

std::array<PixelRect, 4> HotCornerSquares(const PixelRect& monitor) noexcept {
    return CornerSquares(monitor, kHotCornerSquare);
}

int HotCornerAt(const std::array<PixelRect, 4>& squares, const std::array<bool, 4>& enabled,
                int32_t x, int32_t y) noexcept {
    for (size_t i = 0; i < squares.size(); ++i) {
        if (enabled[i] && Contains(squares[i], x, y)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

uint32_t HotCornerPeriodMs(const PixelRect& monitor, int32_t x, int32_t y) noexcept {
    // Only the main display has corners, so a pointer on another display
    // polls slowly even right beside one.
    for (const PixelRect& square : CornerSquares(monitor, kHotCornerNearPixels)) {
        if (Contains(square, x, y)) {
            return kHotCornerFastPeriodMs;
        }
    }
    return kHotCornerSlowPeriodMs;
}

bool HotCornersWanted(bool enabled, const std::array<CornerAction, 4>& actions) noexcept {
    if (!enabled) {
        return false;
    }
    for (const CornerAction a : actions) {
        if (a != CornerAction::Nothing) {
            return true;
        }
    }
    return false;
}

int HotCornerDwell::Update(int corner, uint32_t nowMs) noexcept {
    if (corner != current_) {
        if (current_ >= 0) {
            armed_[static_cast<size_t>(current_)] = true;
        }
        current_ = corner;
        enteredMs_ = nowMs;
    }
    if (corner < 0 || !armed_[static_cast<size_t>(corner)] ||
        nowMs - enteredMs_ < kHotCornerDwellMs) {
        return -1;
    }
    armed_[static_cast<size_t>(corner)] = false;
    return corner;
}

HotCornerTracker::HotCornerTracker(const PixelRect& monitor,
                                   const std::array<CornerAction, 4>& actions) noexcept
    : monitor_(monitor), squares_(HotCornerSquares(monitor)), actions_(actions) {
    for (size_t i = 0; i < actions.size(); ++i) {
        enabled_[i] = actions[i] != CornerAction::Nothing;
    }
}

HotCornerTracker::Step HotCornerTracker::Tick(int32_t x, int32_t y, uint32_t nowMs, bool paused) {
    Step step;
    step.fire = dwell_.Update(HotCornerAt(squares_, enabled_, x, y), nowMs);
    if (step.fire >= 0) {
        step.run = PlanHotCornerRun(actions_[static_cast<size_t>(step.fire)], paused);
    }
    step.periodMs = HotCornerPeriodMs(monitor_, x, y);
    return step;
}

HotCornerRun PlanHotCornerRun(CornerAction action, bool fullscreenOnMain) {
    if (fullscreenOnMain) {
        return {};
    }
    const auto withWindows = [](uint16_t key) { return HotCornerRun{{kVkLeftWindows, key}, -1}; };
    switch (action) {
        case CornerAction::TaskView:
            return withWindows(kVkTab);
        case CornerAction::ShowDesktop:
            return withWindows(kVkD);
        case CornerAction::Notifications:
            return withWindows(kVkN);
        case CornerAction::QuickSettings:
            return withWindows(kVkA);
        case CornerAction::StartMenu:
            return {{}, kSurfaceAsConfigured};
        case CornerAction::Launcher:
            return {{}, kSurfaceLauncher};
        case CornerAction::Nothing:
            break;
    }
    return {};
}

}  // namespace corvane
