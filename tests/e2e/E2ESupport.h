#pragma once
// The real corvane.exe, started from an ini text in a fresh folder of its
// own and probed from outside, and reading what it drew on the screen.

#include "support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::test {

struct IniOptions {
    int style = 0;
    bool autohide = false;
    bool allMonitors = false;
    bool tray = false;
    bool dock = false;
    bool hideTaskbar = false;
    // [Dock] Pinned as written; absent (first-run pins) when null.
    const wchar_t* pinned = L"";
    // [Tiling] Enabled; when on, also Layout 0 (BSP), Gap 8, this Mode and
    // this Float list.
    bool tiling = false;
    int tilingMode = 0;
    const wchar_t* tilingFloat = L"";
    // [Start] Menu.
    int startMenu = 0;
    // [NowPlaying] Enabled and Where.
    bool nowPlaying = false;
    int nowPlayingWhere = 2;
    // [Garden] Enabled; the beds' glass stays the default.
    bool garden = false;
};
[[nodiscard]] std::wstring IniText(const IniOptions& options = {});

[[nodiscard]] inline RECT WindowRect(HWND window) {
    RECT r = {};
    ::GetWindowRect(window, &r);
    return r;
}

// The primary display's rectangles.
[[nodiscard]] inline MONITORINFO PrimaryMonitor() {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    return mi;
}
// A file of the Windows folder.
[[nodiscard]] inline std::wstring WindowsFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}
// The test name of a theme parameter (whether it is light).
inline std::string ThemeName(const testing::TestParamInfo<bool>& info) {
    return info.param ? "Light" : "Dark";
}

// "name size" of every entry of a folder, sorted, folders with size -1: what
// a test compares before and after to prove that no file was touched.
[[nodiscard]] std::vector<std::wstring> FolderListing(const std::wstring& folder);

// Copies corvane.exe from beside the tests into `folder`; returns its path.
inline std::wstring CopyCorvane(const std::wstring& folder) {
    return CopyBuiltFile(L"corvane.exe", folder + L"\\corvane.exe");
}
[[nodiscard]] inline std::wstring IniBeside(const std::wstring& exePath) {
    return exePath.substr(0, exePath.find_last_of(L'\\')) + L"\\corvane.ini";
}
// The message-only control window of a process, waited for; null when the
// process ended first or the time ran out.
[[nodiscard]] HWND WaitForControlWindow(const ChildProcess& process, DWORD timeoutMs = 20000);
// Every "CorvaneCtl" among the message-only windows.
[[nodiscard]] std::vector<HWND> ControlWindows();
// The corvane.exe processes that `parent` started and that still run: its
// guard. Only by name, since Wine hands a dead process's id out again and the
// orphans of that one (Wine's own services) would read as children.
[[nodiscard]] std::vector<DWORD> GuardsOf(DWORD parent);
// Crashes a process from outside, with no crash switch in it: a thread
// started at address 0 faults there, and its unhandled-exception filter runs.
[[nodiscard]] bool CrashFromOutside(const ChildProcess& process);

// Brightness of a 0x00RRGGBB pixel, 0..255: above 128 reads as light.
[[nodiscard]] inline int Luma(uint32_t px) {
    return static_cast<int>((((px >> 16) & 0xFF) * 3 + ((px >> 8) & 0xFF) * 6 + (px & 0xFF)) / 10);
}

// Whether two 0x00RRGGBB pixels differ by more than `tolerance` in a channel.
[[nodiscard]] bool Differs(uint32_t a, uint32_t b, int tolerance = 40);

struct Capture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, row by row from the top
    [[nodiscard]] uint32_t At(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};
// Where a screenshot called `name` is kept: in CORVANE_SCREENSHOTS when set,
// else in the temp folder.
[[nodiscard]] std::wstring ScreenshotPath(const std::wstring& name);
// The picture is also kept as a PNG file at `keepAs` where the X server took it.
[[nodiscard]] Capture CaptureScreen(const RECT& area, const std::wstring& keepAs = L"");

