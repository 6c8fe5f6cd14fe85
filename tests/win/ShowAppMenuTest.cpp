// Menus of a real window in this process: its menu bar read, and
// drop-downs shown with the keys and the pointer scripted from a timer that
// runs inside the menu's modal loop.

#include "appmenus/MenuProfileTable.h"
#include "appmenus/NativeMenus.h"
#include "appmenus/ShowAppMenu.h"
#include "base/Win32Handles.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using test::MovePointer;
using test::TapKey;

constexpr UINT_PTR kScriptTimer = 77;
constexpr UINT kStepMs = 120;

using Received = std::tuple<UINT, WPARAM, LPARAM>;
std::vector<Received> g_received;
std::vector<std::function<void()>> g_script;
std::size_t g_step = 0;
HMENU g_lazy = nullptr;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITMENUPOPUP:
            // Filled only when asked, as many applications do.
            if (reinterpret_cast<HMENU>(wParam) == g_lazy && ::GetMenuItemCount(g_lazy) == 0) {
                ::AppendMenuW(g_lazy, MF_STRING, 900, L"Filled late");
            }
            [[fallthrough]];
        case WM_INITMENU:
        case WM_COMMAND:
        case WM_KEYDOWN:
        case WM_KEYUP:
            g_received.emplace_back(message, wParam, lParam);
            return 0;
        default:
            return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void CALLBACK ScriptStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_step < g_script.size()) {
        g_script[g_step++]();
        return;
    }
    // A drop-down the script did not close would hang the test.
    ::EndMenu();
}

void PumpFor(DWORD ms) {
    test::PumpUntil([] { return false; }, ms);
}

AppMenu Menu(const wchar_t* title, std::vector<KeyChord> chords = {{{VK_CONTROL}, 'A', 0}}) {
    AppMenu menu;
    menu.title = title;
    menu.items.resize(1);
    menu.items[0].name = L"One";
    menu.items[0].chords = std::move(chords);
    return menu;
}

// Label, "~" grayed, "*" checked, "-" a separator, "(...)" a submenu and
// "#id", as the system reports them.
std::wstring Describe(HMENU menu) {
    std::wstring out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        wchar_t label[256] = {};
        ::GetMenuStringW(menu, static_cast<UINT>(i), label, 256, MF_BYPOSITION);
        out += out.empty() ? L"" : L" ";
        if ((state & MF_SEPARATOR) != 0) {
            out += L"-";
            continue;
        }
        out += label + std::wstring((state & MF_GRAYED) != 0 ? L"~" : L"") +
               ((state & MF_CHECKED) != 0 ? L"*" : L"");
        const HMENU submenu = ::GetSubMenu(menu, i);
        out += submenu != nullptr ? L"(" + Describe(submenu) + L")"
                                  : L"#" + std::to_wstring(::GetMenuItemID(menu, i));
    }
    return out;
}

