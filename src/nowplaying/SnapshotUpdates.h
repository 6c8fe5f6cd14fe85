#pragma once
// One poll's readings, folded into the snapshot. The Windows side reads the
// session and calls these in order; what they answer tells it which of its own
// objects (icon, artwork, pending requests) to drop and whether to repaint.

#include "nowplaying/NowPlayingModel.h"
#include "identity/AppEntry.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace corvane {

// The session's identifier as read. A new one is stored with its app name and
// forgets the track and its texts, so nothing of the old app shows and the
// next media properties count as a new track.
// True when the source changed (its icon and pending requests are stale).
bool UpdateSource(NowPlayingSnapshot& snapshot, std::wstring_view rawId,
                  std::span<const AppEntry> apps);

// Stored (cleaned) when they make a new track key; true then: the artwork
// belongs to the previous track.
bool UpdateTrack(NowPlayingSnapshot& snapshot, std::wstring_view title, std::wstring_view artist,
                 std::wstring_view album);

// The timeline's raw values (100-ns ticks and a FILETIME value).
void UpdateTimeline(NowPlayingSnapshot& snapshot, int64_t start, int64_t end, int64_t position,
                    int64_t lastUpdated) noexcept;

// Active and playing from the raw playback status and the stored title; true
// when either changed.
bool UpdatePlayback(NowPlayingSnapshot& snapshot, int32_t status) noexcept;

// Back to nothing playing; true when it was active before (the docks then
// drop their widget).
bool ClearSnapshot(NowPlayingSnapshot& snapshot);

}  // namespace corvane
