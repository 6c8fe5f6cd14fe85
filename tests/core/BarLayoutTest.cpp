#include "bar/BarLayout.h"
#include "core/BarLayoutFakes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using test::FakeBarTextMeasurer;
using test::FakeTrayStrip;
using Kind = BarItemKind;

constexpr float kH = 28;

// 1920 x 28 points, classic, main bar, the clock "12:00" (35 + 20 = 55 wide),
// no battery, tiling button on, no tray host, no Now Playing, no application.
BarLayoutInput BaseInput(float width = 1920) {
    BarLayoutInput input;
    input.width = width;
    input.height = kH;
    input.clockText = L"12:00";
    return input;
}

std::vector<Kind> Kinds(const BarLayoutResult& result) {
    std::vector<Kind> kinds;
    for (const BarItem& item : result.items) {
        kinds.push_back(item.kind);
    }
    return kinds;
}

// The only item of that kind; fails the test when there is not exactly one.
BarItem Only(const BarLayoutResult& result, Kind kind) {
    const BarItem* found = nullptr;
    int count = 0;
    for (const BarItem& item : result.items) {
        if (item.kind == kind) {
            found = &item;
            ++count;
        }
    }
    EXPECT_EQ(count, 1) << "kind " << static_cast<int>(kind);
    return found ? *found : BarItem{};
}

std::vector<BarItem> All(const BarLayoutResult& result, Kind kind) {
    std::vector<BarItem> found;
    for (const BarItem& item : result.items) {
        if (item.kind == kind) {
            found.push_back(item);
        }
    }
    return found;
}

bool Has(const BarLayoutResult& result, Kind kind) {
    return !All(result, kind).empty();
}

void ExpectSpan(const BarItem& item, float left, float right) {
    EXPECT_FLOAT_EQ(item.left, left);
    EXPECT_FLOAT_EQ(item.right, right);
}

// ---- Right-hand side --------------------------------------------------------

TEST(LayoutBarRight, ItemsStackFromTheEdgeInwardsWithTheirGaps) {
    BarLayoutInput input = BaseInput();
    input.hasBattery = true;
    input.trayHostPresent = true;
    FakeTrayStrip strip(3, kH);
    input.buildTrayStrip = strip.Builder();
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    EXPECT_EQ(Kinds(result),
              (std::vector<Kind>{Kind::ClockItem, Kind::StatusItem, Kind::TilingButtonItem,
                                 Kind::TrayIconItem, Kind::TrayIconItem, Kind::TrayIconItem}));
    // 1920 - 6 = 1914 is the clock's right edge; 2 points to the status
    // cluster, 6 to the tiling button, 4 past it to the tray.
    ExpectSpan(Only(result, Kind::ClockItem), 1859, 1914);
    ExpectSpan(Only(result, Kind::StatusItem), 1765, 1857);
    ExpectSpan(Only(result, Kind::TilingButtonItem), 1731, 1759);
    ASSERT_EQ(strip.edges, std::vector<float>{1727});
    ExpectSpan(result.items[3], 1649, 1675);
    ExpectSpan(result.items[5], 1701, 1727);
    for (const BarItem& item : result.items) {
        EXPECT_FLOAT_EQ(item.top, 3);
        EXPECT_FLOAT_EQ(item.bottom, kH - 3);
        EXPECT_EQ(item.menuIndex, -1);
    }
    // The tray builder's own fields come through untouched.
    EXPECT_EQ(result.items[4].ownerWindow, 0x1001u);
    EXPECT_EQ(result.items[4].iconId, 2u);
    EXPECT_EQ(result.placedMenuTitles, 0);
    EXPECT_TRUE(result.islands.empty());
}

TEST(LayoutBarRight, ClockWidthIsTextWithTrailingSpacePlusTwentyOrTwentyAlone) {
    BarLayoutInput input = BaseInput();
    input.clockText = L"12:00  ";
    FakeBarTextMeasurer measurer;
    BarLayoutResult result = LayoutBar(input, measurer);
    // 7 characters of 7 points, the trailing spaces included, + 20.
    ExpectSpan(Only(result, Kind::ClockItem), 1914 - 69, 1914);
    EXPECT_FLOAT_EQ(Only(result, Kind::StatusItem).right, 1914 - 69 - 2);

    const auto calls = measurer.CallsFor(BarTextRole::Clock);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0]->text, L"12:00  ");
    EXPECT_FLOAT_EQ(calls[0]->maxWidth, 400);

    FakeBarTextMeasurer failing;
    failing.failing = BarTextRole::Clock;
    result = LayoutBar(input, failing);
    ExpectSpan(Only(result, Kind::ClockItem), 1894, 1914);
    EXPECT_FLOAT_EQ(Only(result, Kind::StatusItem).right, 1892);
}

