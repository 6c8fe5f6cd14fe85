// Which windows name the application, the name fallbacks and the full-screen
// rectangle rule.

#include "identity/ForegroundRules.h"
#include "config/Language.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(FileNameOf, TakesThePartAfterTheLastSeparatorOfEitherKind) {
    EXPECT_EQ(FileNameOf(L"C:\\Program Files\\App\\App.exe"), L"App.exe");
    EXPECT_EQ(FileNameOf(L"C:/tools/bin/make.exe"), L"make.exe");
    EXPECT_EQ(FileNameOf(L"C:\\mixed/dir\\last.exe"), L"last.exe");
    EXPECT_EQ(FileNameOf(L"C:/mixed\\dir/last.exe"), L"last.exe");
    EXPECT_EQ(FileNameOf(L"notepad.exe"), L"notepad.exe");
    EXPECT_EQ(FileNameOf(L"C:\\folder\\"), L"");
    EXPECT_EQ(FileNameOf(L""), L"");
}

TEST(ExecutableNameOf, IsTheLowerCaseFileName) {
    EXPECT_EQ(ExecutableNameOf(L"C:\\Windows\\Explorer.EXE"), L"explorer.exe");
    EXPECT_EQ(ExecutableNameOf(L"C:\\Dir.With.Dots\\Code.exe"), L"code.exe");
    EXPECT_EQ(ExecutableNameOf(L""), L"");
}

TEST(IsShellSurface, ShellClassesAreComparedWithoutCase) {
    for (const wchar_t* cls :
         {L"Shell_TrayWnd", L"Shell_SecondaryTrayWnd", L"NotifyIconOverflowWindow",
          L"TopLevelWindowForOverflowXamlIsland", L"XamlExplorerHostIslandWindow",
          L"ForegroundStaging", L"MultitaskingViewFrame", L"TaskSwitcherWnd", L"#32768",
          L"tooltips_class32", L"SHELL_TRAYWND", L"Tooltips_Class32"}) {
        EXPECT_TRUE(IsShellSurface(cls, L"notepad.exe")) << cls;
    }
}

TEST(IsShellSurface, ShellExecutablesWhateverTheirClass) {
    for (const wchar_t* exe :
         {L"searchhost.exe", L"startmenuexperiencehost.exe", L"shellexperiencehost.exe",
          L"searchapp.exe", L"shellhost.exe", L"lockapp.exe"}) {
        EXPECT_TRUE(IsShellSurface(L"Windows.UI.Core.CoreWindow", exe)) << exe;
    }
}

TEST(IsShellSurface, OrdinaryWindowsAndTheDesktopAreNot) {
    EXPECT_FALSE(IsShellSurface(L"Notepad", L"notepad.exe"));
    EXPECT_FALSE(IsShellSurface(L"Progman", L"explorer.exe"));
    EXPECT_FALSE(IsShellSurface(L"CabinetWClass", L"explorer.exe"));
    EXPECT_FALSE(IsShellSurface(L"Shell_TrayWndX", L"notepad.exe"));
    EXPECT_FALSE(IsShellSurface(L"", L""));
}

TEST(IsStoreAppHost, OnlyTheFrameHost) {
    EXPECT_TRUE(IsStoreAppHost(L"applicationframehost.exe"));
    EXPECT_FALSE(IsStoreAppHost(L"ApplicationFrameHost.exe"));  // names arrive lower-cased
    EXPECT_FALSE(IsStoreAppHost(L"calculatorapp.exe"));
}

TEST(IsDesktopWindow, ExplorerDesktopClassesExactly) {
    EXPECT_TRUE(IsDesktopWindow(L"explorer.exe", L"Progman"));
    EXPECT_TRUE(IsDesktopWindow(L"explorer.exe", L"WorkerW"));
    EXPECT_FALSE(IsDesktopWindow(L"explorer.exe", L"progman"));
    EXPECT_FALSE(IsDesktopWindow(L"explorer.exe", L"CabinetWClass"));
    EXPECT_FALSE(IsDesktopWindow(L"notepad.exe", L"Progman"));
}

TEST(ShellNames, FollowTheLanguage) {
    SetNorwegian(true);
    EXPECT_STREQ(DesktopName(), L"Skrivebord");
    EXPECT_STREQ(FileExplorerName(), L"Filutforsker");
    SetNorwegian(false);
    EXPECT_STREQ(DesktopName(), L"Desktop");
    EXPECT_STREQ(FileExplorerName(), L"File Explorer");
}

TEST(NameFromFileName, CutsTheLastExtensionAndRaisesOnlyTheFirstLetter) {
    EXPECT_EQ(NameFromFileName(L"notepad.exe"), L"Notepad");
    EXPECT_EQ(NameFromFileName(L"myCoolTool.exe"), L"MyCoolTool");
    EXPECT_EQ(NameFromFileName(L"qBittorrent.exe"), L"QBittorrent");
    EXPECT_EQ(NameFromFileName(L"node.v18.exe"), L"Node.v18");
    EXPECT_EQ(NameFromFileName(L"README"), L"README");
    EXPECT_EQ(NameFromFileName(L"7zFM.exe"), L"7zFM");
    EXPECT_EQ(NameFromFileName(L".exe"), L"");
    EXPECT_EQ(NameFromFileName(L""), L"");
}

