// The application menus of the real corvane.exe, driven from outside: an
// application with a menu bar gets its own menus in the bar, a drop-down
// opens under a title, follows the pointer and the arrow keys to the other
// titles, and the chosen entry reaches the application as its menu command
// or as typed keys. menus.txt is created in the UI language and follows a
// language switch while it is untouched.

#include "e2e/CorvaneProcess.h"
#include "e2e/MenuTestIds.h"
#include "e2e/ScreenCapture.h"
#include "resources/DefaultMenusText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::CorvaneProcess;
using test::FindProcessWindows;
using test::TempFolder;
using test::WaitUntil;

constexpr UINT kReloadSettings = 2;

std::wstring Ini(const wchar_t* language) {
    return std::wstring(L"[General]\r\nLanguage=") + language +
           L"\r\nCenterStart=0\r\n[Bar]\r\nHeight=28\r\nStyle=0\r\nAutohide=0\r\n"
           L"AllMonitors=0\r\nBackdrop=solid\r\n[Tray]\r\nEnabled=0\r\n[Dock]\r\nEnabled=0\r\n"
           L"ConfigVersion=2\r\n[Tiling]\r\nEnabled=0\r\n";
}

std::vector<uint8_t> Utf8(std::wstring_view text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                          size, nullptr, nullptr);
    return {bytes.begin(), bytes.end()};
}

// menus.txt as Corvane writes it: a byte-order mark, UTF-8, CR LF.
std::vector<uint8_t> MenusFileBytes(std::wstring_view text) {
    std::vector<uint8_t> out = {0xEF, 0xBB, 0xBF};
    for (const uint8_t b : Utf8(text)) {
        if (b == '\n') {
            out.push_back('\r');
        }
        out.push_back(b);
    }
    return out;
}

// One line of the menu test application's log.
struct LogEntry {
    std::string kind;  // command, keydown, keyup, ready
    unsigned value = 0;
    unsigned extended = 0;
    unsigned long long tick = 0;
};

std::vector<LogEntry> ReadLog(const std::wstring& path) {
    const std::vector<uint8_t> bytes = test::ReadFileBytes(path);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<LogEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LogEntry e;
        fields >> e.kind >> e.value >> e.extended >> e.tick;
        entries.push_back(e);
    }
    return entries;
}

std::vector<unsigned> Commands(const std::wstring& logPath) {
    std::vector<unsigned> ids;
    for (const LogEntry& e : ReadLog(logPath)) {
        if (e.kind == "command") {
            ids.push_back(e.value);
        }
    }
    return ids;
}

// Key events of the given keys only: the keys the test itself types into
// the drop-down may reach the application too.
std::vector<LogEntry> KeysOf(const std::wstring& logPath, std::vector<unsigned> keys) {
    std::vector<LogEntry> out;
    for (const LogEntry& e : ReadLog(logPath)) {
        if ((e.kind == "keydown" || e.kind == "keyup") &&
            std::find(keys.begin(), keys.end(), e.value) != keys.end()) {
            out.push_back(e);
        }
    }
    return out;
}

std::string Describe(const std::vector<LogEntry>& keys) {
    std::string text;
    for (const LogEntry& e : keys) {
        text += e.kind + " " + std::to_string(e.value) + "/" + std::to_string(e.extended) + "; ";
    }
    return text;
}

void Tap(WORD key) {
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = key;
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    ::Sleep(60);
}

