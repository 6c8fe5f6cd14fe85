#include "bar/BarGeometry.h"

#include <cmath>
#include <cstdlib>

namespace corvane {
namespace {
constexpr int32_t kMarginPoints = 6;
constexpr int32_t kIslandCornerPoints = 16;

int32_t RoundToInt(double v) noexcept {
    return static_cast<int32_t>(std::lround(v));
}
}  // namespace

BarMetrics ComputeBarMetrics(int32_t heightPoints, BarStyle style, uint32_t dpi) noexcept {
    BarMetrics m;
    m.height = ScalePoints(heightPoints, dpi);
    m.margin = style == BarStyle::Classic ? 0 : ScalePoints(kMarginPoints, dpi);
    return m;
}

PixelRect ProposedReservedStrip(const PixelRect& display, const BarMetrics& m) noexcept {
    return {display.left, display.top, display.right, display.top + m.height + 2 * m.margin};
}

PixelRect AdjustStripToTop(PixelRect strip, int32_t newTop, const BarMetrics& m) noexcept {
    strip.top = newTop;
    strip.bottom = newTop + m.height + 2 * m.margin;
    return strip;
}

PixelRect FrameFromStrip(const PixelRect& strip, const BarMetrics& m) noexcept {
    const int32_t top = strip.top + m.margin;
    return {strip.left + m.margin, top, strip.right - m.margin, top + m.height};
}

int32_t SlideWindowTop(int32_t frameTop, const BarMetrics& m, float position) noexcept {
    return frameTop - RoundToInt(static_cast<double>(m.height + m.margin + 2) * position);
}

PixelRect RevealEdgeRect(const PixelRect& display) noexcept {
    return {display.left + 4, display.top, display.right - 4, display.top + 2};
}

bool AutoHideKeepsBar(const AutoHideFacts& f) noexcept {
    if (f.systemMenuVisible || f.ownPopupOpen || f.trayDragging) {
        return true;
    }
    if (Contains(f.barWindow, f.pointerX, f.pointerY)) {
        return true;
    }
    const PixelRect band{f.display.left, f.display.top, f.display.right, f.frame.bottom};
    return Contains(band, f.pointerX, f.pointerY);
}

std::vector<IslandShape> IslandRegionShapes(const std::vector<PointRect>& islands, uint32_t dpi) {
    std::vector<IslandShape> shapes;
    shapes.reserve(islands.size());
    const double scale = static_cast<double>(dpi) / 96.0;
    const int32_t ellipse = RoundToInt(kIslandCornerPoints * scale);
    for (const PointRect& island : islands) {
        IslandShape s;
        s.rect.left = static_cast<int32_t>(island.left * scale);
        s.rect.top = static_cast<int32_t>(island.top * scale);
        s.rect.right = static_cast<int32_t>(island.right * scale) + 1;
        s.rect.bottom = static_cast<int32_t>(island.bottom * scale) + 1;
        s.cornerEllipse = ellipse;
        shapes.push_back(s);
    }
    return shapes;
}

PixelRect PanelRect(const PointRect& island, uint32_t dpi, int32_t originX,
                    int32_t originY) noexcept {
    const double scale = static_cast<double>(dpi) / 96.0;
    return {originX + static_cast<int32_t>(island.left * scale),
            originY + static_cast<int32_t>(island.top * scale),
            originX + static_cast<int32_t>(island.right * scale),
            originY + static_cast<int32_t>(island.bottom * scale)};
}

bool IslandsMoved(const std::vector<PointRect>& applied,
                  const std::vector<PointRect>& laidOut) noexcept {
    if (applied.size() != laidOut.size()) {
        return true;
    }
    for (std::size_t i = 0; i < applied.size(); ++i) {
        if (std::fabs(applied[i].left - laidOut[i].left) > 0.5f ||
            std::fabs(applied[i].right - laidOut[i].right) > 0.5f) {
            return true;
        }
    }
    return false;
}

}  // namespace corvane
