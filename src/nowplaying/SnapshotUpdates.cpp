#include "nowplaying/SnapshotUpdates.h"

#include "nowplaying/NowPlayingRules.h"

namespace corvane {

bool UpdateSource(NowPlayingSnapshot& snapshot, std::wstring_view rawId,
                  std::span<const AppEntry> apps) {
    std::wstring id = CleanMediaText(rawId);
    if (id == snapshot.sourceId) {
        return false;
    }
    snapshot.sourceName = SourceAppName(id, apps);
    snapshot.sourceId = std::move(id);
    // The old app's track must not show under the new app's name while the
    // new one's properties are still on their way.
    snapshot.trackKey.clear();
    snapshot.title.clear();
    snapshot.artist.clear();
    snapshot.album.clear();
    return true;
}

bool UpdateTrack(NowPlayingSnapshot& snapshot, std::wstring_view title, std::wstring_view artist,
                 std::wstring_view album) {
    std::wstring cleanTitle = CleanMediaText(title);
    std::wstring cleanArtist = CleanMediaText(artist);
    std::wstring cleanAlbum = CleanMediaText(album);
    std::wstring key = TrackKey(snapshot.sourceId, cleanTitle, cleanArtist, cleanAlbum);
    if (key == snapshot.trackKey) {
        return false;
    }
    snapshot.trackKey = std::move(key);
    snapshot.title = std::move(cleanTitle);
    snapshot.artist = std::move(cleanArtist);
    snapshot.album = std::move(cleanAlbum);
    return true;
}

void UpdateTimeline(NowPlayingSnapshot& snapshot, int64_t start, int64_t end, int64_t position,
                    int64_t lastUpdated) noexcept {
    const Timeline timeline = TimelineOf(start, end, position);
    snapshot.positionBase = timeline.positionBase;
    snapshot.duration = timeline.duration;
    snapshot.lastUpdated = lastUpdated;
    snapshot.durationSeconds = TicksToSeconds(timeline.duration);
}

bool UpdatePlayback(NowPlayingSnapshot& snapshot, int32_t status) noexcept {
    const PlaybackFlags flags = PlaybackFlagsOf(status, snapshot.title);
    const bool changed = flags.active != snapshot.active || flags.playing != snapshot.playing;
    snapshot.active = flags.active;
    snapshot.playing = flags.playing;
    return changed;
}

bool ClearSnapshot(NowPlayingSnapshot& snapshot) {
    const bool wasActive = snapshot.active;
    snapshot = NowPlayingSnapshot{};
    return wasActive;
}

}  // namespace corvane