TEST(LayoutBarRight, StatusIs92WideWithBatteryElse60) {
    BarLayoutInput input = BaseInput();
    FakeBarTextMeasurer measurer;
    BarLayoutResult result = LayoutBar(input, measurer);
    ExpectSpan(Only(result, Kind::StatusItem), 1797, 1857);
    ExpectSpan(Only(result, Kind::TilingButtonItem), 1763, 1791);

    input.hasBattery = true;
    result = LayoutBar(input, measurer);
    ExpectSpan(Only(result, Kind::StatusItem), 1765, 1857);
    ExpectSpan(Only(result, Kind::TilingButtonItem), 1731, 1759);
}

TEST(LayoutBarRight, TilingButtonOffMovesTheTrayThirtyTwoPointsRight) {
    BarLayoutInput input = BaseInput();
    input.trayHostPresent = true;
    FakeTrayStrip strip(2, kH);
    input.buildTrayStrip = strip.Builder();
    FakeBarTextMeasurer measurer;

    const BarLayoutResult on = LayoutBar(input, measurer);
    input.tilingButton = false;
    const BarLayoutResult off = LayoutBar(input, measurer);

    ASSERT_EQ(strip.edges.size(), 2u);
    EXPECT_FLOAT_EQ(strip.edges[1] - strip.edges[0], 32);
    EXPECT_FLOAT_EQ(strip.edges[1], Only(off, Kind::StatusItem).left - 6);
    EXPECT_TRUE(Has(on, Kind::TilingButtonItem));
    EXPECT_FALSE(Has(off, Kind::TilingButtonItem));
    EXPECT_FLOAT_EQ(All(off, Kind::TrayIconItem)[0].left - All(on, Kind::TrayIconItem)[0].left, 32);
}

TEST(LayoutBarRight, TrayNeedsMainBarHostEnabledAndABuilder) {
    struct Case {
        const char* name;
        bool mainBar;
        bool host;
        bool enabled;
        bool builder;
    };
    for (const Case& c :
         {Case{"secondary bar", false, true, true, true}, Case{"no host", true, false, true, true},
          Case{"tray disabled", true, true, false, true},
          Case{"no builder", true, true, true, false}}) {
        BarLayoutInput input = BaseInput();
        FakeTrayStrip strip(3, kH);
        input.isMainBar = c.mainBar;
        input.trayHostPresent = c.host;
        input.trayEnabled = c.enabled;
        if (c.builder) {
            input.buildTrayStrip = strip.Builder();
        }
        FakeBarTextMeasurer measurer;
        const BarLayoutResult result = LayoutBar(input, measurer);
        EXPECT_TRUE(strip.edges.empty()) << c.name;
        EXPECT_FALSE(Has(result, Kind::TrayIconItem)) << c.name;
    }
}

// ---- Now Playing ------------------------------------------------------------

TEST(LayoutBarNowPlaying, NextToTheClockSitsBetweenClockAndStatus) {
    BarLayoutInput input = BaseInput();
    input.nowPlayingShown = true;
    input.nowPlayingNextToClock = true;
    input.nowPlayingText = L"Song";
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    EXPECT_EQ(Kinds(result), (std::vector<Kind>{Kind::ClockItem, Kind::NowPlayingItem,
                                                Kind::StatusItem, Kind::TilingButtonItem}));
    // npw = 28 + 33 + 10 = 71, 2 points left of the clock, 6 before status.
    ExpectSpan(Only(result, Kind::NowPlayingItem), 1786, 1857);
    ExpectSpan(Only(result, Kind::StatusItem), 1720, 1780);
    const auto calls = measurer.CallsFor(BarTextRole::NowPlaying);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0]->text, L"Song");
    EXPECT_FLOAT_EQ(calls[0]->maxWidth, 240);
}

