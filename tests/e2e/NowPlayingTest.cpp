// The Now Playing widgets in the real bar and dock over the stand-in media
// session: the bar's shows for a session only, opens the card below itself
// without taking the focus, the card's controls reach the session, and the card hides when
// the pointer leaves and when the session ends. Without a session manager
// there is no widget, and the session is read every second while it plays
// and every two otherwise. The card's layout is the unit tests' business.

#include "dock/DockGeometry.h"
#include "e2e/E2ESupport.h"
#include "nowplaying/CardLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::Span;
using test::WaitUntil;

constexpr wchar_t kCardClass[] = L"CorvaneNowPlaying";

// The middle of a card rectangle, and a point at `fraction` along the track.
POINT Middle(const PointRect& r) {
    return {static_cast<LONG>((r.left + r.right) / 2), static_cast<LONG>((r.top + r.bottom) / 2)};
}
POINT AlongTrack(float fraction) {
    const PointRect track = LayoutCard(kCardWidth, false, 0).track;
    return {static_cast<LONG>(track.left + (track.right - track.left) * fraction),
            static_cast<LONG>((track.top + track.bottom) / 2)};
}

class NowPlayingE2E : public test::CorvaneTest {
protected:
    // A stopped session first: the bar shows no widget for it.
    void SetUp() override {
        CorvaneTest::SetUp();
        media_.emplace();
        if (!media_->Registered()) {
            GTEST_SKIP() << "the system has its own media session manager";
        }
        media_->Play("status=3\n");
    }
    // Starts Corvane, lets the session play once the stopped one was read,
    // and finds the widget: the new ink left of what the bar showed before.
    void StartPlaying(bool light = false, const std::string& playing = "") {
        test::SetLightTheme(light);
        const bool started = StartCorvane(test::IniText({.nowPlaying = true})) != nullptr;
        test::SetLightTheme(false);
        ASSERT_TRUE(started);
        ASSERT_TRUE(WaitUntil([&] { return media_->Count("GetPlaybackInfo") > 0; }));
        ::Sleep(200);
        const auto before = RightInk(Px(12));
        ASSERT_FALSE(before.empty());
        media_->Play(playing);
        ASSERT_TRUE(WaitUntil([&] {
            const auto runs = RightInk(Px(12));
            widget_ = runs.empty() ? Span{} : runs.front();
            return widget_.right < before.front().left;
        })) << "no widget on the bar";
    }
    [[nodiscard]] POINT On(const Span& widget) const { return {widget.Middle(), MidY()}; }

    [[nodiscard]] std::vector<HWND> Cards() const { return Shown(kCardClass); }
    [[nodiscard]] HWND OpenCard(const Span& widget) const {
        test::Click(On(widget));
        WaitUntil([&] { return Cards().size() == 1; }, 5000);
        const auto cards = Cards();
        return cards.size() == 1 ? cards[0] : nullptr;
    }
    [[nodiscard]] POINT OnCard(HWND card, POINT dips) const {
        const RECT r = test::WindowRect(card);
        return {r.left + Px(dips.x), r.top + Px(dips.y)};
    }
    // Clicks and waits for the session to hear `call` once more.
    bool ClickReaches(POINT p, const std::string& call, bool middle = false) {
        const auto before = media_->Count(call);
        middle ? test::MiddleClick(p) : test::Click(p);
        return WaitUntil([&] { return media_->Count(call) == before + 1; }, 3000);
    }

    std::optional<test::FakeMediaSession> media_;
    Span widget_;
};

// Whether the theme is light.
class NowPlayingE2EInTheme : public NowPlayingE2E, public testing::WithParamInterface<bool> {};

