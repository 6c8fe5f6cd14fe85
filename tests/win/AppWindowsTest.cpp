// The app-window filter and window identities on real windows of another
// process (app_window_helper.exe) and of this one.

#include "base/Win32Handles.h"
#include "identity/AppTargets.h"
#include "identity/AppWindows.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace corvane {
namespace {

// app_window_helper.exe, running until destroyed, with its windows by class.
class AppWindowHelper {
public:
    AppWindowHelper() {
        const std::wstring suffix =
            std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
        const std::wstring ready = L"CorvaneAppWindowsReady-" + suffix;
        const std::wstring quit = L"CorvaneAppWindowsQuit-" + suffix;
        ready_.Reset(::CreateEventW(nullptr, TRUE, FALSE, ready.c_str()));
        quit_.Reset(::CreateEventW(nullptr, TRUE, FALSE, quit.c_str()));
        exe_ = test::TestExecutableDirectory() + L"\\app_window_helper.exe";
        std::wstring commandLine = L"\"" + exe_ + L"\" " + ready + L" " + quit;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi)) {
            return;
        }
        process_.Reset(pi.hProcess);
        ::CloseHandle(pi.hThread);
        processId_ = pi.dwProcessId;
        const HANDLE waits[] = {ready_.Get(), process_.Get()};
        if (::WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0) {
            ::EnumWindows(&Collect, reinterpret_cast<LPARAM>(this));
        }
    }
    ~AppWindowHelper() { Quit(); }
    AppWindowHelper(const AppWindowHelper&) = delete;
    AppWindowHelper& operator=(const AppWindowHelper&) = delete;

    void Quit() {
        if (process_) {
            ::SetEvent(quit_.Get());
            if (::WaitForSingleObject(process_.Get(), 10000) != WAIT_OBJECT_0) {
                ::TerminateProcess(process_.Get(), 1);
                ::WaitForSingleObject(process_.Get(), 5000);
            }
            process_.Reset();
        }
    }
    [[nodiscard]] HWND Window(const std::wstring& className) const {
        const auto found = windows_.find(className);
        return found == windows_.end() ? nullptr : found->second;
    }
    [[nodiscard]] const std::wstring& ExePath() const { return exe_; }

private:
    static BOOL CALLBACK Collect(HWND window, LPARAM param) noexcept {
        auto* self = reinterpret_cast<AppWindowHelper*>(param);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId == self->processId_) {
            wchar_t name[64] = {};
            ::GetClassNameW(window, name, 64);
            self->windows_[name] = window;
        }
        return TRUE;
    }

    UniqueHandle ready_, quit_, process_;
    DWORD processId_ = 0;
    std::wstring exe_;
    std::map<std::wstring, HWND> windows_;
};

std::string Narrow(const std::wstring& text) {
    return std::string(text.begin(), text.end());
}

TEST(AppWindows, OnlyTheHelpersAppWindowsAreListedWithItsExecutable) {
    AppWindowHelper helper;
    const std::map<std::wstring, bool> expected = {
        {L"CorvaneFixtureNormal", true},
        {L"CorvaneFixtureTool", false},
        {L"CorvaneFixtureToolApp", true},
        {L"CorvaneFixtureNoActivate", false},
        {L"CorvaneFixtureNoActivateApp", true},
        {L"CorvaneFixtureOwned", false},
        {L"CorvaneFixtureOwnedApp", true},
        {L"CorvaneFixtureUntitled", false},
        {L"CorvaneFixtureHidden", false},
        {L"WorkerW", false},
        {L"Progman", false},
    };
    std::map<HWND, WindowIdentity> listed;
    for (const WindowIdentity& identity : EnumerateAppWindows()) {
        EXPECT_TRUE(IsDockAppWindow(ToHwnd(identity.window)));
        listed[ToHwnd(identity.window)] = identity;
    }
    const std::wstring helperKey = NormalizePathKey(helper.ExePath());
    for (const auto& [className, isApp] : expected) {
        const HWND window = helper.Window(className);
        ASSERT_NE(window, nullptr) << Narrow(className);
        EXPECT_EQ(IsDockAppWindow(window), isApp) << Narrow(className);
        const auto found = listed.find(window);
        ASSERT_EQ(found != listed.end(), isApp) << Narrow(className);
        if (isApp) {
            EXPECT_EQ(found->second.pathKey, helperKey);
            EXPECT_EQ(NormalizePathKey(found->second.exePath), helperKey);
            EXPECT_TRUE(found->second.appId.empty());  // unpackaged and sets none
        }
    }
    EXPECT_FALSE(IsDockAppWindow(nullptr));
}

TEST(AppWindows, IdentitiesAreCachedUntilTheirWindowsAreGone) {
    AppWindowHelper helper;
    const HWND normal = helper.Window(L"CorvaneFixtureNormal");
    ASSERT_NE(normal, nullptr);
    (void)EnumerateAppWindows();
    const IdentityCache::Entry* entry = TheIdentityCache().Find(ToWindowId(normal));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->pathKey, NormalizePathKey(helper.ExePath()));
    // Windows the filter rejects are not identified at all.
    EXPECT_EQ(TheIdentityCache().Find(ToWindowId(helper.Window(L"CorvaneFixtureTool"))), nullptr);

    PruneIdentityCache();
    EXPECT_NE(TheIdentityCache().Find(ToWindowId(normal)), nullptr);
    helper.Quit();
    ASSERT_FALSE(::IsWindow(normal));
    PruneIdentityCache();
    EXPECT_EQ(TheIdentityCache().Find(ToWindowId(normal)), nullptr);
}

}  // namespace
}  // namespace corvane
