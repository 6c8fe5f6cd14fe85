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
#include <vector>

namespace corvane {
namespace {

enum class Ending { Enter, Escape, FocusLoss, SecondStart, CancelMode };

UniqueWindow MakeBed() {
    return UniqueWindow(::CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE,
                                          200, 200, 320, 220, nullptr, nullptr, nullptr, nullptr));
}

TEST(GardenMenusTest, RenameBoxKeepsACleanedNameOnlyWhenCommitted) {
    struct Row {
        const wchar_t* typed;
        Ending ending;
        const wchar_t* expected;  // nullptr: the old name stays
    };
    const Row rows[] = {
        {L"  Photos\tand more ", Ending::Enter, L"Photosand more"},
        {L"Photos", Ending::Escape, nullptr},
        {L"   ", Ending::Enter, nullptr},
        {L"Later", Ending::FocusLoss, L"Later"},
        {L"First", Ending::SecondStart, L"First"},
    };
    const UniqueWindow bed = MakeBed();
    ASSERT_TRUE(bed);
    for (const Row& row : rows) {
        std::vector<std::wstring> renamed;
        RenameBox box(::GetModuleHandleW(nullptr));
        const auto record = [&renamed](const std::wstring& name) { renamed.push_back(name); };
        ASSERT_TRUE(box.Start(bed.Get(), L"Old", record));
        test::PumpMessages();
        ASSERT_EQ(::GetFocus(), box.Edit()) << row.typed;
        ::SetWindowTextW(box.Edit(), row.typed);
        if (row.ending == Ending::FocusLoss) {
            ::SetFocus(bed.Get());
        } else if (row.ending == Ending::SecondStart) {
            ASSERT_TRUE(box.Start(bed.Get(), L"Second", nullptr));
        } else {
            test::TapKey(row.ending == Ending::Enter ? VK_RETURN : VK_ESCAPE);
        }
        test::PumpUntil([&] { return !renamed.empty() || !box.IsOpen(); }, 1000);
        EXPECT_EQ(renamed, row.expected != nullptr ? std::vector<std::wstring>{row.expected}
                                                   : std::vector<std::wstring>{})
            << row.typed;
        EXPECT_EQ(box.IsOpen(), row.ending == Ending::SecondStart) << row.typed;
    }
}

HWND g_owner = nullptr;
std::wstring g_labels;
bool g_forced = false;
Ending g_dismiss = Ending::Escape;

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

void CALLBACK ForceClose(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    g_forced = true;
    ::EndMenu();
}

void CALLBACK Dismiss(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    if (g_dismiss == Ending::Escape) {
        test::TapKey(VK_ESCAPE);
    } else {
        ::PostMessageW(g_owner, WM_CANCELMODE, 0, 0);
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
    g_owner = owner.Get();
    const test::TempFolder folder;
    const std::wstring file = folder.File(L"note.txt");
    ASSERT_TRUE(test::WriteFileBytes(file, {'h', 'i'}));
    for (const Ending dismiss : {Ending::Escape, Ending::CancelMode}) {
        g_labels.clear();
        g_forced = false;
        g_dismiss = dismiss;
        ::SetTimer(nullptr, 0, 400, &Dismiss);
        // A menu the dismissal missed would hang the test.
        const UINT_PTR guard = ::SetTimer(nullptr, 0, 3000, &ForceClose);
        EXPECT_FALSE(ItemMenu::Show(owner.Get(), file, {300, 300}, false));
        ::KillTimer(nullptr, guard);

        EXPECT_FALSE(g_forced) << "the menu stayed open";
        for (const wchar_t* verb : {L"Open", L"Delete", L"Rename", L"Properties"}) {
            EXPECT_NE(g_labels.find(verb), std::wstring::npos) << verb << " in " << g_labels;
        }
        EXPECT_EQ(test::ReadFileBytes(file), (std::vector<uint8_t>{'h', 'i'}));
    }
}

TEST(GardenMenusTest, SortByNameCountsDigitsAsNumbersAndIgnoresCase) {
    Bed bed;
    bed.items = {L"bed 10", L"Bed 2", L"bed 1", L"apple"};
    SortBed(bed, {}, UserNameCompare());
    EXPECT_EQ(bed.items, (std::vector<std::wstring>{L"apple", L"bed 1", L"Bed 2", L"bed 10"}));
}

}  // namespace
}  // namespace corvane