class ShowAppMenuTest : public testing::Test {
protected:
    void SetUp() override {
        g_received.clear();
        g_step = 0;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CorvaneShowMenuTarget";
        ::RegisterClassW(&wc);

        menuBar_ = ::CreateMenu();
        file_ = ::CreatePopupMenu();
        edit_ = ::CreatePopupMenu();
        g_lazy = ::CreatePopupMenu();
        ::AppendMenuW(file_, MF_STRING, 0x10065, L"&Open\tCtrl+O");
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(file_, MF_STRING | MF_GRAYED, 102, L"Save &As...");
        ::AppendMenuW(file_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(g_lazy), L"&Recent");
        ::AppendMenuW(file_, MF_STRING | MF_CHECKED, 103, L"Wrap");
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(edit_, MF_STRING, 201, L"Undo");
        ::AppendMenuW(menuBar_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(file_), L"&File");
        ::AppendMenuW(menuBar_, MF_STRING, 5, L"Plain command");
        ::AppendMenuW(menuBar_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(edit_),
                      L"E&dit && More");
        target_ = UniqueWindow(::CreateWindowExW(0, wc.lpszClassName, L"target",
                                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 400,
                                                 300, nullptr, menuBar_, wc.hInstance, nullptr));
        ASSERT_TRUE(target_) << "no window (is a display set?)";
        // The bar: the titles are on it.
        owner_ = UniqueWindow(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"",
                                                WS_POPUP | WS_VISIBLE, 0, 0, 1200, 30, nullptr,
                                                nullptr, wc.hInstance, nullptr));
        ASSERT_TRUE(owner_);
        PumpFor(100);
    }

    void TearDown() override {
        ::KillTimer(owner_.Get(), kScriptTimer);
        TheMenuProfiles().Clear();
        PumpFor(50);
    }

    // Shows menus[index] at (100, 40) while the script plays.
    int32_t Show(const std::vector<AppMenu>& menus, int32_t index,
                 std::vector<std::function<void()>> script) {
        g_script = std::move(script);
        g_step = 0;
        ::SetTimer(owner_.Get(), kScriptTimer, kStepMs, &ScriptStep);
        const int32_t result = ShowAppMenu(menus, index, POINT{100, 40}, owner_.Get(),
                                           target_.Get(), hitTest_, worker_);
        ::KillTimer(owner_.Get(), kScriptTimer);
        return result;
    }

    // What the application received of these messages, in order.
    static std::vector<Received> Of(std::initializer_list<UINT> messages) {
        std::vector<Received> out;
        for (const Received& r : g_received) {
            if (std::find(messages.begin(), messages.end(), std::get<0>(r)) != messages.end()) {
                out.push_back(r);
            }
        }
        return out;
    }

    HMENU menuBar_ = nullptr;
    HMENU file_ = nullptr;
    HMENU edit_ = nullptr;
    UniqueWindow target_;
    UniqueWindow owner_;
    Worker worker_{nullptr, nullptr};
    int hitTests_ = 0;
    // Titles: the strip x >= 900 is menu 2, x in [700, 900) is menu 0.
    MenuTitleHitTest hitTest_ = [this](POINT p) -> int32_t {
        ++hitTests_;
        if (p.y > 20) {
            return -1;
        }
        return p.x >= 900 ? 2 : (p.x >= 700 ? 0 : -1);
    };
};

TEST_F(ShowAppMenuTest, MenuBarIsReadWithPreparedCascades) {
    const std::vector<AppMenu> menus = ResolveAppMenus(target_.Get(), L"classic.exe");
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(menus[0].title, L"File");
    EXPECT_EQ(menus[0].nativeSubmenu, file_);
    EXPECT_EQ(menus[1].title, L"Edit & More");
    EXPECT_EQ(menus[1].nativeSubmenu, edit_);
    EXPECT_EQ(menus[1].nativePosition, 2);

    const std::vector<AppMenuItem> items = ReadNativeSubmenu(file_, target_.Get(), 0);
    EXPECT_EQ(Of({WM_INITMENUPOPUP}),
              (std::vector<Received>{{WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_lazy), 4}}));
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items[0].commandId, 0x10065u);
    const PopupPlan plan = PlanMenuPopup(items);
    const UniqueMenu popup(BuildMenuPopup(plan));
    ASSERT_TRUE(popup);
    EXPECT_EQ(Describe(popup.Get()),
              L"&Open\tCtrl+O#1 - Save &As...~#2 &Recent(Filled late#3) Wrap*#4");
    EXPECT_EQ(ChosenEntry(plan, 3)->commandId, 900u);
}

