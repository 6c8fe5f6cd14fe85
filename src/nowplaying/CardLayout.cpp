#include "nowplaying/CardLayout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

// Layout of the text column and the bar, in DIPs from the card's left edge.
constexpr float kColumnLeft = 124;
constexpr float kColumnRightInset = 16;
constexpr float kButtonHalf = 18;
constexpr float kButtonSpacing = 46;
constexpr float kButtonHeight = 32;
constexpr float kBottomInset = 8;
// How much wider the card is for each step of text scale beyond 1: the column
// keeps the longer titles of larger text without taking over the screen.
constexpr float kWidthPerScale = 100;

// The rows of the text column, top down; at text scale 1 the card's classic
// 140-DIP layout.
struct Rows {
    float titleBottom, artistBottom, sourceTop, sourceBottom, trackTop, timesTop, timesBottom,
        buttonTop, bottom;
};

Rows RowsFor(float textScale) noexcept {
    const float s = std::clamp(std::isnan(textScale) ? 1.0f : textScale, 1.0f, 3.0f);
    Rows r{};
    r.titleBottom = 14 + 22 * s;
    r.artistBottom = r.titleBottom + 20 * s;
    r.sourceTop = r.artistBottom + 2;
    r.sourceBottom = r.sourceTop + 18 * s;
    r.trackTop = r.sourceBottom + 4;
    r.timesTop = r.trackTop + 6;
    r.timesBottom = r.timesTop + 12 * s;
    r.buttonTop = r.timesBottom + 2;
    r.bottom = r.buttonTop + kButtonHeight + kBottomInset;
    return r;
}

int32_t ClampToInt32(int64_t v) noexcept {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// The bar's usable length; 0 on a card too narrow to have one.
float BarLength(float width) noexcept {
    return std::max(width - kColumnLeft - kColumnRightInset, 0.0f);
}

}  // namespace

CardSize CardSizeFor(float textScale) noexcept {
    const float s = std::clamp(std::isnan(textScale) ? 1.0f : textScale, 1.0f, 3.0f);
    return {static_cast<int32_t>(std::ceil(kCardWidth + kWidthPerScale * (s - 1))),
            static_cast<int32_t>(std::ceil(RowsFor(s).bottom))};
}

PixelRect PlaceCard(const PixelRect& anchor, const PixelRect& monitor, bool above, uint32_t dpi,
                    float textScale) noexcept {
    const uint32_t d = dpi == 0 ? 96 : dpi;
    const CardSize size = CardSizeFor(textScale);
    const int64_t width = ScalePoints(size.width, d);
    const int64_t height = ScalePoints(size.height, d);
    const int64_t gap = ScalePoints(kCardGap, d);
    int64_t x = (static_cast<int64_t>(anchor.left) + anchor.right) / 2 - width / 2;
    // The left edge wins on a monitor narrower than the card: the artwork and
    // the title stay visible.
    x = std::min(x, monitor.right - (width + gap));
    x = std::max(x, monitor.left + gap);
    const int64_t y = above ? anchor.top - (gap + height) : anchor.bottom + gap;
    return {ClampToInt32(x), ClampToInt32(y), ClampToInt32(x + width), ClampToInt32(y + height)};
}

float CardTextCentre(float width) noexcept {
    return (width - kColumnLeft - kColumnRightInset) / 2 + kColumnLeft;
}

PointRect CardButtonRect(CardItem button, float width, float textScale) noexcept {
    const auto index = static_cast<int32_t>(button);
    const float centre = CardTextCentre(width) + static_cast<float>(index - 1) * kButtonSpacing;
    const float top = RowsFor(textScale).buttonTop;
    return {centre - kButtonHalf, top, centre + kButtonHalf, top + kButtonHeight};
}

CardItem CardHitTest(float x, float y, float width, float textScale) noexcept {
    for (const CardItem button : {CardItem::Previous, CardItem::PlayPause, CardItem::Next}) {
        if (Contains(CardButtonRect(button, width, textScale), x, y)) {
            return button;
        }
    }
    // A little taller and wider than the drawn track, so it is easy to hit.
    const float trackTop = RowsFor(textScale).trackTop;
    if (Contains(PointRect{kColumnLeft - 2, trackTop - 7, width - 14, trackTop + 11}, x, y)) {
        return CardItem::Progress;
    }
    return CardItem::None;
}

