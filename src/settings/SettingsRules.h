#pragma once
// The settings window's rules that need no window: slider arithmetic, the
// date presets and the language switch, the dock's display choice, the names
// shown for programs in lists, and the re-apply timers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// --- sliders
// How far in from the track's ends the extremes stand, in DIPs: the knob
// reaches them without the pointer having to hit the track's last pixel.
inline constexpr float kSliderEndInset = 10;
// The value under the pointer at `x` on a track from `left` to `right`
// (the ends kSliderEndInset in are the extremes), on the step grid from `min`,
// clamped to min..max. A step below 1 counts as 1.
[[nodiscard]] int32_t SliderValueAt(float x, float left, float right, int32_t min, int32_t max,
                                    int32_t step) noexcept;
// Where the knob stands, 0..1: a stored value outside the slider's range is
// drawn at the nearer end.
[[nodiscard]] float SliderFraction(int32_t value, int32_t min, int32_t max) noexcept;

// --- date presets
// The four presets of the language, in order.
[[nodiscard]] const std::vector<std::wstring>& DatePresets(bool norwegian);
// The option shown as current: the preset equal to the format, 4 for the
// empty format ("Time only"), kOwnDateFormatIndex for any other text.
inline constexpr int32_t kOwnDateFormatIndex = 5;
[[nodiscard]] int32_t DatePresetIndex(std::wstring_view format, bool norwegian);
// What option `index` stores: a preset, or the empty text for 4. The own
// format's entry stores nothing new: it is only ever the current one.
[[nodiscard]] std::wstring DateFormatOfOption(int32_t index, bool norwegian);
// After a language switch: a preset of the old language becomes the preset
// in the same place of the new one; anything else stays.
[[nodiscard]] std::wstring DateFormatAfterSwitch(std::wstring_view format, bool toNorwegian);

// --- the dock's displays
struct DockMonitorChoice {
    std::vector<std::wstring> options;
    std::vector<int32_t> values;  // what each option stores in [Dock] Monitor
};
// "Main display only" (0), "On all displays" (1), one entry per connected
// display (2 + its index), and, when the stored value names a display that
// is not connected, an entry for it with that value.
struct DisplaySize {
    int32_t width = 0;
    int32_t height = 0;
    bool main = false;
};
[[nodiscard]] DockMonitorChoice BuildDockMonitorChoice(const std::vector<DisplaySize>& displays,
                                                       int32_t stored);

// --- programs in lists
// A hosted icon's tooltip names a program best (its first line, capped);
// without one the file name without ".exe", first letter upper-cased.
[[nodiscard]] std::wstring ProgramLabel(std::wstring_view exeName, std::wstring_view tooltip);
inline constexpr std::size_t kProgramLabelMax = 64;

// --- re-apply timers, on an injected clock (milliseconds)
class ReapplyTimers {
public:
    // A setter changed a setting: re-apply 350 ms after the last change.
    void Changed(uint64_t now) noexcept;
    // The language changed: rows again in 10 ms, re-apply after 350 ms.
    void LanguageChanged(uint64_t now) noexcept;
    // The Reload button: re-apply now, rows again 400 ms later.
    void ReloadNow(uint64_t now) noexcept;
    struct Due {
        bool reapply = false;  // post the re-apply command
        bool rebuild = false;  // build the rows again
    };
    // What is due at `now`; each due step is taken once. A re-apply arms the
    // rebuild 400 ms later.
    [[nodiscard]] Due Take(uint64_t now) noexcept;
    // When the next step is due, if any.
    [[nodiscard]] std::optional<uint64_t> NextDue() const noexcept;

private:
    std::optional<uint64_t> reapplyAt_;
    std::optional<uint64_t> rebuildAt_;
};

}  // namespace corvane
