// Naming the application in front from real processes and executables: the
// version resource, the file-name fallback and change detection.

#include "base/ImagePaths.h"
#include "identity/ForegroundIdentity.h"
#include "support/WinTestSupport.h"
#include "win/HelperWindowProcess.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>

namespace corvane {
namespace {

using test::HelperWindowProcess;
using test::TestExecutableDirectory;

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

TEST(ProcessImagePath, NamesTheRunningExecutable) {
    wchar_t module[MAX_PATH] = {};
    ASSERT_GT(::GetModuleFileNameW(nullptr, module, MAX_PATH), 0u);
    const std::wstring path = ProcessImagePath(::GetCurrentProcessId());
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(Lower(FileNameOf(path)), Lower(FileNameOf(module)));
}

TEST(ProcessImagePath, UnknownProcessGivesNothing) {
    EXPECT_EQ(ProcessImagePath(0), L"");
    // Process ids are multiples of four; this one cannot exist.
    EXPECT_EQ(ProcessImagePath(0xFFFFFFFDu), L"");
}

TEST(FileDescriptionOf, ReadsTheVersionResource) {
    EXPECT_EQ(FileDescriptionOf(TestExecutableDirectory() + L"\\corvane.exe"), L"Corvane");
}

TEST(FileDescriptionOf, FilesWithoutOneGiveNothing) {
    EXPECT_EQ(FileDescriptionOf(TestExecutableDirectory() + L"\\windowHelper.exe"), L"");
    EXPECT_EQ(FileDescriptionOf(TestExecutableDirectory() + L"\\no-such-file.exe"), L"");
    EXPECT_EQ(FileDescriptionOf(L""), L"");
}

TEST(UpdateCurrentApplication, NamesAnotherProcessAndReportsOnlyRealChanges) {
    HelperWindowProcess helper(L"normal");
    ASSERT_NE(helper.Window(), nullptr);
    CurrentApplication current;

    EXPECT_TRUE(UpdateCurrentApplication(current, helper.Window()));
    EXPECT_EQ(current.window, helper.Window());
    // No version resource: the file name without extension, first letter raised.
    EXPECT_EQ(current.displayName, L"WindowHelper");
    EXPECT_EQ(current.exeName, L"windowhelper.exe");
    EXPECT_EQ(Lower(current.exePath), Lower(ProcessImagePath(helper.ProcessId())));

    // The same window again, or a new title, is the same application.
    EXPECT_FALSE(UpdateCurrentApplication(current, helper.Window()));
    ASSERT_TRUE(::SetWindowTextW(helper.Window(), L"A new title"));
    EXPECT_FALSE(UpdateCurrentApplication(current, helper.Window()));

    // Our own windows and null leave it as it is.
    HWND own = ::CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    EXPECT_FALSE(UpdateCurrentApplication(current, own));
    EXPECT_FALSE(UpdateCurrentApplication(current, nullptr));
    ::DestroyWindow(own);
    EXPECT_EQ(current.window, helper.Window());

    // What a settings reload does: a forgotten window counts as new again.
    current.window = nullptr;
    EXPECT_TRUE(UpdateCurrentApplication(current, helper.Window()));
}

TEST(UpdateCurrentApplication, WindowOfAProcessThatEndedIsWindows) {
    HWND gone = nullptr;
    {
        HelperWindowProcess helper(L"normal");
        ASSERT_NE(helper.Window(), nullptr);
        gone = helper.Window();
    }
    CurrentApplication current;
    (void)UpdateCurrentApplication(current, gone);
    EXPECT_EQ(current.displayName, L"Windows");
    EXPECT_EQ(current.exePath, L"");
}

}  // namespace
}  // namespace corvane
