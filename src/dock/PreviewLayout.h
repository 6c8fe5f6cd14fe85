#pragma once
// The window preview popup above a dock item, without a window: the cards'
// and thumbnails' rectangles, the popup's size and place on the screen, what
// the pointer is over, and the few rules that decide how a card looks.
// Portable, so that the arithmetic is tested without a screen; every input
// may be nonsense (a window of 0 or 2^31 pixels, DPI 0) and the answer still
// holds finite, positive sizes.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// More windows than this are left out: the front-most ones are shown.
inline constexpr std::size_t kPreviewMaxCards = 6;
inline constexpr std::size_t kPreviewTitleChars = 256;

struct PixelSize {
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const PixelSize&) const = default;
};

// DIPs in popup coordinates.
struct PreviewCardRects {
    PointRect card;
    PointRect thumbnail;
};

struct PreviewLayout {
    std::vector<PreviewCardRects> cards;  // at most kPreviewMaxCards
    float width = 0;                      // DIPs
    float height = 0;                     // DIPs
};

// One card per window size (pixels at `dpi`), in order, at most six; a
// window's thumbnail fits 232 x 146 DIPs but is never narrower than 96, and
// the thumbnails are centred in the band of the tallest.
[[nodiscard]] PreviewLayout LayoutPreview(std::span<const PixelSize> windows, uint32_t dpi);

// The popup in screen pixels: centred on anchorX, its bottom at anchorBottom,
// kept 8 pixels inside the work area's left and the monitor's right.
[[nodiscard]] PixelRect PreviewPopupRect(const PreviewLayout& layout, uint32_t dpi, int32_t anchorX,
                                         int32_t anchorBottom, int32_t workLeft,
                                         int32_t monitorRight) noexcept;

// A DIP rectangle in pixels, each edge rounded on its own.
[[nodiscard]] PixelRect PreviewToPixels(const PointRect& rect, uint32_t dpi) noexcept;

// The hovered card's close button: a 20-DIP square in its top-right corner.
[[nodiscard]] PointRect PreviewCloseSquare(const PointRect& card) noexcept;

// Where a card's title is written; the hovered card leaves room for its
// close button.
[[nodiscard]] PointRect PreviewTitleRect(const PreviewCardRects& card, bool hovered) noexcept;

// The app icon of a card without a live picture, centred in its thumbnail.
[[nodiscard]] PointRect PreviewIconSquare(const PointRect& thumbnail) noexcept;

struct PreviewHit {
    int card = -1;  // -1: no card
    bool overClose = false;
    bool operator==(const PreviewHit&) const = default;
};

// The card under a client point in pixels; cards and the close square hold
// their left and top edges, not their right and bottom ones.
[[nodiscard]] PreviewHit HitTestPreview(const PreviewLayout& layout, int32_t x, int32_t y,
                                        uint32_t dpi) noexcept;

// A minimised window's thumbnail is only worth showing when the system could
// say how large its picture is and it is not a mere caption bar.
[[nodiscard]] bool MinimisedThumbnailUsable(bool sizeKnown, PixelSize source) noexcept;

// At most kPreviewTitleChars UTF-16 units, never half a surrogate pair.
[[nodiscard]] std::wstring CapPreviewTitle(std::wstring_view title);

// The acrylic tint of the popup: a little more opaque than the dock's.
[[nodiscard]] uint32_t PreviewAccentColor(int32_t tintPercent, bool dark) noexcept;

}  // namespace corvane
