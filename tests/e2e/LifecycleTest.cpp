// The real corvane.exe as a process: its settings file, single instance,
// the reload command, commands from outside, a clean quit and the end of the
// session.

#include "appmenus/MenusFileText.h"
#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "e2e/E2ESupport.h"
#include "garden/BedGeometry.h"
#include "garden/BedLayout.h"
#include "support/TrayClient.h"
#include "resources/DefaultMenusText.h"

#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace corvane {
namespace {

using test::ChildProcess;
using test::IniBeside;
using test::ReadIniValue;
using test::TempFolder;

bool Exists(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Private bytes, working set, threads, kernel, GDI and USER handles.
std::vector<SIZE_T> HeldBy(DWORD pid) {
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, 0, pid));
    PROCESS_MEMORY_COUNTERS_EX mem = {};
    ::GetProcessMemoryInfo(process.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem),
                           sizeof(mem));
    DWORD handles = 0, threads = 0;
    ::GetProcessHandleCount(process.Get(), &handles);
    const UniqueHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 t = {sizeof(t), 0, 0, 0, 0, 0, 0};
    for (BOOL more = ::Thread32First(snapshot.Get(), &t); more;
         more = ::Thread32Next(snapshot.Get(), &t)) {
        threads += t.th32OwnerProcessID == pid ? 1 : 0;
    }
    return {mem.PrivateUsage,
            mem.WorkingSetSize,
            threads,
            handles,
            ::GetGuiResources(process.Get(), GR_GDIOBJECTS),
            ::GetGuiResources(process.Get(), GR_USEROBJECTS)};
}

using Lifecycle = test::CorvaneTest;

TEST_F(Lifecycle, ASecondStartExitsQuitEndsCleanlyEveryCommandIsAnsweredAndReloadRereads) {
    ASSERT_NE(StartCorvane(L""), nullptr);
    // The post box is message-only: no window anyone could see or activate.
    EXPECT_NE(::GetAncestor(control_, GA_PARENT), ::GetDesktopWindow());
    EXPECT_FALSE(::IsWindowVisible(control_));
    // A second start exits at once and writes nothing.
    TempFolder otherFolder;
    ChildProcess second;
    ASSERT_TRUE(second.Start(test::CopyCorvane(otherFolder.Path())));
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_EQ(test::ControlWindows().size(), 1u);
    EXPECT_FALSE(Exists(otherFolder.File(L"corvane.ini")));
    EXPECT_TRUE(test::GuardsOf(second.ProcessId()).empty()) << "the second's guard";

    QuitCorvane();
    EXPECT_TRUE(test::ControlWindows().empty());
    // Quitting let go of the single-instance lock.
    ASSERT_NE(StartCorvane(L""), nullptr);

    // Every command is answered; a reload rereads the file.
    // An existing file without a language is Norwegian: a real reload writes
    // that back, and the untouched menus.txt follows it.
    ::WritePrivateProfileStringW(L"General", L"Language", nullptr, IniPath().c_str());
    ASSERT_EQ(ReadIniValue(IniPath(), L"General", L"Language"), L"<absent>");
    ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
    EXPECT_EQ(ReadIniValue(IniPath(), L"General", L"Language"), L"no");
    EXPECT_EQ(test::ReadFileBytes(folder_.File(L"menus.txt")),
              EncodeMenusFileBytes(DefaultMenusText(true)));
    EXPECT_EQ(test::WaitForControlWindow(corvane_, 1000), control_);
    EXPECT_EQ(test::GuardsOf(corvane_.ProcessId()).size(), 1u) << "one guard";

    // Every other command is answered too, and junk is harmless.
    for (WPARAM code : {CMD_STATUS_CHANGED, CMD_AUDIO_DEVICE_CHANGED, CMD_DISPLAYS_CHANGED,
                        CMD_THEME_CHANGED, CMD_RECHECK_FULLSCREEN, CMD_TOGGLE_START_MENU}) {
        EXPECT_TRUE(Command(code)) << code;
    }
    // Another process cannot name an unknown command, nor make the worker
    // deliver what it never made.
    EXPECT_TRUE(Command(CMD_WORK_DONE, 0x12345678));
    EXPECT_TRUE(Command(999, -1));
    ::Sleep(300);  // the debounce and full-screen timers fire
    EXPECT_TRUE(corvane_.IsRunning());
}

