// CorMenu in the real corvane.exe: opened by the Windows key typed on the X
// server (a person's key, not an injected one) and by the dock's Start
// button, searched, launched from and pinned to, and its screenshots in both
// themes. When a key tap counts, where the menu stands and how its rows are
// laid out are the unit tests' business; here they meet the real windows.

#include "base/Commands.h"
#include "base/Win32Handles.h"
#include "e2e/E2ESupport.h"

#include <knownfolders.h>
#include <objidl.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <vector>

namespace corvane {
namespace {

using Microsoft::WRL::ComPtr;
using test::WaitUntil;

constexpr wchar_t kMenuClass[] = L"CorvaneCorMenu";
constexpr wchar_t kXdotool[] = L"Z:\\usr\\bin\\xdotool";
// CorMenu's left column: its width, and where its rows begin and repeat.
constexpr double kLeftColumn = 384;  // 620 x 0.62, rounded
constexpr double kFirstRow = 102;
constexpr double kRowPitch = 38;

RECT WindowRect(HWND hwnd) {
    RECT r = {};
    ::GetWindowRect(hwnd, &r);
    return r;
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(), ::towlower);
    return text;
}

std::wstring WindowsFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

// xdotool on the X server Wine draws on: keys typed there reach Wine as a
// person's. The end of a Unix process cannot be seen from here; its work is
// given `settleMs`.
bool Xdotool(const std::wstring& arguments, DWORD settleMs = 800) {
    std::wstring command = std::wstring(kXdotool) + L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        return false;
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    ::Sleep(settleMs);
    return true;
}

// Keys with the X focus on the helper's window titled "Helper": only then
// does Wine take them for a person's.
bool KeysToHelper(const wchar_t* keys) {
    return Xdotool(std::wstring(L"search --name ^Helper$ windowfocus --sync key ") + keys);
}

// Characters typed into whatever has the keyboard.
void TypeText(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (const wchar_t c : text) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    ::Sleep(300);
}

// A shortcut in the user's Start-menu Programs folder, removed again at the
// end. Written through a stream: saving it as a file would have Wine's menu
// builder copy it into the Linux desktop's menus.
class ProgramsShortcut {
public:
    ProgramsShortcut(const std::wstring& name, const std::wstring& target,
                     const wchar_t* arguments) {
        PWSTR folder = nullptr;
        if (FAILED(::SHGetKnownFolderPath(FOLDERID_Programs, 0, nullptr, &folder))) {
            return;
        }
        const std::wstring path = std::wstring(folder) + L"\\" + name + L".lnk";
        ::CoTaskMemFree(folder);
        const ComApartment com;
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistStream> persist;
        ComPtr<IStream> stream;
        HGLOBAL memory = nullptr;
        if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                      IID_PPV_ARGS(&link))) ||
            FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(arguments)) ||
            FAILED(link.As(&persist)) || FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
            FAILED(persist->Save(stream.Get(), TRUE)) ||
            FAILED(::GetHGlobalFromStream(stream.Get(), &memory))) {
            return;
        }
        const auto* bytes = static_cast<const uint8_t*>(::GlobalLock(memory));
        const std::vector<uint8_t> content(bytes, bytes + ::GlobalSize(memory));
        ::GlobalUnlock(memory);
        if (test::WriteFileBytes(path, content)) {
            path_ = path;
        }
    }
    ~ProgramsShortcut() {
        if (!path_.empty()) {
            ::DeleteFileW(path_.c_str());
        }
    }
    ProgramsShortcut(const ProgramsShortcut&) = delete;
    ProgramsShortcut& operator=(const ProgramsShortcut&) = delete;

    [[nodiscard]] bool Made() const { return !path_.empty(); }

private:
    std::wstring path_;
};

