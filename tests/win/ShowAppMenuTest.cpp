// Drop-downs shown in this process: the keys and the pointer are scripted
// from a timer that runs inside the menu's modal loop.

#include "appmenus/ShowAppMenu.h"
#include "base/Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr UINT_PTR kScriptTimer = 77;
constexpr UINT kStepMs = 120;

struct Received {
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

std::vector<Received> g_received;
std::vector<std::function<void()>> g_script;
std::size_t g_step = 0;
HMENU g_lazy = nullptr;

LRESULT CALLBACK TargetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITMENU:
        case WM_COMMAND:
        case WM_KEYDOWN:
        case WM_KEYUP:
            g_received.push_back({message, wParam, lParam});
            return 0;
        case WM_INITMENUPOPUP:
            g_received.push_back({message, wParam, lParam});
            // Filled only when asked, as many applications do.
            if (reinterpret_cast<HMENU>(wParam) == g_lazy && ::GetMenuItemCount(g_lazy) == 1) {
                ::AppendMenuW(g_lazy, MF_STRING, 150, L"Filled late");
            }
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

void Tap(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

void MovePointer(POINT p) {
    ::SetCursorPos(p.x, p.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(p.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(p.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void PumpFor(DWORD ms) {
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

AppMenuItem Command(const wchar_t* name) {
    AppMenuItem item;
    item.name = name;
    item.chords.push_back({{0x11}, 'A', 0});
    item.shortcutText = L"Ctrl+A";
    return item;
}

AppMenu FileMenu(const wchar_t* title) {
    AppMenu menu;
    menu.title = title;
    menu.items = {Command(L"One"), Command(L"Two")};
    return menu;
}

class ShowAppMenuTest : public testing::Test {
protected:
    void SetUp() override {
        g_received.clear();
        g_script.clear();
        g_step = 0;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TargetProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CorvaneShowMenuTarget";
        ::RegisterClassW(&wc);

        menuBar_ = ::CreateMenu();
        file_ = ::CreatePopupMenu();
        g_lazy = file_;
        ::AppendMenuW(file_, MF_STRING, 101, L"&Open\tCtrl+O");
        ::AppendMenuW(menuBar_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(file_), L"&File");
        target_ = UniqueWindow(::CreateWindowExW(0, wc.lpszClassName, L"target",
                                                 WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 400,
                                                 300, nullptr, menuBar_, wc.hInstance, nullptr));
        ASSERT_TRUE(target_) << "no window (is a display set?)";
        owner_ = UniqueWindow(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                                                0, 0, 600, 30, nullptr, nullptr, wc.hInstance,
                                                nullptr));
        ASSERT_TRUE(owner_);
        PumpFor(100);
    }

    void TearDown() override {
        ::KillTimer(owner_.Get(), kScriptTimer);
        PumpFor(50);
    }

    // Shows menus[index] at (100, 40) while the script plays.
    int32_t Show(const std::vector<AppMenu>& menus, int32_t index,
                 std::vector<std::function<void()>> script) {
        g_script = std::move(script);
        g_step = 0;
        ::SetTimer(owner_.Get(), kScriptTimer, kStepMs, &ScriptStep);
        const int32_t result = ShowAppMenu(menus, index, POINT{100, 40}, owner_.Get(),
                                           target_.Get(), hitTest_);
        ::KillTimer(owner_.Get(), kScriptTimer);
        return result;
    }

    std::vector<Received> Of(std::initializer_list<UINT> messages) const {
        std::vector<Received> out;
        for (const Received& r : g_received) {
            for (const UINT m : messages) {
                if (r.message == m) {
                    out.push_back(r);
                }
            }
        }
        return out;
    }

    HMENU menuBar_ = nullptr;
    HMENU file_ = nullptr;
    UniqueWindow target_;
    UniqueWindow owner_;
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

TEST_F(ShowAppMenuTest, AnIndexOutsideTheListShowsNothing) {
    const std::vector<AppMenu> menus = {FileMenu(L"A")};
    EXPECT_EQ(ShowAppMenu(menus, 1, POINT{0, 0}, owner_.Get(), target_.Get(), hitTest_), -1);
    EXPECT_EQ(ShowAppMenu(menus, -1, POINT{0, 0}, owner_.Get(), target_.Get(), hitTest_), -1);
    EXPECT_EQ(hitTests_, 0);
}

TEST_F(ShowAppMenuTest, ArrowKeysAskForTheNeighbourAndWrapAround) {
    const std::vector<AppMenu> menus = {FileMenu(L"A"), FileMenu(L"B"), FileMenu(L"C")};
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_RIGHT); }}), 1);
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_LEFT); }}), 2);
    EXPECT_EQ(Show(menus, 2, {[] { Tap(VK_RIGHT); }}), 0);
    // Sliding on leaves the application in the background.
    EXPECT_TRUE(Of({WM_KEYDOWN, WM_COMMAND}).empty());
}

TEST_F(ShowAppMenuTest, WithOneMenuTheArrowsDoNothingAndEscapeReturnsToTheApplication) {
    const std::vector<AppMenu> menus = {FileMenu(L"A")};
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_RIGHT); }, [] { Tap(VK_LEFT); },
                              [] { Tap(VK_ESCAPE); }}),
              -1);
    EXPECT_EQ(g_step, 3u) << "the drop-down closed before Escape";
    PumpFor(100);
    EXPECT_EQ(::GetForegroundWindow(), target_.Get());
    EXPECT_TRUE(Of({WM_COMMAND, WM_KEYDOWN}).empty());
}

