// The application menus of the real corvane.exe, driven from outside: the
// bar shows the menus of the application in front, a drop-down opens under
// a title, follows the pointer and the arrow keys to the other titles, and
// the chosen entry reaches the application as its menu command or as typed
// keys.

#include "appmenus/MenusFileText.h"
#include "base/Commands.h"
#include "e2e/E2ESupport.h"
#include "resources/DefaultMenusText.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::HelperApp;
using test::Span;
using test::TapKey;
using test::WaitUntil;

// One line of the helper's log.
struct LogEntry {
    std::string kind;  // command, keydown, keyup
    unsigned value = 0;
    unsigned extended = 0;
    unsigned long long tick = 0;
};

std::vector<LogEntry> ReadLog(const std::wstring& path, std::vector<unsigned> keys = {}) {
    const std::vector<uint8_t> bytes = test::ReadFileBytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<LogEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LogEntry e;
        fields >> e.kind >> e.value >> e.extended >> e.tick;
        // Only the asked-for keys: the keys the test types into the
        // drop-down may reach the application too.
        if (keys.empty() ||
            (e.kind != "command" && std::find(keys.begin(), keys.end(), e.value) != keys.end())) {
            entries.push_back(e);
        }
    }
    return entries;
}

std::vector<unsigned> Commands(const std::wstring& logPath) {
    std::vector<unsigned> ids;
    for (const LogEntry& e : ReadLog(logPath)) {
        if (e.kind == "command") {
            ids.push_back(e.value);
        }
    }
    return ids;
}

std::string Describe(const std::vector<LogEntry>& keys) {
    std::string text;
    for (const LogEntry& e : keys) {
        text += e.kind + " " + std::to_string(e.value) + "/" + std::to_string(e.extended) + "; ";
    }
    return text;
}

class AppMenusE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        TapKey(VK_ESCAPE);
        CorvaneTest::TearDown();
    }

    // Corvane with a menus.txt of these profiles (none: the default file),
    // and the helper under `exeName` in front.
    void Start(const wchar_t* exeName, const wchar_t* menus = nullptr,
               const wchar_t* mode = L"normal") {
        if (menus != nullptr) {
            ASSERT_TRUE(
                test::WriteFileBytes(folder_.File(L"menus.txt"), EncodeMenusFileBytes(menus)));
        }
        ASSERT_NE(StartCorvane(test::IniText()), nullptr);
        log_ = folder_.Path() + L"\\" + exeName + L".log";
        ASSERT_TRUE(app_.Start(folder_.Path(), exeName, mode, log_));
    }

    // The application's name and the titles of its `count` menus: the last
    // inked runs left of the middle, once they are all drawn.
    std::vector<Span> Titles(std::size_t count) {
        std::vector<Span> spans;
        WaitUntil([&] { return LeftInk().size() >= count + 1; });
        ::Sleep(300);
        spans = LeftInk();
        if (spans.size() < count + 1) {
            return {};
        }
        return {spans.end() - static_cast<std::ptrdiff_t>(count + 1), spans.end()};
    }

    [[nodiscard]] POINT Middle(const Span& span) const { return {span.Middle(), MidY()}; }

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
    [[nodiscard]] bool NoDropDown() const {
        const auto menus = test::FindProcessWindows(corvane_.ProcessId(), L"#32768");
        return std::none_of(menus.begin(), menus.end(), ::IsWindowVisible);
    }

    HelperApp app_;
    std::wstring log_;
};

constexpr wchar_t kThreeMenus[] =
    L"[slider.exe]\nAaa\n    First = Ctrl+A\nBbb\n    Second = Ctrl+B\nCcc\n    Third = Ctrl+C\n";

TEST_F(AppMenusE2E, AnApplicationsOwnMenusOpenSlideAndSendTheirCommands) {
    Start(L"menuapp.exe", nullptr, L"menubar");
    if (::GetMenuItemCount(::GetMenu(app_.Window())) < 1) {
        // Wine keeps menus inside their process; Windows shares them.
        GTEST_SKIP() << "this system does not let other processes read a window's menu bar";
    }
    const std::vector<Span> spans = Titles(2);  // the name, "File" and "Edit"
    ASSERT_EQ(spans.size(), 3u);
    test::Click(Middle(spans[1]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1])) << "no drop-down under File";
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !Commands(log_).empty(); }, 5000));
    EXPECT_EQ(Commands(log_), std::vector<unsigned>{test::kHelperOpen});
    EXPECT_TRUE(WaitUntil([&] { return NoDropDown(); }, 3000));

    // Moving along the titles switches to the next drop-down.
    test::Click(Middle(spans[1]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    test::MovePointer(Middle(spans[2]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2])) << "the pointer did not switch menus";
    TapKey(VK_DOWN);
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Commands(log_).size() == 2; }, 5000));
    EXPECT_EQ(Commands(log_), (std::vector<unsigned>{test::kHelperOpen, test::kHelperCopy}));
}