std::optional<double> CardSeekSeconds(float x, float width, double durationSeconds) noexcept {
    if (!(durationSeconds > 0)) {
        return std::nullopt;
    }
    const float length = BarLength(width);
    float fraction = length > 0 ? (x - kColumnLeft) / length : 0.0f;
    fraction = std::isnan(fraction) ? 0.0f : std::clamp(fraction, 0.0f, 1.0f);
    return durationSeconds * fraction;
}

std::optional<CardClick> CardClickAction(CardItem item, float x, float width,
                                         double durationSeconds) noexcept {
    switch (item) {
        case CardItem::Previous:
            return CardClick{MediaCommand::Previous, 0};
        case CardItem::PlayPause:
            return CardClick{MediaCommand::TogglePlayPause, 0};
        case CardItem::Next:
            return CardClick{MediaCommand::Next, 0};
        case CardItem::Progress:
            if (const std::optional<double> target = CardSeekSeconds(x, width, durationSeconds)) {
                return CardClick{MediaCommand::Seek, *target};
            }
            return std::nullopt;
        default:
            return std::nullopt;
    }
}

float PlayedFraction(double positionSeconds, double durationSeconds) noexcept {
    if (!(durationSeconds > 0)) {
        return 0;
    }
    const double fraction = positionSeconds / durationSeconds;
    return std::isnan(fraction) ? 0.0f : static_cast<float>(std::clamp(fraction, 0.0, 1.0));
}

CardRects LayoutCard(float width, bool hasSourceIcon, float playedFraction,
                     float textScale) noexcept {
    const float right = width - kColumnRightInset;
    const Rows y = RowsFor(textScale);
    // The times widen with their text; the source icon stays an icon, centred
    // on its line.
    const float timesWidth = 60 * (y.timesBottom - y.timesTop) / 12;
    const float iconTop = (y.sourceTop + y.sourceBottom) / 2 - 7;
    CardRects r;
    r.artwork = {16, 16, 108, 108};
    r.title = {kColumnLeft, 14, right, y.titleBottom};
    r.artist = {kColumnLeft, y.titleBottom, right, y.artistBottom};
    r.sourceIcon = {kColumnLeft, iconTop, kColumnLeft + 14, iconTop + 14};
    r.sourceName = {hasSourceIcon ? 143.0f : kColumnLeft, y.sourceTop, right, y.sourceBottom};
    r.track = {kColumnLeft, y.trackTop, right, y.trackTop + 4};
    r.played = {kColumnLeft, y.trackTop, kColumnLeft + BarLength(width) * playedFraction,
                y.trackTop + 4};
    r.elapsed = {kColumnLeft, y.timesTop, kColumnLeft + timesWidth, y.timesBottom};
    r.duration = {right - timesWidth, y.timesTop, right, y.timesBottom};
    return r;
}

wchar_t CardButtonGlyph(CardItem button, bool playing) noexcept {
    switch (button) {
        case CardItem::Previous:
            return 0xE892;
        case CardItem::Next:
            return 0xE893;
        default:
            return playing ? 0xE769 : 0xE768;
    }
}

float CardTintAlpha(bool tintEnabled, float tintAlpha, bool darkTheme) noexcept {
    if (!tintEnabled || !(tintAlpha > 0)) {
        return 0;
    }
    // Stronger on the dark card, where the colour would otherwise sink in.
    return darkTheme ? 0.30f : 0.22f;
}

std::wstring CardTimeText(double seconds) {
    // Whole seconds in an int64 first: beyond it (or below 0) the value is
    // clamped, so the minutes always fit.
    constexpr double kMaxSeconds = 9.0e15;
    const double clamped = std::isnan(seconds) ? 0.0 : std::clamp(seconds, 0.0, kMaxSeconds);
    const auto whole = static_cast<int64_t>(clamped);
    const int64_t secs = whole % 60;
    std::wstring text = std::to_wstring(whole / 60);
    text.append(1, L':');
    text.append(1, static_cast<wchar_t>(L'0' + secs / 10));
    text.append(1, static_cast<wchar_t>(L'0' + secs % 10));
    return text;
}

bool PointerNearCard(int32_t x, int32_t y, const PixelRect& card,
                     const PixelRect& anchor) noexcept {
    return Contains(card, x, y) || Contains(anchor, x, y);
}

bool CardMissedHover(bool hovered, int32_t& misses) noexcept {
    constexpr int32_t kHideAfter = 4;  // about a third of a second at 80 ms
    if (hovered) {
        misses = 0;
        return false;
    }
    if (misses < kHideAfter) {
        ++misses;
    }
    return misses >= kHideAfter;
}

}  // namespace corvane
