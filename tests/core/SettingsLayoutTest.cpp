// The settings window's hit tests, scrolling, keyboard movement and window rectangle.

#include "settings/SettingsLayout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace corvane {
namespace {

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
        // Headers and text rows are never hit; the others are, edge to edge.
        const int32_t hit = IsInteractive(rows[i]) ? static_cast<int32_t>(i) : -1;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.top - scroll, scroll), hit) << i;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.bottom - scroll - 0.1f, scroll), hit) << i;
    }
    const PointRect& track = boxes[5].control;
    EXPECT_TRUE(OnSliderTrack(boxes[5], track.left - 4, track.top - 10, 10));
    EXPECT_FALSE(OnSliderTrack(boxes[5], track.right + 4.5f, track.top, 0));
}

TEST(SettingsLayout, ScrollingAndKeyboardMovement) {
    EXPECT_EQ(WheelScroll(0, -240, 1000, 600), 96);
    EXPECT_EQ(WheelScroll(10, 120, 1000, 600), 0);
    EXPECT_EQ(WheelScroll(380, -120, 1000, 600), 400);
    EXPECT_EQ(WheelScroll(0, -120, 500, 600), 0);
    const RowBox box{{256, 500, 800, 566}, {}};
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
