#include "nowplaying/CardLayout.h"
#include "nowplaying/NowPlayingRules.h"
#include "nowplaying/SnapshotUpdates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <iterator>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();

TEST(NowPlayingRules, SourceNamesFromTheCatalogOrTheIdentifierAndCleanMediaText) {
    std::vector<AppEntry> apps(3);
    apps[0] = {L"Innstillinger", L"", L"", L"ms-settings:spotify.exe", L"", true, false};
    apps[1] = {L"Groove", L"", L"", L"shell:appsfolder\\zune_8wekyb!app", L"", false, false};
    apps[2] = {L"Foobar", L"", L"C:\\Apps\\Foobar2000.EXE", L"", L"", false, true};
    const wchar_t* ids[] = {L"Spotify.exe", L"Zune_8wekyb!App", L"foobar2000.exe", L"family!app",
                            L"a!b!c",       L"vlc.EXE",         L".exe",           L"chrome"};
    const wchar_t* names[] = {L"Spotify", L"Groove", L"Foobar", L"App",
                              L"B!c",     L"Vlc",    L".exe",   L"Chrome"};
    for (std::size_t i = 0; i < std::size(ids); ++i) {
        EXPECT_EQ(SourceAppName(ids[i], apps), names[i]) << ids[i];
    }
    for (const wchar_t* id : {L"", L"..\\x", L"a/b", L"C:x", L"shell:AppsFolder\\x"}) {
        EXPECT_FALSE(IsSafeSourceId(id)) << id;
    }
    EXPECT_TRUE(IsSafeSourceId(L"Microsoft.ZuneMusic_8wekyb!App"));

    // Media text loses control characters and stops at 512 units.
    const std::wstring a510(510, L'a');
    // Removed characters do not count.
    const std::pair<std::wstring, std::wstring> rows[] = {
        {L"A\nB\tC\x7F\x85\x00F6", L"ABC\x00F6"},
        {std::wstring(600, L'x'), std::wstring(512, L'x')},
        {a510 + L"\n\n\nyz", a510 + L"yz"}};
    for (const auto& [in, out] : rows) {
        EXPECT_EQ(CleanMediaText(in), out) << in.size();
    }
}

