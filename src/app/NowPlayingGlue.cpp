// The composition root's side of Now Playing: what the media source asks of
// the process, and what the bar's and the dock's widgets read and ask of the
// source and its card.

#include "app/App.h"
#include "bar/Bar.h"
#include "dock/Dock.h"
#include "nowplaying/NowPlayingSource.h"
#include "nowplaying/NowPlayingCard.h"
#include "start/StartSurfaces.h"

namespace corvane {
namespace {

bool Active(const App& app) noexcept {
    return app.nowPlaying && app.nowPlaying->Snapshot().active;
}

WidgetMark MarkOf(const App& app) {
    WidgetMark mark;
    mark.inBar = app.InBar();
    mark.inDock = app.InDock();
    mark.nextToClock = app.BarNextToClock();
    if (Active(app)) {
        const NowPlayingSnapshot& snapshot = app.nowPlaying->Snapshot();
        mark.playing = snapshot.playing;
        mark.artworkGeneration = app.nowPlaying->ArtworkGeneration();
        mark.title = snapshot.title;
        mark.artist = snapshot.artist;
    }
    return mark;
}

// Bars and docks hear of the session only when their widget would look
// different: a poll while a track plays on changes nothing they draw.
void TellWidgets(App& app) {
    WidgetMark mark = MarkOf(app);
    const WidgetChange change = CompareWidgetMarks(app.nowPlayingMark, mark);
    app.nowPlayingMark = std::move(mark);
    if (change == WidgetChange::None) {
        return;
    }
    if (change == WidgetChange::Relayout) {
        app.RefreshBars();
    } else {
        app.RepaintBars();
    }
    for (const auto& dock : app.docks) {
        dock->Relayout(false);
    }
}

}  // namespace

void App::NowPlayingChanged() {
    TellWidgets(*this);
}

void App::NowPlayingEnded() {
    TellWidgets(*this);
}

void App::NowPlayingSwitched(bool enabled) {
    if (!nowPlayingCard) {
        return;
    }
    // Switched on (again): the next show builds the window with the theme
    // and glass of now.
    if (enabled) {
        nowPlayingCard->DestroyCard();
    } else {
        nowPlayingCard->HideCard();
    }
}

std::span<const AppEntry> App::NowPlayingApps() {
    if (!start) {
        return {};
    }
    return start->Catalog().GetApps(kBuildOnlyWhenEmpty);
}

bool App::InBar() const {
    return corvane::ShowInBar(settings, Active(*this));
}

bool App::BarNextToClock() const {
    return corvane::BarNextToClock(settings);
}

bool App::InDock() const {
    return corvane::ShowInDock(settings, Active(*this));
}

NowPlayingWidgetView App::View() const {
    if (!Active(*this)) {
        return {};
    }
    const NowPlayingSnapshot& snapshot = nowPlaying->Snapshot();
    return {.title = snapshot.title,
            .artist = snapshot.artist,
            .album = snapshot.album,
            .playing = snapshot.playing,
            .artwork = nowPlaying->Artwork(),
            .artworkGeneration = nowPlaying->ArtworkGeneration()};
}

void App::OpenCard(const RECT& anchor, bool above, UINT dpi) {
    if (!Active(*this)) {
        return;
    }
    if (!nowPlayingCard) {
        nowPlayingCard =
            std::make_unique<NowPlayingCard>(instance, graphics, settings, theme, *nowPlaying);
    }
    nowPlayingCard->ShowCard(anchor, above, dpi);
}

void App::TogglePlayPause() {
    if (nowPlaying) {
        nowPlaying->TogglePlayPause();
    }
}

bool App::CardHovered() const {
    return nowPlayingCard && nowPlayingCard->IsCardHovered();
}

}  // namespace corvane
