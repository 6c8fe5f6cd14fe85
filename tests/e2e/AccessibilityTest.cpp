// The real corvane.exe read from another process as a screen reader reads
// it: the bar's items with their names, roles and states, a menu title's
// default action opening its drop-down, the focus the bar's keys move, and
// CorMenu's search box and results.

#include "appmenus/MenusFileText.h"
#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "config/Texts.h"
#include "e2e/E2ESupport.h"
#include "support/AccessibleReader.h"

#include <oleacc.h>

#include <algorithm>

namespace corvane {
namespace {

using test::AccessibleChild;
using test::WaitUntil;

class AccessibilityE2E : public test::CorvaneTest {
protected:
    void TearDown() override {
        test::TapKey(VK_ESCAPE);
        CorvaneTest::TearDown();
    }

    // Corvane with two menus for the helper in front; the bar's children then.
    std::vector<AccessibleChild> Start() {
        EXPECT_TRUE(
            test::WriteFileBytes(folder_.File(L"menus.txt"),
                                 EncodeMenusFileBytes(L"[reader.exe]\nAaa\n    Next = "
                                                      L"Ctrl+Right\nBbb\n    Copy = Ctrl+C\n")));
        EXPECT_NE(StartCorvane(test::IniText()), nullptr);
        EXPECT_TRUE(app_.Start(folder_.Path(), L"reader.exe", L"normal"));
        std::vector<AccessibleChild> children;
        WaitUntil([&] { return Find(children = test::ReadAccessibleChildren(bar_), L"Bbb"); },
                  15000);
        return children;
    }

    // Waits for `done`, handing this thread's WinEvents to their hooks.
    template <typename Done>
    static bool Pump(Done done) {
        return WaitUntil(
            [&] {
                MSG msg;
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::DispatchMessageW(&msg);
                }
                return done();
            },
            5000);
    }

    static const AccessibleChild* Find(const std::vector<AccessibleChild>& children,
                                       const std::wstring& name) {
        const auto it = std::ranges::find(children, name, &AccessibleChild::name);
        return it != children.end() ? &*it : nullptr;
    }

    test::HelperApp app_;
};

TEST_F(AccessibilityE2E, TheBarsItemsReadWithRolesAndStatesAndATitlesDefaultActionOpensIt) {
    const std::vector<AccessibleChild> children = Start();
    for (const wchar_t* title : {L"Aaa", L"Bbb"}) {
        const AccessibleChild* item = Find(children, title);
        ASSERT_NE(item, nullptr) << title;
        EXPECT_EQ(item->role, ROLE_SYSTEM_MENUITEM);
        EXPECT_TRUE(item->state & STATE_SYSTEM_HASPOPUP);
    }
    // Tiling is off in the test's settings.
    const AccessibleChild* tiling = Find(children, Text(TextId::TilingOff));
    ASSERT_NE(tiling, nullptr);
    EXPECT_EQ(tiling->role, ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_FALSE(tiling->state & STATE_SYSTEM_CHECKED);

    // A menu title's default action opens its drop-down.
    ASSERT_TRUE(test::DoAccessibleDefaultAction(bar_, L"Bbb"));
    std::vector<std::wstring> entries;
    ASSERT_TRUE(WaitUntil(
        [&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); }, 5000));
    EXPECT_NE(entries.front().find(L"Copy"), std::wstring::npos) << entries.front();
    const AccessibleChild* open = Find(test::ReadAccessibleChildren(bar_), L"Bbb");
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->state & STATE_SYSTEM_EXPANDED);
}

HWND g_focusWindow = nullptr;
LONG g_focusChild = 0;

// The bar's keys put the focus on the first title, and readers hear of it.
TEST_F(AccessibilityE2E, TheFocusTheBarKeysMoveIsAnnounced) {
    ASSERT_TRUE(Find(Start(), L"Aaa"));
    const HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
            if (object == OBJID_CLIENT) {
                g_focusWindow = window;
                g_focusChild = child;
            }
        },
        corvane_.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    test::TapKeys({VK_CONTROL, VK_MENU, VK_F2});
    EXPECT_TRUE(Pump([&] { return g_focusWindow == bar_; }));
    ::UnhookWinEvent(hook);
    const std::vector<AccessibleChild> children = test::ReadAccessibleChildren(bar_);
    ASSERT_TRUE(g_focusChild > 0 && g_focusChild <= static_cast<LONG>(children.size()));
    EXPECT_EQ(children[static_cast<std::size_t>(g_focusChild - 1)].name, L"Aaa");
    EXPECT_TRUE(children[static_cast<std::size_t>(g_focusChild - 1)].state & STATE_SYSTEM_FOCUSED);
}

std::wstring g_selected;

// CorMenu: the search box holds the query, the results are the list's
// items with the selection, whose moves readers hear, and a result's
// default action starts it.
TEST_F(AccessibilityE2E, CorMenusSearchAndResultsReadAndAResultsDefaultActionStartsIt) {
    const std::wstring probe = test::CopyBuiltFile(L"test_helper.exe", folder_.File(L"probe.exe"));
    const test::ProgramsShortcut shortcut(folder_, L"Corvane Probe", probe);
    ASSERT_FALSE(shortcut.path.empty());
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .startMenu = 1})), nullptr);
    ::PostMessageW(control_, WM_APP_COMMAND, CMD_TOGGLE_START_MENU, 0);
    const HWND menu = WaitShown(L"CorvaneCorMenu");
    ASSERT_NE(menu, nullptr);
    ::Sleep(400);  // done sliding into place, with the keyboard
    const HWINEVENTHOOK hook = ::SetWinEventHook(
        EVENT_OBJECT_SELECTION, EVENT_OBJECT_SELECTION, nullptr,
        [](HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
            g_selected = test::AccessibleEventName(window, object, child);
        },
        corvane_.ProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    test::TypeText(L"probe");
    // The first result is selected, and readers find it from the event.
    EXPECT_TRUE(Pump([] { return g_selected == L"Corvane Probe"; })) << g_selected;
    ::UnhookWinEvent(hook);
    const std::wstring results = Text(TextId::Results);
    std::vector<AccessibleChild> items;
    ASSERT_TRUE(WaitUntil(
        [&] { return Find(items = test::ReadAccessibleChildren(menu, results), L"Corvane Probe"); },
        5000));
    const AccessibleChild* item = Find(items, L"Corvane Probe");
    EXPECT_EQ(item->role, ROLE_SYSTEM_LISTITEM);
    EXPECT_TRUE(item->state & STATE_SYSTEM_SELECTED);
    const std::vector<AccessibleChild> top = test::ReadAccessibleChildren(menu);
    ASSERT_FALSE(top.empty());
    EXPECT_EQ(top[0].role, ROLE_SYSTEM_TEXT);
    EXPECT_EQ(top[0].value, L"probe");
    EXPECT_TRUE(top[0].state & STATE_SYSTEM_FOCUSED);

    ASSERT_TRUE(test::DoAccessibleDefaultAction(menu, L"Corvane Probe", results));
    EXPECT_TRUE(
        WaitUntil([] { return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr; }, 5000))
        << "the default action started nothing";
    DWORD pid = 0;
    ::GetWindowThreadProcessId(::FindWindowW(test::kHelperWindowClass, nullptr), &pid);
    if (const UniqueHandle started(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, 0, pid));
        started && ::TerminateProcess(started.Get(), 0)) {
        ::WaitForSingleObject(started.Get(), 5000);
    }
}

}  // namespace
}  // namespace corvane
