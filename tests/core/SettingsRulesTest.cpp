// Slider values, date presets, the dock's display choice, program labels, re-apply timers.

#include "config/Language.h"
#include "settings/SettingsRules.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

// The track runs from 100 to 320, so its extremes are at 110 and 310.
TEST(SettingsRules, SliderValueAndKnob) {
    const int32_t rows[][5] = {// x, min, max, step, value
                               {50, 0, 100, 1, 0},   {400, 0, 100, 1, 100}, {160, 0, 100, 10, 30},
                               {160, 0, 100, 0, 25}, {160, 0, 100, -5, 25}, {200, 7, 7, 1, 7},
                               {310, 0, 10, 4, 10},  {160, -10, 10, 1, -5}};
    for (const auto& r : rows) {
        EXPECT_EQ(SliderValueAt(static_cast<float>(r[0]), 100, 320, r[1], r[2], r[3]), r[4])
            << r[0] << " in " << r[1] << ".." << r[2] << " step " << r[3];
    }
    // What the file allows beyond the slider's range stands at the nearer end.
    EXPECT_EQ(SliderFraction(20, 22, 40), 0.0f);
    EXPECT_EQ(SliderFraction(48, 22, 40), 1.0f);
    EXPECT_EQ(SliderFraction(5, 5, 5), 0.0f);
}

TEST(SettingsRules, DatePresetsAndTheLanguageSwitch) {
    for (const bool norwegian : {false, true}) {
        for (int32_t i = 0; i <= 4; ++i) {
            EXPECT_EQ(DatePresetIndex(DateFormatOfOption(i, norwegian), norwegian), i);
        }
        // A format of the user's own stands for no preset: each stays choosable.
        EXPECT_GT(DatePresetIndex(L"yyyy-MM-dd", norwegian), 4);
    }
    EXPECT_EQ(DateFormatAfterSwitch(L"dddd d. MMMM", false), L"dddd, MMMM d");
}

TEST(SettingsRules, DockDisplayChoiceStoresTheDisplaysValue) {
    const bool was = IsNorwegian();
    SetNorwegian(false);
    const std::vector<DisplaySize> two{{1920, 1080, true}, {2560, 1440, false}};
    const auto choice = BuildDockMonitorChoice(two, 5);
    EXPECT_EQ(choice.values, (std::vector<int32_t>{0, 1, 2, 3, 5}));
    EXPECT_EQ(choice.options[2], L"Display 1  \u00B7  1920\u00D71080  (main)");
    EXPECT_EQ(choice.options[4], L"Display 4  (not connected)");
    for (const int32_t stored : {0, 1, 3}) {
        EXPECT_EQ(BuildDockMonitorChoice(two, stored).values, (std::vector<int32_t>{0, 1, 2, 3}));
    }
    SetNorwegian(true);
    EXPECT_EQ(BuildDockMonitorChoice({}, 2).options[2], L"Skjerm 1  (ikke tilkoblet)");
    SetNorwegian(was);
}

TEST(SettingsRules, ProgramLabels) {
    const std::wstring longTip(100, L'a');
    const std::wstring_view rows[][3] = {
        {L"notepad.exe", L"", L"Notepad"},
        {L"myapp.EXE", L" \t", L"Myapp"},
        {L"code.exe", L"  Visual Studio Code \r\nsecond", L"Visual Studio Code"},
        {L"x.exe", L"\nsecond line", L"X"},
        {L"x.exe", longTip, std::wstring_view(longTip).substr(0, kProgramLabelMax)}};
    for (const auto& r : rows) {
        EXPECT_EQ(ProgramLabel(r[0], r[1]), r[2]) << std::wstring(r[0]);
    }
}

// Each step: what happens at a time, then what Take reports as due there
// (1 the re-apply, 2 the rebuild).
TEST(SettingsRules, ReapplyTimers) {
    using Event = void (ReapplyTimers::*)(uint64_t) noexcept;
    const Event c = &ReapplyTimers::Changed, l = &ReapplyTimers::LanguageChanged,
                r = &ReapplyTimers::ReloadNow;
    const std::tuple<Event, uint64_t, int> steps[] = {
        {c, 0, 0},          {c, 200, 0},        {nullptr, 549, 0},  {nullptr, 550, 1},
        {nullptr, 949, 0},  {nullptr, 950, 2},  {l, 1000, 0},       {nullptr, 1010, 2},
        {nullptr, 1349, 0}, {nullptr, 1350, 1}, {nullptr, 1750, 2}, {r, 2000, 1},
        {nullptr, 2399, 0}, {nullptr, 2400, 2}};
    ReapplyTimers timers;
    for (const auto& [event, now, due] : steps) {
        if (event != nullptr)
            (timers.*event)(now);
        const auto taken = timers.Take(now);
        EXPECT_EQ((taken.reapply ? 1 : 0) + (taken.rebuild ? 2 : 0), due) << now;
    }
    EXPECT_FALSE(timers.NextDue());
}

}  // namespace
}  // namespace corvane