TEST(LayoutBarNowPlaying, NextToTheTrayComesLeftOfTheStripAndPushesTheNameLimit) {
    BarLayoutInput input = BaseInput(600);
    input.trayHostPresent = true;
    FakeTrayStrip strip(2, kH);
    input.buildTrayStrip = strip.Builder();
    input.nowPlayingShown = true;
    input.nowPlayingText = L"Song";
    input.appDisplayName = L"Mail";
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    EXPECT_EQ(Kinds(result),
              (std::vector<Kind>{Kind::AppNameItem, Kind::ClockItem, Kind::StatusItem,
                                 Kind::TilingButtonItem, Kind::TrayIconItem, Kind::TrayIconItem,
                                 Kind::NowPlayingItem}));
    // Clock 539..594, status 477..537, tiling 443..471, tray 387..439.
    ASSERT_EQ(strip.edges, std::vector<float>{439});
    ExpectSpan(Only(result, Kind::NowPlayingItem), 310, 381);
    // limit = 310 - 6 = 304; the name may take 304 - 48.
    const auto calls = measurer.CallsFor(BarTextRole::AppName);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_FLOAT_EQ(calls[0]->maxWidth, 256);
}

TEST(LayoutBarNowPlaying, WidthIsCappedAt240AndZeroWithoutALayout) {
    BarLayoutInput input = BaseInput();
    input.nowPlayingShown = true;
    input.nowPlayingNextToClock = true;
    const std::wstring longText(50, L'x');
    input.nowPlayingText = longText;
    FakeBarTextMeasurer measurer;
    BarLayoutResult result = LayoutBar(input, measurer);
    ExpectSpan(Only(result, Kind::NowPlayingItem), 1857 - 283, 1857);

    FakeBarTextMeasurer failing;
    failing.failing = BarTextRole::NowPlaying;
    result = LayoutBar(input, failing);
    ExpectSpan(Only(result, Kind::NowPlayingItem), 1857, 1857);
    EXPECT_FLOAT_EQ(Only(result, Kind::StatusItem).right, 1851);
}

TEST(LayoutBarNowPlaying, NotShownMeansNoItemAndNoLayout) {
    BarLayoutInput input = BaseInput();
    input.nowPlayingText = L"Song";
    input.nowPlayingNextToClock = true;
    FakeBarTextMeasurer measurer;
    const BarLayoutResult result = LayoutBar(input, measurer);
    EXPECT_FALSE(Has(result, Kind::NowPlayingItem));
    EXPECT_TRUE(measurer.CallsFor(BarTextRole::NowPlaying).empty());
    ExpectSpan(Only(result, Kind::StatusItem), 1797, 1857);
}

TEST(LayoutBarNowPlaying, SecondaryBarShowsNeitherTrayNorNowPlaying) {
    for (bool nextToClock : {false, true}) {
        for (BarStyle style : {BarStyle::Classic, BarStyle::Separated}) {
            BarLayoutInput input = BaseInput(1000);
            input.style = style;
            input.isMainBar = false;
            input.trayHostPresent = true;
            FakeTrayStrip strip(4, kH);
            input.buildTrayStrip = strip.Builder();
            input.nowPlayingShown = true;
            input.nowPlayingNextToClock = nextToClock;
            input.nowPlayingText = L"Song";
            FakeBarTextMeasurer measurer;

            const BarLayoutResult result = LayoutBar(input, measurer);

            EXPECT_FALSE(Has(result, Kind::NowPlayingItem));
            EXPECT_FALSE(Has(result, Kind::TrayIconItem));
            EXPECT_TRUE(strip.edges.empty());
            EXPECT_TRUE(measurer.CallsFor(BarTextRole::NowPlaying).empty());
            // The clock stays where it would be without the widget.
            const float clockLeft = style == BarStyle::Separated ? 473 : 939;
            ExpectSpan(Only(result, Kind::ClockItem), clockLeft, clockLeft + 55);
        }
    }
}

// ---- Application name and menus --------------------------------------------

