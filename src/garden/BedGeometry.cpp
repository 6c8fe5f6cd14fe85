#include "garden/BedGeometry.h"

#include "base/Utf16.h"
#include "base/TextHelpers.h"
#include "garden/BedLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace corvane {

namespace {

constexpr int32_t kEdgeBand = 6;       // DIPs
constexpr int32_t kSnapDistance = 10;  // DIPs: both the gap kept and the reach of a snap
constexpr int32_t kNewBedWidth = 320;
constexpr int32_t kNewBedHeight = 220;
constexpr int32_t kNewBedAbovePointer = 15;
constexpr int32_t kNewBedMargin = 8;  // pixels
constexpr int32_t kDefaultMargin = 24;
constexpr int32_t kDefaultGap = 16;
constexpr int32_t kDefaultWidth = 372;
constexpr int32_t kDefaultHeight = 300;

int32_t Scale(int32_t dips, uint32_t dpi) noexcept {
    return ScalePoints(dips, dpi == 0 ? 96 : dpi);
}

bool HasLeft(BedEdge e) noexcept {
    return e == BedEdge::Left || e == BedEdge::TopLeft || e == BedEdge::BottomLeft;
}
bool HasRight(BedEdge e) noexcept {
    return e == BedEdge::Right || e == BedEdge::TopRight || e == BedEdge::BottomRight;
}
bool HasTop(BedEdge e) noexcept {
    return e == BedEdge::Top || e == BedEdge::TopLeft || e == BedEdge::TopRight;
}
bool HasBottom(BedEdge e) noexcept {
    return e == BedEdge::Bottom || e == BedEdge::BottomLeft || e == BedEdge::BottomRight;
}

// Keeps `low`..`high` (one axis of a rectangle) at least `minimum` long by
// moving the dragged side; neither side dragged leaves it as it is.
void KeepSpan(int32_t& low, int32_t& high, bool lowDragged, bool highDragged,
              int32_t minimum) noexcept {
    if (lowDragged) {
        low = static_cast<int32_t>(std::min<int64_t>(low, static_cast<int64_t>(high) - minimum));
    } else if (highDragged) {
        high = static_cast<int32_t>(std::max<int64_t>(high, static_cast<int64_t>(low) + minimum));
    }
}

// Moves the start of a span of `size` to the first candidate within reach.
int32_t SnapAxis(int32_t start, int32_t size, int32_t workLow, int32_t workHigh,
                 std::span<const PixelRect> others, bool horizontal, int32_t gap) noexcept {
    const auto within = [&](int64_t candidate) { return std::llabs(candidate - start) <= gap; };
    const int64_t s = size;
    if (within(static_cast<int64_t>(workLow) + gap)) {
        return workLow + gap;
    }
    if (within(workHigh - s - gap)) {
        return static_cast<int32_t>(workHigh - s - gap);
    }
    for (const PixelRect& o : others) {
        const int64_t low = horizontal ? o.left : o.top;
        const int64_t high = horizontal ? o.right : o.bottom;
        for (const int64_t c : {high + gap, low - s - gap, low, high - s}) {
            if (within(c)) {
                return static_cast<int32_t>(c);
            }
        }
    }
    return start;
}

}  // namespace

BedEdge BedEdgeAt(const PixelRect& window, int32_t x, int32_t y, bool collapsed,
                  uint32_t dpi) noexcept {
    if (!Contains(window, x, y)) {
        return BedEdge::Outside;
    }
    const int32_t band = Scale(kEdgeBand, dpi);
    const bool left = x < window.left + band;
    const bool right = !left && x >= window.right - band;
    if (collapsed) {
        return left ? BedEdge::Left : right ? BedEdge::Right : BedEdge::Client;
    }
    const bool top = y < window.top + band / 2;
    const bool bottom = !top && y >= window.bottom - band;
    if (top) {
        return left ? BedEdge::TopLeft : right ? BedEdge::TopRight : BedEdge::Top;
    }
    if (bottom) {
        return left ? BedEdge::BottomLeft : right ? BedEdge::BottomRight : BedEdge::Bottom;
    }
    return left ? BedEdge::Left : right ? BedEdge::Right : BedEdge::Client;
}

