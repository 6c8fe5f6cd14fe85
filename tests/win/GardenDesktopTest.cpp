// The garden's reach into the system: the desktop folders, garden.ini and
// Explorer's desktop windows (stand-ins built here, as Wine has none).

#include "base/Win32Handles.h"
#include "config/Language.h"
#include "garden/DesktopIcons.h"
#include "garden/DesktopScan.h"
#include "garden/FolderWatch.h"
#include "garden/GardenStore.h"
#include "garden/ItemMenu.h"
#include "garden/RenameBox.h"
#include "garden/ShowBedMenu.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

TEST(GardenDesktop, ScanListsBothDesktopsAsExplorerDoesAndWatchSeesNewFiles) {
    test::RedirectedDesktops desktops;
    ASSERT_TRUE(desktops.ready);
    // Folder, file, attributes; the user's desktop first.
    const std::tuple<const test::TempFolder*, const wchar_t*, DWORD> kFiles[] = {
        {&desktops.user, L"Notes.txt", FILE_ATTRIBUTE_NORMAL},
        {&desktops.user, L"Mail.lnk", FILE_ATTRIBUTE_NORMAL},
        {&desktops.user, L"secret.txt", FILE_ATTRIBUTE_HIDDEN},
        {&desktops.common, L"boot.ini", FILE_ATTRIBUTE_SYSTEM},
        {&desktops.common, L"Shared.txt", FILE_ATTRIBUTE_NORMAL}};
    for (const auto& [folder, file, attributes] : kFiles) {
        ASSERT_TRUE(test::WriteFileBytes(folder->File(file), {'x'}));
        ::SetFileAttributesW(folder->File(file).c_str(), attributes);
    }
    SetNorwegian(false);
    std::set<std::wstring> shown;
    for (const auto& [id, item] : ScanDesktop()) {
        shown.insert(GardenItemName(item));
    }
    EXPECT_EQ(shown,
              (std::set<std::wstring>{L"Mail", L"Notes.txt", L"Recycle Bin", L"Shared.txt"}));

    std::atomic<int> changes{0};
    FolderWatch watch(DesktopFolders(), FILE_NOTIFY_CHANGE_FILE_NAME, [&] { ++changes; });
    for (const test::TempFolder* folder : {&desktops.user, &desktops.common}) {
        for (const wchar_t* name : {L"new.txt", L"newer.txt"}) {
            ASSERT_TRUE(test::WriteFileBytes(folder->File(name), {'y'}));
            EXPECT_TRUE(test::WaitUntil([&] { return changes.load() > 0; }, 1500)) << name;
            ::Sleep(300);
            EXPECT_EQ(changes.exchange(0), 1) << "told again before it was watched again";
            watch.Rearm();
        }
    }
}

TEST(GardenDesktop, SaveReplacesTheFileWholeOrNotAtAll) {
    test::TempFolder folder;
    const std::wstring ini = folder.File(L"garden.ini");
    const std::wstring tmp = ini + L".tmp";
    const std::vector<Bed> beds{
        {L"Apps", {24, 24, 396, 324}, false, false, {L"c:\\a.lnk"}},
        {L"Desktop", {412, 24, 784, 324}, true, true, {L"c:\\b", L"c:\\c"}}};
    // A temp file from a save that died: its sections must not survive.
    ASSERT_TRUE(test::WriteFileBytes(tmp, {'[', 'B', 'e', 'd', '7', ']'}));
    ASSERT_TRUE(SaveGardenBeds(beds, ini));
    const auto fields = [](const Bed& b) {
        return std::tie(b.name, b.rect, b.collapsed, b.catchAll, b.items);
    };
    const std::vector<Bed> loaded = LoadGardenBeds(ini).beds;
    ASSERT_EQ(loaded.size(), 2u);  // no [Bed7]
    EXPECT_TRUE(fields(loaded[0]) == fields(beds[0]) && fields(loaded[1]) == fields(beds[1]));

    // The temp path taken by a folder: nothing can be written.
    const std::vector<uint8_t> before = test::ReadFileBytes(ini);
    ASSERT_TRUE(::CreateDirectoryW(tmp.c_str(), nullptr));
    EXPECT_FALSE(SaveGardenBeds({beds[1]}, ini));
    EXPECT_EQ(test::ReadFileBytes(ini), before);
    ASSERT_TRUE(ResetGardenFile(ini));
    EXPECT_TRUE(LoadGardenBeds(ini).beds.empty());
}