TEST(LayoutBarName, MaximumWidthIsLimitMinus48ClampedTo60And420) {
    struct Case {
        float barWidth;
        const wchar_t* name;
        float maxWidth;
        float nameRight;
    };
    // Tiling button off, no battery: the limit is W - 6 - 57 - 66 = W - 129.
    const std::wstring longName(100, L'x');
    for (const Case& c :
         {Case{1920, longName.c_str(), 420, 420 + 47}, Case{400, L"Notepad", 223, 49 + 47},
          Case{400, longName.c_str(), 223, 223 + 47}, Case{220, L"Notepad", 60, 49 + 47},
          Case{220, L"Calculator", 60, 60 + 47}}) {
        BarLayoutInput input = BaseInput(c.barWidth);
        input.tilingButton = false;
        input.appDisplayName = c.name;
        FakeBarTextMeasurer measurer;
        const BarLayoutResult result = LayoutBar(input, measurer);
        const auto calls = measurer.CallsFor(BarTextRole::AppName);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_FLOAT_EQ(calls[0]->maxWidth, c.maxWidth) << c.barWidth << " " << c.name;
        EXPECT_FLOAT_EQ(calls[0]->maxHeight, kH);
        ExpectSpan(Only(result, Kind::AppNameItem), 6, c.nameRight);
    }
}

TEST(LayoutBarName, NameWidthIgnoresTrailingSpaceAndIsZeroWithoutALayout) {
    BarLayoutInput input = BaseInput();
    input.appDisplayName = L"Code  ";
    FakeBarTextMeasurer measurer;
    ExpectSpan(Only(LayoutBar(input, measurer), Kind::AppNameItem), 6, 28 + 47);

    FakeBarTextMeasurer failing;
    failing.failing = BarTextRole::AppName;
    ExpectSpan(Only(LayoutBar(input, failing), Kind::AppNameItem), 6, 47);
}

TEST(LayoutBarName, EmptyDisplayNameMeansNoNameAndNoMenus) {
    BarLayoutInput input = BaseInput();
    input.menuTitles = {L"File", L"Edit"};
    FakeBarTextMeasurer measurer;
    const BarLayoutResult result = LayoutBar(input, measurer);
    EXPECT_FALSE(Has(result, Kind::AppNameItem));
    EXPECT_FALSE(Has(result, Kind::MenuTitleItem));
    EXPECT_EQ(result.placedMenuTitles, 0);
    EXPECT_TRUE(measurer.CallsFor(BarTextRole::AppName).empty());
    EXPECT_TRUE(measurer.CallsFor(BarTextRole::MenuTitle).empty());
}

TEST(LayoutBarMenus, TitlesFollowTheNameInOrderAtTheirWidthPlus18) {
    BarLayoutInput input = BaseInput();
    input.appDisplayName = L"Mail";
    input.menuTitles = {L"File", L"Edit "};
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    // The name goes to the front of the list, the titles to its end.
    EXPECT_EQ(Kinds(result), (std::vector<Kind>{Kind::AppNameItem, Kind::ClockItem,
                                                Kind::StatusItem, Kind::TilingButtonItem,
                                                Kind::MenuTitleItem, Kind::MenuTitleItem}));
    ExpectSpan(Only(result, Kind::AppNameItem), 6, 75);
    const auto titles = All(result, Kind::MenuTitleItem);
    ASSERT_EQ(titles.size(), 2u);
    ExpectSpan(titles[0], 77, 123);
    // The trailing space counts: 35 + 18.
    ExpectSpan(titles[1], 123, 176);
    EXPECT_EQ(titles[0].menuIndex, 0);
    EXPECT_EQ(titles[1].menuIndex, 1);
    EXPECT_FLOAT_EQ(titles[1].top, 3);
    EXPECT_FLOAT_EQ(titles[1].bottom, kH - 3);
    EXPECT_EQ(result.placedMenuTitles, 2);
    EXPECT_TRUE(measurer.discarded.empty());

    const auto calls = measurer.CallsFor(BarTextRole::MenuTitle);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1]->text, L"Edit ");
    EXPECT_EQ(calls[1]->menuIndex, 1);
    EXPECT_FLOAT_EQ(calls[1]->maxWidth, 300);
    EXPECT_FLOAT_EQ(calls[1]->maxHeight, kH);
}