PixelRect ResizeBed(const PixelRect& start, BedEdge edge, int32_t dx, int32_t dy, bool collapsed,
                    uint32_t dpi) noexcept {
    PixelRect r = start;
    if (HasLeft(edge)) {
        r.left = start.left + dx;
    } else if (HasRight(edge)) {
        r.right = start.right + dx;
    }
    KeepSpan(r.left, r.right, HasLeft(edge), HasRight(edge), Scale(kBedMinWidth, dpi));
    if (!collapsed) {
        if (HasTop(edge)) {
            r.top = start.top + dy;
        } else if (HasBottom(edge)) {
            r.bottom = start.bottom + dy;
        }
        KeepSpan(r.top, r.bottom, HasTop(edge), HasBottom(edge), Scale(kBedMinHeight, dpi));
    }
    return r;
}

int32_t BedCollapsedHeight(float textScale) noexcept {
    return static_cast<int32_t>(std::ceil(BedHeaderHeight(textScale)));
}

PixelRect KeepBedMinimum(const PixelRect& proposed, BedEdge edge, bool collapsed, uint32_t dpi,
                         float textScale) noexcept {
    PixelRect r = proposed;
    KeepSpan(r.left, r.right, HasLeft(edge), HasRight(edge), Scale(kBedMinWidth, dpi));
    if (collapsed) {
        const int32_t header = Scale(BedCollapsedHeight(textScale), dpi);
        if (HasTop(edge)) {
            r.top = r.bottom - header;
        } else {
            r.bottom = r.top + header;
        }
    } else {
        KeepSpan(r.top, r.bottom, HasTop(edge), HasBottom(edge), Scale(kBedMinHeight, dpi));
    }
    return r;
}

PixelRect SnapBed(const PixelRect& moving, const PixelRect& workArea,
                  std::span<const PixelRect> others, uint32_t dpi) noexcept {
    const int32_t gap = Scale(kSnapDistance, dpi);
    const int32_t left =
        SnapAxis(moving.left, moving.Width(), workArea.left, workArea.right, others, true, gap);
    const int32_t top =
        SnapAxis(moving.top, moving.Height(), workArea.top, workArea.bottom, others, false, gap);
    return {left, top, left + moving.Width(), top + moving.Height()};
}

int32_t RollHeight(int32_t from, int32_t to, int64_t elapsedMs) noexcept {
    const double t = std::clamp(static_cast<double>(elapsedMs) / kBedRollMs, 0.0, 1.0);
    const double eased = 1 - std::pow(1 - t, 3);
    return static_cast<int32_t>(std::lround(from + (static_cast<double>(to) - from) * eased));
}

PixelRect NewBedRect(int32_t pointerX, int32_t pointerY, const PixelRect& workArea,
                     uint32_t dpi) noexcept {
    const int32_t width = Scale(kNewBedWidth, dpi);
    const int32_t height = Scale(kNewBedHeight, dpi);
    // On a work area too small for the bed its top-left corner stays inside.
    const auto place = [](int64_t wanted, int32_t low, int32_t high, int32_t size) {
        return static_cast<int32_t>(std::max<int64_t>(
            std::min<int64_t>(wanted, static_cast<int64_t>(high) - kNewBedMargin - size),
            static_cast<int64_t>(low) + kNewBedMargin));
    };
    const int32_t left =
        place(static_cast<int64_t>(pointerX) - width / 2, workArea.left, workArea.right, width);
    const int32_t top = place(static_cast<int64_t>(pointerY) - Scale(kNewBedAbovePointer, dpi),
                              workArea.top, workArea.bottom, height);
    return {left, top, left + width, top + height};
}

std::wstring BedNameFromRename(std::wstring_view typed) {
    std::wstring kept;
    for (const wchar_t c : typed) {
        const auto u = static_cast<uint32_t>(c);
        if (u >= 0x20 && !(u >= 0x7F && u <= 0x9F)) {
            kept.push_back(c);
        }
    }
    const std::wstring trimmed = Trim(kept);
    // Cutting may leave a space at the end; a name never ends in one.
    return Trim(std::wstring_view(trimmed).substr(0, Utf16Prefix(trimmed, kBedRenameMaxUnits)));
}

DefaultBedRects DefaultBedPlaces(const PixelRect& workArea, uint32_t dpi) noexcept {
    const int32_t left = workArea.left + Scale(kDefaultMargin, dpi);
    const int32_t top = workArea.top + Scale(kDefaultMargin, dpi);
    const int32_t width = Scale(kDefaultWidth, dpi);
    const int32_t height = Scale(kDefaultHeight, dpi);
    const int32_t desktopLeft = left + width + Scale(kDefaultGap, dpi);
    return {{left, top, left + width, top + height},
            {desktopLeft, top, desktopLeft + width, top + height}};
}

}  // namespace corvane
