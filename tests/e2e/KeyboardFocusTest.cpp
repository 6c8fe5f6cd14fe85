// The shortcuts that give the keyboard to the top bar's menus and to the
// dock, typed into the app in front, and Escape handing it back. Which keys
// move the focus where is the unit tests' business.

#include "appmenus/MenusFileText.h"
#include "e2e/E2ESupport.h"

#include <string>
#include <vector>

namespace corvane {
namespace {

using test::TapKey;
using test::TapKeys;
using test::WaitUntil;

class KeyboardFocusE2E : public test::CorvaneTest {
protected:
    // Corvane with a dock of one pin and a menu for the helper, which is in
    // front with its menu title drawn.
    void SetUp() override {
        CorvaneTest::SetUp();
        ASSERT_TRUE(test::WriteFileBytes(folder_.File(L"menus.txt"),
                                         EncodeMenusFileBytes(L"[focus.exe]\nFile\n    Close = "
                                                              L"Ctrl+W\n")));
        const std::wstring notepad = test::WindowsFile(L"notepad.exe");
        ASSERT_NE(StartCorvane(test::IniText({.dock = true, .pinned = notepad.c_str()})), nullptr);
        dock_ = corvane_.WaitForWindow(L"CorvaneDock");
        ASSERT_NE(dock_, nullptr);
        ASSERT_TRUE(app_.Start(folder_.Path(), L"focus.exe", L"normal"));
        ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app_.Window(); }, 3000));
        ASSERT_TRUE(WaitUntil([&] { return LeftInk().size() >= 2; }, 15000)) << "no menu title";
    }

    // The entries of the popup menu Corvane shows, once it shows one.
    std::vector<std::wstring> MenuEntries() {
        std::vector<std::wstring> entries;
        WaitUntil([&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); },
                  5000);
        return entries;
    }
    bool InFront(HWND window) {
        return WaitUntil([&] { return ::GetForegroundWindow() == window; }, 3000);
    }

    test::HelperApp app_;
    HWND dock_ = nullptr;
};

TEST_F(KeyboardFocusE2E, EachShortcutReachesItsSurfaceAndEscapeGivesTheKeyboardBack) {
    TapKeys({VK_CONTROL, VK_MENU, VK_F2});
    ASSERT_TRUE(InFront(bar_)) << "the bar did not take the keyboard";
    TapKey(VK_DOWN);  // the focus starts on the first title, File
    const std::vector<std::wstring> entries = MenuEntries();
    ASSERT_FALSE(entries.empty()) << "Down opened no menu";
    EXPECT_NE(entries.front().find(L"Close"), std::wstring::npos) << entries.front();
    TapKey(VK_ESCAPE);  // closes the drop-down; the title keeps the keyboard
    EXPECT_TRUE(WaitUntil([&] { return test::OpenMenuEntries(corvane_.ProcessId()).empty(); }));
    ::Sleep(300);
    EXPECT_EQ(::GetForegroundWindow(), bar_);
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(InFront(app_.Window())) << "the bar kept the keyboard";

    TapKeys({VK_CONTROL, VK_MENU, VK_F3});
    ASSERT_TRUE(InFront(dock_)) << "the dock did not take the keyboard";
    TapKey(VK_HOME);   // Start
    TapKey(VK_RIGHT);  // the pin
    TapKeys({VK_SHIFT, VK_F10});
    EXPECT_EQ(MenuEntries(), (std::vector<std::wstring>{L" Open", L" Unpin from dock"}));
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return test::OpenMenuEntries(corvane_.ProcessId()).empty(); }));
    TapKey(VK_ESCAPE);
    EXPECT_TRUE(InFront(app_.Window())) << "the dock kept the keyboard";
}

}  // namespace
}  // namespace corvane