TEST(LayoutBarMenus, IslandsStyleLeavesTwelvePointsAfterTheName) {
    BarLayoutInput input = BaseInput();
    input.appDisplayName = L"Mail";
    input.menuTitles = {L"File"};
    FakeBarTextMeasurer measurer;
    for (BarStyle style : {BarStyle::Classic, BarStyle::Floating, BarStyle::Separated}) {
        input.style = style;
        ExpectSpan(Only(LayoutBar(input, measurer), Kind::MenuTitleItem), 77, 123);
    }
    input.style = BarStyle::Islands;
    ExpectSpan(Only(LayoutBar(input, measurer), Kind::MenuTitleItem), 87, 133);
}

TEST(LayoutBarMenus, TitlesThatDoNotFitAreDroppedFromTheEndNeverSqueezed) {
    // Limit = W - 129 (tiling off, no battery); titles end at 123, 169, 215,
    // 296 (Bookmarks) and 328 (Go); a title fits while its end <= limit - 12.
    struct Case {
        float barWidth;
        int32_t placed;
    };
    for (const Case& c : {Case{396, 3}, Case{436, 3}, Case{437, 4}, Case{469, 5}}) {
        BarLayoutInput input = BaseInput(c.barWidth);
        input.tilingButton = false;
        input.appDisplayName = L"Mail";
        input.menuTitles = {L"File", L"Edit", L"View", L"Bookmarks", L"Go"};
        FakeBarTextMeasurer measurer;

        const BarLayoutResult result = LayoutBar(input, measurer);

        EXPECT_EQ(result.placedMenuTitles, c.placed) << c.barWidth;
        const auto titles = All(result, Kind::MenuTitleItem);
        ASSERT_EQ(titles.size(), static_cast<std::size_t>(c.placed)) << c.barWidth;
        const float widths[] = {46, 46, 46, 81, 32};
        for (std::size_t i = 0; i < titles.size(); ++i) {
            EXPECT_EQ(titles[i].menuIndex, static_cast<int32_t>(i));
            EXPECT_FLOAT_EQ(titles[i].right - titles[i].left, widths[i]) << c.barWidth;
        }
        // The title that did not fit is measured and then given up; later
        // ones, even a short one that would fit ("Go" at W = 396), are not
        // considered at all.
        if (c.placed < 5) {
            EXPECT_EQ(measurer.discarded, std::vector<int32_t>{c.placed}) << c.barWidth;
            EXPECT_EQ(measurer.CallsFor(BarTextRole::MenuTitle).size(),
                      static_cast<std::size_t>(c.placed + 1));
        } else {
            EXPECT_TRUE(measurer.discarded.empty());
        }
    }
}

// ---- Separated style --------------------------------------------------------

TEST(LayoutBarSeparated, ClockIsCentredRoundingHalvesAwayFromZero) {
    struct Case {
        float barWidth;
        float clockLeft;
    };
    // x0 = W / 2 - 55 / 2: 472.5 -> 473, 473 stays, -2.5 -> -3.
    for (const Case& c : {Case{1000, 473}, Case{1001, 473}, Case{50, -3}}) {
        BarLayoutInput input = BaseInput(c.barWidth);
        input.style = BarStyle::Separated;
        FakeBarTextMeasurer measurer;
        const BarLayoutResult result = LayoutBar(input, measurer);
        ExpectSpan(Only(result, Kind::ClockItem), c.clockLeft, c.clockLeft + 55);
        // The right-hand items start at the edge, not left of the clock.
        EXPECT_FLOAT_EQ(Only(result, Kind::StatusItem).right, c.barWidth - 6);
    }
}

TEST(LayoutBarSeparated, LeftSideStopsTenPointsBeforeTheCentreGroup) {
    BarLayoutInput input = BaseInput(1000);
    input.style = BarStyle::Separated;
    input.appDisplayName = L"Mail";
    input.menuTitles = std::vector<std::wstring_view>(10, L"File");
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    // Left limit 473 - 10 = 463: the name may take 415, titles end by 451.
    EXPECT_FLOAT_EQ(measurer.CallsFor(BarTextRole::AppName)[0]->maxWidth, 415);
    EXPECT_EQ(result.placedMenuTitles, 8);
    EXPECT_FLOAT_EQ(All(result, Kind::MenuTitleItem).back().right, 445);
}

