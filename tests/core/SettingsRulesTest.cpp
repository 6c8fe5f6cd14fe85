// Slider values, date presets, the dock's display choice, program labels, re-apply timers.

#include "config/Language.h"
#include "settings/SettingsLayout.h"
#include "settings/SettingsRules.h"

#include <gtest/gtest.h>

#include <algorithm>
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

// The settings window's hit tests, scrolling, keyboard movement and window rectangle.
using K = RowKind;

SettingsRow Row(RowKind kind, std::vector<std::wstring> options = {}) {
    SettingsRow row;
    row.kind = kind;
    row.options = std::move(options);
    return row;
}

TEST(SettingsLayout, SidebarEntriesAtTheirEdges) {
    const float rows[][3] = {{8, 56, 0},    {7.9f, 56, -1}, {239.9f, 91.9f, 0}, {240, 60, -1},
                             {100, 92, -1}, {100, 96, 1},   {100, 411, 8},      {100, 412, -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(SidebarEntryAt(r[0], r[1]), static_cast<int32_t>(r[2])) << r[0] << "," << r[1];
    }
}

// Boxes sized by their text: a button's caption, a choice's widest option
// (-1: fixed sizes). Controls stand centred, 16 in from the row's right end.
TEST(SettingsLayout, RowsControlsAndHitTests) {
    std::vector<SettingsRow> rows{Row(K::Header),
                                  Row(K::Toggle),
                                  Row(K::Text),
                                  Row(K::Button),
                                  Row(K::Choice, {L"a", std::wstring(80, L'w')}),
                                  Row(K::Slider),
                                  Row(K::Choice, {std::wstring(20, L'w')})};
    for (auto& row : rows) {
        row.label = L"Label";
    }
    rows[1].description = L"a taller row";
    const float widths[] = {0, -1, 0, 96, 340, -1, 188};
    const auto boxes = LayoutRows(
        rows, 900, [](const std::wstring& s) { return 7.0f * static_cast<float>(s.size()); });
    const float scroll = 30;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PointRect& r = boxes[i].row;
        const PointRect& c = boxes[i].control;
        EXPECT_EQ(r.top, i == 0 ? r.top : boxes[i - 1].row.bottom);
        EXPECT_EQ(c.right > c.left, IsInteractive(rows[i])) << i;
        EXPECT_TRUE(widths[i] < 0 || c.right - c.left == widths[i]) << i;
        EXPECT_TRUE(c.right == c.left ||
                    (c.top + c.bottom == r.top + r.bottom && r.right - c.right == 16))
            << i;
        // Every text inside its row, clear of the control and of each other.
        const auto inside = [&](const PointRect& t) {
            return t.right <= t.left || (t.left >= r.left && t.right <= r.right && t.top >= r.top &&
                                         t.bottom <= r.bottom);
        };
        const PointRect &label = boxes[i].label, &value = boxes[i].value;
        EXPECT_TRUE(inside(label) && inside(boxes[i].description) && inside(value)) << i;
        EXPECT_GT(label.right, label.left) << i;
        EXPECT_TRUE(c.right == c.left || (label.right <= c.left && value.right <= c.left)) << i;
        EXPECT_TRUE(value.right == value.left || label.right <= value.left) << i;
        EXPECT_TRUE(boxes[i].description.right == boxes[i].description.left ||
                    label.bottom <= boxes[i].description.top)
            << i;
        // Headers and text rows are never hit; the others are, edge to edge.
        const int32_t hit = IsInteractive(rows[i]) ? static_cast<int32_t>(i) : -1;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.top - scroll, scroll), hit) << i;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.bottom - scroll - 0.1f, scroll), hit) << i;
    }
    const PointRect& track = boxes[5].control;
    EXPECT_TRUE(OnSliderTrack(boxes[5], track.left - 4, track.top - 10, 10));
    EXPECT_FALSE(OnSliderTrack(boxes[5], track.right + 4.5f, track.top, 0));
    // At Windows' text size of 200 %, the texts get twice the room.
    const auto grown = LayoutRows(rows, 900, nullptr, 2.0f);
    const auto height = [](const PointRect& r) { return r.bottom - r.top; };
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_GE(height(grown[i].label), 2 * height(boxes[i].label)) << i;
        EXPECT_GE(height(grown[i].description), 2 * height(boxes[i].description)) << i;
    }
}

TEST(SettingsLayout, ScrollingAndKeyboardMovement) {
    EXPECT_EQ(WheelScroll(0, -240, 1000, 600), 96);
    EXPECT_EQ(WheelScroll(10, 120, 1000, 600), 0);
    EXPECT_EQ(WheelScroll(380, -120, 1000, 600), 400);
    EXPECT_EQ(WheelScroll(0, -120, 500, 600), 0);
    RowBox box;
    box.row = {256, 500, 800, 566};
    const float shows[][3] = {{0, 400, 166}, {200, 400, 200}, {520, 400, 500}, {0, 40, 500}};
    for (const auto& s : shows) {
        EXPECT_EQ(ScrollToShow(box, s[0], s[1]), s[2]) << s[0] << " in " << s[1];
    }
    const std::vector<SettingsRow> rows{Row(K::Header), Row(K::Toggle), Row(K::Text),
                                        Row(K::Header), Row(K::Button), Row(K::Text)};
    const int32_t moves[][3] = {{-1, 1, 1}, {1, 1, 4}, {4, 1, 1}, {-1, -1, 4}, {1, -1, 4}};
    for (const auto& m : moves) {
        EXPECT_EQ(NextInteractiveRow(rows, m[0], m[1]), m[2]) << m[0] << " by " << m[1];
    }
    EXPECT_EQ(NextInteractiveRow({Row(K::Header), Row(K::Text)}, -1, 1), -1);
}

// 1366 x 768 at 150 % would put the title bar above the screen.
TEST(SettingsLayout, WindowStaysInsideTheWorkArea) {
    for (const PixelRect area : {PixelRect{0, 0, 1366, 728}, PixelRect{-1920, -200, 0, 880}}) {
        for (const uint32_t dpi : {96u, 144u, 192u}) {
            const PixelRect w = SettingsWindowRect(area, dpi);
            EXPECT_TRUE(w.top >= area.top && w.right <= area.right && w.bottom <= area.bottom);
            EXPECT_EQ(w.left - area.left, (area.Width() - w.Width()) / 2) << dpi;
            EXPECT_EQ(w.Height(), std::min(ScalePoints(660, dpi), area.Height())) << dpi;
        }
    }
}

}  // namespace
}  // namespace corvane
