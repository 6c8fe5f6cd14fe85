// CorMenu in the real corvane.exe: the Windows key typed on the X server (a
// person's key, which the hook tells from injected ones), search, launching
// and its count, pins and screenshots in both themes, and the dock's Start
// button. When a tap counts and how the menu is laid out are the unit tests'.

#include "base/Commands.h"
#include "base/Win32Geometry.h"
#include "e2e/E2ESupport.h"
#include "start/MenuLayout.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;
using test::WindowRect;

constexpr wchar_t kMenuClass[] = L"CorvaneCorMenu";
using test::KeysToHelper;
using test::kXdotool;
using test::Luma;
using test::ProgramsShortcut;
using test::TypeText;
using test::Xdotool;

class StartMenuE2E : public test::CorvaneTest {
protected:
    // A program the menu started goes before its folder does.
    void TearDown() override {
        test::EndStartedHelper();
        test::CorvaneTest::TearDown();
    }

    HWND Start(test::IniOptions options) {
        options.dock = true;
        if (StartCorvane(test::IniText(options)) != nullptr) {
            dock_ = corvane_.WaitForWindow(L"CorvaneDock");
        }
        return dock_;
    }
    [[nodiscard]] HWND Menu() const {
        const std::vector<HWND> shown = Shown(kMenuClass);
        return shown.empty() ? nullptr : shown.front();
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

    // A point of the menu given in its points.
    [[nodiscard]] POINT At(double x, double y) const {
        const RECT r = WindowRect(Menu());
        return {r.left + Px(x), r.top + Px(y)};
    }
    // The first app row of a view at the open menu's size, with one pin,
    // one result and these All apps rows.
    [[nodiscard]] PointRect FirstApp(MenuView view, std::span<const LetterRow> letters = {},
                                     std::size_t skip = 0) const {
        const RECT r = WindowRect(Menu());
        MenuLayoutInput input;
        input.width = static_cast<float>(r.right - r.left) * 96.0f / static_cast<float>(dpi_);
        input.height = static_cast<float>(r.bottom - r.top) * 96.0f / static_cast<float>(dpi_);
        input.view = view;
        input.pinnedCount = 1;
        input.resultCount = 1;
        input.letterRows = letters;
        for (const MenuRow& row : LayOutMenu(input).rows) {
            if (row.kind == MenuRowKind::App && skip-- == 0) {
                return row.rect;
            }
        }
        ADD_FAILURE() << "no app row";
        return {};
    }
    // The item menu of a row, read while it is open; it is left open.
    std::vector<std::wstring> ItemMenu(const PointRect& row) const {
        test::RightClick(At((row.left + row.right) / 2, (row.top + row.bottom) / 2));
        std::vector<std::wstring> entries;
        WaitUntil([&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); },
                  3000);
        return entries;
    }
    // The item menu the keys open, read while it is open; it is left open.
    std::vector<std::wstring> KeyMenu(std::initializer_list<WORD> keys) const {
        test::TapKeys(keys);
        std::vector<std::wstring> entries;
        WaitUntil([&] { return !(entries = test::OpenMenuEntries(corvane_.ProcessId())).empty(); },
                  3000);
        return entries;
    }
    static bool Has(const std::vector<std::wstring>& entries, const wchar_t* entry) {
        return std::find(entries.begin(), entries.end(), entry) != entries.end();
    }

    HWND dock_ = nullptr;
};

// Whether the theme is light. The 144-DPI pass runs it too.
class CorMenuInTheme : public StartMenuE2E, public testing::WithParamInterface<bool> {
protected:
    // Keeps a screenshot of the menu and checks that the theme's surface
    // shows beneath the right column and that `part` (points) holds ink.
    void Screenshot(const wchar_t* view, const PointRect& part) const {
        SCOPED_TRACE(testing::Message() << view);
        const test::Capture c = test::CaptureScreen(
            WindowRect(Menu()), test::ScreenshotPath(L"cormenu-" + std::wstring(view) +
                                                     (GetParam() ? L"-light-" : L"-dark-") +
                                                     std::to_wstring(dpi_) + L"dpi.png"));
        ASSERT_FALSE(c.pixels.empty());
        const uint32_t surface = c.At(c.width - Px(30), c.height - Px(75));
        EXPECT_EQ(Luma(surface) > 128, GetParam()) << std::hex << surface;
        const RECT inked{Px(part.left), Px(part.top), Px(part.right), Px(part.bottom)};
        EXPECT_FALSE(test::InkRuns(c, inked, surface, 0).empty()) << "nothing drawn there";
    }
};

