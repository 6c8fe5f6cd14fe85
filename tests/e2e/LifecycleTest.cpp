// The real corvane.exe: single instance, its control window, the reload
// command and a clean quit.

#include "base/Commands.h"
#include "e2e/CorvaneProcess.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using test::CorvaneProcess;
using test::IniBeside;
using test::TempFolder;

std::wstring ReadValue(const std::wstring& path, const wchar_t* section, const wchar_t* key) {
    wchar_t buffer[256] = {};
    ::GetPrivateProfileStringW(section, key, L"<absent>", buffer, 256, path.c_str());
    return buffer;
}

bool SendCommand(HWND control, WPARAM code, LPARAM lParam = 0) {
    DWORD_PTR result = 1;
    return ::SendMessageTimeoutW(control, WM_APP_COMMAND, code, lParam, SMTO_ABORTIFHUNG, 10000,
                                 &result) != 0 &&
           result == 0;
}

class Lifecycle : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(test::CountControlWindows(), 0) << "a Corvane is already running"; }

    TempFolder folder_;
};

TEST_F(Lifecycle, FirstStartCreatesTheSettingsFileNextToTheExe) {
    CorvaneProcess corvane(folder_.Path());
    const std::wstring ini = IniBeside(corvane.ExePath());
    ASSERT_EQ(::GetFileAttributesW(ini.c_str()), INVALID_FILE_ATTRIBUTES);
    ASSERT_TRUE(corvane.Start());
    ASSERT_NE(corvane.WaitForControlWindow(), nullptr);

    const auto bytes = test::ReadFileBytes(ini);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(bytes[1], 0xFE);
    EXPECT_EQ(ReadValue(ini, L"General", L"Language"), L"en");
    EXPECT_EQ(ReadValue(ini, L"Bar", L"Height"), L"28");

    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
}

TEST_F(Lifecycle, ControlWindowIsMessageOnly) {
    CorvaneProcess corvane(folder_.Path());
    ASSERT_TRUE(corvane.Start());
    HWND control = corvane.WaitForControlWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_NE(::GetAncestor(control, GA_PARENT), ::GetDesktopWindow());
    EXPECT_FALSE(::IsWindowVisible(control));
    wchar_t title[16] = {L'x'};
    EXPECT_EQ(::GetWindowTextW(control, title, 16), 0);

    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
}

TEST_F(Lifecycle, SecondStartExitsAtOnceWithoutAWindow) {
    CorvaneProcess first(folder_.Path());
    ASSERT_TRUE(first.Start());
    ASSERT_NE(first.WaitForControlWindow(), nullptr);

    TempFolder otherFolder;
    CorvaneProcess second(otherFolder.Path());
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.WaitForExit(), 0u);
    EXPECT_EQ(test::CountControlWindows(), 1);
    // The second instance read no settings, so it wrote none either.
    EXPECT_EQ(::GetFileAttributesW(IniBeside(second.ExePath()).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(first.IsRunning());

    ASSERT_TRUE(first.PostQuit());
    EXPECT_EQ(first.WaitForExit(), 0u);
}

TEST_F(Lifecycle, ReloadRereadsTheEditedFileAndKeepsRunning) {
    CorvaneProcess corvane(folder_.Path());
    const std::wstring ini = IniBeside(corvane.ExePath());
    ASSERT_TRUE(corvane.Start());
    HWND control = corvane.WaitForControlWindow();
    ASSERT_NE(control, nullptr);

    // Remove what loading writes back: an existing file without a language
    // is Norwegian, so a real reload shows up as Language=no.
    ::WritePrivateProfileStringW(L"General", L"Language", nullptr, ini.c_str());
    ::WritePrivateProfileStringW(L"Bar", L"BarTint", nullptr, ini.c_str());
    ::WritePrivateProfileStringW(L"Bar", L"Tint", L"40", ini.c_str());
    ::WritePrivateProfileStringW(L"Clock", L"ShowSeconds", L"1", ini.c_str());
    ASSERT_EQ(ReadValue(ini, L"General", L"Language"), L"<absent>");

    ASSERT_TRUE(SendCommand(control, CMD_RELOAD_SETTINGS));
    EXPECT_EQ(ReadValue(ini, L"General", L"Language"), L"no");
    EXPECT_EQ(ReadValue(ini, L"Bar", L"BarTint"), L"40");
    ::Sleep(1500);  // a couple of clock ticks with seconds on
    EXPECT_TRUE(corvane.IsRunning());
    EXPECT_EQ(corvane.WaitForControlWindow(1000), control);

    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
}

TEST_F(Lifecycle, EveryCommandIsAnsweredAndJunkIsHarmless) {
    CorvaneProcess corvane(folder_.Path());
    ASSERT_TRUE(corvane.Start());
    HWND control = corvane.WaitForControlWindow();
    ASSERT_NE(control, nullptr);

    for (WPARAM code : {CMD_STATUS_CHANGED, CMD_AUDIO_DEVICE_CHANGED, CMD_DISPLAYS_CHANGED,
                        CMD_THEME_CHANGED, CMD_RECHECK_FULLSCREEN, CMD_TOGGLE_START_MENU}) {
        EXPECT_TRUE(SendCommand(control, code)) << code;
    }
    // Another process cannot hand over a heap object, nor name an unknown command.
    EXPECT_TRUE(SendCommand(control, CMD_ICON_READY, 0x12345678));
    EXPECT_TRUE(SendCommand(control, 999, -1));
    ::Sleep(300);  // the debounce and full-screen timers fire
    EXPECT_TRUE(corvane.IsRunning());

    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
}

TEST_F(Lifecycle, QuitEndsWithZeroAndANewInstanceCanStart) {
    CorvaneProcess corvane(folder_.Path());
    ASSERT_TRUE(corvane.Start());
    ASSERT_NE(corvane.WaitForControlWindow(), nullptr);
    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
    EXPECT_EQ(test::CountControlWindows(), 0);

    ASSERT_TRUE(corvane.Start());
    EXPECT_NE(corvane.WaitForControlWindow(), nullptr);
    ASSERT_TRUE(corvane.PostQuit());
    EXPECT_EQ(corvane.WaitForExit(), 0u);
}

}  // namespace
}  // namespace corvane
