#include "nowplaying/CardAccessibleTree.h"

#include "config/Texts.h"

namespace corvane {
namespace {

AccessibleNode Line(const std::wstring& text, const PointRect& rect, uint32_t dpi) {
    AccessibleNode node;
    node.role = AccessibleRole::Text;
    node.name = text;
    node.location = PointsToPixels(rect, dpi);
    return node;
}

}  // namespace

AccessibleNode CardAccessibleTree(const CardAccessibleFacts& facts) {
    AccessibleNode root;
    root.role = AccessibleRole::Client;
    root.name = L"Now Playing";
    root.location = PointsToPixels(
        {0, 0, facts.width, static_cast<float>(CardSizeFor(facts.textScale).height)}, facts.dpi);
    if (facts.snapshot == nullptr || !facts.snapshot->active) {
        return root;
    }
    const NowPlayingSnapshot& snapshot = *facts.snapshot;
    const double duration = snapshot.durationSeconds;
    const CardRects rects =
        LayoutCard(facts.width, facts.hasSourceIcon,
                   PlayedFraction(facts.positionSeconds, duration), facts.textScale);
    // Only the lines the card draws; the title's is there even when empty,
    // so that a track gaining its title can be told.
    root.children.push_back(Line(snapshot.title, rects.title, facts.dpi));
    root.children.back().actionId = kCardTitleAction;
    if (const std::wstring& artist = snapshot.artist.empty() ? snapshot.album : snapshot.artist;
        !artist.empty()) {
        root.children.push_back(Line(artist, rects.artist, facts.dpi));
    }
    if (!snapshot.sourceName.empty()) {
        root.children.push_back(Line(snapshot.sourceName, rects.sourceName, facts.dpi));
    }

    AccessibleNode position;
    position.role = AccessibleRole::Slider;
    position.name = Text(TextId::CardPosition);
    position.actionId = static_cast<int32_t>(CardItem::Progress);
    position.location = PointsToPixels(rects.track, facts.dpi);
    if (duration > 0) {
        position.value =
            CardTimeText(facts.positionSeconds) + Text(TextId::CardTimeOf) + CardTimeText(duration);
    } else {
        position.states = kAccUnavailable;  // nothing to seek in
    }
    root.children.push_back(std::move(position));

    const struct {
        CardItem item;
        TextId name;
    } buttons[] = {{CardItem::Previous, TextId::CardPreviousTrack},
                   {CardItem::PlayPause, snapshot.playing ? TextId::CardPause : TextId::CardPlay},
                   {CardItem::Next, TextId::CardNextTrack}};
    for (const auto& [item, name] : buttons) {
        AccessibleNode button;
        button.role = AccessibleRole::PushButton;
        button.name = Text(name);
        button.defaultAction = Text(TextId::Press);
        button.actionId = static_cast<int32_t>(item);
        button.location =
            PointsToPixels(CardButtonRect(item, facts.width, facts.textScale), facts.dpi);
        root.children.push_back(std::move(button));
    }
    return root;
}

std::optional<CardItem> CardActionButton(int32_t actionId) noexcept {
    switch (actionId) {
        case static_cast<int32_t>(CardItem::Previous):
        case static_cast<int32_t>(CardItem::PlayPause):
        case static_cast<int32_t>(CardItem::Next):
            return static_cast<CardItem>(actionId);
        default:
            return std::nullopt;
    }
}

}  // namespace corvane