TEST_P(CorMenuInTheme, SearchFindsSettingsAndAppsAndTheKeysReachPinsAllAppsAndItemMenus) {
    const std::wstring probe = test::CopyBuiltFile(L"test_helper.exe", folder_.File(L"probe.exe"));
    // Two with icons, for the screenshots.
    const ProgramsShortcut shortcuts[] = {
        {folder_, L"Corvane Probe", probe},
        {folder_, L"Notepad", test::WindowsFile(L"notepad.exe")},
        {folder_, L"Registry Editor", test::WindowsFile(L"regedit.exe")}};
    ASSERT_FALSE(shortcuts[0].path.empty());
    test::SetLightTheme(GetParam());
    // CorMenu's pins start as a copy of the dock's: none.
    const HWND dock = Start({.startMenu = 1});
    test::SetLightTheme(false);
    ASSERT_NE(dock, nullptr);
    test::MovePointer({5, test::ScreenCentre().y});  // no row hovered
    Toggle();
    ASSERT_TRUE(Opened());

    // A settings page is only opened: no pins, no program file.
    TypeText(L"display");
    const PointRect result = FirstApp(MenuView::Results);
    Screenshot(L"results", result);
    EXPECT_EQ(ItemMenu(result), std::vector<std::wstring>{L" Open"});
    test::TapKey(VK_ESCAPE);
    test::TapKey(VK_ESCAPE);  // the query goes, Home comes back

    TypeText(L"probe corvane");  // the words in another order
    const std::vector<std::wstring> entries = ItemMenu(result);
    ASSERT_TRUE(Has(entries, L" Pin to CorMenu")) << "no app found";
    // Down to the entry (separators are skipped), then Enter.
    const auto pin = std::find(entries.begin(), entries.end(), L" Pin to CorMenu");
    for (auto e = entries.begin(); e != pin + 1; ++e) {
        if (*e != L"-") {
            test::TapKey(VK_DOWN);
        }
    }
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil(
        [&] { return test::ReadIniValue(IniPath(), L"CorMenu", L"Pinned") == shortcuts[0].path; },
        3000))
        << test::ReadIniValue(IniPath(), L"CorMenu", L"Pinned");
    EXPECT_EQ(test::ReadIniValue(IniPath(), L"CorMenu", L"PinnedSet"), L"1");
    ASSERT_NE(Menu(), nullptr) << "pinning closed the menu";
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] {
        return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr;
    })) << "Enter started nothing";
    EXPECT_TRUE(Closed());
    const std::wstring launches = exe_.substr(0, exe_.find_last_of(L'\\')) + L"\\launches.txt";
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<uint8_t> bytes = test::ReadFileBytes(launches);
            return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2)
                       .find(L"corvane probe") != std::wstring::npos;
        },
        3000))
        << "the start was not counted";

    // Reopened: Down selects the pin, the menu key opens its menu at the row.
    Toggle();
    ASSERT_TRUE(Opened());
    test::TapKey(VK_DOWN);
    ::Sleep(200);  // the picture shows the selection
    const PointRect pinned = FirstApp(MenuView::Home);
    Screenshot(L"home", pinned);
    EXPECT_TRUE(Has(KeyMenu({VK_APPS}), L" Unpin from CorMenu")) << "not pinned on Home";
    const POINT below = At(pinned.left + 46, pinned.bottom);
    const RECT popup = WindowRect(::FindWindowW(L"#32768", nullptr));
    EXPECT_LE(std::abs(popup.left - below.x) + std::abs(popup.top - below.y), Px(6));
    test::TapKey(VK_ESCAPE);
    // Up to "All apps", Enter; Down from the header C to its app; Shift+F10.
    test::TapKey(VK_UP);
    test::TapKey(VK_RETURN);
    ::Sleep(300);
    // Notepad's icon, loaded by the icon worker after the first frame: the
    // second app, after the headers C and N.
    const LetterRow letters[] = {
        {true, L'C', -1}, {false, L'C', 0}, {true, L'N', -1}, {false, L'N', 1}};
    const PointRect notepad = FirstApp(MenuView::AllApps, letters, 1);
    Screenshot(L"allapps", {notepad.left + 10, notepad.top, notepad.left + 34, notepad.bottom});
    test::TapKey(VK_DOWN);
    EXPECT_TRUE(Has(KeyMenu({VK_SHIFT, VK_F10}), L" Unpin from CorMenu")) << "not under All apps";
    test::TapKey(VK_ESCAPE);
    ASSERT_NE(Menu(), nullptr) << "Escape on the item menu closed CorMenu";
    test::EndStartedHelper();
    test::TapKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([] {
        return ::FindWindowW(test::kHelperWindowClass, nullptr) != nullptr;
    })) << "Enter on the selected row started nothing";
    EXPECT_TRUE(Closed());
}