class StartMenuE2E : public test::CorvaneTest {
protected:
    // Corvane with a dock and these start settings; the dock's window.
    HWND Start(test::IniOptions options) {
        options.dock = true;
        if (StartCorvane(test::IniText(options)) != nullptr) {
            dock_ = corvane_.WaitForWindow(L"CorvaneDock");
        }
        return dock_;
    }

    // Programs the menu started are closed before their folder goes.
    void TearDown() override {
        HWND w = nullptr;
        for (int i = 0; i < 5 && (w = ::FindWindowW(test::kHelperWindowClass, nullptr)); ++i) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(w, &pid);
            const UniqueHandle process(::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid));
            ::PostMessageW(w, WM_CLOSE, 0, 0);
            if (process && ::WaitForSingleObject(process.Get(), 5000) == WAIT_TIMEOUT) {
                ::TerminateProcess(process.Get(), 1);
            }
        }
        test::CorvaneTest::TearDown();
    }

    // The menu's window while it is on the screen, or null.
    [[nodiscard]] HWND Menu() const {
        for (HWND w : test::FindProcessWindows(corvane_.ProcessId(), kMenuClass)) {
            if (::IsWindowVisible(w)) {
                return w;
            }
        }
        return nullptr;
    }
    // Open, and done sliding into place.
    bool Opened() const {
        const bool open = WaitUntil([&] { return Menu() != nullptr; }, 5000);
        ::Sleep(400);
        return open;
    }
    bool Closed() const {
        return WaitUntil([&] { return Menu() == nullptr; }, 3000);
    }
    // What the Windows-key hook posts.
    void Toggle() const { ::PostMessageW(control_, WM_APP_COMMAND, CMD_TOGGLE_START_MENU, 0); }

    // A point of the menu given in its own points.
    [[nodiscard]] POINT At(double x, double y) const {
        const RECT r = WindowRect(Menu());
        return {r.left + Px(x), r.top + Px(y)};
    }
    [[nodiscard]] POINT Row(int index, double top = kFirstRow) const {
        return At(kLeftColumn / 2, top + index * kRowPitch + kRowPitch / 2);
    }
    void ShowAllApps() const { test::Click(At(kLeftColumn - 20, 81)); }

    // The item menu of the row at `p`, read while it is open; it is left open.
    std::vector<std::wstring> ItemMenu(POINT p) const {
        test::RightClick(p);
        std::vector<std::wstring> entries;
        WaitUntil([&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); },
                  3000);
        return entries;
    }
    // Chooses an entry of the open item menu with the keyboard.
    static void Choose(const std::vector<std::wstring>& entries, const std::wstring& entry) {
        const auto at = std::find(entries.begin(), entries.end(), entry);
        const auto downs =
            std::count_if(entries.begin(), at + 1, [](const std::wstring& e) { return e != L"-"; });
        for (std::ptrdiff_t i = 0; i < downs; ++i) {
            test::TapKey(VK_DOWN);
        }
        test::TapKey(VK_RETURN);
    }

    HWND dock_ = nullptr;
};

TEST_F(StartMenuE2E, TheWindowsKeyTogglesCorMenuAboveTheDockAndShortcutsEscapeAndClicksPassBy) {
    if (::GetFileAttributesW(kXdotool) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "needs keys typed on the X server";
    }
    ASSERT_NE(Start({.startMenu = 1}), nullptr);
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"front.exe", L"normal"));

    ASSERT_TRUE(KeysToHelper(L"Super_L"));
    ASSERT_TRUE(Opened()) << "the Windows key opened nothing";
    const RECT menu = WindowRect(Menu());
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &mi);
    EXPECT_EQ(menu.bottom, std::min(mi.rcWork.bottom - Px(12), WindowRect(dock_).top - Px(10)));
    EXPECT_NEAR((menu.left + menu.right) / 2, (mi.rcMonitor.left + mi.rcMonitor.right) / 2, 1);

    // The menu has the X focus now: the second tap reaches it as it is.
    ASSERT_TRUE(Xdotool(L"key Super_L"));
    EXPECT_TRUE(Closed()) << "a second tap left it open";

    // Also long enough for a menu opened again instead of closed to show:
    // under Wine, destroying the active window takes 2 s.
    ASSERT_TRUE(KeysToHelper(L"super+e"));
    ::Sleep(1500);
    EXPECT_EQ(Menu(), nullptr) << "open after the second tap and Win+E";

    ASSERT_TRUE(KeysToHelper(L"Super_L"));
    ASSERT_TRUE(Opened());
    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(Closed()) << "Escape left it open";

    ASSERT_TRUE(KeysToHelper(L"Super_L"));
    ASSERT_TRUE(Opened());
    const RECT helper = WindowRect(app.Window());
    test::Click({helper.left + 60, (helper.top + helper.bottom) / 2});
    EXPECT_TRUE(Closed()) << "a click elsewhere left it open";
}