void MoveMouse(POINT p) {
    ::SetCursorPos(p.x, p.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int w = ::GetSystemMetrics(SM_CXSCREEN);
    const int h = ::GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = ::MulDiv(p.x, 65535, w - 1);
    input.mi.dy = ::MulDiv(p.y, 65535, h - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void Click(POINT p) {
    MoveMouse(p);
    ::Sleep(100);
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// The menu test application, copied under the file name its profile asks for.
class MenuApp {
public:
    MenuApp(const std::wstring& folder, const std::wstring& exeName)
        : exe_(folder + L"\\" + exeName), log_(folder + L"\\" + exeName + L".log") {
        const std::wstring source = test::TestExecutableDirectory() + L"\\e2e_menu_app.exe";
        ::CopyFileW(source.c_str(), exe_.c_str(), FALSE);
    }
    ~MenuApp() {
        if (pi_.hProcess == nullptr) {
            return;
        }
        if (window_ != nullptr) {
            ::PostMessageW(window_, WM_CLOSE, 0, 0);
        }
        if (::WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) {
            ::TerminateProcess(pi_.hProcess, 1);
        }
        ::CloseHandle(pi_.hThread);
        ::CloseHandle(pi_.hProcess);
    }
    MenuApp(const MenuApp&) = delete;
    MenuApp& operator=(const MenuApp&) = delete;

    bool Start() {
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        std::wstring commandLine = L"\"" + exe_ + L"\" \"" + log_ + L"\" \"Menu test\"";
        if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &si, &pi_)) {
            return false;
        }
        return WaitUntil([&] {
            const auto windows = FindProcessWindows(pi_.dwProcessId, test::kMenuTestWindowClass);
            window_ = windows.empty() ? nullptr : windows.front();
            return window_ != nullptr && ::IsWindowVisible(window_);
        });
    }

    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] const std::wstring& LogPath() const { return log_; }

private:
    std::wstring exe_;
    std::wstring log_;
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr;
};

struct InkSpan {
    int left = 0;
    int right = 0;  // inclusive
};

// Runs of inked columns in the left half of the bar, in screen pixels; gaps
// narrower than a few pixels (between letters) do not split a run.
std::vector<InkSpan> LeftInkSpans(HWND bar) {
    RECT frame = {};
    ::GetWindowRect(bar, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const test::Capture capture = test::CaptureScreen(frame);
    const uint32_t background = capture.At(width / 2, height / 2);
    std::vector<InkSpan> spans;
    int gap = 1000;
    for (int x = 0; x < width / 2; ++x) {
        const bool ink = test::CountInk(capture, {x, 0, x + 1, height}, background) > 0;
        if (!ink) {
            ++gap;
            continue;
        }
        if (gap > 5 || spans.empty()) {
            spans.push_back({frame.left + x, frame.left + x});
        } else {
            spans.back().right = frame.left + x;
        }
        gap = 0;
    }
    return spans;
}

// A left press on a title, delivered to the bar without moving the pointer.
void PressOn(HWND bar, const InkSpan& span) {
    RECT frame = {};
    ::GetWindowRect(bar, &frame);
    const int x = (span.left + span.right) / 2 - frame.left;
    const int y = (frame.bottom - frame.top) / 2;
    ::PostMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
}

class AppMenusE2E : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(test::CountControlWindows(), 0) << "a Corvane is already running";
    }

    void TearDown() override {
        Tap(VK_ESCAPE);
        if (corvane_ && corvane_->IsRunning()) {
            EXPECT_TRUE(corvane_->PostQuit());
            EXPECT_EQ(corvane_->WaitForExit(), 0u);
        }
    }

    HWND Start(const wchar_t* language) {
        corvane_ = std::make_unique<CorvaneProcess>(folder_.Path());
        EXPECT_TRUE(corvane_->WriteSettings(Ini(language)));
        EXPECT_TRUE(corvane_->Start());
        control_ = corvane_->WaitForControlWindow();
        EXPECT_NE(control_, nullptr);
        HWND bar = nullptr;
        WaitUntil([&] {
            const auto bars = FindProcessWindows(corvane_->ProcessId(), L"CorvaneBar");
            bar = bars.empty() ? nullptr : bars.front();
            return bar != nullptr && ::IsWindowVisible(bar);
        });
        return bar;
    }

    // The titles of `count` menus: the last inked runs left of the middle,
    // once the application's name and menus are drawn.
    std::vector<InkSpan> Titles(HWND bar, std::size_t count) {
        std::vector<InkSpan> spans;
        WaitUntil([&] {
            spans = LeftInkSpans(bar);
            return spans.size() >= count + 1;
        });
        ::Sleep(300);
        spans = LeftInkSpans(bar);
        if (spans.size() < count + 1) {
            return {};
        }
        return {spans.end() - static_cast<std::ptrdiff_t>(count + 1), spans.end()};
    }

    // The open drop-down of Corvane, or null.
    HWND DropDown() const {
        for (HWND w : FindProcessWindows(corvane_->ProcessId(), L"#32768")) {
            if (::IsWindowVisible(w)) {
                return w;
            }
        }
        return nullptr;
    }

    static POINT Middle(HWND bar, const InkSpan& span) {
        RECT frame = {};
        ::GetWindowRect(bar, &frame);
        return {(span.left + span.right) / 2, (frame.top + frame.bottom) / 2};
    }

    // Left edge of the open drop-down, once one under `title` is open.
    bool WaitForDropDownUnder(const InkSpan& before, const InkSpan& title) {
        return WaitUntil([&] {
            HWND menu = DropDown();
            if (menu == nullptr) {
                return false;
            }
            RECT r = {};
            ::GetWindowRect(menu, &r);
            return r.left > before.right && r.left <= title.left;
        }, 5000);
    }

    TempFolder folder_;
    std::unique_ptr<CorvaneProcess> corvane_;
    HWND control_ = nullptr;
};

