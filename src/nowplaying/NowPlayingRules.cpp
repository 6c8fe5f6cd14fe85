#include "nowplaying/NowPlayingRules.h"

#include "base/Utf16.h"
#include "base/TextHelpers.h"
#include "identity/ForegroundRules.h"

#include <algorithm>
#include <cmath>
#include <cwctype>
#include <limits>

namespace corvane {
namespace {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

int64_t SaturatingSub(int64_t a, int64_t b) noexcept {
    if (b > 0 && a < kMin64 + b) {
        return kMin64;
    }
    if (b < 0 && a > kMax64 + b) {
        return kMax64;
    }
    return a - b;
}

int64_t SaturatingAdd(int64_t a, int64_t b) noexcept {
    if (b > 0 && a > kMax64 - b) {
        return kMax64;
    }
    if (b < 0 && a < kMin64 - b) {
        return kMin64;
    }
    return a + b;
}

bool IsControl(uint32_t c) noexcept {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

bool EndsWith(std::wstring_view text, std::wstring_view tail) noexcept {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

}  // namespace

std::wstring CleanMediaText(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (!IsControl(static_cast<uint32_t>(c))) {
            out.push_back(c);
        }
    }
    out.resize(Utf16Prefix(out, kMediaTextMaxUnits));
    return out;
}

bool IsSafeSourceId(std::wstring_view id) noexcept {
    return !id.empty() && id.find_first_of(L"\\/:") == std::wstring_view::npos;
}

const AppEntry* FindSourceApp(std::wstring_view id, std::span<const AppEntry> apps) {
    if (id.empty()) {
        return nullptr;
    }
    const std::wstring lower = ToLower(id);
    for (const AppEntry& app : apps) {
        if (app.isSetting) {
            continue;
        }
        if (EndsWith(app.key, lower) || ExecutableNameOf(app.exePath) == lower) {
            return &app;
        }
    }
    return nullptr;
}

std::wstring SourceAppName(std::wstring_view id, std::span<const AppEntry> apps) {
    if (const AppEntry* app = FindSourceApp(id, apps)) {
        return app->name;
    }
    std::wstring_view name = id;
    if (const std::size_t bang = name.find(L'!'); bang != std::wstring_view::npos) {
        name = name.substr(bang + 1);
    }
    constexpr std::wstring_view kExe = L".exe";
    if (name.size() > kExe.size() && EqualsNoCase(name.substr(name.size() - kExe.size()), kExe)) {
        name.remove_suffix(kExe.size());
    }
    std::wstring result(name);
    if (!result.empty()) {
        result[0] = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(result[0])));
    }
    return result;
}

std::wstring TrackKey(std::wstring_view id, std::wstring_view title, std::wstring_view artist,
                      std::wstring_view album) {
    std::wstring key;
    key.reserve(id.size() + title.size() + artist.size() + album.size() + 3);
    key.append(id).append(1, L'\n').append(title).append(1, L'\n');
    key.append(artist).append(1, L'\n').append(album);
    return key;
}

PlaybackFlags PlaybackFlagsOf(int32_t status, std::wstring_view title) noexcept {
    const bool playing = status == static_cast<int32_t>(PlaybackStatus::Playing);
    const bool live = playing || status == static_cast<int32_t>(PlaybackStatus::Changing) ||
                      status == static_cast<int32_t>(PlaybackStatus::Paused);
    return {live && !title.empty(), playing};
}

Timeline TimelineOf(int64_t start, int64_t end, int64_t position) noexcept {
    return {SaturatingSub(position, start), end > start ? SaturatingSub(end, start) : 0};
}

double TicksToSeconds(int64_t ticks) noexcept {
    return static_cast<double>(ticks) / static_cast<double>(kTicksPerSecond);
}

int64_t SecondsToTicks(double seconds) noexcept {
    if (!(seconds > 0)) {
        return 0;
    }
    // 2^63 is exactly representable; anything at or above it saturates.
    const double ticks = seconds * static_cast<double>(kTicksPerSecond);
    if (ticks >= 9223372036854775808.0) {
        return kMax64;
    }
    return static_cast<int64_t>(ticks);
}

double CurrentPositionSeconds(const NowPlayingSnapshot& snapshot, int64_t nowFileTime) noexcept {
    if (!snapshot.active) {
        return 0;
    }
    int64_t position = snapshot.positionBase;
    if (snapshot.playing && snapshot.lastUpdated > 0 && nowFileTime > snapshot.lastUpdated) {
        position = SaturatingAdd(position, nowFileTime - snapshot.lastUpdated);
    }
    if (snapshot.duration > 0) {
        position = std::min(position, snapshot.duration);
    }
    return TicksToSeconds(std::max<int64_t>(position, 0));
}

uint32_t PollIntervalMs(bool active, bool playing) noexcept {
    return active && playing ? 1000 : 2000;
}

bool MediaPropertiesDue(bool pending, bool sourceChanged, uint32_t now,
                        uint32_t lastRequest) noexcept {
    constexpr uint32_t kThrottleMs = 1500;
    if (pending) {
        return false;
    }
    // Unsigned difference: right across the 49.7-day wrap of GetTickCount.
    return sourceChanged || now - lastRequest > kThrottleMs;
}

AsyncStep NextAsyncStep(int32_t status, bool hasResult, uint32_t now, uint32_t started,
                        uint32_t limitMs) noexcept {
    switch (status) {
        case static_cast<int32_t>(AsyncStatus::Completed):
            return hasResult ? AsyncStep::Take : AsyncStep::Drop;
        case static_cast<int32_t>(AsyncStatus::Started):
            return now - started > limitMs ? AsyncStep::Abandon : AsyncStep::Wait;
        default:
            return AsyncStep::Drop;
    }
}

bool ShowInDock(const Settings& settings, bool active) noexcept {
    return settings.nowPlayingEnabled && settings.nowPlayingWhere != 1 && active;
}

bool ShowInBar(const Settings& settings, bool active) noexcept {
    return settings.nowPlayingEnabled && settings.nowPlayingWhere != 0 && active;
}

bool BarNextToClock(const Settings& settings) noexcept {
    return settings.nowPlayingBarPosition == 1;
}

WidgetChange CompareWidgetMarks(const WidgetMark& before, const WidgetMark& after) noexcept {
    if (before.inBar != after.inBar || before.inDock != after.inDock ||
        before.nextToClock != after.nextToClock || before.title != after.title ||
        before.artist != after.artist) {
        return WidgetChange::Relayout;
    }
    if (before.playing != after.playing || before.artworkGeneration != after.artworkGeneration) {
        return WidgetChange::Repaint;
    }
    return WidgetChange::None;
}

}  // namespace corvane
