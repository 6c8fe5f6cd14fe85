// Naming the application in front from real processes and executables: the
// version resource, the file-name fallback and change detection.

#include "app/App.h"
#include "app/Foreground.h"
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

class EvaluateForegroundTest : public testing::Test {
protected:
    void SetUp() override { TheApp().current = CurrentApplication{}; }
    void TearDown() override { TheApp().current = CurrentApplication{}; }
};

TEST_F(EvaluateForegroundTest, NamesAnotherProcessByItsFileName) {
    HelperWindowProcess helper(L"normal");
    ASSERT_NE(helper.Window(), nullptr);

    EvaluateForeground(helper.Window());
    const CurrentApplication& current = TheApp().current;
    EXPECT_EQ(current.window, helper.Window());
    // No version resource: the file name without extension, first letter raised.
    EXPECT_EQ(current.displayName, L"WindowHelper");
    EXPECT_EQ(current.exeName, L"windowhelper.exe");
    EXPECT_EQ(Lower(current.exePath), Lower(ProcessImagePath(helper.ProcessId())));
    EXPECT_EQ(current.menuGeneration, 1u);
}

TEST_F(EvaluateForegroundTest, SameWindowAgainOrANewTitleChangesNothing) {
    HelperWindowProcess helper(L"normal");
    ASSERT_NE(helper.Window(), nullptr);
    EvaluateForeground(helper.Window());
    const CurrentApplication& current = TheApp().current;
    ASSERT_EQ(current.menuGeneration, 1u);
    const uint32_t iconGeneration = current.iconGeneration;

    EvaluateForeground(helper.Window());
    EXPECT_EQ(current.menuGeneration, 1u);

    ASSERT_TRUE(::SetWindowTextW(helper.Window(), L"A new title"));
    EvaluateForeground(helper.Window());
    EXPECT_EQ(current.menuGeneration, 1u);
    EXPECT_EQ(current.iconGeneration, iconGeneration);
    EXPECT_EQ(current.displayName, L"WindowHelper");
}

TEST_F(EvaluateForegroundTest, ForgottenWindowIsEvaluatedAfresh) {
    HelperWindowProcess helper(L"normal");
    ASSERT_NE(helper.Window(), nullptr);
    EvaluateForeground(helper.Window());
    // What a settings reload does: the same window counts as new again.
    TheApp().current.window = nullptr;
    EvaluateForeground(helper.Window());
    EXPECT_EQ(TheApp().current.menuGeneration, 2u);
    EXPECT_EQ(TheApp().current.window, helper.Window());
}

TEST_F(EvaluateForegroundTest, OwnWindowsAndNullAreIgnored) {
    HelperWindowProcess helper(L"normal");
    ASSERT_NE(helper.Window(), nullptr);
    EvaluateForeground(helper.Window());

    HWND own = ::CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(own, nullptr);
    EvaluateForeground(own);
    EvaluateForeground(nullptr);
    ::DestroyWindow(own);

    EXPECT_EQ(TheApp().current.window, helper.Window());
    EXPECT_EQ(TheApp().current.displayName, L"WindowHelper");
    EXPECT_EQ(TheApp().current.menuGeneration, 1u);
}

TEST_F(EvaluateForegroundTest, WindowOfAProcessThatEndedIsWindows) {
    HWND gone = nullptr;
    {
        HelperWindowProcess helper(L"normal");
        ASSERT_NE(helper.Window(), nullptr);
        gone = helper.Window();
    }
    EvaluateForeground(gone);
    EXPECT_EQ(TheApp().current.displayName, L"Windows");
    EXPECT_EQ(TheApp().current.exePath, L"");
}

}  // namespace
}  // namespace corvane
