#include "dock/PreviewLayout.h"

#include "base/Utf16.h"
#include "toolkit/BackdropPlan.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

// The popup's margins and the cards' spacing, in DIPs.
constexpr double kSide = 10;          // left and right of the cards, and below them
constexpr double kGap = 8;            // between two thumbnails
constexpr double kCardPad = 4;        // a card reaches this far around its thumbnail
constexpr double kCardTop = 6;        // the cards' top
constexpr double kThumbnailTop = 32;  // below the titles
constexpr double kMaxThumbWidth = 232;
constexpr double kMaxThumbHeight = 146;
constexpr double kMinThumbWidth = 96;
constexpr int64_t kScreenMargin = 8;  // pixels

constexpr float kCloseSide = 20;
constexpr float kCloseInset = 4;  // from the card's right edge
constexpr float kCloseDrop = 3;   // below the card's top
constexpr float kTitleDrop = 4;
constexpr float kTitleAboveThumbnail = 2;
constexpr float kTitleBeforeClose = 4;
constexpr float kIconSide = 40;

// A minimised window's picture smaller than this is its caption bar only.
constexpr PixelSize kMinUsableSource{200, 120};

// The popup is more opaque than the dock, but never fully.
constexpr uint32_t kAccentAlphaCap = 235;
constexpr uint32_t kAccentAlphaExtra = 20;

constexpr uint32_t kDefaultDpi = 96;

// A DPI of 0 is a display that could not tell: the system default.
double Dpi(uint32_t dpi) noexcept {
    return static_cast<double>(dpi != 0 ? dpi : kDefaultDpi);
}

int32_t ClampToInt32(double value) noexcept {
    constexpr double low = std::numeric_limits<int32_t>::min();
    constexpr double high = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(value, low, high));
}

int32_t RoundToInt32(double value) noexcept {
    return ClampToInt32(std::round(value));
}

// Pixels to DIPs; windows of less than 2 pixels count as 1 pixel.
double ToDips(int32_t pixels, double dpi) noexcept {
    return static_cast<double>(std::max(pixels, 1)) * 96.0 / dpi;
}

}  // namespace

PreviewLayout LayoutPreview(std::span<const PixelSize> windows, uint32_t dpi) {
    const double d = Dpi(dpi);
    PreviewLayout layout;
    const std::size_t count = std::min(windows.size(), kPreviewMaxCards);
    layout.cards.reserve(count);
    std::vector<double> heights;
    heights.reserve(count);
    double x = kSide;
    double maxHeight = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double width = ToDips(windows[i].width, d);
        const double height = ToDips(windows[i].height, d);
        const double factor = std::min(kMaxThumbWidth / width, kMaxThumbHeight / height);
        const double tw = std::max(width * factor, kMinThumbWidth);
        const double th = height * factor;
        PreviewCardRects card;
        card.card = {static_cast<float>(x - kCardPad), static_cast<float>(kCardTop),
                     static_cast<float>(x + tw + kCardPad), 0};
        card.thumbnail = {static_cast<float>(x), static_cast<float>(kThumbnailTop),
                          static_cast<float>(x + tw), static_cast<float>(kThumbnailTop + th)};
        layout.cards.push_back(card);
        heights.push_back(th);
        x += tw + kGap;
        maxHeight = std::max(maxHeight, th);
    }
    if (count == 0) {
        return layout;
    }
    const double width = x - kGap + kSide;
    const double height = kThumbnailTop + maxHeight + kSide;
    layout.width = static_cast<float>(width);
    layout.height = static_cast<float>(height);
    for (std::size_t i = 0; i < count; ++i) {
        PreviewCardRects& card = layout.cards[i];
        const double shift = (maxHeight - heights[i]) / 2;
        card.thumbnail.top = static_cast<float>(kThumbnailTop + shift);
        card.thumbnail.bottom = static_cast<float>(kThumbnailTop + shift + heights[i]);
        card.card.bottom = static_cast<float>(height - kSide + kCardPad);
    }
    return layout;
}

