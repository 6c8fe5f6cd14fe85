// The settings window's rules: slider values, date presets, the dock's
// display choice, program labels and the re-apply timers.

#include "config/Language.h"
#include "settings/SettingsRules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

// The track runs from 100 to 320, so its extremes are at 110 and 310.
TEST(SettingsRules, SliderValueAndKnob) {
    const struct {
        float x;
        int32_t min, max, step, value;
    } rows[] = {{50, 0, 100, 1, 0},    {400, 0, 100, 1, 100}, {110, 0, 100, 1, 0},
                {310, 0, 100, 1, 100}, {160, 0, 100, 10, 30}, {160, 0, 100, 0, 25},
                {160, 0, 100, -5, 25}, {200, 7, 7, 1, 7},     {310, 0, 10, 4, 10},
                {160, -10, 10, 1, -5}};
    for (const auto& r : rows) {
        EXPECT_EQ(SliderValueAt(r.x, 100, 320, r.min, r.max, r.step), r.value)
            << r.x << " in " << r.min << ".." << r.max << " step " << r.step;
    }
    // A value the file allows beyond the slider's range stands at the nearer end.
    EXPECT_EQ(SliderFraction(20, 22, 40), 0.0f);
    EXPECT_EQ(SliderFraction(48, 22, 40), 1.0f);
    EXPECT_EQ(SliderFraction(31, 22, 40), 0.5f);
    EXPECT_EQ(SliderFraction(5, 5, 5), 0.0f);
}

TEST(SettingsRules, DatePresetsAndTheLanguageSwitch) {
    for (const bool norwegian : {false, true}) {
        for (int32_t i = 0; i <= 4; ++i) {
            EXPECT_EQ(DatePresetIndex(DateFormatOfOption(i, norwegian), norwegian), i);
        }
        EXPECT_EQ(DateFormatOfOption(4, norwegian), L"");
        EXPECT_EQ(DatePresetIndex(L"yyyy-MM-dd", norwegian), 0);
        EXPECT_EQ(DatePresetIndex(DatePresets(!norwegian)[2], norwegian), 0);
    }
    EXPECT_EQ(DateFormatAfterSwitch(L"MMM d, yyyy", true), L"d. MMM yyyy");
    EXPECT_EQ(DateFormatAfterSwitch(L"dddd d. MMMM", false), L"dddd, MMMM d");
    for (const std::wstring_view same : {L"yyyy-MM-dd", L"", L"dd.MM.yyyy"}) {
        EXPECT_EQ(DateFormatAfterSwitch(same, true), same);
    }
    EXPECT_EQ(DateFormatAfterSwitch(L"yyyy-MM-dd", false), L"yyyy-MM-dd");
}

TEST(SettingsRules, DockDisplayChoiceStoresTheDisplaysValue) {
    const bool was = IsNorwegian();
    SetNorwegian(false);
    const std::vector<DisplaySize> two{{1920, 1080, true}, {2560, 1440, false}};
    auto choice = BuildDockMonitorChoice(two, 5);
    EXPECT_EQ(choice.values, (std::vector<int32_t>{0, 1, 2, 3, 5}));
    EXPECT_EQ(choice.options[2], L"Display 1  \u00B7  1920\u00D71080  (main)");
    EXPECT_EQ(choice.options[3], L"Display 2  \u00B7  2560\u00D71440");
    EXPECT_EQ(choice.options[4], L"Display 4  (not connected)");
    for (const int32_t stored : {0, 1, 3}) {
        EXPECT_EQ(BuildDockMonitorChoice(two, stored).values, (std::vector<int32_t>{0, 1, 2, 3}));
    }
    SetNorwegian(true);
    choice = BuildDockMonitorChoice({{1366, 768, true}}, 3);
    EXPECT_EQ(choice.options[0], L"Kun på hovedskjermen");
    EXPECT_EQ(choice.options[2], L"Skjerm 1  \u00B7  1366\u00D7768  (hoved)");
    EXPECT_EQ(choice.options[3], L"Skjerm 2  (ikke tilkoblet)");
    SetNorwegian(was);
}

TEST(SettingsRules, ProgramLabels) {
    const std::wstring longTip(100, L'a');
    const struct {
        std::wstring_view exe, tooltip, label;
    } rows[] = {{L"notepad.exe", L"", L"Notepad"},
                {L"SPOTIFY.EXE", L"", L"SPOTIFY"},
                {L"myapp", L" \t", L"Myapp"},
                {L"code.exe", L"  Visual Studio Code \r\nsecond", L"Visual Studio Code"},
                {L"x.exe", L"\nsecond line", L"X"},
                {L"x.exe", longTip, std::wstring_view(longTip).substr(0, kProgramLabelMax)}};
    for (const auto& r : rows) {
        EXPECT_EQ(ProgramLabel(r.exe, r.tooltip), r.label) << std::wstring(r.exe);
    }
}

// Each step: what happens at `now`, and what Take then reports as due.
TEST(SettingsRules, ReapplyTimers) {
    enum Event { None, Change, Language, Reload };
    const struct {
        Event event;
        uint64_t now;
        bool reapply, rebuild;
    } steps[] = {
        {Change, 0, false, false},      {Change, 200, false, false}, {None, 549, false, false},
        {None, 550, true, false},       {None, 949, false, false},   {None, 950, false, true},
        {Language, 1000, false, false}, {None, 1010, false, true},   {None, 1349, false, false},
        {None, 1350, true, false},      {None, 1750, false, true},   {Reload, 2000, true, false},
        {None, 2399, false, false},     {None, 2400, false, true}};
    ReapplyTimers timers;
    for (const auto& s : steps) {
        if (s.event == Change)
            timers.Changed(s.now);
        if (s.event == Language)
            timers.LanguageChanged(s.now);
        if (s.event == Reload)
            timers.ReloadNow(s.now);
        const auto due = timers.Take(s.now);
        EXPECT_EQ(due.reapply, s.reapply) << s.now;
        EXPECT_EQ(due.rebuild, s.rebuild) << s.now;
    }
    EXPECT_FALSE(timers.NextDue());
    timers.LanguageChanged(3000);
    EXPECT_EQ(timers.NextDue(), 3010u);
}

}  // namespace
}  // namespace corvane
