#include "dock/DockGeometry.h"

#include "base/Geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace corvane {
namespace {

constexpr float kDockPadDips = 6;        // before the first cell and after the last
constexpr float kRunningGapDips = 11;    // before the running apps and Now Playing
constexpr float kIconBottomDips = 8.5f;  // icon bottom above the dock's bottom
constexpr int32_t kMarginDips = 6;       // dock bottom above the display's bottom
constexpr int32_t kEdgeInsetPx = 4;      // the reveal strip keeps off the display's corners
constexpr int32_t kEdgeHeightPx = 2;
constexpr std::array<int32_t, 4> kRevealExtraDips = {0, 150, 400, 100000};

// A failed DPI query leaves 0; anything beyond 100x scaling is nonsense.
uint32_t UsableDpi(uint32_t dpi) noexcept {
    return dpi == 0 ? 96 : std::min<uint32_t>(dpi, 9600);
}

// trunc(DPI × dips / 96 + 0.5), the pixel size of a length in DIPs.
int32_t DipsToPixels(float dips, uint32_t dpi) noexcept {
    return static_cast<int32_t>(static_cast<double>(dpi) * dips / 96.0 + 0.5);
}

int32_t MarginPixels(uint32_t dpi) noexcept {
    return static_cast<int32_t>(static_cast<int64_t>(dpi) * kMarginDips / 96);
}

int32_t ClampToInt32(int64_t v) noexcept {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

DockLayout LayoutDock(const std::vector<DockItem>& items, int32_t iconSize, bool nowPlayingCell) {
    DockLayout layout;
    const auto cellWidth = static_cast<float>(iconSize + 8);
    layout.height = static_cast<float>(std::lround(iconSize * 1.12 + 13.0));
    layout.cells.reserve(items.size());
    float x = kDockPadDips;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0 && items[i - 1].pinned && !items[i].pinned) {
            x += kRunningGapDips;
        }
        layout.cells.push_back({x, 0, x + cellWidth, layout.height});
        x += cellWidth;
    }
    if (nowPlayingCell) {
        if (!items.empty()) {
            x += kRunningGapDips;
        }
        layout.nowPlaying = {x, 0, x + cellWidth, layout.height};
        x += cellWidth;
    }
    layout.width = x + kDockPadDips;
    return layout;
}

PixelRect DockWindowRect(const PixelRect& monitor, uint32_t dpi, float widthDips,
                         float heightDips) noexcept {
    dpi = UsableDpi(dpi);
    const int32_t width = DipsToPixels(widthDips, dpi);
    const int32_t height = DipsToPixels(heightDips, dpi);
    const int32_t left = monitor.left + (monitor.Width() - width) / 2;
    const int32_t top = monitor.bottom - height - MarginPixels(dpi);
    return {left, top, left + width, top + height};
}

int32_t DockWindowTop(const PixelRect& shown, uint32_t dpi, float hideOffset) noexcept {
    const int32_t travel = shown.Height() + MarginPixels(UsableDpi(dpi)) + 2;
    return shown.top + static_cast<int32_t>(static_cast<double>(travel) * hideOffset);
}

PixelRect DockEdgeRect(const PixelRect& monitor, const PixelRect& dock, uint32_t dpi,
                       int32_t revealWidth) noexcept {
    const auto index = static_cast<std::size_t>(std::clamp(revealWidth, 0, 3));
    const int64_t extra =
        MulDivRound(kRevealExtraDips[index], static_cast<int32_t>(UsableDpi(dpi)), 96);
    const int64_t left = std::max<int64_t>(int64_t{monitor.left} + kEdgeInsetPx, dock.left - extra);
    const int64_t right =
        std::min<int64_t>(dock.right + extra, int64_t{monitor.right} - kEdgeInsetPx);
    const int32_t top = monitor.bottom - kEdgeHeightPx;
    return {ClampToInt32(left), top, ClampToInt32(right), top + kEdgeHeightPx};
}

bool InRevealZone(int32_t x, int32_t y, const PixelRect& monitor, const PixelRect& dock,
                  const PixelRect& edge) noexcept {
    const PixelRect down{dock.left, dock.top, dock.right, monitor.bottom};
    const PixelRect band{edge.left, dock.bottom, edge.right, monitor.bottom};
    return Contains(down, x, y) || Contains(band, x, y);
}

bool InDockCell(const PointRect& cell, int32_t clientX, uint32_t dpi) noexcept {
    const float x = static_cast<float>(clientX) * 96.0f / static_cast<float>(UsableDpi(dpi));
    return cell.left <= x && x < cell.right;
}

int HitTestDock(const std::vector<PointRect>& cells, int32_t clientX, uint32_t dpi) noexcept {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (InDockCell(cells[i], clientX, dpi)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

PointRect DockIconSquare(const PointRect& cell, float iconSize, float scale,
                         float dockHeight) noexcept {
    const float cx = (cell.left + cell.right) / 2;
    const float s = iconSize * scale;
    const float bottom = dockHeight - kIconBottomDips;
    return {cx - s / 2, bottom - s, cx + s / 2, bottom};
}

int32_t DockIconPixels(int32_t iconSize, uint32_t dpi) noexcept {
    return static_cast<int32_t>(std::lround(static_cast<double>(UsableDpi(dpi)) * iconSize / 96.0));
}

int32_t DockLargeIconPixels(int32_t iconSize, uint32_t dpi) noexcept {
    return static_cast<int32_t>(
        std::lround(static_cast<double>(UsableDpi(dpi)) * iconSize * 1.12 / 96.0));
}

PixelRect DockAppBarRequest(const PixelRect& monitor, int32_t dockTop) noexcept {
    return {monitor.left, dockTop, monitor.right, monitor.bottom};
}

int32_t DockAppBarTop(int32_t answeredBottom, const PixelRect& monitor, int32_t dockTop) noexcept {
    return answeredBottom - (monitor.bottom - dockTop);
}

}  // namespace corvane
