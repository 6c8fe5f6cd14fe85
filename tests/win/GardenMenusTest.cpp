// The bed's rename box, an item's Explorer menu and the name order, with the
// real controls, shell and locale.

#include "base/Win32Handles.h"
#include "garden/ItemMenu.h"
#include "garden/RenameBox.h"
#include "garden/ShowBedMenu.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

enum class Ending { Enter, Escape, FocusLoss, SecondStart };

TEST(GardenMenusTest, RenameBoxKeepsACleanedNameOnlyWhenCommitted) {
    // Typed text, how the box ends, the names reported ("" when the old stays).
    const std::tuple<const wchar_t*, Ending, const wchar_t*> rows[] = {
        {L"  Photos\tand more ", Ending::Enter, L"Photosand more"},
        {L"Photos", Ending::Escape, L""},
        {L"   ", Ending::Enter, L""},
        {L"Later", Ending::FocusLoss, L"Later"},
        {L"First", Ending::SecondStart, L"First"},
    };
    const UniqueWindow bed(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"",
                                             WS_POPUP | WS_VISIBLE, 200, 200, 320, 220, nullptr,
                                             nullptr, nullptr, nullptr));
    for (const auto& [typed, ending, expected] : rows) {
        std::wstring renamed;
        RenameBox box(::GetModuleHandleW(nullptr));
        ASSERT_TRUE(
            box.Start(bed.Get(), L"Old", [&](const std::wstring& name) { renamed += name; }));
        test::PumpMessages();
        ASSERT_EQ(::GetFocus(), box.Edit()) << typed;
        ::SetWindowTextW(box.Edit(), typed);
        if (ending == Ending::FocusLoss) {
            ::SetFocus(bed.Get());
        } else if (ending == Ending::SecondStart) {
            ASSERT_TRUE(box.Start(bed.Get(), L"Second", nullptr));
        } else {
            test::TapKey(ending == Ending::Enter ? VK_RETURN : VK_ESCAPE);
        }
        test::PumpUntil([&] { return !renamed.empty() || !box.IsOpen(); }, 1000);
        EXPECT_EQ(renamed, expected) << typed;
        EXPECT_EQ(box.IsOpen(), ending == Ending::SecondStart) << typed;
    }
}

std::wstring g_labels;
int g_ticks = 0;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; ItemMenu::HandleMenuMessage(message, wParam, lParam, result)) {
        return result;
    }
    if (message == WM_INITMENUPOPUP && g_labels.empty()) {
        const auto menu = reinterpret_cast<HMENU>(wParam);
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t label[128] = {};
            ::GetMenuStringW(menu, static_cast<UINT>(i), label, 128, MF_BYPOSITION);
            g_labels += label + std::wstring(L"|");
        }
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// Runs inside the menu's modal loop: Escape first, and should the menu still
// be open two ticks later, it is ended so that the test fails instead of hanging.
void CALLBACK MenuTick(HWND, UINT, UINT_PTR, DWORD) {
    if (++g_ticks == 1) {
        test::TapKey(VK_ESCAPE);
    } else if (g_ticks == 3) {
        ::EndMenu();
    }
}

TEST(GardenMenusTest, ItemMenuOffersTheShellVerbsAndLeavesTheFileWhenDismissed) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneItemMenuOwner";
    ::RegisterClassW(&wc);
    const UniqueWindow owner(::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"",
                                               WS_POPUP | WS_VISIBLE, 200, 200, 320, 220, nullptr,
                                               nullptr, wc.hInstance, nullptr));
    ASSERT_TRUE(owner);
    const ComApartment com;
    const test::TempFolder folder;
    const std::wstring file = folder.File(L"note.txt");
    ASSERT_TRUE(test::WriteFileBytes(file, {'h', 'i'}));
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 500, &MenuTick);
    EXPECT_FALSE(ItemMenu::Show(owner.Get(), file, {300, 300}, false));
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_ticks, 1) << "Escape did not close the menu";
    for (const wchar_t* verb : {L"Open", L"Delete", L"Rename", L"Properties"}) {
        EXPECT_NE(g_labels.find(verb), std::wstring::npos) << verb << " in " << g_labels;
    }
    EXPECT_EQ(test::ReadFileBytes(file), (std::vector<uint8_t>{'h', 'i'}));
}

TEST(GardenMenusTest, SortByNameCountsDigitsAsNumbersAndIgnoresCase) {
    Bed bed;
    bed.items = {L"bed 10", L"Bed 2", L"bed 1", L"apple"};
    SortBed(bed, {}, UserNameCompare());
    EXPECT_EQ(bed.items, (std::vector<std::wstring>{L"apple", L"bed 1", L"Bed 2", L"bed 10"}));
}

}  // namespace
}  // namespace corvane
