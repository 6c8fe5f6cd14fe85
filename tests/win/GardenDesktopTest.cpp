// The garden's reach into the system: the desktop folders, garden.ini and
// Explorer's desktop windows (stand-ins built here, as Wine has none).

#include "base/Win32Handles.h"
#include "config/Language.h"
#include "garden/DesktopIcons.h"
#include "garden/DesktopScan.h"
#include "garden/DesktopWatch.h"
#include "garden/GardenStore.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <set>

namespace corvane {
namespace {

using test::TempFolder;

TEST(GardenDesktop, ScanListsBothDesktopsAsExplorerDoesAndWatchSeesNewFiles) {
    test::RedirectedDesktops desktops;
    ASSERT_TRUE(desktops.Ready());
    struct Entry {
        bool onPublic;
        const wchar_t* file;
        DWORD attributes;
        const wchar_t* shown;  // nullptr: left out
    };
    constexpr Entry kEntries[] = {{false, L"Notes.txt", FILE_ATTRIBUTE_NORMAL, L"Notes.txt"},
                                  {false, L"Mail.lnk", FILE_ATTRIBUTE_NORMAL, L"Mail"},
                                  {false, L"secret.txt", FILE_ATTRIBUTE_HIDDEN, nullptr},
                                  {true, L"boot.ini", FILE_ATTRIBUTE_SYSTEM, nullptr},
                                  {true, L"Shared.txt", FILE_ATTRIBUTE_NORMAL, L"Shared.txt"}};
    std::set<std::wstring> expected{L"Recycle Bin"};
    for (const Entry& e : kEntries) {
        const std::wstring path = (e.onPublic ? desktops.Public() : desktops.User()).File(e.file);
        ASSERT_TRUE(test::WriteFileBytes(path, {'x'}));
        ::SetFileAttributesW(path.c_str(), e.attributes);
        if (e.shown != nullptr) {
            expected.insert(e.shown);
        }
    }
    SetNorwegian(false);
    std::set<std::wstring> shown;
    for (const auto& [id, item] : ScanDesktop()) {
        shown.insert(GardenItemName(item));
    }
    EXPECT_EQ(shown, expected);

    DesktopWatch watch(DesktopFolders());
    for (const TempFolder* folder : {&desktops.User(), &desktops.Public()}) {
        ASSERT_FALSE(watch.TakeChanges());
        ASSERT_TRUE(test::WriteFileBytes(folder->File(L"new.txt"), {'y'}));
        EXPECT_TRUE(test::WaitUntil([&] { return watch.TakeChanges(); }, 1500));
        ::Sleep(300);
        EXPECT_FALSE(watch.TakeChanges());
    }
}

TEST(GardenDesktop, SaveReplacesTheFileWholeOrNotAtAll) {
    TempFolder folder;
    const std::wstring ini = folder.File(L"garden.ini");
    const std::wstring tmp = ini + L".tmp";
    const std::vector<Bed> beds{
        {L"Apps", {24, 24, 396, 324}, false, false, {L"c:\\a.lnk"}},
        {L"Desktop", {412, 24, 784, 324}, true, true, {L"c:\\b", L"c:\\c"}}};
    // A stale temp file from a save that died: its sections must not survive.
    ASSERT_TRUE(test::WriteFileBytes(tmp, {'[', 'B', 'e', 'd', '7', ']'}));
    ASSERT_TRUE(SaveGardenBeds(beds, ini));
    EXPECT_EQ(test::ReadIniValue(ini, L"Bed7", L"Name"), L"<absent>");
    const std::vector<Bed> loaded = LoadGardenBeds(ini);
    ASSERT_EQ(loaded.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(loaded[i].name, beds[i].name);
        EXPECT_EQ(loaded[i].rect, beds[i].rect);
        EXPECT_EQ(loaded[i].collapsed, beds[i].collapsed);
        EXPECT_EQ(loaded[i].catchAll, beds[i].catchAll);
        EXPECT_EQ(loaded[i].items, beds[i].items);
    }
    EXPECT_EQ(::GetFileAttributesW(tmp.c_str()), INVALID_FILE_ATTRIBUTES);

    const std::vector<uint8_t> before = test::ReadFileBytes(ini);
    for (const bool directory : {true, false}) {
        // The temp path taken by a folder, or by a file another program holds.
        HANDLE held = INVALID_HANDLE_VALUE;
        if (directory) {
            ASSERT_TRUE(::CreateDirectoryW(tmp.c_str(), nullptr));
        } else {
            held = ::CreateFileW(tmp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }
        EXPECT_FALSE(SaveGardenBeds({beds[1]}, ini));
        EXPECT_EQ(test::ReadFileBytes(ini), before);
        directory ? ::RemoveDirectoryW(tmp.c_str()) : ::CloseHandle(held);
        ::DeleteFileW(tmp.c_str());
    }
    ASSERT_TRUE(ResetGardenFile(ini));
    EXPECT_TRUE(LoadGardenBeds(ini).empty());
}

HWND g_bed = nullptr;
bool IsTestBed(HWND window) noexcept {
    return window == g_bed;
}

HWND Make(const wchar_t* className, HWND parent) {
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = className;
    ::RegisterClassW(&wc);
    // Top-level windows stay hidden: z-order is kept for them all the same,
    // and Wine takes seconds to destroy a shown one.
    return ::CreateWindowExW(0, className, L"", parent ? WS_CHILD | WS_VISIBLE : WS_POPUP, 0, 0, 50,
                             50, parent, nullptr, wc.hInstance, nullptr);
}

TEST(GardenDesktop, IconListAndBedsFollowTheDesktopWindow) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ASSERT_TRUE(::InitCommonControlsEx(&icc));
    // No host, then a Progman, then a WorkerW beside an empty Progman.
    for (const wchar_t* hostClass :
         {static_cast<const wchar_t*>(nullptr), L"Progman", L"WorkerW"}) {
        // Created bottom-up: the host, an application, then the bed on top.
        UniqueWindow progman(hostClass && hostClass[0] == L'W' ? Make(L"Progman", nullptr)
                                                               : nullptr);
        UniqueWindow host(hostClass ? Make(hostClass, nullptr) : nullptr);
        HWND list =
            hostClass ? Make(L"SysListView32", Make(L"SHELLDLL_DefView", host.Get())) : nullptr;
        UniqueWindow app(Make(L"CorvaneTestApp", nullptr));
        UniqueWindow bed(Make(L"CorvaneTestBed", nullptr));
        g_bed = bed.Get();
        for (const bool show : {false, true}) {
            SetDesktopIconsVisible(show);
            EXPECT_TRUE(!host || ((::GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE) != 0) == show);
        }
        PlaceInDesktopLayer(bed.Get(), IsTestBed);
        EXPECT_EQ(::GetWindow(bed.Get(), GW_HWNDNEXT), host.Get());
        EXPECT_TRUE(!host || ::GetWindow(bed.Get(), GW_HWNDPREV) == app.Get());
    }
}

}  // namespace
}  // namespace corvane