TEST(DescriptionFromVersionValue, TrimsTrailingBlanksOnly) {
    const wchar_t text[] = L"  Notepad \t\r\n";
    EXPECT_EQ(DescriptionFromVersionValue(text, std::size(text)), L"  Notepad");
}

TEST(DescriptionFromVersionValue, TooShortOrMissingGivesNothing) {
    EXPECT_EQ(DescriptionFromVersionValue(nullptr, 10), L"");
    EXPECT_EQ(DescriptionFromVersionValue(L"", 1), L"");
    EXPECT_EQ(DescriptionFromVersionValue(L"A", 1), L"");
    EXPECT_EQ(DescriptionFromVersionValue(L"A", 2), L"A");
    EXPECT_EQ(DescriptionFromVersionValue(L"   ", 4), L"");
}

TEST(DescriptionFromVersionValue, NeverReadsPastTheReportedLength) {
    // Not terminated within the length: the copy stops at the length.
    const wchar_t text[] = {L'A', L'p', L'p', L'X', L'X'};
    EXPECT_EQ(DescriptionFromVersionValue(text, 3), L"App");
    // Terminated early: the copy stops at the terminator.
    const wchar_t early[] = {L'O', L'k', L'\0', L'j', L'u', L'n', L'k'};
    EXPECT_EQ(DescriptionFromVersionValue(early, std::size(early)), L"Ok");
}

TEST(FileDescriptionQuery, FormatsLanguageAndCodePageAsEightHexDigits) {
    EXPECT_EQ(FileDescriptionQuery(0x0409, 1200), L"\\StringFileInfo\\040904b0\\FileDescription");
    EXPECT_EQ(FileDescriptionQuery(0x0414, 0x04E4), L"\\StringFileInfo\\041404e4\\FileDescription");
    EXPECT_EQ(FileDescriptionQuery(0, 0), L"\\StringFileInfo\\00000000\\FileDescription");
    EXPECT_EQ(FileDescriptionQuery(0xFFFF, 0xABCD), L"\\StringFileInfo\\ffffabcd\\FileDescription");
}

TEST(IsExcludedFromFullscreen, DesktopTaskbarAndShellProcesses) {
    EXPECT_TRUE(IsExcludedFromFullscreen(L"Progman", L"x.exe"));
    EXPECT_TRUE(IsExcludedFromFullscreen(L"WorkerW", L"x.exe"));
    EXPECT_TRUE(IsExcludedFromFullscreen(L"Shell_TrayWnd", L"x.exe"));
    for (const wchar_t* exe :
         {L"startmenuexperiencehost.exe", L"searchhost.exe", L"shellexperiencehost.exe",
          L"shellhost.exe", L"lockapp.exe", L"explorer.exe"}) {
        EXPECT_TRUE(IsExcludedFromFullscreen(L"AnyClass", exe)) << exe;
    }
    // Exact class comparison here, unlike the shell-surface rule.
    EXPECT_FALSE(IsExcludedFromFullscreen(L"progman", L"game.exe"));
    EXPECT_FALSE(IsExcludedFromFullscreen(L"UnityWndClass", L"game.exe"));
    // searchapp.exe is a shell surface but not excluded from full screen.
    EXPECT_FALSE(IsExcludedFromFullscreen(L"AnyClass", L"searchapp.exe"));
}

TEST(IsFullscreenWindow, BorderlessCoveringWindowIsFullscreenMaximisedIsNot) {
    const ScreenRect display{0, 0, 1920, 1080};
    EXPECT_TRUE(IsFullscreenWindow({0, 0, 1920, 1080}, display, false));
    // A maximised window hangs its frame over every edge, yet is no full screen.
    EXPECT_FALSE(IsFullscreenWindow({-8, -8, 1928, 1088}, display, true));
    EXPECT_FALSE(IsFullscreenWindow({0, 0, 1920, 1080}, display, true));
    // Larger than the display in every direction still covers it.
    EXPECT_TRUE(IsFullscreenWindow({-8, -8, 1928, 1088}, display, false));
}

TEST(IsFullscreenWindow, OneShortEdgeIsEnough) {
    const ScreenRect display{0, 0, 1920, 1080};
    EXPECT_FALSE(IsFullscreenWindow({1, 0, 1920, 1080}, display, false));
    EXPECT_FALSE(IsFullscreenWindow({0, 1, 1920, 1080}, display, false));
    EXPECT_FALSE(IsFullscreenWindow({0, 0, 1919, 1080}, display, false));
    EXPECT_FALSE(IsFullscreenWindow({0, 0, 1920, 1079}, display, false));
}

TEST(IsFullscreenWindow, DisplaysAwayFromTheOrigin) {
    const ScreenRect left{-1280, 0, 0, 1024};
    EXPECT_TRUE(IsFullscreenWindow({-1280, 0, 0, 1024}, left, false));
    EXPECT_FALSE(IsFullscreenWindow({0, 0, 1920, 1080}, left, false));
    const ScreenRect below{0, 1080, 1920, 2160};
    EXPECT_TRUE(IsFullscreenWindow({0, 1080, 1920, 2160}, below, false));
    EXPECT_FALSE(IsFullscreenWindow({0, 0, 1920, 2000}, below, false));
}

TEST(IsFullscreenNotificationState, OnlyD3DFullscreenAndPresentation) {
    for (int32_t state = 0; state <= 8; ++state) {
        EXPECT_EQ(IsFullscreenNotificationState(state), state == 3 || state == 4) << state;
    }
}

}  // namespace
}  // namespace corvane