// Signing out as Windows tells a program: asked, then told, and the process
// ended as soon as it has answered. Everything must be back by then.
TEST_F(Lifecycle, TheSessionsEndGivesTheDesktopBackAndSavesTheBedsBeforeTheProcessIsEnded) {
    const test::RedirectedDesktops desktops;
    ChildProcess explorer;
    ASSERT_TRUE(desktops.ready && explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    ASSERT_NE(StartCorvane(test::IniText({.dock = true, .hideTaskbar = true, .garden = true})),
              nullptr);
    std::vector<HWND> beds;
    ASSERT_TRUE(test::WaitUntil([&] {
        beds = test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneGardenBed");
        return beds.size() == 2 && !::IsWindowVisible(taskbar);
    }));
    // An edit saved only a moment later: the first bed (on the left) rolled up.
    const HWND first =
        *std::ranges::min_element(beds, {}, [](HWND w) { return test::WindowRect(w).left; });
    test::Click({test::WindowRect(first).left + Px(100),
                 test::WindowRect(first).top + Px(kBedHeaderHeight / 2)});
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            const RECT r = test::WindowRect(first);
            return r.bottom - r.top == Px(kBedCollapsedHeight);
        },
        3000));

    const std::vector<HWND> session =
        test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneSession");
    ASSERT_EQ(session.size(), 1u);
    DWORD_PTR answer = 0;
    for (const UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        ASSERT_NE(::SendMessageTimeoutW(session[0], message, message == WM_ENDSESSION,
                                        ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 15000, &answer),
                  0);
        EXPECT_EQ(answer, message == WM_QUERYENDSESSION ? 1u : 0u);
    }
    const UniqueHandle process(
        ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, corvane_.ProcessId()));
    ASSERT_TRUE(process && ::TerminateProcess(process.Get(), 1));
    ::WaitForSingleObject(process.Get(), 5000);
    EXPECT_TRUE(::IsWindowVisible(taskbar));
    EXPECT_EQ(ReadIniValue(folder_.File(L"garden.ini"), L"Bed0", L"Collapsed"), L"1");
}

FILETIME LastWrite(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

TEST_F(Lifecycle, RunsFromAFolderBeyondMaxPathAndKeepsItsSettingsThere) {
    // The long-path prefix, so that this test's own calls are not cut.
    std::wstring folder = L"\\\\?\\" + folder_.Path();
    while (folder.size() < MAX_PATH + 20) {
        folder += L"\\a-folder-name-of-forty-characters-length";
        ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    }
    const std::wstring exe = test::CopyCorvane(folder);
    ASSERT_TRUE(Exists(exe));
    const std::wstring here = folder_.File(L"current");
    ASSERT_TRUE(::CreateDirectoryW(here.c_str(), nullptr));
    const std::wstring root = test::WindowsFile(L"").substr(0, 3) + L"corvane.ini";
    const FILETIME rootBefore = LastWrite(root);

    ChildProcess corvane;
    ASSERT_TRUE(corvane.Start(exe.substr(4), L"", here.c_str()));
    ASSERT_NE(test::WaitForControlWindow(corvane), nullptr) << "exit " << corvane.WaitForExit(0);
    EXPECT_TRUE(Exists(IniBeside(exe)));
    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
    // Nothing of its settings landed elsewhere, under any name.
    EXPECT_TRUE(::RemoveDirectoryW(here.c_str())) << "files in the current folder";
    const FILETIME rootAfter = LastWrite(root);
    EXPECT_EQ(::CompareFileTime(&rootBefore, &rootAfter), 0) << "a corvane.ini in the drive root";
}

// Writes into `folder` refused while it lives. Wine lets root write into any
// folder, whatever its attributes, so the refusal is a read-only bind mount
// of the Unix folder; `made` tells whether it took.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const std::wstring& folder) : folder_(folder) {
        using UnixName = char*(CDECL*)(const wchar_t*);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
        char* name = unixName ? unixName(folder.c_str()) : nullptr;
        if (name == nullptr) {
            return;
        }
        // The mount commands want the folder's real path, not the one
        // through the prefix's drive links.
        unix_ = L"$(realpath '" + std::wstring(name, name + std::strlen(name)) + L"')";
        ::HeapFree(::GetProcessHeap(), 0, name);
        made =
            test::StartUnixProgram(L"/bin/sh -c \"d=" + unix_ +
                                   L" && mount --bind $d $d && mount -o remount,ro,bind $d $d\"") &&
            test::WaitUntil([&] { return !Writable(); }, 5000);
    }
    ~ReadOnlyFolder() { Release(); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    bool Release() {
        if (!unix_.empty()) {
            (void)test::StartUnixProgram(L"/bin/sh -c \"umount -l " + std::exchange(unix_, L"") +
                                         L"\"");
        }
        return test::WaitUntil([&] { return Writable(); }, 5000);
    }

    bool made = false;

private:
    [[nodiscard]] bool Writable() const {
        const HANDLE probe = ::CreateFileW((folder_ + L"\\probe").c_str(), GENERIC_WRITE, 0,
                                           nullptr, CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        return probe != INVALID_HANDLE_VALUE && ::CloseHandle(probe);
    }

    std::wstring folder_;
    std::wstring unix_;
};

TEST_F(Lifecycle, FromAFolderItCannotWriteToItSaysSoOnceRunsAndNeverWritesThere) {
    exe_ = test::CopyCorvane(folder_.Path());
    const std::vector<std::wstring> before = test::FolderListing(folder_.Path());
    ReadOnlyFolder readOnly(folder_.Path());
    if (!readOnly.made) {
        GTEST_SKIP() << "no read-only bind mount here (not Wine, or not root)";
    }
    ASSERT_NE(StartCorvane(L""), nullptr);
    const HWND box = corvane_.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(::GetWindow(box, GW_OWNER), nullptr);
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    EXPECT_EQ(std::wstring(text), L"Corvane cannot save its settings in " + folder_.Path() +
                                      L". It runs with the default settings.");
    EXPECT_EQ(test::FindProcessWindows(corvane_.ProcessId(), L"#32770").size(), 1u);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box); }, 5000));

    // Writable again, a reload still writes nothing: the run stays on the
    // defaults in memory, and the box is not shown again.
    ASSERT_TRUE(readOnly.Release());
    ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
    ::Sleep(1000);
    EXPECT_TRUE(corvane_.IsRunning());
    EXPECT_TRUE(test::FindProcessWindows(corvane_.ProcessId(), L"#32770").empty());
    EXPECT_EQ(test::FolderListing(folder_.Path()), before);
    QuitCorvane();
    EXPECT_EQ(test::FolderListing(folder_.Path()), before);
}