TEST(LayoutBarSeparated, ACrowdedRightSideLimitsBeforeTheCentreDoes) {
    BarLayoutInput input = BaseInput(1000);
    input.style = BarStyle::Separated;
    input.trayHostPresent = true;
    FakeTrayStrip strip(20, kH);
    input.buildTrayStrip = strip.Builder();
    input.appDisplayName = L"Mail";
    FakeBarTextMeasurer measurer;

    (void)LayoutBar(input, measurer);

    // Tray 376..896 leaves 370, left of the centre's limit of 463.
    ASSERT_EQ(strip.edges, std::vector<float>{896});
    EXPECT_FLOAT_EQ(measurer.CallsFor(BarTextRole::AppName)[0]->maxWidth, 370 - 48);
}

TEST(LayoutBarSeparated, NowPlayingNextToTheClockJoinsTheCentreGroup) {
    BarLayoutInput input = BaseInput(1000);
    input.style = BarStyle::Separated;
    input.nowPlayingShown = true;
    input.nowPlayingNextToClock = true;
    input.nowPlayingText = L"Song";
    input.appDisplayName = L"Mail";
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    // Group 55 + 71 + 4 = 130 wide from 435.
    ExpectSpan(Only(result, Kind::NowPlayingItem), 435, 506);
    ExpectSpan(Only(result, Kind::ClockItem), 510, 565);
    EXPECT_FLOAT_EQ(Only(result, Kind::StatusItem).right, 994);
    EXPECT_FLOAT_EQ(measurer.CallsFor(BarTextRole::AppName)[0]->maxWidth, 425 - 48);
    ASSERT_EQ(result.islands.size(), 3u);
    EXPECT_FLOAT_EQ(result.islands[1].left, 435 - 4.8f);
    EXPECT_FLOAT_EQ(result.islands[1].right, 565 + 4.8f);
}

TEST(LayoutBarSeparated, NowPlayingNextToTheTrayStaysOnTheRight) {
    BarLayoutInput input = BaseInput(1000);
    input.style = BarStyle::Separated;
    input.nowPlayingShown = true;
    input.nowPlayingText = L"Song";
    FakeBarTextMeasurer measurer;

    const BarLayoutResult result = LayoutBar(input, measurer);

    ExpectSpan(Only(result, Kind::ClockItem), 473, 528);
    // Status 934..994, tiling 900..928, then the widget.
    ExpectSpan(Only(result, Kind::NowPlayingItem), 825, 896);
    ASSERT_EQ(result.islands.size(), 2u);
    EXPECT_FLOAT_EQ(result.islands[0].left, 473 - 4.8f);
    EXPECT_FLOAT_EQ(result.islands[1].left, 825 - 4.8f);
}

// ---- Islands and the result record ------------------------------------------

TEST(LayoutBarIslands, EachStyleGetsItsOwnIslandsFromTheItemsLaidOut) {
    BarLayoutInput input = BaseInput(1000);
    input.appDisplayName = L"Mail";
    input.menuTitles = {L"File", L"Edit"};
    FakeBarTextMeasurer measurer;

    for (BarStyle style : {BarStyle::Classic, BarStyle::Floating}) {
        input.style = style;
        EXPECT_TRUE(LayoutBar(input, measurer).islands.empty());
    }

    input.style = BarStyle::Islands;
    BarLayoutResult result = LayoutBar(input, measurer);
    ASSERT_EQ(result.islands.size(), 3u);
    EXPECT_FLOAT_EQ(result.islands[0].right, 75 + 4);
    EXPECT_FLOAT_EQ(result.islands[1].left, 87 - 4);
    EXPECT_FLOAT_EQ(result.islands[1].right, 179 + 4);
    // The tiling button, left of clock 939..994 and status 877..937.
    EXPECT_FLOAT_EQ(result.islands[2].left, 843 - 6);
    EXPECT_FLOAT_EQ(result.islands[2].right, 1000);
    EXPECT_FLOAT_EQ(result.islands[2].bottom, kH);

    input.style = BarStyle::Separated;
    result = LayoutBar(input, measurer);
    ASSERT_EQ(result.islands.size(), 3u);
    EXPECT_FLOAT_EQ(result.islands[0].right, 169 + 4.8f);
    EXPECT_FLOAT_EQ(result.islands[2].left, 900 - 4.8f);
}