INSTANTIATE_TEST_SUITE_P(Themes, CorMenuInTheme, testing::Bool(), test::ThemeName);

// The dock's Start button opens Windows' Start, or after a reload CorMenu;
// the Windows key then toggles CorMenu above the dock.
TEST_F(StartMenuE2E, TheStartButtonAndTheWindowsKeyOpenCorMenuAboveTheDockAndItCloses) {
    ASSERT_NE(Start({.startMenu = 0}), nullptr);
    const std::wstring log = folder_.File(L"keys.log");
    test::HelperApp app;
    ASSERT_TRUE(app.Start(folder_.Path(), L"front.exe", L"normal", log));
    // The Start cell, the dock's first: found again on a rebuilt dock, which
    // is wider with the app in front.
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
    ASSERT_TRUE(Command(CMD_RELOAD_SETTINGS));
    ASSERT_NE(dock_ = corvane_.WaitForWindow(L"CorvaneDock"), nullptr);
    test::Click(start());
    ASSERT_TRUE(Opened()) << "the Start button opened nothing after the reload";
    test::TapKey(VK_ESCAPE);
    EXPECT_TRUE(Closed()) << "Escape left it open";

    if (::GetFileAttributesW(kXdotool) == INVALID_FILE_ATTRIBUTES) {
        GTEST_SKIP() << "the Windows key needs keys typed on the X server";
    }
    ASSERT_TRUE(KeysToHelper(L"Super_L"));
    ASSERT_TRUE(Opened()) << "the Windows key opened nothing";
    const MONITORINFO mi = test::PrimaryMonitor();
    EXPECT_EQ(ToPixelRect(WindowRect(Menu())),
              StartMenuRect(ToPixelRect(mi.rcMonitor), ToPixelRect(mi.rcWork),
                            WindowRect(dock_).top, dpi_));

    // The menu has the X focus now.
    ASSERT_TRUE(Xdotool(L"key Super_L"));
    EXPECT_TRUE(Closed()) << "a second tap left it open";
    // Also long enough for a menu opened again instead of closed to show:
    // under Wine, destroying the active window takes 2 s.
    ASSERT_TRUE(KeysToHelper(L"super+e"));
    ::Sleep(1500);
    EXPECT_EQ(Menu(), nullptr) << "open after the second tap and Win+E";

    ASSERT_TRUE(KeysToHelper(L"Super_L"));
    ASSERT_TRUE(Opened());
    const RECT helper = WindowRect(app.Window());
    test::Click({helper.left + 60, (helper.top + helper.bottom) / 2});
    EXPECT_TRUE(Closed()) << "a click elsewhere left it open";
}

}  // namespace
}  // namespace corvane
