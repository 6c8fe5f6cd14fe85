#include "settings/SettingsRules.h"

#include "base/Utf16.h"
#include "base/TextHelpers.h"
#include "config/Texts.h"

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace corvane {

namespace {

constexpr uint64_t kReapplyDelayMs = 350;
constexpr uint64_t kRebuildAfterReapplyMs = 400;
constexpr uint64_t kRebuildAfterLanguageMs = 10;

// The "Time only" option stands after the four presets.
constexpr int32_t kTimeOnlyIndex = 4;

}  // namespace

int32_t SliderValueAt(float x, float left, float right, int32_t min, int32_t max,
                      int32_t step) noexcept {
    if (max <= min) {
        return min;
    }
    const int64_t grid = std::max(step, 1);
    const float span = right - left - 2 * kSliderEndInset;
    const float fraction =
        span > 0 ? std::clamp((x - (left + kSliderEndInset)) / span, 0.0f, 1.0f) : 0.0f;
    const int64_t range = static_cast<int64_t>(max) - min;
    // std::llround rounds halves away from zero, as the user expects of a knob
    // standing exactly between two steps.
    const int64_t n = std::llround(static_cast<double>(fraction) * static_cast<double>(range) /
                                   static_cast<double>(grid));
    return static_cast<int32_t>(std::clamp<int64_t>(min + n * grid, min, max));
}

float SliderFraction(int32_t value, int32_t min, int32_t max) noexcept {
    if (max <= min) {
        return 0;
    }
    const int64_t clamped = std::clamp(value, min, max);
    return static_cast<float>(static_cast<double>(clamped - min) /
                              (static_cast<double>(max) - static_cast<double>(min)));
}

const std::vector<std::wstring>& DatePresets(bool norwegian) {
    static const std::vector<std::wstring> kNorwegian{L"ddd d. MMM", L"dddd d. MMMM",
                                                      L"d. MMM yyyy", L"dd.MM.yyyy"};
    static const std::vector<std::wstring> kEnglish{L"ddd MMM d", L"dddd, MMMM d", L"MMM d, yyyy",
                                                    L"MM/dd/yyyy"};
    return norwegian ? kNorwegian : kEnglish;
}

int32_t DatePresetIndex(std::wstring_view format, bool norwegian) {
    if (format.empty()) {
        return kTimeOnlyIndex;
    }
    const auto& presets = DatePresets(norwegian);
    const auto it = std::find(presets.begin(), presets.end(), format);
    return it == presets.end() ? kOwnDateFormatIndex : static_cast<int32_t>(it - presets.begin());
}

std::wstring DateFormatOfOption(int32_t index, bool norwegian) {
    const auto& presets = DatePresets(norwegian);
    if (index >= 0 && static_cast<std::size_t>(index) < presets.size()) {
        return presets[static_cast<std::size_t>(index)];
    }
    // Only "Time only" stores the empty text: an index the menu cannot give
    // must not silently take the date away.
    return index == kTimeOnlyIndex ? std::wstring() : presets.front();
}

std::wstring DateFormatAfterSwitch(std::wstring_view format, bool toNorwegian) {
    const auto& from = DatePresets(!toNorwegian);
    const auto it = std::find(from.begin(), from.end(), format);
    if (it == from.end()) {
        return std::wstring(format);
    }
    return DatePresets(toNorwegian)[static_cast<std::size_t>(it - from.begin())];
}

DockMonitorChoice BuildDockMonitorChoice(const std::vector<DisplaySize>& displays, int32_t stored) {
    DockMonitorChoice choice;
    choice.options.emplace_back(Text(TextId::MainDisplayOnly));
    choice.values.push_back(0);
    choice.options.emplace_back(Text(TextId::OnAllDisplays));
    choice.values.push_back(1);
    const std::wstring display = Text(TextId::DisplayNumber);
    for (std::size_t i = 0; i < displays.size(); ++i) {
        const DisplaySize& d = displays[i];
        choice.options.push_back(display + std::to_wstring(i + 1) + L"  \u00B7  " +
                                 std::to_wstring(d.width) + L"\u00D7" + std::to_wstring(d.height) +
                                 (d.main ? Text(TextId::MainDisplayMark) : L""));
        choice.values.push_back(static_cast<int32_t>(i) + 2);
    }
    // A display that is away keeps its entry, so that the choice shows what
    // the file says and choosing another entry is a deliberate change.
    if (stored >= 2 && static_cast<std::size_t>(stored - 2) >= displays.size()) {
        choice.options.push_back(display + std::to_wstring(stored - 1) +
                                 Text(TextId::NotConnectedMark));
        choice.values.push_back(stored);
    }
    return choice;
}

std::wstring ProgramLabel(std::wstring_view exeName, std::wstring_view tooltip) {
    const std::wstring line = Trim(tooltip.substr(0, tooltip.find_first_of(L"\r\n")));
    if (!line.empty()) {
        return Trim(std::wstring_view(line).substr(0, Utf16Prefix(line, kProgramLabelMax)));
    }
    constexpr std::wstring_view kExe = L".exe";
    if (exeName.size() > kExe.size() &&
        EqualsNoCase(exeName.substr(exeName.size() - kExe.size()), kExe)) {
        exeName.remove_suffix(kExe.size());
    }
    std::wstring name(exeName);
    if (!name.empty()) {
        name[0] = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(name[0])));
    }
    return name;
}

void ReapplyTimers::Changed(uint64_t now) noexcept {
    reapplyAt_ = now + kReapplyDelayMs;
}

void ReapplyTimers::LanguageChanged(uint64_t now) noexcept {
    rebuildAt_ = now + kRebuildAfterLanguageMs;
    reapplyAt_ = now + kReapplyDelayMs;
}

void ReapplyTimers::ReloadNow(uint64_t now) noexcept {
    // Due at once; taking it arms the rebuild like any other re-apply.
    reapplyAt_ = now;
}

ReapplyTimers::Due ReapplyTimers::Take(uint64_t now) noexcept {
    Due due;
    if (rebuildAt_ && *rebuildAt_ <= now) {
        due.rebuild = true;
        rebuildAt_.reset();
    }
    if (reapplyAt_ && *reapplyAt_ <= now) {
        due.reapply = true;
        reapplyAt_.reset();
        // The rows wait for the re-applied state rather than show the old one.
        rebuildAt_ = now + kRebuildAfterReapplyMs;
    }
    return due;
}

std::optional<uint64_t> ReapplyTimers::NextDue() const noexcept {
    if (reapplyAt_ && rebuildAt_) {
        return std::min(*reapplyAt_, *rebuildAt_);
    }
    return reapplyAt_ ? reapplyAt_ : rebuildAt_;
}

}  // namespace corvane
