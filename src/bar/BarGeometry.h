#pragma once
// Where a bar stands: the reserved strip, the frame, the slide offsets and
// the island shapes, in pixels. Portable so that every style and DPI can be
// checked without a display.

#include "base/Easing.h"
#include "base/Geometry.h"

#include <cstdint>
#include <vector>

namespace corvane {

enum class BarStyle : int32_t { Classic = 0, Floating = 1, Islands = 2, Separated = 3 };

struct BarMetrics {
    int32_t height = 0;  // h, pixels
    int32_t margin = 0;  // m, pixels: 0 for the classic style
};

[[nodiscard]] BarMetrics ComputeBarMetrics(int32_t heightPoints, BarStyle style,
                                           uint32_t dpi) noexcept;

// The strip a bar asks the shell to reserve along the top of its display.
[[nodiscard]] PixelRect ProposedReservedStrip(const PixelRect& display,
                                              const BarMetrics& m) noexcept;

// After the shell moved the strip's top: the bottom follows it.
[[nodiscard]] PixelRect AdjustStripToTop(PixelRect strip, int32_t newTop,
                                         const BarMetrics& m) noexcept;

// The visible bar when fully shown, inside the strip.
[[nodiscard]] PixelRect FrameFromStrip(const PixelRect& strip, const BarMetrics& m) noexcept;

// Window top while sliding: 0 = shown, 1 = slid away above the display.
[[nodiscard]] int32_t SlideWindowTop(int32_t frameTop, const BarMetrics& m,
                                     float position) noexcept;

// Each 15 ms step of the slide animation.
inline constexpr Easing kBarSlideEasing{0.32f, 0.01f};

// The invisible strip that brings an auto-hidden bar back: the top 2 pixels
// of the display, 4 pixels short of each end.
[[nodiscard]] PixelRect RevealEdgeRect(const PixelRect& display) noexcept;

// Whether an auto-hidden bar stays: the pointer is on the bar or in the band
// from the display's top edge down to the frame's bottom, or a menu is open
// or a tray icon is being dragged.
struct AutoHideFacts {
    int32_t pointerX = 0;
    int32_t pointerY = 0;
    PixelRect barWindow;
    PixelRect display;
    PixelRect frame;
    bool systemMenuVisible = false;
    bool ownPopupOpen = false;
    bool trayDragging = false;
};
[[nodiscard]] bool AutoHideKeepsBar(const AutoHideFacts& facts) noexcept;

// One rounded rectangle of the island region, in window pixels.
struct IslandShape {
    PixelRect rect;             // right and bottom already extended by one pixel
    int32_t cornerEllipse = 0;  // width and height of the corner ellipse
};
[[nodiscard]] std::vector<IslandShape> IslandRegionShapes(const std::vector<PointRect>& islands,
                                                          uint32_t dpi);

// A panel's screen rectangle under island i of a bar whose window origin is
// (originX, originY).
[[nodiscard]] PixelRect PanelRect(const PointRect& island, uint32_t dpi, int32_t originX,
                                  int32_t originY) noexcept;

// Painting asks for a new region only when islands really moved.
[[nodiscard]] bool IslandsMoved(const std::vector<PointRect>& applied,
                                const std::vector<PointRect>& laidOut) noexcept;

}  // namespace corvane
