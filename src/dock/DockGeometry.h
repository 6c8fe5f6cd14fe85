#pragma once
// Where a dock's cells, window, reveal strip and reserved band lie, from its
// items, the icon size and the display. Portable: the arithmetic is the
// dock's whole look and is tested without a screen.

#include "base/Easing.h"
#include "base/Geometry.h"
#include "dock/DockModel.h"

#include <cstdint>
#include <vector>

namespace corvane {

// Magnification targets and the animation's per-tick steps.
inline constexpr float kDockHoverScale = 1.12f;
inline constexpr float kDockPressScale = 0.94f;
inline constexpr Easing kDockScaleEasing{0.35f, 0.002f};
inline constexpr Easing kDockHideEasing{0.30f, 0.004f};

struct DockLayout {
    std::vector<PointRect> cells;  // per item, DIPs in dock coordinates
    PointRect nowPlaying;          // all 0 without a Now Playing cell
    float width = 0;               // DIPs
    float height = 0;              // DIPs
};

// Cells from left to right, with the gap before the first running app after
// a pinned one; `nowPlayingCell` adds one cell after the items.
[[nodiscard]] DockLayout LayoutDock(const std::vector<DockItem>& items, int32_t iconSize,
                                    bool nowPlayingCell);

// The fully shown dock in screen pixels: centred on the display, its bottom
// 6 DIPs above the display's bottom edge.
[[nodiscard]] PixelRect DockWindowRect(const PixelRect& monitor, uint32_t dpi, float widthDips,
                                       float heightDips) noexcept;

// The window's top for a hide offset from 0 (shown) to 1 (below the display).
[[nodiscard]] int32_t DockWindowTop(const PixelRect& shown, uint32_t dpi,
                                    float hideOffset) noexcept;

// The 2-pixel strip along the display's bottom that brings a hidden dock
// back; [Dock] RevealWidth widens it, never to the display's outer 4 pixels.
[[nodiscard]] PixelRect DockEdgeRect(const PixelRect& monitor, const PixelRect& dock, uint32_t dpi,
                                     int32_t revealWidth) noexcept;

// The dock down to the display's bottom, and the band under it as wide as the
// reveal strip: the pointer there keeps a revealed dock up.
[[nodiscard]] bool InRevealZone(int32_t x, int32_t y, const PixelRect& monitor,
                                const PixelRect& dock, const PixelRect& edge) noexcept;

// Whether a client x in pixels lies in a cell (half open, in DIPs); an
// absent cell (all 0) holds no x.
[[nodiscard]] bool InDockCell(const PointRect& cell, int32_t clientX, uint32_t dpi) noexcept;
// The cell under a client x in pixels, or -1.
[[nodiscard]] int HitTestDock(const std::vector<PointRect>& cells, int32_t clientX,
                              uint32_t dpi) noexcept;

// The icon square of a cell at a scale: centred, its bottom 8.5 DIPs above
// the dock's, so that magnified icons grow upwards.
[[nodiscard]] PointRect DockIconSquare(const PointRect& cell, float iconSize, float scale,
                                       float dockHeight) noexcept;

// Icon pixel sizes for a DPI: the normal one and the magnified one.
[[nodiscard]] int32_t DockIconPixels(int32_t iconSize, uint32_t dpi) noexcept;
[[nodiscard]] int32_t DockLargeIconPixels(int32_t iconSize, uint32_t dpi) noexcept;

// The band a dock reserves at the display's bottom when smart hide is off.
// First the request (ABE_BOTTOM), then the top to set from the system's answer.
[[nodiscard]] PixelRect DockAppBarRequest(const PixelRect& monitor, int32_t dockTop) noexcept;
[[nodiscard]] int32_t DockAppBarTop(int32_t answeredBottom, const PixelRect& monitor,
                                    int32_t dockTop) noexcept;

}  // namespace corvane