TEST_P(NowPlayingE2EInTheme, TheCardOpensBelowTheWidgetDrivesTheSessionAndLeavesWithIt) {
    // At the start when the session last said so, 200 s ago: the card shows
    // two thirds played.
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    const int64_t ticks = (static_cast<int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    ASSERT_NO_FATAL_FAILURE(StartPlaying(
        GetParam(), "position=0\nupdated=" + std::to_string(ticks - 2000000000) + "\n"));
    const Span widget = widget_;
    const HWND card = OpenCard(widget);
    ASSERT_NE(card, nullptr) << "not exactly one card";
    const RECT r = test::WindowRect(card);
    EXPECT_EQ(r.right - r.left, Px(kCardWidth));
    EXPECT_EQ(r.bottom - r.top, Px(kCardHeight));
    // The widget spans the bar but for 3 points at the bottom.
    EXPECT_EQ(r.top, Frame().bottom - Px(3) + Px(kCardGap));
    EXPECT_TRUE(r.left < widget.right && r.right > widget.left) << "the card is not at its widget";

    ::Sleep(300);  // painted
    const RECT frame = Frame();
    const test::Capture c = test::CaptureScreen(
        {frame.left, frame.top, frame.right, r.bottom + Px(8)},
        test::ScreenshotPath(L"nowplaying-" + std::wstring(GetParam() ? L"light" : L"dark") +
                             L".png"));
    ASSERT_FALSE(c.pixels.empty());
    const int x0 = r.left - frame.left;
    const int y0 = r.top - frame.top;
    const uint32_t surface = c.At(x0 + Px(20), y0 + Px(125));
    EXPECT_EQ(test::Luma(surface) > 128, GetParam()) << std::hex << surface;
    // Title and artist in ink; the placeholder artwork a shade off the surface.
    const CardRects inside = LayoutCard(kCardWidth, false, 0);
    const RECT text{x0 + Px(inside.title.left), y0 + Px(inside.title.top),
                    x0 + Px(inside.artist.right), y0 + Px(inside.artist.bottom)};
    EXPECT_FALSE(test::InkRuns(c, text, surface, 0).empty()) << "no title";
    EXPECT_TRUE(test::Differs(
        c.At(x0 + Px(inside.artwork.left + 14), y0 + Px(inside.artwork.top + 14)), surface, 3))
        << "no artwork";
    const POINT half = AlongTrack(0.5f);
    const uint32_t track = c.At(x0 + Px(half.x), y0 + Px(half.y));
    EXPECT_GT(std::abs(test::Luma(track) - test::Luma(surface)), 60)
        << "the position stood still since the session's last word";

    // The controls, with another program in front that keeps the focus.
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"front.exe", L"normal"));

    const struct {
        POINT dips;
        const char* call;
    } controls[] = {
        {Middle(CardButtonRect(CardItem::Previous, kCardWidth)), "TrySkipPreviousAsync"},
        {Middle(CardButtonRect(CardItem::PlayPause, kCardWidth)), "TryTogglePlayPauseAsync"},
        {Middle(CardButtonRect(CardItem::Next, kCardWidth)), "TrySkipNextAsync"},
        {AlongTrack(0.75f), "TryChangePlaybackPositionAsync 2250000000"},
    };
    for (const auto& control : controls) {
        SCOPED_TRACE(control.call);
        EXPECT_TRUE(ClickReaches(OnCard(card, control.dips), control.call));
    }
    EXPECT_EQ(::GetForegroundWindow(), app.Window()) << "the card took the focus";

    test::MovePointer({widget.Middle(), r.bottom + Px(150)});
    EXPECT_TRUE(WaitUntil([&] { return Cards().empty(); }, 1200)) << "the card stayed";

    // The widget's middle button toggles playback.
    ASSERT_NE(OpenCard(widget), nullptr);
    EXPECT_TRUE(ClickReaches(On(widget), "TryTogglePlayPauseAsync", true));

    // The pointer stays on the widget: only the session's end closes the card.
    media_->Play("session=0\n");
    EXPECT_TRUE(WaitUntil([&] { return Cards().empty(); }, 3000)) << "the card outlived it";
    test::MovePointer({5, Frame().bottom + Px(200)});
    // Not even its faint artwork square is left.
    EXPECT_TRUE(WaitUntil([&] {
        const auto runs = RightInk(0, 3);
        return !runs.empty() && std::ranges::none_of(runs, [&](const Span& run) {
            return run.left < widget.right && run.right > widget.left;
        });
    })) << "the widget outlived its session";
}

INSTANTIATE_TEST_SUITE_P(Themes, NowPlayingE2EInTheme, testing::Bool(), test::ThemeName);

// The median of the gaps between the polls that came in after `from` (four
// of them, waited for).
uint32_t MedianGap(const test::FakeMediaSession& media, std::size_t from) {
    std::vector<uint32_t> ticks;
    (void)WaitUntil(
        [&] {
            ticks = media.Ticks("GetPlaybackInfo");
            return ticks.size() >= from + 4;
        },
        15000);
    if (ticks.size() < from + 4) {
        return 0;
    }
    std::vector<uint32_t> gaps;
    for (std::size_t i = from + 1; i < ticks.size(); ++i) {
        gaps.push_back(ticks[i] - ticks[i - 1]);
    }
    std::sort(gaps.begin(), gaps.end());
    return gaps[gaps.size() / 2];
}