TEST(GardenDesktop, AFileWithoutBedsIsCopiedAsideOnlyOnceItCanBeRead) {
    // Deeper than the file functions take without the long-path prefix.
    test::TempFolder root;
    std::wstring deep = L"\\\\?\\" + root.Path();
    while (deep.size() < MAX_PATH + 4) {
        deep += L"\\" + std::wstring(50, L'd');
        ASSERT_TRUE(::CreateDirectoryW(deep.c_str(), nullptr));
    }
    const std::wstring ini = deep.substr(4) + L"\\garden.ini";
    const std::wstring whole = deep + L"\\garden.ini";
    const std::vector<uint8_t> older{'o'}, damaged{'[', 'G', 'a', 'r', 'd', 'e', 'n', ']', 'x'};
    ASSERT_TRUE(test::WriteFileBytes(whole + L".bak", older) &&
                test::WriteFileBytes(whole, damaged));
    for (const bool locked : {true, false}) {
        // Held by a program that shares it with no one.
        const UniqueHandle lock(locked ? ::CreateFileW(whole.c_str(), GENERIC_READ, 0, nullptr,
                                                       OPEN_EXISTING, 0, nullptr)
                                       : INVALID_HANDLE_VALUE);
        ASSERT_EQ(static_cast<bool>(lock), locked);
        const GardenLoad load = LoadGardenBeds(ini);
        EXPECT_TRUE(load.beds.empty() && load.fileHeld == locked);
        EXPECT_EQ(test::ReadFileBytes(whole + L".bak"), locked ? older : damaged);
    }
    EXPECT_EQ(test::ReadFileBytes(whole), damaged);
    ASSERT_TRUE(SaveGardenBeds({{L"A", {0, 0, 400, 300}, false, true, {}}}, ini));
    EXPECT_EQ(LoadGardenBeds(ini).beds.size(), 1u);
}

HWND g_bed = nullptr;

// Hidden top-level windows keep their z-order; Wine is slow to destroy shown ones.
HWND Make(const wchar_t* className, HWND parent = nullptr) {
    const WNDCLASSW wc{0,       ::DefWindowProcW, 0,       0,       ::GetModuleHandleW(nullptr),
                       nullptr, nullptr,          nullptr, nullptr, className};
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, className, L"", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, 0, 0, 50,
                             50, parent, nullptr, wc.hInstance, nullptr);
}

TEST(GardenDesktop, IconListAndBedsFollowAWorkerWDesktop) {
    // A WorkerW's beside an empty Progman (no desktop window and Progman's
    // are the end-to-end test's); made bottom-up: the hosts, an application,
    // then the bed on top.
    const UniqueWindow progman(Make(L"Progman"));
    const UniqueWindow desktop(Make(L"WorkerW"));
    const HWND list = Make(L"SysListView32", Make(L"SHELLDLL_DefView", desktop.Get()));
    const UniqueWindow app(Make(L"CorvaneTestApp"));
    const UniqueWindow bed(Make(L"CorvaneTestBed"));
    g_bed = bed.Get();
    for (const bool show : {false, true}) {
        SetDesktopIconsVisible(show);
        EXPECT_EQ((::GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE) != 0, show);
    }
    PlaceInDesktopLayer(bed.Get(), [](HWND window) noexcept { return window == g_bed; });
    EXPECT_EQ(::GetWindow(bed.Get(), GW_HWNDNEXT), desktop.Get());
    EXPECT_EQ(::GetWindow(bed.Get(), GW_HWNDPREV), app.Get());
}

// The bed's rename box, an item's Explorer menu and the name order, with the
// real controls, shell and locale.
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
ItemMenu g_itemMenu;

LRESULT CALLBACK OwnerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; g_itemMenu.HandleMenuMessage(message, wParam, lParam, result)) {
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
    EXPECT_FALSE(g_itemMenu.Show(owner.Get(), file, {300, 300}, false));
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