TEST_F(StartMenuE2E, SearchListsSettingsAndAppsEnterStartsAnAppAndAPinStaysOnHome) {
    const std::wstring probe = test::CopyBuiltFile(L"test_helper.exe", folder_.File(L"probe.exe"));
    const ProgramsShortcut shortcut(L"Corvane Probe", probe, L"normal");
    ASSERT_TRUE(shortcut.Made());
    // CorMenu's pins start as a copy of the dock's: none.
    ASSERT_NE(Start({.startMenu = 1}), nullptr);
    Toggle();
    ASSERT_TRUE(Opened());

    // A settings page is only opened: no pins, no program file.
    TypeText(L"display");
    EXPECT_EQ(ItemMenu(Row(0)), std::vector<std::wstring>{L" Open"});
    test::TapKey(VK_ESCAPE);
    test::TapKey(VK_ESCAPE);  // the query goes, Home comes back

    TypeText(L"corvane probe");
    const std::vector<std::wstring> entries = ItemMenu(Row(0));
    ASSERT_NE(std::find(entries.begin(), entries.end(), L" Pin to CorMenu"), entries.end())
        << "no app found";
    Choose(entries, L" Pin to CorMenu");
    EXPECT_TRUE(WaitUntil(
        [&] { return Lower(test::ReadIniValue(IniPath(), L"CorMenu", L"Pinned")) == Lower(probe); },
        3000))
        << test::ReadIniValue(IniPath(), L"CorMenu", L"Pinned");
    EXPECT_EQ(test::ReadIniValue(IniPath(), L"CorMenu", L"PinnedSet"), L"1");

    ASSERT_NE(Menu(), nullptr) << "pinning closed the menu";
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] {
        return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr;
    })) << "Enter started nothing";
    EXPECT_TRUE(Closed());

    // Reopened: the pin leads Home, and All apps lists the app under C.
    Toggle();
    ASSERT_TRUE(Opened());
    const std::vector<std::wstring> home = ItemMenu(Row(0));
    EXPECT_NE(std::find(home.begin(), home.end(), L" Unpin from CorMenu"), home.end())
        << "not pinned on Home";
    test::TapKey(VK_ESCAPE);
    ShowAllApps();
    ::Sleep(300);
    constexpr double kHeaderRow = 30;
    EXPECT_FALSE(ItemMenu(Row(0, kFirstRow + kHeaderRow)).empty()) << "not under All apps";
    test::TapKey(VK_ESCAPE);
}