// Runs of columns of `area` (capture coordinates) that hold pixels differing
// from `background` by more than `tolerance`; runs closer than `mergeGap`
// blank columns are one. Returned in capture coordinates shifted by `offsetX`.
[[nodiscard]] std::vector<Span> InkRuns(const Capture& capture, const RECT& area,
                                        uint32_t background, int mergeGap, int offsetX = 0,
                                        int tolerance = 40);

// The theme Windows reports to programs started from now on.
void SetLightTheme(bool light);

// The entries of the popup menu that a process has open, read inside that
// process: each a mark ('*' checked, ' ' not) and its text, or "-" for a
// separator. Empty when no menu is open or the process cannot be entered.
[[nodiscard]] std::vector<std::wstring> OpenMenuEntries(DWORD pid);

// xdotool on Wine's X server: keys typed there reach Wine as a person's, in
// the window with the X focus. Its end cannot be seen from here: it is given
// 800 ms.
bool Xdotool(const std::wstring& arguments);
// Keys typed into the test helper's window (a HelperApp).
bool KeysToHelper(const wchar_t* keys);

// A shortcut in the user's Start-menu Programs folder while the test runs
// (`path` empty when it could not be made).
struct ProgramsShortcut {
    ProgramsShortcut(const TempFolder& temp, const std::wstring& name, const std::wstring& target);
    ~ProgramsShortcut();
    ProgramsShortcut(const ProgramsShortcut&) = delete;
    ProgramsShortcut& operator=(const ProgramsShortcut&) = delete;
    std::wstring path;
};

// Starts Corvane with a given ini text and quits it at the end, expecting a
// clean exit.
class CorvaneTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(ControlWindows().empty()) << "a Corvane is running"; }
    void TearDown() override;

    // Returns the first bar once it is visible, or null.
    HWND StartCorvane(const std::wstring& ini);
    void QuitCorvane();
    [[nodiscard]] std::vector<HWND> Bars() const {
        return FindProcessWindows(corvane_.ProcessId(), L"CorvaneBar");
    }
    // Corvane's visible windows of a class, and the first of them waited for.
    [[nodiscard]] std::vector<HWND> Shown(const wchar_t* className) const;
    [[nodiscard]] HWND WaitShown(const wchar_t* className, DWORD timeoutMs = 5000) const;
    // Tells Corvane of a new window as the shell would: to its session
    // window, which is never shown.
    bool AnnounceWindow(HWND window) const;
    // A command to the control window, answered within 10 s with 0.
    bool Command(WPARAM code, LPARAM lParam = 0) const;
    [[nodiscard]] std::wstring IniPath() const { return IniBeside(exe_); }

    [[nodiscard]] RECT Frame() const { return WindowRect(bar_); }
    [[nodiscard]] int MidY() const { return (Frame().top + Frame().bottom) / 2; }
    [[nodiscard]] int Px(double points) const {
        return static_cast<int>(points * static_cast<double>(dpi_) / 96.0);
    }
    // Clicks the application name, which starts 6 points from the bar's
    // left; returns Corvane's popup menu once it shows, or null.
    [[nodiscard]] HWND OpenAppNameMenu() const;
    // The ink on the bar's left half: the application's name, then its menu
    // titles, in screen columns.
    [[nodiscard]] std::vector<Span> LeftInk() const { return BarInk(true, false, 0, 4, 5); }
    // The middle of the tiling button, placed by the bar's layout from the
    // clock's text: the bar's rightmost ink. Waited for; none without a clock.
    [[nodiscard]] std::optional<POINT> TilingButton() const;
    // The ink on the middle of the bar's right half (status, clock, the Now
    // Playing widget), runs closer than `mergeGap` pixels joined.
    [[nodiscard]] std::vector<Span> RightInk(int mergeGap, int tolerance = 40) const {
        return BarInk(false, true, 1, 3, mergeGap, tolerance);
    }
    // The bar's ink in the halves asked for, between quarters `top` and
    // `bottom` of its height.
    [[nodiscard]] std::vector<Span> BarInk(bool left, bool right, int top, int bottom, int mergeGap,
                                           int tolerance = 40) const;

    TempFolder folder_;
    ChildProcess corvane_;
    std::wstring exe_;
    HWND control_ = nullptr;
    HWND bar_ = nullptr;
    UINT dpi_ = 96;
};

}  // namespace corvane::test