TEST_F(AppMenusE2E, PointerAndArrowKeysMoveAlongTheTitlesAndEscapeReturnsFocus) {
    Start(L"slider.exe", kThreeMenus);
    const std::vector<Span> spans = Titles(3);
    ASSERT_EQ(spans.size(), 4u);
    // Each drop-down that appears reports a pointer move where the pointer
    // rests: here away from the titles, with the press posted to the bar, so
    // that only the keys move the drop-down until the pointer visits a title.
    test::MovePointer({::GetSystemMetrics(SM_CXSCREEN) - 40, ::GetSystemMetrics(SM_CYSCREEN) - 40});
    const RECT frame = Frame();
    ::PostMessageW(bar_, WM_LBUTTONDOWN, MK_LBUTTON,
                   MAKELPARAM(spans[1].Middle() - frame.left, MidY() - frame.top));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    TapKey(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2])) << "Right did not move on";
    TapKey(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[2], spans[3])) << "Right did not move on";
    TapKey(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1])) << "Right did not wrap to the first";
    TapKey(VK_LEFT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[2], spans[3])) << "Left did not wrap to the last";
    test::MovePointer(Middle(spans[2]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2])) << "the pointer did not switch menus";

    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return NoDropDown(); }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app_.Window(); }, 3000));
    // Nothing was chosen, so nothing was typed.
    EXPECT_TRUE(ReadLog(log_, {VK_CONTROL, 'A', 'B', 'C'}).empty());
}

TEST_F(AppMenusE2E, RightFromAClickedTitleStaysOnTheNextMenuUnderTheRestingPointer) {
    Start(L"slider.exe", kThreeMenus);
    const std::vector<Span> spans = Titles(3);
    ASSERT_EQ(spans.size(), 4u);
    // The pointer stays on "Aaa" after the click; the next drop-down's
    // appearance reports a move there, which is no move at all.
    test::Click(Middle(spans[1]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    TapKey(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2]))
        << "the next drop-down did not open, or went back at once";
    EXPECT_FALSE(WaitUntil([&] { return !DropDownUnder(spans[1], spans[2]); }, 1000))
        << "the drop-down went back to the title under the pointer";
    TapKey(VK_DOWN);
    TapKey(VK_RETURN);
    std::vector<LogEntry> keys;
    WaitUntil(
        [&] {
            return (keys = ReadLog(log_, {VK_CONTROL, 'A', 'B', 'C'})).size() >= 4;
        },
        5000);
    ASSERT_EQ(keys.size(), 4u) << Describe(keys);
    EXPECT_EQ(keys[1].value, unsigned{'B'}) << Describe(keys);
}

// Each chord of an item arrives as one batch of key events, extended keys
// marked as such, and a second chord after a pause.
TEST_F(AppMenusE2E, AProfileItemTypesItsChordsIntoTheApplication) {
    Start(L"keys.exe",
          L"[keys.exe]\nKeys\n    Next = Ctrl+Right\n    Open Folder = Ctrl+K Ctrl+O\n");
    const std::vector<Span> spans = Titles(1);
    ASSERT_EQ(spans.size(), 2u);
    struct Case {
        int downs;
        std::vector<std::string> expected;  // kind, key and extended flag
    };
    const std::vector<Case> cases = {
        {1, {"keydown 17/0", "keydown 39/1", "keyup 39/1", "keyup 17/0"}},
        {2,
         {"keydown 17/0", "keydown 75/0", "keyup 75/0", "keyup 17/0", "keydown 17/0",
          "keydown 79/0", "keyup 79/0", "keyup 17/0"}},
    };
    std::size_t seen = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.downs);
        test::Click(Middle(spans[1]));
        ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
        for (int i = 0; i < c.downs; ++i) {
            TapKey(VK_DOWN);
        }
        TapKey(VK_RETURN);
        std::vector<LogEntry> keys;
        WaitUntil(
            [&] {
                return (keys = ReadLog(log_, {VK_CONTROL, VK_RIGHT, 'K', 'O'})).size() >=
                       seen + c.expected.size();
            },
            5000);
        keys.erase(keys.begin(), keys.begin() + static_cast<std::ptrdiff_t>(seen));
        seen += keys.size();
        std::vector<std::string> got;
        for (const LogEntry& e : keys) {
            got.push_back(e.kind + " " + std::to_string(e.value) + "/" +
                          std::to_string(e.extended));
        }
        EXPECT_EQ(got, c.expected);
        if (keys.size() == 8) {
            EXPECT_LT(keys[3].tick - keys[0].tick, 30u) << Describe(keys);
            EXPECT_GE(keys[4].tick - keys[3].tick, 30u) << Describe(keys);
        }
        // Typed keys are no menu commands.
        EXPECT_TRUE(Commands(log_).empty());
    }
}

TEST_F(AppMenusE2E, AnUntouchedMenusFileFollowsALanguageSwitch) {
    ASSERT_NE(StartCorvane(test::IniText()), nullptr);
    const std::wstring menus = folder_.File(L"menus.txt");
    EXPECT_EQ(test::ReadFileBytes(menus), EncodeMenusFileBytes(DefaultMenusText(false)));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"General", L"Language", L"no", IniPath().c_str()));
    ASSERT_TRUE(::PostMessageW(control_, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0));
    const std::vector<uint8_t> norwegian = EncodeMenusFileBytes(DefaultMenusText(true));
    EXPECT_TRUE(WaitUntil([&] { return test::ReadFileBytes(menus) == norwegian; }, 5000));
}

}  // namespace
}  // namespace corvane
