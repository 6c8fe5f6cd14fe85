// The app-window filter and window identities on real windows of another
// process, one for each fact the filter reads.

#include "base/ImagePaths.h"
#include "base/Win32Handles.h"
#include "identity/AppPaths.h"
#include "identity/AppTargets.h"
#include "identity/AppWindows.h"
#include "identity/ElevatedWindows.h"
#include "identity/ForegroundIdentity.h"
#include "identity/Fullscreen.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(AppWindows, OnlyAppWindowsAreListedWithTheirExecutableUntilTheyAreGone) {
    test::TempFolder folder;
    test::HelperApp helper;
    ASSERT_TRUE(helper.Start(folder.Path(), L"kinds.exe", L"kinds"));
    std::vector<std::pair<std::wstring, bool>> expected = {{test::kHelperWindowClass, true}};
    for (const test::HelperWindowKind& kind : test::kHelperWindowKinds) {
        expected.emplace_back(kind.className, kind.isApp);
    }
    std::map<HWND, WindowIdentity> listed;
    for (const WindowIdentity& identity : EnumerateAppWindows()) {
        listed[ToHwnd(identity.window)] = identity;
    }
    const std::wstring helperKey = NormalizePathKey(helper.ExePath());
    for (const auto& [className, isApp] : expected) {
        SCOPED_TRACE(std::string(className.begin(), className.end()));
        const auto windows = test::FindProcessWindows(helper.ProcessId(), className.c_str());
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_EQ(IsDockAppWindow(windows[0]), isApp);
        const auto found = listed.find(windows[0]);
        ASSERT_EQ(found != listed.end(), isApp);
        if (isApp) {
            EXPECT_EQ(found->second.pathKey, helperKey);
            EXPECT_TRUE(found->second.appId.empty());  // unpackaged and sets none
        }
    }

    // Identities are kept while their windows live.
    const HWND main = helper.Window();
    PruneIdentityCache();
    EXPECT_NE(TheIdentityCache().Find(ToWindowId(main)), nullptr);
    helper.Stop();
    ASSERT_FALSE(::IsWindow(main));
    PruneIdentityCache();
    EXPECT_EQ(TheIdentityCache().Find(ToWindowId(main)), nullptr);
}

TEST(AppWindows, AFrameHostsFrameIsTheAppOfTheCoreWindowInsideIt) {
    test::TempFolder folder;
    test::HelperApp host;
    ASSERT_TRUE(host.Start(folder.Path(), L"ApplicationFrameHost.exe", L"frame"));
    const HWND frame = test::FindProcessWindows(host.ProcessId(), L"ApplicationFrameWindow").at(0);
    // This process plays the app whose core window the frame holds.
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &::DefWindowProcW;
    wc.lpszClassName = kAppCoreWindowClass.data();
    ASSERT_TRUE(::RegisterClassW(&wc) && ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0,
                                                           9, 9, frame, nullptr, nullptr, nullptr));
    (void)EnumerateAppWindows();
    const IdentityCache::Entry* known = TheIdentityCache().Find(ToWindowId(frame));
    ASSERT_NE(known, nullptr);
    EXPECT_EQ(known->pathKey, NormalizePathKey(ProcessImagePath(::GetCurrentProcessId())));
}

