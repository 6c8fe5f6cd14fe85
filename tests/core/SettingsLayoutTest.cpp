// The settings window's layout: sidebar and row hit tests, scrolling,
// keyboard movement and where the window opens.

#include "settings/SettingsLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace corvane {
namespace {

SettingsRow Row(RowKind kind, std::wstring label = L"x", std::wstring description = {}) {
    SettingsRow row;
    row.kind = kind;
    row.label = std::move(label);
    row.description = std::move(description);
    return row;
}

TEST(SettingsLayout, SidebarEntriesAtTheirEdges) {
    const struct {
        float x, y;
        int32_t page;
    } rows[] = {{8, 56, 0},   {7.9f, 56, -1}, {239.9f, 91.9f, 0}, {240, 60, -1},  {100, 92, -1},
                {100, 96, 1}, {100, 376, 8},  {100, 412, -1},     {100, 420, -1}, {100, 55, -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(SidebarEntryAt(r.x, r.y), r.page) << r.x << "," << r.y;
    }
    EXPECT_EQ(SidebarEntryRect(kSettingsPageCount), PointRect{});
}

TEST(SettingsLayout, RowsControlsAndHitTests) {
    auto choice = Row(RowKind::Choice);
    choice.options = {L"a", std::wstring(80, L'w')};
    auto narrowChoice = Row(RowKind::Choice);
    narrowChoice.options = {L"ab"};
    auto button = Row(RowKind::Button, L"x", L"with a description");
    button.buttonText = L"Go";
    const std::vector<SettingsRow> rows{Row(RowKind::Header),
                                        Row(RowKind::Toggle),
                                        Row(RowKind::Text),
                                        Row(RowKind::Header, L""),
                                        button,
                                        choice,
                                        narrowChoice,
                                        Row(RowKind::Slider)};
    const auto boxes = LayoutRows(rows, 900, [](const std::wstring& s) { return 7.0f * s.size(); });
    ASSERT_EQ(boxes.size(), rows.size());
    for (size_t i = 1; i < boxes.size(); ++i) {
        EXPECT_EQ(boxes[i].row.top, boxes[i - 1].row.bottom);
        if (IsInteractive(rows[i])) {  // controls at the right end, centred
            EXPECT_EQ(boxes[i].row.right - boxes[i].control.right, 16);
            EXPECT_EQ(boxes[i].control.top + boxes[i].control.bottom,
                      boxes[i].row.top + boxes[i].row.bottom);
        }
    }
    EXPECT_EQ(boxes[4].control.right - boxes[4].control.left, 96);   // short caption
    EXPECT_EQ(boxes[5].control.right - boxes[5].control.left, 340);  // long option
    EXPECT_EQ(boxes[6].control.right - boxes[6].control.left, 160);
    const float x = 600, scroll = 30;
    for (size_t i = 0; i < boxes.size(); ++i) {
        const auto& r = boxes[i].row;
        const int32_t hit = IsInteractive(rows[i]) ? static_cast<int32_t>(i) : -1;
        EXPECT_EQ(RowAt(rows, boxes, x, r.top - scroll, scroll), hit) << i;
        EXPECT_EQ(RowAt(rows, boxes, x, r.bottom - scroll - 0.1f, scroll), hit) << i;
    }
    EXPECT_EQ(RowAt(rows, boxes, boxes[1].row.left - 0.1f, boxes[1].row.top, 0), -1);
    const auto& track = boxes[7].control;
    EXPECT_TRUE(OnSliderTrack(boxes[7], track.left - 4, track.top - 10, 10));
    EXPECT_FALSE(OnSliderTrack(boxes[7], track.right + 4.5f, track.top, 0));
    EXPECT_FALSE(OnSliderTrack(boxes[2], boxes[2].row.left + 1, boxes[2].row.top + 1, 0));
}

TEST(SettingsLayout, ScrollingAndKeyboardMovement) {
    EXPECT_EQ(ClampScroll(-5, 1000, 600), 0);
    EXPECT_EQ(ClampScroll(450, 1000, 600), 400);
    EXPECT_EQ(ClampScroll(50, 500, 600), 0);
    EXPECT_EQ(WheelScroll(0, -240, 1000, 600), 96);
    EXPECT_EQ(WheelScroll(10, 120, 1000, 600), 0);
    EXPECT_EQ(WheelScroll(380, -120, 1000, 600), 400);
    const RowBox box{{256, 500, 800, 566}, {}};
    EXPECT_EQ(ScrollToShow(box, 0, 400), 166);
    EXPECT_EQ(ScrollToShow(box, 200, 400), 200);
    EXPECT_EQ(ScrollToShow(box, 520, 400), 500);
    EXPECT_EQ(ScrollToShow(box, 600, 40), 500);  // taller than the view: its top

    using K = RowKind;
    const std::vector<SettingsRow> rows{Row(K::Header), Row(K::Toggle), Row(K::Text),
                                        Row(K::Header), Row(K::Button), Row(K::Text)};
    const int32_t moves[][3] = {{-1, 1, 1}, {1, 1, 4}, {4, 1, 1},  {-1, -1, 4},
                                {1, -1, 4}, {2, 1, 4}, {9, -1, 4}, {4, -1, 1}};
    for (const auto& m : moves) {
        EXPECT_EQ(NextInteractiveRow(rows, m[0], m[1]), m[2]) << m[0] << " by " << m[1];
    }
    EXPECT_EQ(NextInteractiveRow({Row(K::Header), Row(K::Text)}, -1, 1), -1);
    EXPECT_EQ(NextInteractiveRow({}, -1, -1), -1);
}

TEST(SettingsLayout, WindowStaysInsideTheWorkArea) {
    const struct {
        PixelRect area;
        uint32_t dpi;
    } rows[] = {{{0, 0, 1366, 728}, 144}, {{0, 0, 1920, 1040}, 96}, {{-1920, -200, 0, 880}, 192}};
    for (const auto& r : rows) {
        const PixelRect w = SettingsWindowRect(r.area, r.dpi);
        EXPECT_TRUE(w.left >= r.area.left && w.top >= r.area.top && w.right <= r.area.right &&
                    w.bottom <= r.area.bottom)
            << r.dpi;
        // Centred, and only as much smaller than asked as the area demands.
        EXPECT_LE(std::abs((w.left - r.area.left) - (r.area.right - w.right)), 1);
        EXPECT_EQ(w.Width(), std::min(ScalePoints(920, r.dpi), r.area.Width()));
    }
}

}  // namespace
}  // namespace corvane
