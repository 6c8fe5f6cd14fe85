#include "nowplaying/CardLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace corvane {
namespace {

TEST(CardLayout, OpensBesideTheAnchorInsideTheMonitor) {
    // Anchor left and right (top 1000, bottom 1032), above, DPI; card. On a monitor
    // narrower than the card (the last row) its left edge stays inside.
    const int32_t rows[][8] = {
        {900, 1000, 0, 96, 780, 1040, 1120, 1180},    {900, 1000, 1, 96, 780, 852, 1120, 992},
        {1880, 1910, 0, 96, 1572, 1040, 1912, 1180},  {0, 20, 1, 96, 8, 852, 348, 992},
        {1880, 1910, 0, 144, 1398, 1044, 1908, 1254}, {900, 1000, 0, 0, 780, 1040, 1120, 1180}};
    for (const auto& r : rows) {
        const PixelRect card = PlaceCard({r[0], 1000, r[1], 1032}, {0, 0, 1920, 1080}, r[2] != 0,
                                         static_cast<uint32_t>(r[3]));
        EXPECT_EQ(card, (PixelRect{r[4], r[5], r[6], r[7]})) << r[0] << " " << r[3];
    }
    EXPECT_EQ(PlaceCard({2000, 0, 2100, 32}, {1920, 0, 2200, 800}, false, 96).left, 1928);
}

TEST(CardLayout, HitTestFindsButtonsAndTheBarUpToTheirEdges) {
    // x, y, client width; item. At W = 340 the buttons are centred on 178, 224 and 270.
    const float rows[][4] = {{160, 100, 340, 0},    {195.9f, 131.9f, 340, 0}, {196, 110, 340, -1},
                             {206, 110, 340, 1},    {241.9f, 110, 340, 1},    {252, 110, 340, 2},
                             {288, 110, 340, -1},   {224, 132, 340, -1},      {224, 99.9f, 340, -1},
                             {122, 73, 340, 3},     {325.9f, 90.9f, 340, 3},  {326, 80, 340, -1},
                             {121.9f, 80, 340, -1}, {200, 91, 340, -1},       {200, 72.9f, 340, -1},
                             {274, 110, 440, 1}};
    for (const auto& r : rows) {
        EXPECT_EQ(CardHitTest(r[0], r[1], r[2]), static_cast<CardItem>(r[3]))
            << r[0] << "," << r[1];
    }
}

TEST(CardLayout, ClicksSendCommandsAndSeeksClampToTheBar) {
    // Item, x, W, duration; command, seconds (-1: nothing). 274 is three quarters of the
    // 200-DIP bar; a bar without a duration, or none at all, takes no clicks.
    const double rows[][6] = {
        {3, 274, 340, 200, 3, 150}, {3, 100, 340, 200, 3, 0},  {3, 400, 340, 200, 3, 200},
        {3, 200, 340, 0, -1, -1},   {3, 200, 340, -5, -1, -1}, {3, 200, 140, 200, 3, 0},
        {3, 200, 100, 200, 3, 0},   {3, NAN, 340, 200, 3, 0},  {0, 200, 340, 0, 2, 0},
        {1, 0, 340, 0, 0, 0},       {2, 0, 340, 0, 1, 0},      {-1, 274, 340, 200, -1, -1},
    };
    for (const auto& r : rows) {
        const auto click = CardClickAction(static_cast<CardItem>(r[0]), static_cast<float>(r[1]),
                                           static_cast<float>(r[2]), r[3]);
        const CardClick none{static_cast<MediaCommand>(-1), -1};
        EXPECT_EQ(static_cast<int32_t>(click.value_or(none).command), r[4]) << r[0] << " " << r[1];
        EXPECT_DOUBLE_EQ(click.value_or(none).seconds, r[5]) << r[0] << " " << r[1] << " " << r[2];
    }
    // Position, duration; fraction.
    const double fractions[][3] = {{30, 120, 0.25}, {500, 120, 1},        {-3, 120, 0},
                                   {30, 0, 0},      {INFINITY, 1e308, 1}, {NAN, 10, 0}};
    for (const auto& f : fractions) {
        EXPECT_FLOAT_EQ(PlayedFraction(f[0], f[1]), static_cast<float>(f[2]))
            << f[0] << " " << f[1];
    }
}

TEST(CardLayout, TimeTextsTintAndHidingAfterFourMisses) {
    const double seconds[] = {0, 59.99, 61, 3600, -5, NAN, 1e300};
    const wchar_t* texts[] = {
        L"0:00", L"0:59", L"1:01", L"60:00", L"0:00", L"0:00", L"150000000000000:00"};
    for (std::size_t i = 0; i < std::size(seconds); ++i) {
        EXPECT_EQ(CardTimeText(seconds[i]), texts[i]) << seconds[i];
    }
    // Setting, colour alpha, dark; alpha over the card.
    const float tints[][4] = {{1, 1, 1, 0.30f}, {1, 1, 0, 0.22f}, {0, 1, 1, 0}, {1, 0, 1, 0}};
    for (const auto& t : tints) {
        EXPECT_FLOAT_EQ(CardTintAlpha(t[0] != 0, t[1], t[2] != 0), t[3]) << t[0] << t[1] << t[2];
    }
    int32_t misses = 0;
    const bool hovers[] = {false, false, false, true, false, false, false, false};
    for (std::size_t i = 0; i < std::size(hovers); ++i) {
        EXPECT_EQ(CardMissedHover(hovers[i], misses), i == 7) << i;
    }
}

}  // namespace
}  // namespace corvane
