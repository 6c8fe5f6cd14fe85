// The application menus of the real corvane.exe, driven from outside: the
// bar shows the menus of the application in front, a drop-down opens under
// a title and moves on with the arrow keys, and the chosen entry reaches the
// application as typed keys. How the drop-down follows keys and pointer is
// left to the Windows tests of ShowAppMenu.

#include "appmenus/MenusFileText.h"
#include "e2e/E2ESupport.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::Span;
using test::TapKey;
using test::WaitUntil;

// Three menus; the first two items type Ctrl+Right (an extended key) and
// two chords.
constexpr wchar_t kMenus[] =
    L"[slider.exe]\nAaa\n    Next = Ctrl+Right\nBbb\n    Open Folder = Ctrl+K Ctrl+O\n"
    L"Ccc\n    Copy = Ctrl+C\n";
// The keys the items type; those the test types into the drop-down reach the
// application too and are left out.
const std::vector<unsigned> kTypedKeys = {VK_CONTROL, 'K', 'O', 'C'};

// The helper's log of kTypedKeys as "keydown|keyup <key>/<extended>", and the tick of each.
std::vector<std::string> KeyLog(const std::wstring& path, std::vector<unsigned long long>& ticks) {
    const std::vector<uint8_t> bytes = test::ReadFileBytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> events;
    ticks.clear();
    std::string kind;
    unsigned key = 0, extended = 0;
    unsigned long long tick = 0;
    while (in >> kind >> key >> extended >> tick) {
        if (std::find(kTypedKeys.begin(), kTypedKeys.end(), key) != kTypedKeys.end()) {
            events.push_back(kind + " " + std::to_string(key) + "/" + std::to_string(extended));
            ticks.push_back(tick);
        }
    }
    return events;
}

class AppMenusE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        TapKey(VK_ESCAPE);
        CorvaneTest::TearDown();
    }

    // Corvane with kMenus, and the helper in front; returns the application's
    // name and the three titles: the last inked runs left of the middle,
    // once they are all drawn.
    std::vector<Span> Start() {
        EXPECT_TRUE(test::WriteFileBytes(folder_.File(L"menus.txt"), EncodeMenusFileBytes(kMenus)));
        EXPECT_NE(StartCorvane(test::IniText()), nullptr);
        log_ = folder_.File(L"slider.log");
        EXPECT_TRUE(app_.Start(folder_.Path(), L"slider.exe", L"normal", log_));
        WaitUntil([&] { return LeftInk().size() >= 4; });
        ::Sleep(300);
        std::vector<Span> spans = LeftInk();
        return spans.size() < 4 ? spans : std::vector<Span>(spans.end() - 4, spans.end());
    }

    // Whether Corvane's open drop-down hangs under `title` (right of `before`).
    [[nodiscard]] bool DropDownUnder(const Span& before, const Span& title) const {
        for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), L"#32768")) {
            RECT r = {};
            if (::IsWindowVisible(w) && ::GetWindowRect(w, &r) && r.left >= before.right &&
                r.left <= title.left) {
                return true;
            }
        }
        return false;
    }
    bool WaitForDropDownUnder(const Span& before, const Span& title) const {
        return WaitUntil([&] { return DropDownUnder(before, title); }, 5000);
    }

    test::HelperApp app_;
    std::wstring log_;
};

// The pointer stays on "Aaa" after the click; the next drop-down's
// appearance reports a move there, which is no move at all. Its item then
// types Ctrl+K and Ctrl+O, not the first menu's Ctrl+Right: each chord one
// batch of key events, the second after a pause.
TEST_F(AppMenusE2E, RightFromAClickedTitleStaysOnTheNextMenuUnderTheRestingPointer) {
    const std::vector<Span> spans = Start();
    ASSERT_EQ(spans.size(), 4u);
    test::Click({spans[1].Middle(), MidY()});
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    TapKey(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2]))
        << "the next drop-down did not open, or went back at once";
    EXPECT_FALSE(WaitUntil([&] { return !DropDownUnder(spans[1], spans[2]); }, 1000))
        << "the drop-down went back to the title under the pointer";
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    std::vector<std::string> events;
    std::vector<unsigned long long> ticks;
    WaitUntil([&] { return (events = KeyLog(log_, ticks)).size() >= 8; }, 5000);
    ASSERT_EQ(events, (std::vector<std::string>{"keydown 17/0", "keydown 75/0", "keyup 75/0",
                                                "keyup 17/0", "keydown 17/0", "keydown 79/0",
                                                "keyup 79/0", "keyup 17/0"}));
    EXPECT_LT(ticks[3] - ticks[0], 30u);
    EXPECT_GE(ticks[4] - ticks[3], 30u);
}

}  // namespace
}  // namespace corvane
