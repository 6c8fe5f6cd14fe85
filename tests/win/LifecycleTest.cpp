// The whole process in this test executable: without its control window
// Corvane must end with a code that says so, not with success.

#include "app/Lifecycle.h"
#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

LRESULT CALLBACK VetoControlWindow(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        wchar_t name[32] = {};
        ::GetClassNameW(reinterpret_cast<HWND>(wParam), name, 32);
        if (::lstrcmpW(name, L"CorvaneCtl") == 0) {
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(RunCorvane, EndsWithItsOwnCodeWhenTheControlWindowCannotBeMade) {
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, &VetoControlWindow, nullptr, ::GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    const int code = RunCorvane(::GetModuleHandleW(nullptr));
    ::UnhookWindowsHookEx(hook);
    EXPECT_EQ(code, kExitNoControlWindow);
    // Starting wrote corvane.ini beside this executable: no later test finds it.
    ::DeleteFileW(test::BuiltFile(L"corvane.ini").c_str());
}

}  // namespace
}  // namespace corvane