TEST_F(AppMenusE2E, AnApplicationsOwnMenusOpenSlideAndSendTheirCommands) {
    HWND bar = Start(L"en");
    ASSERT_NE(bar, nullptr);
    MenuApp app(folder_.Path(), L"menuapp.exe");
    ASSERT_TRUE(app.Start());
    if (::GetMenuItemCount(::GetMenu(app.Window())) < 1) {
        // Wine keeps menus inside their process; Windows shares them.
        GTEST_SKIP() << "this system does not let other processes read a window's menu bar";
    }
    // The name, then "File" and "Edit".
    const std::vector<InkSpan> spans = Titles(bar, 2);
    ASSERT_EQ(spans.size(), 3u);
    const InkSpan& name = spans[0];
    const InkSpan& file = spans[1];
    const InkSpan& edit = spans[2];

    Click(Middle(bar, file));
    ASSERT_TRUE(WaitForDropDownUnder(name, file)) << "no drop-down under File";
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return !Commands(app.LogPath()).empty(); }, 5000));
    EXPECT_EQ(Commands(app.LogPath()), std::vector<unsigned>{test::kMenuIdOpen});
    EXPECT_TRUE(WaitUntil([&] { return DropDown() == nullptr; }, 3000));

    // Moving along the titles switches to the next drop-down.
    Click(Middle(bar, file));
    ASSERT_TRUE(WaitForDropDownUnder(name, file));
    MoveMouse(Middle(bar, edit));
    ASSERT_TRUE(WaitForDropDownUnder(file, edit)) << "the pointer did not switch menus";
    Tap(VK_DOWN);
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Commands(app.LogPath()).size() == 2; }, 5000));
    EXPECT_EQ(Commands(app.LogPath()),
              (std::vector<unsigned>{test::kMenuIdOpen, test::kMenuIdCopy}));
}

TEST_F(AppMenusE2E, PointerAndArrowKeysMoveAlongTheTitlesAndEscapeReturnsFocus) {
    ASSERT_TRUE(test::WriteFileBytes(
        folder_.File(L"menus.txt"),
        MenusFileBytes(L"[slider.exe]\nAaa\n    First = Ctrl+A\nBbb\n    Second = Ctrl+B\n"
                       L"Ccc\n    Third = Ctrl+C\n")));
    HWND bar = Start(L"en");
    ASSERT_NE(bar, nullptr);
    MenuApp app(folder_.Path(), L"slider.exe");
    ASSERT_TRUE(app.Start());
    const std::vector<InkSpan> spans = Titles(bar, 3);
    ASSERT_EQ(spans.size(), 4u);
    const POINT away{::GetSystemMetrics(SM_CXSCREEN) - 40, ::GetSystemMetrics(SM_CYSCREEN) - 40};

    // Under Wine each drop-down that appears reports a pointer move at the
    // place the X pointer was last warped to, which need not be where the
    // injected moves left it. So the pointer rests away from the titles, the
    // press on the first title is posted to the bar, and the pointer visits
    // a title only at the end.
    MoveMouse(away);
    ::Sleep(100);
    PressOn(bar, spans[1]);
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    Tap(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2])) << "Right did not move on";
    Tap(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[2], spans[3])) << "Right did not move on";
    Tap(VK_RIGHT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1])) << "Right did not wrap to the first";
    Tap(VK_LEFT);
    ASSERT_TRUE(WaitForDropDownUnder(spans[2], spans[3])) << "Left did not wrap to the last";
    // Last, as Wine's pointer then stays on the title the drop-down moved to.
    MoveMouse(Middle(bar, spans[2]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[1], spans[2])) << "the pointer did not switch menus";

    Tap(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return DropDown() == nullptr; }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app.Window(); }, 3000));
    // Nothing was chosen, so nothing was typed.
    EXPECT_TRUE(KeysOf(app.LogPath(), {VK_CONTROL, 'A', 'B', 'C'}).empty());
}