TEST_F(ShowAppMenuTest, ANativeMenuIsPreparedByTheApplicationAndPostsItsCommand) {
    AppMenu native;
    native.title = L"File";
    native.nativeSubmenu = file_;
    native.nativePosition = 0;
    EXPECT_EQ(Show({native}, 0, {[] { TapKey(VK_DOWN); }, [] { TapKey(VK_RETURN); }}), -1);
    PumpFor(150);
    const std::vector<Received> expected = {
        {WM_INITMENU, reinterpret_cast<WPARAM>(menuBar_), 0},
        {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file_), 0},
        {WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(g_lazy), 4},
        {WM_COMMAND, 0x0065, 0},  // the low word of the entry's number
    };
    EXPECT_EQ(Of({WM_INITMENU, WM_INITMENUPOPUP, WM_COMMAND}), expected);
}

TEST_F(ShowAppMenuTest, ArrowKeysAndAMovingPointerAskForAnotherMenuAndEscapeReturns) {
    const std::vector<AppMenu> menus = {Menu(L"A"), Menu(L"B"), Menu(L"C")};
    EXPECT_EQ(ShowAppMenu(menus, 3, POINT{0, 0}, owner_.Get(), target_.Get(), hitTest_, worker_),
              -1);
    // The pointer rests on title 0 while Right slides to menu 1, which the
    // bar opens at once; its appearance must not count as a move onto 0.
    MovePointer({750, 5});
    PumpFor(100);
    ASSERT_EQ(Show(menus, 0, {[] { TapKey(VK_RIGHT); }}), 1);
    EXPECT_EQ(Show(menus, 1, {[] {}, [] {}, [] { MovePointer({950, 5}); }}), 2);
    EXPECT_EQ(g_step, 3u) << "the drop-down closed before the pointer moved";
    EXPECT_EQ(Show(menus, 2, {[] { TapKey(VK_RIGHT); }}), 0);
    EXPECT_EQ(Show(menus, 0, {[] { TapKey(VK_ESCAPE); }}), -1);
    PumpFor(100);
    EXPECT_EQ(::GetForegroundWindow(), target_.Get());
    EXPECT_TRUE(Of({WM_KEYDOWN, WM_COMMAND}).empty());
    // The hook is gone once the menu has closed.
    const int before = hitTests_;
    MSG msg = {};
    msg.message = WM_MOUSEMOVE;
    msg.pt = {950, 5};
    ::CallMsgFilterW(&msg, MSGF_MENU);
    EXPECT_EQ(hitTests_, before);
}

TEST_F(ShowAppMenuTest, AChosenShortcutIsTypedIntoTheApplication) {
    const AppMenu menu = Menu(L"Playback", {{{VK_CONTROL}, VK_RIGHT, 1}});
    EXPECT_EQ(Show({menu}, 0, {[] { TapKey(VK_DOWN); }, [] { TapKey(VK_RETURN); }}), -1);
    PumpFor(200);
    // Message, key and extended-key bit of each stroke.
    std::vector<Received> keys;
    for (const auto& [message, key, flags] : Of({WM_KEYDOWN, WM_KEYUP, WM_COMMAND})) {
        if (key == VK_CONTROL || key == VK_RIGHT || message == WM_COMMAND) {
            keys.emplace_back(message, key, (flags >> 24) & 1);
        }
    }
    EXPECT_EQ(keys, (std::vector<Received>{{WM_KEYDOWN, VK_CONTROL, 0},
                                           {WM_KEYDOWN, VK_RIGHT, 1},
                                           {WM_KEYUP, VK_RIGHT, 1},
                                           {WM_KEYUP, VK_CONTROL, 0}}));
}

TEST_F(ShowAppMenuTest, NothingReachesAWindowThatIsGone) {
    AppMenuItem item = Menu(L"Gone").items[0];
    const HWND gone = target_.Get();
    target_.Reset();
    const ULONGLONG start = ::GetTickCount64();
    CarryOutMenuItem(item, gone, worker_);
    // No wait for a window that cannot come to the front.
    EXPECT_LT(::GetTickCount64() - start, 150u);
}

}  // namespace
}  // namespace corvane
