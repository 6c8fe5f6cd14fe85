// Hot corners in the real corvane.exe: the pointer is put into the main
// display's top-left corner, (0, 0), and the keys the program types are read
// from the log of the helper window in front. When a corner fires, and that
// a paused visit is spent, are the unit tests' business.

#include "base/Commands.h"
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
        INPUT up = {INPUT_KEYBOARD, {}};
        up.ki.wVk = VK_LWIN;
        up.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &up, sizeof(up));
    }
    HWND Start(const wchar_t* topLeft) {
        return StartCorvane(test::IniText() + L"[HotCorners]\r\nEnabled=1\r\nTopLeft=" + topLeft);
    }
    // Into the corner from far away, and the keys logged since the last
    // visit: "91+ 9+ 9- 91- " is Win+Tab.
    std::string Visit() {
        ::SetCursorPos(test::ScreenCentre().x, test::ScreenCentre().y);
        ::Sleep(300);
        ::SetCursorPos(0, 0);
        ::Sleep(800);
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

TEST_F(HotCornerE2E, EachVisitTypesWinTabOnceButNotOverAFullScreenApp) {
    const HWND bar = Start(L"1");
    ASSERT_NE(bar, nullptr);
    test::HelperApp front;
    ASSERT_TRUE(front.Start(folder_.Path(), L"front.exe", L"normal", log_));
    EXPECT_EQ(Visit(), "91+ 9+ 9- 91- ");
    EXPECT_EQ(Visit(), "91+ 9+ 9- 91- ") << "leaving and coming back";

    test::HelperApp fullscreen;
    ASSERT_TRUE(fullscreen.Start(folder_.Path(), L"player.exe", L"fullscreen", log_));
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindowVisible(bar); }, 5000));
    EXPECT_EQ(Visit(), "") << "fired over a full-screen application";
}

TEST_F(HotCornerE2E, TheLauncherCornerTakesEffectWithTheSettings) {
    ASSERT_NE(Start(L"0"), nullptr);
    ::WritePrivateProfileStringW(L"HotCorners", L"TopLeft", L"6", IniPath().c_str());
    DWORD_PTR result = 1;
    ASSERT_TRUE(::SendMessageTimeoutW(control_, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0,
                                      SMTO_ABORTIFHUNG, 10000, &result));
    ::SetCursorPos(0, 0);
    EXPECT_TRUE(test::WaitUntil([&] {
        const auto shown = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneLauncher");
        return std::any_of(shown.begin(), shown.end(), ::IsWindowVisible);
    })) << "no launcher";
}

}  // namespace
}  // namespace corvane
