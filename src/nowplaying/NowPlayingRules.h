#pragma once
// What the media session reports, turned into the snapshot's values, and when
// to ask it again. Portable: ticks, statuses and texts arrive as numbers and
// strings.

#include "config/Settings.h"
#include "nowplaying/NowPlayingModel.h"
#include "identity/AppEntry.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

// Texts from another process: at most this many UTF-16 units.
inline constexpr std::size_t kMediaTextMaxUnits = 512;

// Control characters removed (the track key uses "\n" as its separator), then
// capped at kMediaTextMaxUnits without cutting a surrogate pair in two.
[[nodiscard]] std::wstring CleanMediaText(std::wstring_view text);

// The identifier is later turned into a shell path for the icon: an empty one,
// or one that could name a file or another folder ("\", "/", ":"), is refused.
[[nodiscard]] bool IsSafeSourceId(std::wstring_view id) noexcept;

// The first app (settings pages skipped) whose key ends with the lower-cased
// identifier or whose program file name, lower-cased, equals it; null if none.
[[nodiscard]] const AppEntry* FindSourceApp(std::wstring_view id, std::span<const AppEntry> apps);

// The app's name from the catalog, else from the identifier itself: the part
// after the first "!", without a trailing ".exe", first character upper-cased.
[[nodiscard]] std::wstring SourceAppName(std::wstring_view id, std::span<const AppEntry> apps);

// identifier "\n" title "\n" artist "\n" album.
[[nodiscard]] std::wstring TrackKey(std::wstring_view id, std::wstring_view title,
                                    std::wstring_view artist, std::wstring_view album);

struct PlaybackFlags {
    bool active = false;
    bool playing = false;
    bool operator==(const PlaybackFlags&) const = default;
};

// From the raw status number; an unknown status counts as closed.
[[nodiscard]] PlaybackFlags PlaybackFlagsOf(int32_t status, std::wstring_view title) noexcept;

struct Timeline {
    int64_t positionBase = 0;
    int64_t duration = 0;  // 0: no duration (a live stream)
    bool operator==(const Timeline&) const = default;
};

// Position and end relative to the start, saturating instead of overflowing.
[[nodiscard]] Timeline TimelineOf(int64_t start, int64_t end, int64_t position) noexcept;

[[nodiscard]] double TicksToSeconds(int64_t ticks) noexcept;
// Truncated, saturating; not-a-number and negatives give 0.
[[nodiscard]] int64_t SecondsToTicks(double seconds) noexcept;

// The position now (a FILETIME value): advanced since the last update only
// while playing, never past a known duration, never below 0; 0 when inactive.
[[nodiscard]] double CurrentPositionSeconds(const NowPlayingSnapshot& snapshot,
                                            int64_t nowFileTime) noexcept;

// Poll timer interval in milliseconds.
[[nodiscard]] uint32_t PollIntervalMs(bool active, bool playing) noexcept;

// Whether to ask for the media properties now (GetTickCount ticks).
[[nodiscard]] bool MediaPropertiesDue(bool pending, bool sourceChanged, uint32_t now,
                                      uint32_t lastRequest) noexcept;

// Windows' AsyncStatus values.
enum class AsyncStatus : int32_t { Started = 0, Completed = 1, Canceled = 2, Error = 3 };

enum class AsyncStep {
    Wait,     // still running: look again on the next poll
    Take,     // completed with a result
    Drop,     // failed, cancelled, no result or an unknown status: release it
    Abandon,  // running for too long: cancel and release it
};

inline constexpr uint32_t kAsyncLimitMs = 10'000;

// What to do with a pending operation. `hasResult` counts only once the status
// is Completed (GetResults succeeded and gave an object).
[[nodiscard]] AsyncStep NextAsyncStep(int32_t status, bool hasResult, uint32_t now,
                                      uint32_t started, uint32_t limitMs = kAsyncLimitMs) noexcept;

// Where the widget shows (Where: 0 the dock, 1 the bar, otherwise both).
[[nodiscard]] bool ShowInDock(const Settings& settings, bool active) noexcept;
[[nodiscard]] bool ShowInBar(const Settings& settings, bool active) noexcept;
[[nodiscard]] bool BarNextToClock(const Settings& settings) noexcept;

// What the widgets show, kept between polls: the bars and docks lay out again
// only when a widget came, went or got a new text, and repaint only when its
// picture or playing state changed (a poll while playing changes neither).
struct WidgetMark {
    bool inBar = false;
    bool inDock = false;
    bool nextToClock = false;
    bool playing = false;
    int32_t artworkGeneration = 0;
    std::wstring title;
    std::wstring artist;
};

enum class WidgetChange { None, Repaint, Relayout };

[[nodiscard]] WidgetChange CompareWidgetMarks(const WidgetMark& before,
                                              const WidgetMark& after) noexcept;

}  // namespace corvane
