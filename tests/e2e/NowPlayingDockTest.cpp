// The dock's Now Playing cell in the real corvane.exe, fed by the stand-in
// media session: it comes and goes with the session, a click on it pauses or
// resumes, and resting on it opens the card above the dock.

#include "e2e/E2ESupport.h"

#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

constexpr int kCell = 36 + 8;  // [Dock] IconSize when left out, and 8

class NowPlayingDockE2E : public test::CorvaneTest {
protected:
    static RECT Rect(HWND window) {
        RECT r = {};
        ::GetWindowRect(window, &r);
        return r;
    }
    // Start alone is 6 + cell + 6 wide; the Now Playing cell adds 11 + cell.
    testing::AssertionResult HasCell(bool cell, DWORD timeoutMs) const {
        const auto want =
            static_cast<LONG>((12 + kCell + (cell ? 11 + kCell : 0)) * dpi_ / 96.0 + 0.5);
        LONG width = 0;
        if (WaitUntil([&] { return (width = Rect(dock_).right - Rect(dock_).left) == want; },
                      timeoutMs)) {
            return testing::AssertionSuccess();
        }
        return testing::AssertionFailure() << "dock " << width << " px wide, not " << want;
    }
    [[nodiscard]] std::vector<HWND> Cards() const {
        auto shown = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneNowPlaying");
        std::erase_if(shown, [](HWND w) { return !::IsWindowVisible(w); });
        return shown;
    }

    test::FakeMediaSession media_;  // before the start: corvane.exe inherits its switch
    HWND dock_ = nullptr;
};

TEST_F(NowPlayingDockE2E, TheCellFollowsTheSessionTogglesOnAClickAndOpensTheCardAbove) {
    ASSERT_TRUE(media_.Registered());
    media_.Play("status=3\n");
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .nowPlaying = true, .nowPlayingWhere = 0})),
              nullptr);
    ASSERT_NE(dock_ = corvane_.WaitForWindow(L"CorvaneDock"), nullptr);
    // The stopped session has been read: still no cell.
    ASSERT_TRUE(WaitUntil([&] { return media_.Count("PlaybackStatus") > 0; }, 5000));
    ::Sleep(200);
    EXPECT_TRUE(HasCell(false, 0));
    media_.Play();
    ASSERT_TRUE(HasCell(true, 5000)) << "no cell for a playing session";

    const RECT dock = Rect(dock_);
    const POINT cell{dock.left + Px(6 + kCell + 11 + kCell / 2.0), (dock.top + dock.bottom) / 2};
    test::Click(cell);
    // The pointer rests on the cell after the click: one card comes above it.
    std::vector<HWND> cards;
    ASSERT_TRUE(WaitUntil([&] { return !(cards = Cards()).empty(); }, 3000)) << "no card";
    EXPECT_EQ(cards.size(), 1u);
    EXPECT_EQ(media_.Count("TryTogglePlayPauseAsync"), 1);
    const RECT card = Rect(cards.front());
    EXPECT_EQ(card.bottom, dock.top - Px(8));
    EXPECT_NEAR((card.left + card.right) / 2, cell.x, 1);
    test::MovePointer({cell.x, dock.top - Px(300)});
    EXPECT_TRUE(WaitUntil([&] { return Cards().empty(); }, 1200)) << "the card stayed";

    media_.Play("session=0\n");
    EXPECT_TRUE(HasCell(false, 5000)) << "the cell outlived its session";
}

}  // namespace
}  // namespace corvane
