// The whole process in this test executable: without its control window
// Corvane must end with a code that says so, not with success; ending by
// std::terminate or abort, or left with no dock after a display change, it
// gives the taskbar back.

#include "app/CrashFilter.h"
#include "app/EventHub.h"
#include "app/Lifecycle.h"
#include "dock/CenterStart.h"
#include "dock/Dock.h"
#include "dock/DockSet.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <exception>

namespace corvane {
namespace {

const wchar_t* g_vetoedClass = nullptr;

LRESULT CALLBACK VetoWindowClass(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[32] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
        if (::lstrcmpW(name, g_vetoedClass) == 0) {
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// No window of the class can be made on this thread while it lives.
struct Veto {
    explicit Veto(const wchar_t* className) { g_vetoedClass = className; }
    UniqueWindowsHook hook{
        ::SetWindowsHookExW(WH_CBT, &VetoWindowClass, nullptr, ::GetCurrentThreadId())};
};

TEST(RunCorvane, EndsWithItsOwnCodeWhenTheControlWindowCannotBeMade) {
    const Veto veto(L"CorvaneCtl");
    ASSERT_TRUE(veto.hook);
    EXPECT_EQ(RunCorvane(::GetModuleHandleW(nullptr)), kExitNoControlWindow);
    // Starting wrote corvane.ini beside this executable: no later test finds it.
    ::DeleteFileW(test::BuiltFile(L"corvane.ini").c_str());
}

constexpr wchar_t kAdvanced[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";

DWORD Alignment() {
    DWORD value = 2;
    DWORD bytes = sizeof(value);
    ::RegGetValueW(HKEY_CURRENT_USER, kAdvanced, L"TaskbarAl", RRF_RT_REG_DWORD, nullptr, &value,
                   &bytes);
    return value;
}

// This test started again with CORVANE_END_BY set is the child: it hides the
// taskbar and centres Start as a running Corvane does, then ends that way.
// What the crash path gives back besides is the crash tests' business.
TEST(CrashHandlers, TerminateAndAbortGiveBackTheTaskbarAndTheStartAlignment) {
    wchar_t way[16] = {};
    if (::GetEnvironmentVariableW(L"CORVANE_END_BY", way, 16) != 0) {
        InstallCrashHandlers();
        EventHub events;
        TaskbarHider hider;
        hider.Hide(events);
        SetCenterStart(true);
        ASSERT_FALSE(::IsWindowVisible(FindTaskbars().at(0)) || Alignment() != 1);
        std::wstring(way) == L"terminate" ? std::terminate() : std::abort();
    }
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    const DWORD left = 0;
    const test::SavedRegistryValue saved(kAdvanced, L"TaskbarAl");
    ASSERT_TRUE(taskbar != nullptr && saved.Saved() && saved.Set(REG_DWORD, &left, sizeof(left)));
    for (const wchar_t* end : {L"terminate", L"abort"}) {
        SCOPED_TRACE(testing::Message() << end);
        ::SetEnvironmentVariableW(L"CORVANE_END_BY", end);
        test::ChildProcess child;
        ASSERT_TRUE(child.Start(test::BuiltFile(L"corvane_win_tests.exe"),
                                L"--gtest_filter=CrashHandlers.*"));
        ::SetEnvironmentVariableW(L"CORVANE_END_BY", nullptr);
        const DWORD code = child.WaitForExit();
        // 1: the child hid nothing, or went on.
        ASSERT_TRUE(code != 0 && code != 1 && code != STILL_ACTIVE) << code;
        EXPECT_TRUE(::IsWindowVisible(taskbar));
        EXPECT_EQ(Alignment(), left);
    }
}

// What the docks ask of the process, unused here.
struct Quiet final : SurfaceOpener, SettingWrites, NowPlayingWidgets {
    void OpenSettings(int32_t) override {}
    void ToggleStartSurface(int32_t, HMONITOR) override {}
    void SettingWritten(bool) override {}
    bool InBar() const override { return false; }
    bool BarNextToClock() const override { return false; }
    bool InDock() const override { return false; }
    NowPlayingWidgetView View() const override { return {}; }
    void OpenCard(const RECT&, bool, UINT) override {}
    void TogglePlayPause() override {}
    bool CardHovered() const override { return false; }
};

TEST(DockSet, TheTaskbarComesBackWhileNoDockCanBeMadeAndGoesWithTheNextDock) {
    test::ChildProcess explorer;
    ASSERT_TRUE(explorer.Start(test::BuiltFile(L"test_helper.exe"), L"taskbar"));
    const HWND taskbar = explorer.WaitForWindow(L"Shell_TrayWnd");
    const test::TempFolder folder;
    const ComApartment com;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    GraphicsFactories graphics;
    ASSERT_TRUE(taskbar != nullptr && CreateGraphicsFactories(graphics));
    Settings settings;
    settings.filePath = folder.File(L"corvane.ini");
    settings.dockEnabled = true;
    settings.hideTaskbar = true;
    const Theme theme;
    Worker worker{nullptr, nullptr};
    Quiet quiet;
    EventHub events;
    DockSet docks(
        {instance, settings, theme, graphics, quiet, worker, quiet, quiet, events, nullptr});
    const HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    // A display change whose new main dock is refused, then one that works.
    for (const bool refused : {false, true, false}) {
        const Veto veto(refused ? kDockWindowClass : L"");
        docks.Rebuild({&main, 1});
        EXPECT_EQ(docks.Empty(), refused);
        EXPECT_EQ(::IsWindowVisible(taskbar) != FALSE, refused);
    }
}

}  // namespace
}  // namespace corvane
