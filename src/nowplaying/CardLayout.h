#pragma once
// The Now Playing card: where it opens, what lies where inside it, what the
// pointer is over, and when it closes. Client coordinates are DIPs; the card
// is kCardWidth wide, but the rules take the actual client width W.
// `textScale` is Windows' text size (1 to 2.25): the text rows deepen with it,
// pushing the bar and the buttons down, and the card grows to hold them.

#include "base/Geometry.h"
#include "nowplaying/NowPlayingModel.h"

#include <cstdint>
#include <optional>
#include <string>

namespace corvane {

inline constexpr int32_t kCardWidth = 340;
inline constexpr int32_t kCardHeight = 140;
inline constexpr int32_t kCardGap = 8;

struct CardSize {
    int32_t width = kCardWidth;  // DIPs
    int32_t height = kCardHeight;
};

// kCardWidth x kCardHeight at text scale 1.
[[nodiscard]] CardSize CardSizeFor(float textScale) noexcept;

// Centred under (or above) the anchor, kept kCardGap inside the full rectangle
// (not the work area) of the anchor's monitor. Screen pixels; DPI 0 means 96.
[[nodiscard]] PixelRect PlaceCard(const PixelRect& anchor, const PixelRect& monitor, bool above,
                                  uint32_t dpi, float textScale = 1.0f) noexcept;

enum class CardItem : int32_t {
    None = -1,
    Previous = 0,
    PlayPause = 1,
    Next = 2,
    Progress = 3,
};

// The centre of the text column.
[[nodiscard]] float CardTextCentre(float width) noexcept;

// The three transport buttons (Previous, PlayPause, Next), as drawn and hit.
[[nodiscard]] PointRect CardButtonRect(CardItem button, float width,
                                       float textScale = 1.0f) noexcept;

// What the client point (DIPs) is over.
[[nodiscard]] CardItem CardHitTest(float x, float y, float width, float textScale = 1.0f) noexcept;

// Where a click on the progress bar seeks to, in seconds; nothing without a
// positive duration. Clicks beyond either end of the bar clamp to it.
[[nodiscard]] std::optional<double> CardSeekSeconds(float x, float width,
                                                    double durationSeconds) noexcept;

struct CardClick {
    MediaCommand command = MediaCommand::TogglePlayPause;
    double seconds = 0;  // the seek target
};

// What a click on the item does; nothing off the buttons, and nothing on the
// bar of a track without a duration.
[[nodiscard]] std::optional<CardClick> CardClickAction(CardItem item, float x, float width,
                                                       double durationSeconds) noexcept;

// How much of the progress bar is played: 0..1, 0 without a duration.
[[nodiscard]] float PlayedFraction(double positionSeconds, double durationSeconds) noexcept;

// The areas of the card other than the buttons.
struct CardRects {
    PointRect artwork;
    PointRect title;
    PointRect artist;
    PointRect sourceIcon;
    PointRect sourceName;
    PointRect track;
    PointRect played;
    PointRect elapsed;
    PointRect duration;
};

[[nodiscard]] CardRects LayoutCard(float width, bool hasSourceIcon, float playedFraction,
                                   float textScale = 1.0f) noexcept;

// Icon-font glyph of a transport button; play turns into pause while playing.
[[nodiscard]] wchar_t CardButtonGlyph(CardItem button, bool playing) noexcept;
inline constexpr wchar_t kCardNoArtworkGlyph = 0xE8D6;

// Alpha of the artwork's colour laid over the card; 0 when the setting is off
// or there is no colour (its alpha is 0).
[[nodiscard]] float CardTintAlpha(bool tintEnabled, float tintAlpha, bool darkTheme) noexcept;

// "m:ss" with whole minutes, never negative (not-a-number counts as 0).
[[nodiscard]] std::wstring CardTimeText(double seconds);

// The screen point is over the card or over the widget that opened it.
[[nodiscard]] bool PointerNearCard(int32_t x, int32_t y, const PixelRect& card,
                                   const PixelRect& anchor) noexcept;

// One hover check of the card's 80 ms timer: true when the card should hide,
// on the fourth check in a row with the pointer away.
[[nodiscard]] bool CardMissedHover(bool hovered, int32_t& misses) noexcept;

}  // namespace corvane
