#include "nowplaying/NowPlayingFeed.h"

#include "nowplaying/NowPlayingSource.h"
#include "nowplaying/NowPlayingCard.h"

namespace corvane {

NowPlayingFeed::NowPlayingFeed(const NowPlayingFeedContext& context) noexcept : context_(context) {}

NowPlayingFeed::~NowPlayingFeed() {
    Stop();
}

void NowPlayingFeed::Start() {
    source_ =
        std::make_unique<NowPlayingSource>(static_cast<NowPlayingHost&>(*this), context_.worker);
    source_->ApplyNowPlayingSettings(context_.settings);
}

void NowPlayingFeed::ApplySettings() noexcept {
    if (source_) {
        source_->ApplyNowPlayingSettings(context_.settings);
    }
}

void NowPlayingFeed::Stop() noexcept {
    card_.reset();
    if (source_) {
        source_->Stop();
        source_.reset();
    }
}

void NowPlayingFeed::DestroyCard() noexcept {
    if (card_) {
        card_->DestroyCard();
    }
}

bool NowPlayingFeed::Active() const noexcept {
    return source_ && source_->Snapshot().active;
}

WidgetMark NowPlayingFeed::MarkNow() const {
    WidgetMark mark;
    mark.inBar = InBar();
    mark.inDock = InDock();
    mark.nextToClock = BarNextToClock();
    if (Active()) {
        const NowPlayingSnapshot& snapshot = source_->Snapshot();
        mark.playing = snapshot.playing;
        mark.artworkGeneration = source_->ArtworkGeneration();
        mark.title = snapshot.title;
        mark.artist = snapshot.artist;
    }
    return mark;
}

// The surfaces hear of the session only when their widget would look
// different: a poll while a track plays on changes nothing they draw.
void NowPlayingFeed::NowPlayingChanged() {
    WidgetMark mark = MarkNow();
    const WidgetChange change = CompareWidgetMarks(mark_, mark);
    if (card_) {
        card_->SessionChanged(mark.title != mark_.title, mark.playing != mark_.playing);
    }
    mark_ = std::move(mark);
    if (change != WidgetChange::None) {
        context_.surfaces.NowPlayingWidgetsChanged(change == WidgetChange::Relayout);
    }
}

void NowPlayingFeed::NowPlayingSwitched(bool enabled) {
    if (!card_) {
        return;
    }
    // Switched on (again): the next show builds the window with the theme
    // and glass of now.
    if (enabled) {
        card_->DestroyCard();
    } else {
        card_->HideCard();
    }
}

std::span<const AppEntry> NowPlayingFeed::NowPlayingApps() {
    return context_.surfaces.NowPlayingApps();
}

bool NowPlayingFeed::InBar() const {
    return ShowInBar(context_.settings, Active());
}

bool NowPlayingFeed::BarNextToClock() const {
    return corvane::BarNextToClock(context_.settings);
}

bool NowPlayingFeed::InDock() const {
    return ShowInDock(context_.settings, Active());
}

NowPlayingWidgetView NowPlayingFeed::View() const {
    if (!Active()) {
        return {};
    }
    const NowPlayingSnapshot& snapshot = source_->Snapshot();
    return {.title = snapshot.title,
            .artist = snapshot.artist,
            .album = snapshot.album,
            .playing = snapshot.playing,
            .artwork = source_->Artwork(),
            .artworkGeneration = source_->ArtworkGeneration()};
}

void NowPlayingFeed::OpenCard(const RECT& anchor, bool above, UINT dpi) {
    if (!Active()) {
        return;
    }
    if (!card_) {
        card_ =
            std::make_unique<NowPlayingCard>(NowPlayingCardContext{.instance = context_.instance,
                                                                   .graphics = context_.graphics,
                                                                   .settings = context_.settings,
                                                                   .theme = context_.theme,
                                                                   .source = *source_});
    }
    card_->ShowCard(anchor, above, dpi);
}

void NowPlayingFeed::TogglePlayPause() {
    if (source_) {
        source_->TogglePlayPause();
    }
}

bool NowPlayingFeed::CardHovered() const {
    return card_ && card_->IsCardHovered();
}

}  // namespace corvane
