#pragma once
// A bed's window in screen pixels: which edge the pointer is on, how an edge
// drag resizes it, how a move snaps, the roll-up, and where new beds go. DIP
// values are scaled by the bed's DPI; DPI 0 counts as 96.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

inline constexpr int32_t kBedMinWidth = 180;        // DIPs
inline constexpr int32_t kBedMinHeight = 120;       // DIPs, expanded
inline constexpr int32_t kBedCollapsedHeight = 30;  // DIPs: the header alone
inline constexpr int32_t kBedRollMs = 150;
inline constexpr std::size_t kBedRenameMaxUnits = 127;

// Numbered like the sizing edges of WM_SIZING (WMSZ_LEFT = 1 ...); the hit codes
// HTLEFT ... HTBOTTOMRIGHT are these plus 9.
enum class BedEdge : int32_t {
    Outside = -1,
    Client = 0,
    Left = 1,
    Right = 2,
    Top = 3,
    TopLeft = 4,
    TopRight = 5,
    Bottom = 6,
    BottomLeft = 7,
    BottomRight = 8,
};

// The part of the window under the screen point. The top band is half as high
// as the others so that the header stays easy to grab; a collapsed bed only
// resizes sideways.
[[nodiscard]] BedEdge BedEdgeAt(const PixelRect& window, int32_t x, int32_t y, bool collapsed,
                                uint32_t dpi) noexcept;

// The window while `edge` is dragged by (dx, dy) from `start`: the dragged
// edges follow, stopping where the bed would become smaller than its minimum.
// A collapsed bed keeps its height.
[[nodiscard]] PixelRect ResizeBed(const PixelRect& start, BedEdge edge, int32_t dx, int32_t dy,
                                  bool collapsed, uint32_t dpi) noexcept;

// A collapsed bed's height in DIPs: its header, which grows with Windows' text
// size; kBedCollapsedHeight at text scale 1.
[[nodiscard]] int32_t BedCollapsedHeight(float textScale) noexcept;

// The rectangle the system's own size loop proposes, held to the minimums by
// moving the dragged edge; a collapsed bed is exactly its header high.
[[nodiscard]] PixelRect KeepBedMinimum(const PixelRect& proposed, BedEdge edge, bool collapsed,
                                       uint32_t dpi, float textScale = 1.0f) noexcept;

// A moving bed jumps to the first edge within 10 DIPs of a work-area edge (kept
// 10 DIPs inside) or of another bed (beside it with a 10-DIP gap, or aligned
// with it); left and top snap independently and the size never changes.
[[nodiscard]] PixelRect SnapBed(const PixelRect& moving, const PixelRect& workArea,
                                std::span<const PixelRect> others, uint32_t dpi) noexcept;

// Window height `elapsedMs` into a roll from `from` to `to`: fast at first,
// settling softly (ease-out cubic), reaching `to` at kBedRollMs.
[[nodiscard]] int32_t RollHeight(int32_t from, int32_t to, int64_t elapsedMs) noexcept;

// A new bed at the pointer: its header just under the pointer so that the
// rename box opens where the user looks, kept 8 pixels inside the work area.
[[nodiscard]] PixelRect NewBedRect(int32_t pointerX, int32_t pointerY, const PixelRect& workArea,
                                   uint32_t dpi) noexcept;

// What the rename box's text becomes as a name: control characters (a pasted
// tab or line break) removed, trimmed, at most kBedRenameMaxUnits UTF-16 units
// without splitting a surrogate pair. Empty means keep the old name.
[[nodiscard]] std::wstring BedNameFromRename(std::wstring_view typed);

// The first run's beds side by side in the top-left of the work area.
struct DefaultBedRects {
    PixelRect apps;
    PixelRect desktop;
};
[[nodiscard]] DefaultBedRects DefaultBedPlaces(const PixelRect& workArea, uint32_t dpi) noexcept;

// A bed keeps Direct2D bitmaps of the icons it has drawn; past this many it
// drops them all and reloads what it shows, so scrolling through thousands of
// items does not hold thousands of bitmaps.
inline constexpr std::size_t kBedIconBitmapLimit = 512;

}  // namespace corvane
