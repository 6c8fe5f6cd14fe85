#pragma once
// The Now Playing card as a screen reader sees it, built from the layout it
// paints: the title, the artist and the source as texts, the three transport
// buttons (play turning into pause while playing) whose default action is
// their click, and the position as a slider reading "1:23 of 3:45".

#include "nowplaying/CardLayout.h"
#include "nowplaying/NowPlayingModel.h"
#include "toolkit/AccessibleNode.h"

#include <cstdint>
#include <optional>

namespace corvane {

struct CardAccessibleFacts {
    const NowPlayingSnapshot* snapshot = nullptr;
    double positionSeconds = 0;  // extrapolated, as painted
    float width = 0;             // client DIPs
    bool hasSourceIcon = false;
    uint32_t dpi = 96;
    float textScale = 1.0f;  // Windows' text size, as the card is laid out
};

// The buttons' and the slider's action ids are their CardItem numbers; the
// title's is this, so that a new track can be told.
inline constexpr int32_t kCardTitleAction = 4;
[[nodiscard]] AccessibleNode CardAccessibleTree(const CardAccessibleFacts& facts);

// The button an action id presses, nullopt for any other id.
[[nodiscard]] std::optional<CardItem> CardActionButton(int32_t actionId) noexcept;

}  // namespace corvane
