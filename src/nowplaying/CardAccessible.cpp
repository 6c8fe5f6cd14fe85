// The Now Playing card for screen readers: the tree they read is built from
// the layout the card paints, the buttons' default actions are their clicks,
// and they hear a new title and the play button's new name.

#include "nowplaying/CardAccessibleTree.h"
#include "nowplaying/NowPlayingCard.h"
#include "nowplaying/NowPlayingCardSource.h"
#include "toolkit/Theme.h"

#include <algorithm>

namespace corvane {

AccessibleNode NowPlayingCard::BuildAccessibleTree() {
    return CardAccessibleTree({.snapshot = &source_.Snapshot(),
                               .positionSeconds = std::max(0.0, source_.CurrentPositionSeconds()),
                               .width = ClientWidthDips(),
                               .hasSourceIcon = sourceIcon_ != nullptr,
                               .dpi = dpi_,
                               .textScale = theme_.textScale});
}

void NowPlayingCard::RunAccessibleAction(int32_t actionId) {
    const std::optional<CardItem> button = CardActionButton(actionId);
    if (!button) {
        return;
    }
    const float width = ClientWidthDips();
    if (const auto click = CardClickAction(*button, 0, width, source_.Snapshot().durationSeconds)) {
        source_.SendMediaCommand(click->command, click->seconds);
    }
    // The command may have closed the card's window.
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void NowPlayingCard::SessionChanged(bool newTitle, bool playStateChanged) noexcept {
    accessible_.Invalidate();
    // The card's own repaint timer draws the rest of a poll's news.
    if (!IsCardShown() || (!newTitle && !playStateChanged)) {
        return;
    }
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
    if (newTitle) {
        accessible_.Notify(EVENT_OBJECT_NAMECHANGE, kCardTitleAction);
    }
    if (playStateChanged) {
        accessible_.Notify(EVENT_OBJECT_NAMECHANGE, static_cast<int32_t>(CardItem::PlayPause));
    }
}

}  // namespace corvane
