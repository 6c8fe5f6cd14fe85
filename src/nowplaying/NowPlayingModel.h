#pragma once
// The plain fields of what the system's media session plays. The Windows side
// keeps the runtime objects and the artwork next to it; everything here can be
// copied, compared and tested.

#include <cstdint>
#include <string>

namespace corvane {

// Windows' GlobalSystemMediaTransportControlsSessionPlaybackStatus values.
enum class PlaybackStatus : int32_t {
    Closed = 0,
    Opened = 1,
    Changing = 2,
    Stopped = 3,
    Playing = 4,
    Paused = 5,
};

// The commands a media session takes (a seek carries its target).
enum class MediaCommand : int32_t { TogglePlayPause = 0, Next = 1, Previous = 2, Seek = 3 };

// Timeline values are 100-ns ticks, as FILETIME and TimeSpan count them.
inline constexpr int64_t kTicksPerSecond = 10'000'000;

struct NowPlayingSnapshot {
    bool active = false;   // a titled session is changing, playing or paused
    bool playing = false;  // it is playing
    std::wstring title;
    std::wstring artist;
    std::wstring album;
    std::wstring sourceName;
    std::wstring sourceId;  // the session's AppUserModelID as reported
    std::wstring trackKey;  // a new key means a new track
    // Relative to the timeline's start, in ticks.
    int64_t positionBase = 0;
    int64_t duration = 0;
    int64_t lastUpdated = 0;  // FILETIME value of the last timeline update
    double positionSeconds = 0;
    double durationSeconds = 0;
};

}  // namespace corvane
