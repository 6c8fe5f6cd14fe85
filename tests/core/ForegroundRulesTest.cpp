// Which windows name the application, the name fallbacks and the full-screen
// rectangle rule.

#include "identity/ForegroundFromFocus.h"
#include "identity/ForegroundRules.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ForegroundRules, FileAndExecutableNamesOfAPath) {
    struct Row {
        const wchar_t* path;
        const wchar_t* fileName;
        const wchar_t* exeName;
    };
    const Row rows[] = {{L"C:\\Program Files\\App\\App.exe", L"App.exe", L"app.exe"},
                        {L"C:\\mixed/dir\\last.exe", L"last.exe", L"last.exe"},
                        {L"C:/mixed\\dir/Last.EXE", L"Last.EXE", L"last.exe"},
                        {L"notepad.exe", L"notepad.exe", L"notepad.exe"},
                        {L"C:\\folder\\", L"", L""},
                        {L"", L"", L""}};
    for (const Row& r : rows) {
        EXPECT_EQ(FileNameOf(r.path), r.fileName) << r.path;
        EXPECT_EQ(ExecutableNameOf(r.path), r.exeName) << r.path;
    }
}

TEST(ForegroundRules, WindowClassification) {
    struct Row {
        const wchar_t* cls;
        const wchar_t* exe;
        bool shellSurface;   // class without case, or a shell process
        bool desktop;        // explorer's exact desktop classes
        bool notFullscreen;  // exact classes, or a shell process
    };
    const Row rows[] = {{L"Shell_TrayWnd", L"x.exe", true, false, true},
                        {L"SHELL_TRAYWND", L"x.exe", true, false, false},
                        {L"#32768", L"x.exe", true, false, false},
                        {L"Shell_TrayWndX", L"x.exe", false, false, false},
                        {L"Progman", L"explorer.exe", false, true, true},
                        {L"WorkerW", L"explorer.exe", false, true, true},
                        {L"progman", L"explorer.exe", false, false, true},
                        {L"CabinetWClass", L"explorer.exe", false, false, true},
                        {L"Progman", L"game.exe", false, false, true},
                        {L"progman", L"game.exe", false, false, false},
                        {L"Windows.UI.Core.CoreWindow", L"searchhost.exe", true, false, true},
                        {L"Windows.UI.Core.CoreWindow", L"searchapp.exe", true, false, false},
                        {L"LockScreen", L"lockapp.exe", true, false, true},
                        {L"UnityWndClass", L"game.exe", false, false, false},
                        {L"", L"", false, false, false}};
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.cls << " / " << r.exe);
        EXPECT_EQ(IsShellSurface(r.cls, r.exe), r.shellSurface);
        EXPECT_EQ(IsDesktopWindow(r.exe, r.cls), r.desktop);
        EXPECT_EQ(IsExcludedFromFullscreen(r.cls, r.exe), r.notFullscreen);
    }
}

TEST(ForegroundRules, NameFromFileNameCutsTheExtensionAndRaisesTheFirstLetter) {
    for (const auto& [file, name] : {std::pair{L"notepad.exe", L"Notepad"},
                                     {L"qBittorrent.exe", L"QBittorrent"},
                                     {L"node.v18.exe", L"Node.v18"},
                                     {L"README", L"README"},
                                     {L"7zFM.exe", L"7zFM"},
                                     {L".exe", L""},
                                     {L"", L""}}) {
        EXPECT_EQ(NameFromFileName(file), name) << file;
    }
}

TEST(ForegroundRules, DescriptionFromVersionValueStopsAtLengthOrTerminator) {
    struct Row {
        const wchar_t* value;
        std::size_t lengthWithNull;
        const wchar_t* description;
    };
    const Row rows[] = {{L"  Notepad \t\r\n", 14, L"  Notepad"},
                        {nullptr, 10, L""},
                        {L"", 1, L""},
                        {L"A", 1, L""},
                        {L"A", 2, L"A"},
                        {L"   ", 4, L""},
                        {L"AppXX", 3, L"App"},
                        {L"Ok\0junk", 8, L"Ok"}};
    for (const Row& r : rows) {
        EXPECT_EQ(DescriptionFromVersionValue(r.value, r.lengthWithNull), r.description)
            << r.lengthWithNull;
    }
}

// Zero-padded, lower-case hex: 0x0409 and 1200 (0x04B0) show both.
TEST(ForegroundRules, FileDescriptionQueryHasEightHexDigits) {
    EXPECT_EQ(FileDescriptionQuery(0x0409, 1200), L"\\StringFileInfo\\040904b0\\FileDescription");
}

TEST(ForegroundRules, FullscreenIsAnUnmaximisedWindowCoveringItsDisplay) {
    struct Row {
        PixelRect window, display;
        bool maximised, fullscreen;
    };
    const PixelRect main{0, 0, 1920, 1080};
    const PixelRect left{-1280, 0, 0, 1024};
    const PixelRect below{0, 1080, 1920, 2160};
    const Row rows[] = {
        {{0, 0, 1920, 1080}, main, false, true},     {{-8, -8, 1928, 1088}, main, false, true},
        {{-8, -8, 1928, 1088}, main, true, false},   {{1, 0, 1920, 1080}, main, false, false},
        {{0, 1, 1920, 1080}, main, false, false},    {{0, 0, 1919, 1080}, main, false, false},
        {{0, 0, 1920, 1079}, main, false, false},    {{-1280, 0, 0, 1024}, left, false, true},
        {{0, 1080, 1920, 2160}, below, false, true}, {{0, 0, 1920, 2000}, below, false, false}};
    for (const Row& r : rows) {
        EXPECT_EQ(IsFullscreenWindow(r.window, r.display, r.maximised), r.fullscreen)
            << r.window.left << "," << r.window.top << " " << r.window.right << ","
            << r.window.bottom << " max " << r.maximised;
    }
    // SHQueryUserNotificationState: D3D full screen and presentation mode.
    EXPECT_TRUE(IsFullscreenNotificationState(3));
    EXPECT_TRUE(IsFullscreenNotificationState(4));
    EXPECT_FALSE(IsFullscreenNotificationState(2));
    EXPECT_FALSE(IsFullscreenNotificationState(5));
}

// The window in front when focus moved: the system's foreground, or the
// focused program's window while the system still reports the desktop.
// Window ids: 1 the desktop, 2 ours, 5 and 7 programs' windows.
TEST(ForegroundFromFocus, PicksTheWindowInFrontAndWhetherToLookAgain) {
    using K = ForegroundKind;
    const struct {
        const char* name;
        FocusWitness witness;
        FocusVerdict verdict;
    } cases[] = {
        {"a new foreground", {5, K::App, 0, 7}, {5, false}},
        {"the same foreground", {5, K::App, 0, 5}, {0, false}},
        {"focus in another program", {5, K::App, 7, 5}, {0, true}},
        {"ours in front, a program focused", {2, K::Ours, 7, 5}, {0, true}},
        {"the desktop reported, a program focused", {1, K::Desktop, 7, 1}, {7, true}},
        {"the desktop reported, that program handled", {1, K::Desktop, 7, 7}, {0, true}},
        {"the desktop, nothing focused", {1, K::Desktop, 0, 5}, {1, true}},
        {"no foreground, nothing focused", {0, K::None, 0, 5}, {0, true}},
    };
    for (const auto& c : cases) {
        const FocusVerdict got = DecideForegroundFromFocus(c.witness);
        EXPECT_EQ(got.front, c.verdict.front) << c.name;
        EXPECT_EQ(got.lookAgain, c.verdict.lookAgain) << c.name;
    }
}

}  // namespace
}  // namespace corvane