// The application in front, the full-screen display and the integrity
// reader, on real windows of another process and of this one. Corvane's own
// surfaces may cover a display; they are never applications, full-screen or
// not. Wine shows every process at one level.
TEST(UpdateCurrentApplication, NamesAnotherProcessWithinReachAndIgnoresThisOne) {
    const ProcessIntegrity own = OwnProcessIntegrity();
    ASSERT_EQ(own.reading, ProcessIntegrity::Reading::Level);
    EXPECT_TRUE(own.level >= kIntegrityLow && own.level <= kIntegritySystem) << own.level;
    test::TempFolder folder;
    test::HelperApp helper;
    ASSERT_TRUE(helper.Start(folder.Path(), L"window-helper.exe", L"normal"));
    for (const DWORD process : {::GetCurrentProcessId(), helper.ProcessId()}) {
        const ProcessIntegrity read = ReadProcessIntegrity(process);
        EXPECT_TRUE(read.reading == own.reading && read.level == own.level) << process;
    }
    EXPECT_FALSE(IsWindowBeyondReach(helper.Window()));

    CurrentApplication current;
    EXPECT_TRUE(UpdateCurrentApplication(current, helper.Window()));
    EXPECT_EQ(current.window, helper.Window());
    // No version resource: named after its file.
    EXPECT_EQ(current.displayName, L"Window-helper");
    EXPECT_EQ(current.exeName, L"window-helper.exe");
    EXPECT_EQ(current.exePath, ProcessImagePath(helper.ProcessId()));

    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &info));
    const RECT& r = info.rcMonitor;
    const UniqueWindow mine(::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, r.left,
                                              r.top, r.right - r.left, r.bottom - r.top, nullptr,
                                              nullptr, nullptr, nullptr));
    ASSERT_TRUE(mine);
    ::SetForegroundWindow(mine.Get());
    ASSERT_TRUE(test::WaitUntil([&] { return ::GetForegroundWindow() == mine.Get(); }, 5000));
    EXPECT_EQ(FindFullscreenDisplay(), nullptr);
    EXPECT_FALSE(UpdateCurrentApplication(current, mine.Get()));
    EXPECT_EQ(current.window, helper.Window());
}

// App Paths and display names against the real registry, shell and file
// system.
// A user App Paths registration, removed again at the end.
class AppPathsEntry {
public:
    AppPathsEntry(const std::wstring& fileName, const std::wstring& value)
        : subKey_(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + fileName) {
        created_ = ::RegSetKeyValueW(
                       HKEY_CURRENT_USER, subKey_.c_str(), nullptr, REG_SZ, value.c_str(),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    }
    ~AppPathsEntry() { ::RegDeleteKeyW(HKEY_CURRENT_USER, subKey_.c_str()); }
    AppPathsEntry(const AppPathsEntry&) = delete;
    AppPathsEntry& operator=(const AppPathsEntry&) = delete;
    [[nodiscard]] bool Created() const { return created_; }

private:
    std::wstring subKey_;
    bool created_ = false;
};

TEST(ResolveAppPath, RegisteredExistingFilesOnly) {
    const std::wstring pid = std::to_wstring(::GetCurrentProcessId());
    const std::wstring name = L"corvane-apppath-" + pid + L".exe";
    const std::wstring target = test::BuiltFile(L"icon_fixture_large.exe");
    AppPathsEntry quoted(name, L"\"" + target + L"\" --started-by-test");
    ASSERT_TRUE(quoted.Created());
    EXPECT_EQ(ResolveAppPath(name), target);

    const std::wstring gone = L"corvane-apppath-gone-" + pid + L".exe";
    AppPathsEntry missing(gone, test::BuiltFile(L"no-such-program.exe"));
    ASSERT_TRUE(missing.Created());
    EXPECT_TRUE(ResolveAppPath(gone).empty());
}

TEST(ResolveDisplayName, DescriptionThenShellNameThenTheFilesStem) {
    EXPECT_EQ(ResolveDisplayName(test::BuiltFile(L"icon_fixture_large.exe"), true),
              L"Corvane icon fixture");
    // Without a path key the description is not asked for: the shell's name
    // (with or without the extension, as the shell shows it).
    EXPECT_EQ(ResolveDisplayName(test::BuiltFile(L"icon_fixture_large.exe"), false)
                  .rfind(L"icon_fixture_large", 0),
              0u);
    test::TempFolder folder;
    const std::wstring sub = folder.File(L"Blåbær Apps");
    ASSERT_TRUE(::CreateDirectoryW(sub.c_str(), nullptr));
    EXPECT_EQ(ResolveDisplayName(sub, true), L"Blåbær Apps");
    EXPECT_EQ(ResolveDisplayName(folder.File(L"Missing Tool.exe"), true), L"Missing Tool");
}

}  // namespace
}  // namespace corvane