TEST_F(ShowAppMenuTest, ACascadingSubmenuKeepsTheArrowKeys) {
    AppMenu withCascade = FileMenu(L"A");
    AppMenuItem cascade;
    cascade.name = L"More";
    cascade.children = {Command(L"Deep")};
    withCascade.items.push_back(cascade);
    const std::vector<AppMenu> menus = {withCascade, FileMenu(L"B")};
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_RIGHT); }, [] { Tap(VK_LEFT); },
                              [] { Tap(VK_ESCAPE); }}),
              -1);
    EXPECT_EQ(g_step, 3u);
}

TEST_F(ShowAppMenuTest, HoveringAnotherTitleAsksForItsMenu) {
    const std::vector<AppMenu> menus = {FileMenu(L"A"), FileMenu(L"B"), FileMenu(L"C")};
    EXPECT_EQ(Show(menus, 0, {[] { MovePointer({950, 5}); }}), 2);
    EXPECT_GT(hitTests_, 0);
}

TEST_F(ShowAppMenuTest, HoveringTheOpenTitleKeepsItsMenu) {
    const std::vector<AppMenu> menus = {FileMenu(L"A"), FileMenu(L"B"), FileMenu(L"C")};
    EXPECT_EQ(Show(menus, 0, {[] { MovePointer({750, 5}); }, [] { MovePointer({760, 6}); },
                              [] { Tap(VK_ESCAPE); }}),
              -1);
    EXPECT_EQ(g_step, 3u);
    EXPECT_GT(hitTests_, 0);
}

TEST_F(ShowAppMenuTest, TheHookIsGoneOnceTheMenuCloses) {
    const std::vector<AppMenu> menus = {FileMenu(L"A"), FileMenu(L"B")};
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_ESCAPE); }}), -1);
    const int before = hitTests_;
    MSG msg = {};
    msg.message = WM_MOUSEMOVE;
    msg.pt = {950, 5};
    ::CallMsgFilterW(&msg, MSGF_MENU);
    EXPECT_EQ(hitTests_, before);
}

TEST_F(ShowAppMenuTest, ANativeMenuIsPreparedByTheApplicationAndPostsItsCommand) {
    AppMenu native;
    native.title = L"File";
    native.nativeSubmenu = file_;
    native.nativePosition = 0;
    const std::vector<AppMenu> menus = {native};
    // The second entry exists only after the application prepared the menu.
    EXPECT_EQ(Show(menus, 0, {[] { Tap(VK_DOWN); }, [] { Tap(VK_DOWN); },
                              [] { Tap(VK_RETURN); }}),
              -1);
    PumpFor(150);
    const auto init = Of({WM_INITMENU, WM_INITMENUPOPUP});
    ASSERT_GE(init.size(), 2u);
    EXPECT_EQ(init[0].message, static_cast<UINT>(WM_INITMENU));
    EXPECT_EQ(reinterpret_cast<HMENU>(init[0].wParam), menuBar_);
    EXPECT_EQ(init[1].message, static_cast<UINT>(WM_INITMENUPOPUP));
    EXPECT_EQ(reinterpret_cast<HMENU>(init[1].wParam), file_);
    EXPECT_EQ(init[1].lParam, 0);
    const auto commands = Of({WM_COMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 150u);
    EXPECT_EQ(commands[0].lParam, 0);
}

TEST_F(ShowAppMenuTest, AChosenShortcutIsTypedIntoTheApplication) {
    AppMenu menu;
    menu.title = L"Playback";
    AppMenuItem next;
    next.name = L"Next";
    next.shortcutText = L"Ctrl+Right";
    next.chords.push_back({{0x11}, VK_RIGHT, 1});
    menu.items = {next};
    EXPECT_EQ(Show({menu}, 0, {[] { Tap(VK_DOWN); }, [] { Tap(VK_RETURN); }}), -1);
    PumpFor(200);
    std::vector<Received> keys;
    for (const Received& r : Of({WM_KEYDOWN, WM_KEYUP})) {
        if (r.wParam == VK_CONTROL || r.wParam == VK_RIGHT) {
            keys.push_back(r);
        }
    }
    ASSERT_EQ(keys.size(), 4u);
    const auto extended = [](const Received& r) { return (r.lParam >> 24) & 1; };
    EXPECT_EQ(keys[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>(VK_CONTROL));
    EXPECT_EQ(keys[1].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(keys[1].wParam, static_cast<WPARAM>(VK_RIGHT));
    EXPECT_EQ(extended(keys[1]), 1);
    EXPECT_EQ(keys[2].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(keys[2].wParam, static_cast<WPARAM>(VK_RIGHT));
    EXPECT_EQ(extended(keys[2]), 1);
    EXPECT_EQ(keys[3].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(keys[3].wParam, static_cast<WPARAM>(VK_CONTROL));
    EXPECT_EQ(extended(keys[3]), 0);
    EXPECT_TRUE(Of({WM_COMMAND}).empty());
}

TEST_F(ShowAppMenuTest, ANativeCommandKeepsOnlyItsLowWord) {
    AppMenuItem item;
    item.name = L"Wide";
    item.commandId = 0x12345;
    CarryOutMenuItem(item, target_.Get());
    PumpFor(100);
    const auto commands = Of({WM_COMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 0x2345u);
}

TEST_F(ShowAppMenuTest, NothingReachesAWindowThatIsGone) {
    AppMenuItem item;
    item.name = L"Gone";
    item.commandId = 7;
    const HWND gone = target_.Get();
    target_.Reset();
    CarryOutMenuItem(item, gone);
    item.commandId = 0;
    item.chords.push_back({{0x11}, 'K', 0});
    const ULONGLONG start = ::GetTickCount64();
    CarryOutMenuItem(item, gone);
    // No wait for a window that cannot come to the front.
    EXPECT_LT(::GetTickCount64() - start, 150u);
    PumpFor(100);
    EXPECT_TRUE(g_received.empty());
}

}  // namespace
}  // namespace corvane