TEST_F(AppMenusE2E, AProfileItemTypesItsShortcutIntoTheApplication) {
    HWND bar = Start(L"en");
    ASSERT_NE(bar, nullptr);
    MenuApp app(folder_.Path(), L"spotify.exe");
    ASSERT_TRUE(app.Start());
    // "Playback" and "View" from the profile, not the application's own menus.
    const std::vector<InkSpan> spans = Titles(bar, 2);
    ASSERT_EQ(spans.size(), 3u);

    Click(Middle(bar, spans[1]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    Tap(VK_DOWN);  // Play / Pause
    Tap(VK_DOWN);  // Next
    Tap(VK_RETURN);
    std::vector<LogEntry> keys;
    EXPECT_TRUE(WaitUntil([&] {
        keys = KeysOf(app.LogPath(), {VK_CONTROL, VK_RIGHT});
        return keys.size() >= 4;
    }, 5000));
    ASSERT_EQ(keys.size(), 4u) << Describe(keys);
    EXPECT_EQ(keys[0].kind, "keydown");
    EXPECT_EQ(keys[0].value, unsigned{VK_CONTROL});
    EXPECT_EQ(keys[0].extended, 0u);
    EXPECT_EQ(keys[1].kind, "keydown");
    EXPECT_EQ(keys[1].value, unsigned{VK_RIGHT});
    EXPECT_EQ(keys[1].extended, 1u);
    EXPECT_EQ(keys[2].kind, "keyup");
    EXPECT_EQ(keys[2].value, unsigned{VK_RIGHT});
    EXPECT_EQ(keys[2].extended, 1u);
    EXPECT_EQ(keys[3].kind, "keyup");
    EXPECT_EQ(keys[3].value, unsigned{VK_CONTROL});
    EXPECT_EQ(keys[3].extended, 0u);
    // Typed keys are no menu commands.
    EXPECT_TRUE(Commands(app.LogPath()).empty());
}

TEST_F(AppMenusE2E, ATwoChordItemArrivesAsTwoSeparateBatches) {
    ASSERT_TRUE(test::WriteFileBytes(
        folder_.File(L"menus.txt"),
        MenusFileBytes(L"[chords.exe]\nKeys\n    Open Folder = Ctrl+K Ctrl+O\n")));
    HWND bar = Start(L"en");
    ASSERT_NE(bar, nullptr);
    MenuApp app(folder_.Path(), L"chords.exe");
    ASSERT_TRUE(app.Start());
    const std::vector<InkSpan> spans = Titles(bar, 1);
    ASSERT_EQ(spans.size(), 2u);

    Click(Middle(bar, spans[1]));
    ASSERT_TRUE(WaitForDropDownUnder(spans[0], spans[1]));
    Tap(VK_DOWN);
    Tap(VK_RETURN);
    std::vector<LogEntry> keys;
    EXPECT_TRUE(WaitUntil([&] {
        keys = KeysOf(app.LogPath(), {VK_CONTROL, 'K', 'O'});
        return keys.size() >= 8;
    }, 5000));
    ASSERT_EQ(keys.size(), 8u) << Describe(keys);
    const std::vector<std::pair<std::string, unsigned>> expected = {
        {"keydown", VK_CONTROL}, {"keydown", 'K'}, {"keyup", 'K'}, {"keyup", VK_CONTROL},
        {"keydown", VK_CONTROL}, {"keydown", 'O'}, {"keyup", 'O'}, {"keyup", VK_CONTROL}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(keys[i].kind, expected[i].first) << i;
        EXPECT_EQ(keys[i].value, expected[i].second) << i;
    }
    // The second chord follows the first after a pause; each chord is one batch.
    EXPECT_GE(keys[4].tick - keys[3].tick, 30u) << Describe(keys);
    EXPECT_LT(keys[3].tick - keys[0].tick, 30u) << Describe(keys);
}

TEST_F(AppMenusE2E, MenusFileFollowsTheLanguageWhileItIsUntouched) {
    const std::wstring menus = folder_.File(L"menus.txt");
    ASSERT_NE(Start(L"en"), nullptr);
    EXPECT_EQ(test::ReadFileBytes(menus), MenusFileBytes(DefaultMenusText(false)));

    const std::wstring ini = corvane_->IniPath();
    ASSERT_TRUE(::WritePrivateProfileStringW(L"General", L"Language", L"no", ini.c_str()));
    ASSERT_TRUE(::PostMessageW(control_, WM_APP + 2, kReloadSettings, 0));
    const std::vector<uint8_t> norwegian = MenusFileBytes(DefaultMenusText(true));
    EXPECT_TRUE(WaitUntil([&] { return test::ReadFileBytes(menus) == norwegian; }, 5000))
        << "the untouched English default was not replaced";

    // One changed line makes it the user's file: it stays as it is.
    std::vector<uint8_t> edited = norwegian;
    const std::vector<uint8_t> extra = Utf8(L"# mine\r\n");
    edited.insert(edited.end(), extra.begin(), extra.end());
    ASSERT_TRUE(test::WriteFileBytes(menus, edited));
    ASSERT_TRUE(::WritePrivateProfileStringW(L"General", L"Language", L"en", ini.c_str()));
    ASSERT_TRUE(::PostMessageW(control_, WM_APP + 2, kReloadSettings, 0));
    ::Sleep(1500);
    EXPECT_EQ(test::ReadFileBytes(menus), edited);
}

}  // namespace
}  // namespace corvane
