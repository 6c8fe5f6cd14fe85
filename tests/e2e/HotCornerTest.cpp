// Hot corners in the real corvane.exe, with the keys it types read from the
// log of the helper window in front. When a corner fires is the unit tests'.

#include "e2e/E2ESupport.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>

namespace corvane {
namespace {

class HotCornerE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        test::CorvaneTest::TearDown();
        // Whatever went wrong, no Windows key stays down for the tests after.
        ::keybd_event(VK_LWIN, 0, KEYEVENTF_KEYUP, 0);
    }
    // Into a corner from far away, and the keys logged since the last visit:
    // up to `chord` of them, waited for as long as a loaded machine needs.
    std::string Visit(POINT corner, std::size_t chord = 0) {
        ::SetCursorPos(test::ScreenCentre().x, test::ScreenCentre().y);
        ::Sleep(300);
        ::SetCursorPos(corner.x, corner.y);
        if (chord == 0) {
            ::Sleep(800);
            return Logged();
        }
        std::string keys;
        test::WaitUntil(
            [&] {
                keys += Logged();
                return std::count(keys.begin(), keys.end(), ' ') >= static_cast<long>(chord);
            },
            5000);
        ::Sleep(200);
        return keys + Logged();
    }
    std::string Logged() {
        const std::vector<uint8_t> bytes = test::ReadFileBytes(log_);
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        std::string kind, keys;
        for (unsigned long long key = 0, ext = 0, tick = 0; in >> kind >> key >> ext >> tick;) {
            keys += std::to_string(key) + (kind == "keydown" ? "+ " : "- ");
        }
        return keys.substr(std::exchange(logged_, keys.size()));
    }

    const std::wstring log_ = folder_.File(L"keys.log");
    std::size_t logged_ = 0;
};

TEST_F(HotCornerE2E, EachVisitRunsItsCornerOnceButNotOverAFullScreenApp) {
    const HWND bar =
        StartCorvane(test::IniText() + L"[HotCorners]\r\nEnabled=1\r\nTopLeft=1\r\nBottomRight=6");
    ASSERT_NE(bar, nullptr);
    test::HelperApp front;
    ASSERT_TRUE(front.Start(folder_.Path(), L"front.exe", L"normal", log_));
    // The keys go to whichever window is in front, so it has to be ours.
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            ::SetForegroundWindow(front.Window());
            return ::GetForegroundWindow() == front.Window();
        },
        5000));
    EXPECT_EQ(Visit({0, 0}, 4), "91+ 9+ 9- 91- ") << "no Win+Tab";
    const POINT bottomRight{::GetSystemMetrics(SM_CXSCREEN) - 1,
                            ::GetSystemMetrics(SM_CYSCREEN) - 1};
    EXPECT_EQ(Visit(bottomRight), "") << "the launcher's corner typed keys";
    EXPECT_TRUE(test::WaitUntil([&] {
        const auto all = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneLauncher");
        return std::any_of(all.begin(), all.end(), ::IsWindowVisible);
    })) << "no launcher";

    // Last: for a while after a full-screen window closes, Wine will not
    // move the pointer.
    test::HelperApp fullscreen;
    ASSERT_TRUE(fullscreen.Start(folder_.Path(), L"player.exe", L"fullscreen", log_));
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000));
    EXPECT_EQ(Visit({0, 0}), "") << "fired over a full-screen application";
}

}  // namespace
}  // namespace corvane
