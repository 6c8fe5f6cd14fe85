#include "tiling/TileLayout.h"

namespace corvane {
namespace {

// The fractional products are taken in single precision and cut toward zero,
// so that a split lands on the same pixel whatever compiler built us.
int32_t Fraction(int32_t length, float fraction) noexcept {
    return static_cast<int32_t>(static_cast<float>(length) * fraction);
}

// Each split ends half a gap before the exact split point and the next tile
// starts a whole gap after that end, so neighbours are always g apart, odd g
// included.
void Bsp(PixelRect cur, int32_t count, int32_t g, int32_t h, std::vector<PixelRect>& out) {
    for (int32_t i = 1; i < count; ++i) {
        const int32_t w = cur.Width();
        const int32_t ht = cur.Height();
        PixelRect tile = cur;
        if (w >= ht) {
            tile.right = cur.left - h + Fraction(w, 0.5f);
            cur.left = tile.right + g;
        } else {
            tile.bottom = cur.top - h + Fraction(ht, 0.5f);
            cur.top = tile.bottom + g;
        }
        out.push_back(tile);
    }
    out.push_back(cur);
}

void Master(const PixelRect& r, int32_t count, int32_t g, int32_t h, std::vector<PixelRect>& out) {
    if (count == 1) {
        out.push_back(r);
        return;
    }
    const PixelRect master{r.left, r.top, r.left + Fraction(r.Width(), 0.55f) - h, r.bottom};
    out.push_back(master);
    const int32_t stackLeft = master.right + g;
    int32_t top = r.top;
    for (int32_t k = count - 1; k >= 2; --k) {
        const float share = 1.0f / static_cast<float>(k);
        const PixelRect tile{stackLeft, top, r.right, top - h + Fraction(r.bottom - top, share)};
        out.push_back(tile);
        top = tile.bottom + g;
    }
    out.push_back({stackLeft, top, r.right, r.bottom});
}

void Columns(const PixelRect& r, int32_t count, int32_t g, int32_t h, std::vector<PixelRect>& out) {
    int32_t left = r.left;
    for (int32_t k = count; k >= 2; --k) {
        const float share = 1.0f / static_cast<float>(k);
        const PixelRect tile{left, r.top, left - h + Fraction(r.right - left, share), r.bottom};
        out.push_back(tile);
        left = tile.right + g;
    }
    out.push_back({left, r.top, r.right, r.bottom});
}

}  // namespace

std::vector<PixelRect> ComputeTileLayout(const PixelRect& area, int32_t count, int32_t layout,
                                         int32_t gap) {
    std::vector<PixelRect> out;
    if (count < 1) {
        return out;
    }
    out.reserve(static_cast<std::size_t>(count));
    const int32_t g = gap;
    const int32_t h = g / 2;
    const PixelRect r{area.left + g, area.top + g, area.right - g, area.bottom - g};
    switch (layout) {
        case kLayoutBsp:
            Bsp(r, count, g, h, out);
            break;
        case kLayoutMaster:
            Master(r, count, g, h, out);
            break;
        case kLayoutColumns:
            Columns(r, count, g, h, out);
            break;
        default:
            out.assign(static_cast<std::size_t>(count), r);
            break;
    }
    return out;
}

}  // namespace corvane