class NowPlayingPollE2E : public test::CorvaneTest {};

TEST_F(NowPlayingPollE2E, AbsentWithoutASessionManagerAndPolledAtThePlayingPace) {
    if (test::RegisteredRuntimeClass::SystemHasIt(
            L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager")) {
        GTEST_SKIP() << "the system has its own media session manager";
    }
    ASSERT_NE(StartCorvane(test::IniText({.nowPlaying = true})), nullptr);
    ::Sleep(2500);  // the first poll found nothing to ask
    const auto without = RightInk(Px(12));
    ASSERT_FALSE(without.empty());
    QuitCorvane();

    const test::FakeMediaSession media;
    ASSERT_TRUE(media.Registered());
    media.Play();
    ASSERT_NE(StartCorvane(L""), nullptr);
    // The widget: new ink left of everything the bar showed without it.
    EXPECT_TRUE(WaitUntil([&] {
        const auto with = RightInk(Px(12));
        return !with.empty() && with.front().right < without.front().left;
    })) << "no widget, or one without a session manager";
    const uint32_t playing = MedianGap(media, 1);
    EXPECT_GE(playing, 900u);
    EXPECT_LE(playing, 1300u);

    media.Play("status=5\n");
    ::Sleep(2500);  // the interval changes on the next poll
    const uint32_t paused = MedianGap(media, media.Ticks("GetPlaybackInfo").size());
    EXPECT_GE(paused, 1900u);
    EXPECT_LE(paused, 2400u);
}

// Start alone, and the Now Playing cell when asked for; [Dock] IconSize when left out.
DockLayout StartAnd(bool cell) {
    std::vector<DockItem> start(1);
    start[0].pinned = start[0].start = true;
    return LayoutDock(start, 36, cell);
}

// The dock's cell: it comes and goes with the session, a click on it pauses
// or resumes, and resting on it opens the card above the dock.
class NowPlayingDockE2E : public NowPlayingE2E {
protected:
    testing::AssertionResult HasCell(bool cell, DWORD timeoutMs) const {
        const auto want = static_cast<LONG>(StartAnd(cell).width * dpi_ / 96.0 + 0.5);
        LONG width = 0;
        if (WaitUntil(
                [&] {
                    const RECT dock = test::WindowRect(dock_);
                    return (width = dock.right - dock.left) == want;
                },
                timeoutMs)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "dock " << width << " px wide, not " << want;
    }
    HWND dock_ = nullptr;
};

TEST_F(NowPlayingDockE2E, TheCellFollowsTheSessionTogglesOnAClickAndOpensTheCardAbove) {
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .nowPlaying = true, .nowPlayingWhere = 0})),
              nullptr);
    ASSERT_NE(dock_ = corvane_.WaitForWindow(L"CorvaneDock"), nullptr);
    // The stopped session has been read: still no cell.
    ASSERT_TRUE(WaitUntil([&] { return media_->Count("PlaybackStatus") > 0; }, 5000));
    ::Sleep(200);
    EXPECT_TRUE(HasCell(false, 0));
    media_->Play();
    ASSERT_TRUE(HasCell(true, 5000)) << "no cell for a playing session";

    const RECT dock = test::WindowRect(dock_);
    const PointRect at = StartAnd(true).nowPlaying;
    const POINT cell{dock.left + Px((at.left + at.right) / 2), (dock.top + dock.bottom) / 2};
    test::Click(cell);
    // The pointer rests on the cell after the click: one card comes above it.
    std::vector<HWND> cards;
    ASSERT_TRUE(WaitUntil([&] { return !(cards = Cards()).empty(); }, 3000)) << "no card";
    EXPECT_EQ(cards.size(), 1u);
    EXPECT_EQ(media_->Count("TryTogglePlayPauseAsync"), 1);
    const RECT card = test::WindowRect(cards.front());
    EXPECT_EQ(card.bottom, dock.top - Px(8));
    EXPECT_NEAR((card.left + card.right) / 2, cell.x, 1);
    test::MovePointer({cell.x, dock.top - Px(300)});
    EXPECT_TRUE(WaitUntil([&] { return Cards().empty(); }, 1200)) << "the card stayed";

    media_->Play("session=0\n");
    EXPECT_TRUE(HasCell(false, 5000)) << "the cell outlived its session";
}

}  // namespace
}  // namespace corvane
