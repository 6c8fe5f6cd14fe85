// Menus read from a real window's menu bar, and drop-downs built as real
// popup menus.

#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenuProfileTable.h"
#include "appmenus/MenusParser.h"
#include "appmenus/NativeMenus.h"
#include "base/Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

// What the window was asked to prepare; a lazily filled submenu gets its
// entry only then, as in many real applications.
std::vector<std::pair<HMENU, int>> g_prepared;
HMENU g_lazy = nullptr;

LRESULT CALLBACK MenuOwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITMENUPOPUP) {
        const HMENU menu = reinterpret_cast<HMENU>(wParam);
        g_prepared.emplace_back(menu, static_cast<int>(LOWORD(lParam)));
        if (menu == g_lazy && ::GetMenuItemCount(menu) == 0) {
            ::AppendMenuW(menu, MF_STRING, 900, L"Filled late");
        }
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring MenuString(HMENU menu, UINT position) {
    wchar_t buffer[256] = {};
    ::GetMenuStringW(menu, position, buffer, 256, MF_BYPOSITION);
    return buffer;
}

class NativeMenus : public testing::Test {
protected:
    void SetUp() override {
        g_prepared.clear();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &MenuOwnerProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"CorvaneMenusTestOwner";
        ::RegisterClassW(&wc);

        const HMENU bar = ::CreateMenu();
        file_ = ::CreatePopupMenu();
        g_lazy = ::CreatePopupMenu();
        ::AppendMenuW(file_, MF_STRING, 101, L"&Open\tCtrl+O");
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(file_, MF_STRING | MF_GRAYED, 102, L"Save &As...");
        ::AppendMenuW(file_, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(g_lazy), L"&Recent");
        ::AppendMenuW(file_, MF_STRING | MF_CHECKED, 103, L"Wrap");
        ::AppendMenuW(file_, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(file_), L"&File");
        ::AppendMenuW(bar, MF_STRING, 5, L"Plain command");
        const HMENU edit = ::CreatePopupMenu();
        ::AppendMenuW(edit, MF_STRING, 201, L"Undo");
        ::AppendMenuW(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(edit),
                      L"E&dit && More");
        for (int i = 3; i < 20; ++i) {
            const HMENU more = ::CreatePopupMenu();
            ::AppendMenuW(more, MF_STRING, 300 + static_cast<UINT_PTR>(i), L"x");
            const std::wstring title = L"T" + std::to_wstring(i);
            ::AppendMenuW(bar, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(more),
                          title.c_str());
        }
        window_ =
            UniqueWindow(::CreateWindowExW(0, wc.lpszClassName, L"menus", WS_OVERLAPPEDWINDOW, 0, 0,
                                           300, 200, nullptr, bar, wc.hInstance, nullptr));
        ASSERT_TRUE(window_) << "no window (is a display set?)";
        ASSERT_EQ(::GetMenu(window_.Get()), bar);
        TheMenuProfiles() = ParseAppMenus(L"[profiled.exe]\nMine\n[*]\nDefault\n");
    }

    void TearDown() override {
        window_.Reset();  // destroys the menu bar with every submenu
        g_lazy = nullptr;
        TheMenuProfiles().Clear();
    }

    UniqueWindow window_;
    HMENU file_ = nullptr;
};

TEST_F(NativeMenus, MenuBarTitlesWhenThereIsNoProfile) {
    const std::vector<AppMenu> menus = ResolveAppMenus(window_.Get(), L"classic.exe");
    // The first 16 positions, without the plain command at position 1.
    ASSERT_EQ(menus.size(), 15u);
    EXPECT_EQ(menus[0].title, L"File");
    EXPECT_EQ(menus[0].nativeSubmenu, file_);
    EXPECT_EQ(menus[0].nativePosition, 0);
    EXPECT_TRUE(menus[0].items.empty());
    EXPECT_EQ(menus[1].title, L"Edit & More");
    EXPECT_EQ(menus[1].nativePosition, 2);
    EXPECT_EQ(menus.back().title, L"T15");
}

TEST_F(NativeMenus, ProfileFirstAndTheDefaultLast) {
    std::vector<AppMenu> menus = ResolveAppMenus(window_.Get(), L"profiled.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Mine");
    menus = ResolveAppMenus(nullptr, L"classic.exe");
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Default");
    // Without its menu bar the window gets the default profile too.
    const HMENU bar = ::GetMenu(window_.Get());
    ::SetMenu(window_.Get(), nullptr);
    menus = ResolveAppMenus(window_.Get(), L"classic.exe");
    ::DestroyMenu(bar);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Default");
}

TEST_F(NativeMenus, SubmenuEntriesWithStatesShortcutsAndPreparedCascades) {
    const std::vector<AppMenuItem> items = ReadNativeSubmenu(file_, window_.Get(), 0);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].name, L"&Open");
    EXPECT_EQ(items[0].shortcutText, L"Ctrl+O");
    EXPECT_EQ(items[0].commandId, 101u);
    EXPECT_TRUE(items[1].isSeparator);
    EXPECT_EQ(items[2].name, L"Save &As...");
    EXPECT_TRUE(items[2].disabled);
    EXPECT_EQ(items[3].name, L"&Recent");
    EXPECT_EQ(items[3].commandId, 0u);
    ASSERT_EQ(items[3].children.size(), 1u);
    EXPECT_EQ(items[3].children[0].name, L"Filled late");
    EXPECT_EQ(items[3].children[0].commandId, 900u);
    EXPECT_TRUE(items[4].checked);
    EXPECT_FALSE(items[4].disabled);
    EXPECT_EQ(g_prepared, (std::vector<std::pair<HMENU, int>>{{g_lazy, 4}}));
}

TEST_F(NativeMenus, WithoutAWindowTheCascadesAreReadAsTheyAre) {
    const std::vector<AppMenuItem> items = ReadNativeSubmenu(file_, nullptr, 0);
    ASSERT_EQ(items.size(), 5u);
    EXPECT_TRUE(items[3].children.empty());
    EXPECT_TRUE(g_prepared.empty());
    EXPECT_TRUE(ReadNativeSubmenu(nullptr, window_.Get(), 0).empty());
}

TEST_F(NativeMenus, PopupFollowsThePlan) {
    const std::vector<AppMenuItem> items = ReadNativeSubmenu(file_, window_.Get(), 0);
    const PopupPlan plan = PlanMenuPopup(items);
    const HMENU popup = BuildMenuPopup(plan);
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(::GetMenuItemCount(popup), 5);
    EXPECT_EQ(MenuString(popup, 0), L"&Open\tCtrl+O");
    EXPECT_EQ(::GetMenuItemID(popup, 0), 1u);
    EXPECT_NE(::GetMenuState(popup, 1, MF_BYPOSITION) & MF_SEPARATOR, 0u);
    EXPECT_NE(::GetMenuState(popup, 2, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_EQ(::GetMenuItemID(popup, 2), 2u);
    const HMENU recent = ::GetSubMenu(popup, 3);
    ASSERT_NE(recent, nullptr);
    EXPECT_EQ(MenuString(popup, 3), L"&Recent");
    EXPECT_EQ(::GetMenuItemID(recent, 0), 3u);
    EXPECT_EQ(MenuString(recent, 0), L"Filled late");
    EXPECT_NE(::GetMenuState(popup, 4, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(::GetMenuItemID(popup, 4), 4u);
    EXPECT_EQ(ChosenEntry(plan, 3)->commandId, 900u);
    EXPECT_TRUE(::DestroyMenu(popup));
}

}  // namespace
}  // namespace corvane