TEST(NowPlayingRules, TimelineSaturatesAndPositionStopsAtTheDuration) {
    EXPECT_EQ(TimelineOf(100, 50, 120), (Timeline{20, 0}));
    EXPECT_EQ(TimelineOf(100, 100, 90), (Timeline{-10, 0}));
    EXPECT_EQ(TimelineOf(kMin, kMax, kMax), (Timeline{kMax, kMax}));
    EXPECT_EQ(TimelineOf(kMax, kMin, kMin), (Timeline{kMin, 0}));

    // Position, end (start 0), last updated, now in seconds, playing; seconds. Paused, a
    // clock that went back and a never-updated timeline stay put; a live stream has no cap.
    const int64_t rows[][6] = {{10, 100, 1000, 1005, 1, 15},  {10, 100, 1000, 1005, 0, 10},
                               {10, 100, 1000, 999, 1, 10},   {10, 100, 0, 1005, 1, 10},
                               {95, 100, 1000, 1010, 1, 100}, {95, 0, 1000, 1010, 1, 105},
                               {-50, 0, 1000, 1010, 1, 0}};
    NowPlayingSnapshot snap;
    const auto at = [&snap](int64_t position, int64_t end, int64_t updated, int64_t now) {
        UpdateTimeline(snap, 0, end, position, updated);
        return CurrentPositionSeconds(snap, now);
    };
    const int64_t s = kTicksPerSecond;
    snap.active = true;
    for (const auto& r : rows) {
        snap.playing = r[4] != 0;
        EXPECT_DOUBLE_EQ(at(r[0] * s, r[1] * s, r[2] * s, r[3] * s), r[5]) << r[0] << " " << r[3];
    }
    EXPECT_DOUBLE_EQ(at(kMax - 1, 0, 1, kMax), TicksToSeconds(kMax));
    EXPECT_EQ(at(kMin, kMax, 1, kMax), 0);
    snap.active = false;
    EXPECT_EQ(at(10 * s, 100 * s, 1000 * s, 1005 * s), 0);
    EXPECT_EQ(SecondsToTicks(1.5), 15'000'000);
    EXPECT_EQ(SecondsToTicks(1e300), kMax);
    EXPECT_EQ(SecondsToTicks(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(NowPlayingRules, ThrottleAndPendingOperationsSurviveTheTickWrap) {
    constexpr uint32_t kLate = 0xFFFFF000u;  // 4096 ms before the wrap
    // Pending, source changed, now, last request; due.
    const uint32_t due[][5] = {{0, 1, 100, 0, 1},     {0, 0, 1600, 100, 0},
                               {0, 0, 1601, 100, 1},  {1, 1, 90000, 0, 0},
                               {0, 0, 100, kLate, 1}, {0, 0, 0, 0xFFFFFA24u, 0}};
    for (const auto& r : due) {
        EXPECT_EQ(MediaPropertiesDue(r[0] != 0, r[1] != 0, r[2], r[3]), r[4] != 0) << r[2];
    }
    using enum AsyncStep;
    // Status, has result, now, started; step.
    const std::tuple<int32_t, bool, uint32_t, uint32_t, AsyncStep> rows[] = {
        {0, 0, 10000, 0, Wait},    {0, 0, 10001, 0, Abandon},
        {0, 0, 5000, kLate, Wait}, {0, 0, 100, 0xFFFFD000u, Abandon},
        {1, 1, 99999, 0, Take},    {1, 0, 10, 0, Drop},
        {2, 1, 10, 0, Drop},       {3, 1, 10, 0, Drop},
        {7, 1, 10, 0, Drop}};
    for (const auto& [status, result, now, started, step] : rows) {
        EXPECT_EQ(NextAsyncStep(status, result, now, started), step) << status << " " << now;
    }
}

TEST(NowPlayingRules, PollsFoldIntoTheSnapshot) {
    // Identifier, title, artist; source changed, new track, name. The same song in
    // another app is a new track; text that cleans to the same is not.
    const std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool, bool, const wchar_t*>
        rows[] = {{L"Spotify.exe", L"A\n", L"B", true, true, L"Spotify"},
                  {L"Spotify.exe", L"A", L"B\x7F", false, false, L"Spotify"},
                  {L"Spotify.exe", L"A", L"C", false, true, L"Spotify"},
                  {L"x!vlc", L"A", L"C", true, true, L"Vlc"}};
    NowPlayingSnapshot snap;
    for (const auto& [id, title, artist, sourceChanged, newTrack, name] : rows) {
        EXPECT_EQ(UpdateSource(snap, id, {}), sourceChanged) << id << title << artist;
        EXPECT_EQ((snap.trackKey + snap.title + snap.artist + snap.album).empty(), sourceChanged)
            << id;
        EXPECT_EQ(UpdateTrack(snap, title, artist, L""), newTrack) << id << title << artist;
        EXPECT_EQ(snap.sourceName + L"/" + snap.title, std::wstring(name) + L"/A");
    }
    // Status; changed, active, playing. Stopped (3) is a browser tab left open.
    const int32_t statuses[][4] = {{4, 1, 1, 1}, {4, 0, 1, 1},  {5, 1, 1, 0},
                                   {2, 0, 1, 0}, {3, 1, 0, 0},  {1, 0, 0, 0},
                                   {9, 0, 0, 0}, {-1, 0, 0, 0}, {5, 1, 1, 0}};
    for (const auto& r : statuses) {
        EXPECT_EQ(UpdatePlayback(snap, r[0]), r[1] != 0) << r[0];
        EXPECT_EQ(std::pair(snap.active, snap.playing), std::pair(r[2] != 0, r[3] != 0)) << r[0];
    }
    EXPECT_TRUE(ClearSnapshot(snap));
    EXPECT_TRUE(snap.sourceId.empty() && snap.trackKey.empty() && snap.title.empty());
    EXPECT_TRUE(UpdatePlayback(snap, 4));  // playing, but without a title not active
    EXPECT_EQ(std::pair(snap.active, snap.playing), std::pair(false, true));
    EXPECT_FALSE(ClearSnapshot(snap));
}

TEST(NowPlayingRules, WidgetsHearOnlyOfWhatTheyDraw) {
    Settings settings;
    settings.nowPlayingEnabled = true;
    for (const auto& [where, bar, dock] :
         {std::tuple{0, false, true}, {1, true, false}, {2, true, true}, {7, true, true}}) {
        settings.nowPlayingWhere = where;
        EXPECT_EQ(ShowInBar(settings, true), bar) << where;
        EXPECT_EQ(ShowInDock(settings, true), dock) << where;
        EXPECT_FALSE(ShowInBar(settings, false) || ShowInDock(settings, false)) << where;
    }
    WidgetMark base;
    base.inBar = true;
    base.playing = true;
    base.artworkGeneration = 3;
    base.title = L"A";
    const auto with = [&](auto change) {
        WidgetMark mark = base;
        change(mark);
        return CompareWidgetMarks(base, mark);
    };
    EXPECT_EQ(with([](WidgetMark&) {}), WidgetChange::None);
    EXPECT_EQ(with([](WidgetMark& m) { m.playing = false; }), WidgetChange::Repaint);
    EXPECT_EQ(with([](WidgetMark& m) { m.artworkGeneration = 4; }), WidgetChange::Repaint);
    EXPECT_EQ(with([](WidgetMark& m) { m.artist = L"B"; }), WidgetChange::Relayout);
    EXPECT_EQ(with([](WidgetMark& m) { m.inDock = true; }), WidgetChange::Relayout);
    EXPECT_EQ(with([](WidgetMark& m) { m.nextToClock = true; }), WidgetChange::Relayout);
}

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

TEST(CardLayout, HitTestFindsButtonsAndTheBarUpToTheirEdgesAndClicksSendCommands) {
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

    // Clicks send commands, and seeks clamp to the bar.
    // Item, x, W, duration; command, seconds (-1: nothing). 274 is three quarters of the
    // 200-DIP bar; a bar without a duration, or none at all, takes no clicks.
    const double clicks[][6] = {
        {3, 274, 340, 200, 3, 150}, {3, 100, 340, 200, 3, 0},  {3, 400, 340, 200, 3, 200},
        {3, 200, 340, 0, -1, -1},   {3, 200, 340, -5, -1, -1}, {3, 200, 140, 200, 3, 0},
        {3, 200, 100, 200, 3, 0},   {3, NAN, 340, 200, 3, 0},  {0, 200, 340, 0, 2, 0},
        {1, 0, 340, 0, 0, 0},       {2, 0, 340, 0, 1, 0},      {-1, 274, 340, 200, -1, -1}};
    for (const auto& r : clicks) {
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

TEST(CardLayout, LargerTextDeepensTheRowsAndTheCardHoldsThem) {
    const CardRects base = LayoutCard(kCardWidth, true, 1);
    const auto height = [](const PointRect& r) { return r.bottom - r.top; };
    for (const float scale : {1.25f, 2.0f, 2.25f}) {
        const CardSize size = CardSizeFor(scale);
        const auto width = static_cast<float>(size.width);
        const CardRects r = LayoutCard(width, true, 1, scale);
        const PointRect play = CardButtonRect(CardItem::PlayPause, width, scale);
        // Top down, each row clear of the next, the last inside the card.
        const PointRect column[] = {r.title, r.artist, r.sourceName, r.track, r.elapsed, play};
        for (std::size_t i = 0; i + 1 < std::size(column); ++i) {
            EXPECT_LE(column[i].bottom, column[i + 1].top) << scale << " row " << i;
        }
        EXPECT_LE(play.bottom, static_cast<float>(size.height)) << scale;
        EXPECT_LE(r.elapsed.right, r.duration.left) << scale;
        const std::pair<PointRect, PointRect> texts[] = {{r.title, base.title},
                                                         {r.artist, base.artist},
                                                         {r.sourceName, base.sourceName},
                                                         {r.elapsed, base.elapsed}};
        for (const auto& [grown, old] : texts) {
            EXPECT_GE(height(grown), height(old) * scale) << scale;
        }
        const PixelRect placed =
            PlaceCard({900, 0, 1000, 32}, {0, 0, 1920, 1080}, false, 96, scale);
        EXPECT_EQ(placed.Height(), size.height) << scale;
        EXPECT_EQ(CardHitTest((play.left + play.right) / 2, play.bottom - 1, width, scale),
                  CardItem::PlayPause)
            << scale;
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