TEST_F(Lifecycle, SavesTheFileRefusesAreToldOnceAndAReloadKeepsWhatTheUserSet) {
    ASSERT_NE(StartCorvane(test::IniText({.tiling = true, .tilingMode = 1})), nullptr);
    // Its tiling toggle is in place once this process can no longer take it.
    ASSERT_TRUE(test::WaitUntil([] {
        const bool free = ::RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'T') != FALSE;
        return !free || ::UnregisterHotKey(nullptr, 1) == FALSE;
    }));
    UniqueHandle lock(
        ::CreateFileW(IniPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    test::TapKeys({VK_CONTROL, VK_MENU, 'T'});  // tiling off
    const HWND box = corvane_.WaitForWindow(L"#32770");
    ASSERT_NE(box, nullptr);
    wchar_t text[1024] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 1024);
    EXPECT_NE(std::wstring(text).find(L"save a change to its settings in " + IniPath()),
              std::wstring::npos);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(test::WaitUntil([&] { return !::IsWindow(box); }, 5000));
    test::TapKeys({VK_CONTROL, VK_MENU, 'T'});  // and on
    ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
    // The reload kept tiling and its shortcuts; the file takes the next save.
    lock.Reset();
    test::TapKeys({VK_CONTROL, VK_MENU, 'T'});
    EXPECT_TRUE(test::WaitUntil(
        [&] { return ReadIniValue(IniPath(), L"Tiling", L"Enabled") == L"0"; }, 5000));
    EXPECT_TRUE(test::FindProcessWindows(corvane_.ProcessId(), L"#32770").empty());
}

TEST_F(Lifecycle, RoundsOfReloadsDisplayChangesExplorerRestartsAndProgramsLeaveNothingBehind) {
    ASSERT_NE(StartCorvane(test::IniText({.tray = true, .dock = true})), nullptr);
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    HWND session = nullptr;
    std::vector<SIZE_T> settled;
    for (int round = 1; round <= 25; ++round) {
        ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
        session = ::FindWindowW(L"CorvaneSession", nullptr);  // there once the loop runs
        ASSERT_TRUE(::PostMessageW(control_, WM_APP_COMMAND, CMD_DISPLAYS_CHANGED, 0));
        ::SendNotifyMessageW(HWND_BROADCAST, taskbarCreated, 0, 0);
        ::SendMessageW(session, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
        test::HelperApp program;
        ASSERT_TRUE(program.Start(folder_.Path(), L"program.exe", L"normal"));
        const UniqueHandle kill(::OpenProcess(PROCESS_TERMINATE, FALSE, program.ProcessId()));
        ASSERT_TRUE(::TerminateProcess(kill.Get(), 1));
        if (round % 20 == 5) {
            ::Sleep(1500);  // the rebuild settles
            const std::vector<SIZE_T> held = HeldBy(corvane_.ProcessId());
            settled = round == 5 ? held : settled;
            // Memory may grow by a tenth, counts by a few, before it is a leak.
            for (std::size_t i = 0; i < held.size(); ++i) {
                EXPECT_LE(held[i], settled[i] + (i < 2 ? settled[i] / 10 : 4)) << "counter " << i;
            }
        }
    }
    EXPECT_EQ(Bars().size(), 1u);
    EXPECT_EQ(test::FindProcessWindows(corvane_.ProcessId(), L"CorvaneDock").size(), 1u);
    EXPECT_NE(test::FindTrayHost(corvane_.ProcessId()), nullptr);
    // An unlock alone makes again what holds the displays' geometry.
    const HWND bar = Bars().front();
    ::SendMessageW(session, WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 0);
    EXPECT_TRUE(test::WaitUntil([&] { return !::IsWindow(bar) && Bars().size() == 1; }, 5000));
}

}  // namespace
}  // namespace corvane