TEST_F(StartMenuE2E, TheDocksStartButtonOpensWindowsStartOrAfterAReloadCorMenu) {
    ASSERT_NE(Start({.startMenu = 0}), nullptr);
    const std::wstring log = folder_.File(L"keys.log");
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"front.exe", L"normal", log));
    // The Start cell, the first of the dock's.
    const auto start = [&] {
        const RECT dock = WindowRect(dock_);
        return POINT{dock.left + Px(6 + 22), (dock.top + dock.bottom) / 2};
    };
    const auto typed = [&](const char* line) {
        const std::vector<uint8_t> bytes = test::ReadFileBytes(log);
        return std::string(bytes.begin(), bytes.end()).find(line) != std::string::npos;
    };

    test::Click(start());
    EXPECT_TRUE(WaitUntil([&] { return typed("keydown 91 ") && typed("keyup 91 "); }, 3000))
        << "no Windows key reached the app in front";
    EXPECT_EQ(Menu(), nullptr);

    ::WritePrivateProfileStringW(L"Start", L"Menu", L"1", IniPath().c_str());
    DWORD_PTR result = 1;
    ASSERT_TRUE(::SendMessageTimeoutW(control_, WM_APP_COMMAND, CMD_RELOAD_SETTINGS, 0,
                                      SMTO_ABORTIFHUNG, 10000, &result));
    dock_ = corvane_.WaitForWindow(L"CorvaneDock");
    ASSERT_NE(dock_, nullptr);
    // The new dock has the app in front too: it is wider.
    test::Click(start());
    EXPECT_TRUE(Opened()) << "the Start button opened nothing after the reload";
}

// Whether the theme is light.
class CorMenuScreenshot : public StartMenuE2E, public testing::WithParamInterface<bool> {};

int Luma(uint32_t px) {
    return static_cast<int>((((px >> 16) & 0xFF) * 3 + ((px >> 8) & 0xFF) * 6 + (px & 0xFF)) / 10);
}

TEST_P(CorMenuScreenshot, HomeAllAppsAndResultsAreDrawnOnTheThemesSurface) {
    const bool light = GetParam();
    const std::wstring notepad = WindowsFile(L"notepad.exe");
    const std::wstring regedit = WindowsFile(L"regedit.exe");
    const ProgramsShortcut shortcuts[] = {
        {L"Notepad", notepad, L""},
        {L"Registry Editor", regedit, L""},
        {L"Command Prompt", WindowsFile(L"system32\\cmd.exe"), L""},
    };
    const std::wstring pinned = notepad + L"|" + regedit;
    test::SetLightTheme(light);
    const HWND dock = Start({.startMenu = 1, .menuPinned = pinned.c_str()});
    test::SetLightTheme(false);
    ASSERT_NE(dock, nullptr);
    // Away from the menu: no row is hovered.
    test::MovePointer({5, test::ScreenCentre().y});
    Toggle();
    ASSERT_TRUE(Opened());
    ::Sleep(600);  // the icons come after the first frame

    const std::wstring suffix =
        std::wstring(light ? L"-light-" : L"-dark-") + std::to_wstring(dpi_) + L"dpi.png";
    const auto rows = [&](const wchar_t* view, int count, double top) {
        SCOPED_TRACE(testing::Message() << view);
        const test::Capture c = test::CaptureScreen(
            WindowRect(Menu()), test::ScreenshotPath(L"cormenu-" + std::wstring(view) + suffix));
        ASSERT_FALSE(c.pixels.empty());
        // Below the right column's rows: nothing but the surface.
        const uint32_t surface = c.At(c.width - Px(30), c.height - Px(75));
        EXPECT_EQ(Luma(surface) > 128, light) << std::hex << surface;
        for (int i = 0; i < count; ++i) {
            const int y = Px(top + i * kRowPitch);
            EXPECT_FALSE(
                test::InkRuns(c, {Px(12), y, Px(kLeftColumn - 12), y + Px(36)}, surface, 0).empty())
                << "row " << i << " is empty";
        }
    };
    rows(L"home", 2, kFirstRow);
    ShowAllApps();
    ::Sleep(600);
    rows(L"allapps", 1, kFirstRow + 30);
    TypeText(L"display");
    ::Sleep(600);
    rows(L"results", 2, kFirstRow);
}

INSTANTIATE_TEST_SUITE_P(Themes, CorMenuScreenshot, testing::Bool(),
                         [](const auto& info) { return info.param ? "Light" : "Dark"; });

}  // namespace
}  // namespace corvane