PixelRect PreviewPopupRect(const PreviewLayout& layout, uint32_t dpi, int32_t anchorX,
                           int32_t anchorBottom, int32_t workLeft, int32_t monitorRight) noexcept {
    const double d = Dpi(dpi);
    const int64_t width = RoundToInt32(static_cast<double>(layout.width) * d / 96.0);
    const int64_t height = RoundToInt32(static_cast<double>(layout.height) * d / 96.0);
    int64_t x = static_cast<int64_t>(anchorX) - width / 2;
    if (x < static_cast<int64_t>(workLeft) + kScreenMargin) {
        x = static_cast<int64_t>(workLeft) + kScreenMargin;
    } else if (x > static_cast<int64_t>(monitorRight) - width - kScreenMargin) {
        x = static_cast<int64_t>(monitorRight) - width - kScreenMargin;
    }
    const int64_t y = static_cast<int64_t>(anchorBottom) - height;
    return {ClampToInt32(static_cast<double>(x)), ClampToInt32(static_cast<double>(y)),
            ClampToInt32(static_cast<double>(x + width)), anchorBottom};
}

PixelRect PreviewToPixels(const PointRect& rect, uint32_t dpi) noexcept {
    const double scale = Dpi(dpi) / 96.0;
    return {RoundToInt32(rect.left * scale), RoundToInt32(rect.top * scale),
            RoundToInt32(rect.right * scale), RoundToInt32(rect.bottom * scale)};
}

PointRect PreviewCloseSquare(const PointRect& card) noexcept {
    const float right = card.right - kCloseInset;
    const float top = card.top + kCloseDrop;
    return {right - kCloseSide, top, right, top + kCloseSide};
}

PointRect PreviewTitleRect(const PreviewCardRects& card, bool hovered) noexcept {
    PointRect title{card.thumbnail.left, card.card.top + kTitleDrop, card.thumbnail.right,
                    card.thumbnail.top - kTitleAboveThumbnail};
    if (hovered) {
        title.right = std::min(title.right, PreviewCloseSquare(card.card).left - kTitleBeforeClose);
    }
    return title;
}

PointRect PreviewIconSquare(const PointRect& thumbnail) noexcept {
    const float cx = (thumbnail.left + thumbnail.right) / 2;
    const float cy = (thumbnail.top + thumbnail.bottom) / 2;
    const float half = kIconSide / 2;
    return {cx - half, cy - half, cx + half, cy + half};
}

PreviewHit HitTestPreview(const PreviewLayout& layout, int32_t x, int32_t y,
                          uint32_t dpi) noexcept {
    const double scale = 96.0 / Dpi(dpi);
    const auto px = static_cast<float>(x * scale);
    const auto py = static_cast<float>(y * scale);
    for (std::size_t i = 0; i < layout.cards.size(); ++i) {
        const PointRect& card = layout.cards[i].card;
        if (Contains(card, px, py)) {
            return {static_cast<int>(i), Contains(PreviewCloseSquare(card), px, py)};
        }
    }
    return {};
}

bool MinimisedThumbnailUsable(bool sizeKnown, PixelSize source) noexcept {
    return sizeKnown && source.width >= kMinUsableSource.width &&
           source.height >= kMinUsableSource.height;
}

std::wstring CapPreviewTitle(std::wstring_view title) {
    return std::wstring(title.substr(0, Utf16Prefix(title, kPreviewTitleChars)));
}

uint32_t PreviewAccentColor(int32_t tintPercent, bool dark) noexcept {
    const uint32_t alpha =
        std::min<uint32_t>(TintAlpha(tintPercent), kAccentAlphaCap) + kAccentAlphaExtra;
    return (alpha << 24) | (AcrylicGradientColor(tintPercent, dark) & 0x00FFFFFFu);
}

}  // namespace corvane