TEST(LayoutBarResult, ReusedResultIsRebuiltFromScratch) {
    BarLayoutInput input = BaseInput();
    input.style = BarStyle::Islands;
    input.appDisplayName = L"Mail";
    input.menuTitles = {L"File", L"Edit", L"View"};
    FakeBarTextMeasurer measurer;
    BarLayoutResult reused = LayoutBar(input, measurer);
    reused.items.push_back(BarItem{});
    reused.islands.push_back({1, 2, 3, 4});

    input.style = BarStyle::Classic;
    input.appDisplayName = L"";
    LayoutBar(input, measurer, reused);
    const BarLayoutResult fresh = LayoutBar(input, measurer);

    EXPECT_EQ(Kinds(reused), Kinds(fresh));
    EXPECT_TRUE(reused.islands.empty());
    EXPECT_EQ(reused.placedMenuTitles, 0);
}

// ---- Hit testing ------------------------------------------------------------

std::vector<BarItem> TwoItems() {
    BarItem name;
    name.kind = Kind::AppNameItem;
    name.left = 6;
    name.right = 47;
    name.top = 3;
    name.bottom = 25;
    BarItem title = name;
    title.kind = Kind::MenuTitleItem;
    title.left = 49;
    title.right = 95;
    title.menuIndex = 0;
    return {name, title};
}

TEST(HitTestBar, LeftEdgeInsideRightEdgeOutsideAt96Dpi) {
    const auto items = TwoItems();
    EXPECT_EQ(HitTestBar(items, 5.99f, 10, 96), -1);
    EXPECT_EQ(HitTestBar(items, 6, 10, 96), 0);
    EXPECT_EQ(HitTestBar(items, 46.99f, 10, 96), 0);
    EXPECT_EQ(HitTestBar(items, 47, 10, 96), -1);  // the gap between the items
    EXPECT_EQ(HitTestBar(items, 49, 10, 96), 1);
    EXPECT_EQ(HitTestBar(items, 95, 10, 96), -1);
}

TEST(HitTestBar, VerticallyFromTheTopEdgeTo4PointsBelowTheBottom) {
    const auto items = TwoItems();
    // Above the item's top of 3 still hits: the screen edge belongs to it.
    EXPECT_EQ(HitTestBar(items, 10, 0, 96), 0);
    EXPECT_EQ(HitTestBar(items, 10, -0.5f, 96), -1);
    EXPECT_EQ(HitTestBar(items, 10, 28.99f, 96), 0);
    EXPECT_EQ(HitTestBar(items, 10, 29, 96), -1);
}

TEST(HitTestBar, PixelsAreConvertedToPointsAt144Dpi) {
    const auto items = TwoItems();
    // 6 points = 9 pixels, 47 points = 70.5 pixels, 29 points = 43.5 pixels.
    EXPECT_EQ(HitTestBar(items, 8.9f, 10, 144), -1);
    EXPECT_EQ(HitTestBar(items, 9, 10, 144), 0);
    EXPECT_EQ(HitTestBar(items, 70.4f, 10, 144), 0);
    EXPECT_EQ(HitTestBar(items, 70.5f, 10, 144), -1);
    EXPECT_EQ(HitTestBar(items, 73.5f, 10, 144), 1);
    EXPECT_EQ(HitTestBar(items, 20, 43.4f, 144), 0);
    EXPECT_EQ(HitTestBar(items, 20, 43.5f, 144), -1);
    // At 96 DPI the same pixel is a different point.
    EXPECT_EQ(HitTestBar(items, 70.4f, 10, 96), 1);
}

TEST(HitTestBar, FirstMatchWinsAndNothingMatchesAnEmptyList) {
    auto items = TwoItems();
    items[1].left = 40;  // overlaps the name from 40 to 47
    EXPECT_EQ(HitTestBar(items, 44, 10, 96), 0);
    EXPECT_EQ(HitTestBar(items, 47, 10, 96), 1);
    EXPECT_EQ(HitTestBar({}, 10, 10, 96), -1);
    // A DPI of 0 reads as 96 rather than dividing by zero.
    EXPECT_EQ(HitTestBar(items, 10, 10, 0), 0);
}

}  // namespace
}  // namespace corvane
