#include "FakeProfileStore.h"
#include "FakeSettingsHost.h"
#include "config/Language.h"
#include "settings/SettingsPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <cstddef>
#include <tuple>

namespace corvane {
namespace {

class SettingsPagesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetNorwegian(false);
        settings.filePath = L"C:\\c\\corvane.ini";
    }
    void TearDown() override { SetNorwegian(false); }

    // The first row with that label that is not a header.
    SettingsRow Row(int32_t page, std::wstring_view label) {
        for (SettingsRow& row : BuildRows(page, context)) {
            if (row.kind != RowKind::Header && row.label == label) {
                return row;
            }
        }
        ADD_FAILURE() << "no row " << std::string(label.begin(), label.end());
        return {};
    }
    // How often each label occurs on the page, rows of every kind.
    std::ptrdiff_t Count(int32_t page, std::wstring_view label) {
        const std::vector<SettingsRow> rows = BuildRows(page, context);
        return std::ranges::count_if(rows, [&](const SettingsRow& r) { return r.label == label; });
    }
    std::wstring Written(const wchar_t* section, const wchar_t* key) {
        return file.Value(section, key).value_or(L"<none>");
    }

    Settings settings;
    test::FakeProfileStore file{L"[General]\nLanguage=en\n"};
    test::FakeSettingsHost host;
    int reapplies = 0, languageChanges = 0, reloads = 0, rebuilds = 0;
    PageContext context{settings,
                        file,
                        host,
                        [this] { ++reapplies; },
                        [this] { ++languageChanges; },
                        [this] { ++reloads; },
                        [this] { ++rebuilds; }};
};

TEST_F(SettingsPagesTest, SettersWriteTheKeyAndApplyTheWayTheRowSays) {
    // Page, row, value set (a toggle takes value != 0); section, key and value written,
    // reapplies, the host call (nullptr: none).
    using W = const wchar_t*;
    const std::tuple<int32_t, W, int32_t, W, W, W, int, W> cases[] = {
        {kPageTopBar, L"Height", 30, L"Bar", L"Height", L"30", 1, nullptr},
        {kPageTopBar, L"Automatically hide", 1, L"Bar", L"Autohide", L"1", 1, nullptr},
        {kPageDock, L"Smart hide", 0, L"Dock", L"SmartHide", L"0", 1, nullptr},
        {kPageTopBar, L"Tint", 40, L"Bar", L"BarTint", L"40", 1, nullptr},
        {kPageGeneral, L"Background", 1, L"Bar", L"Backdrop", L"mica", 1, nullptr},
        {kPageGeneral, L"Background", 2, L"Bar", L"Backdrop", L"solid", 1, nullptr},
        {kPageTray, L"Also keep icons at the bottom", 1, L"Tray", L"MirrorToExplorer", L"1", 0,
         nullptr},
        {kPageGeneral, L"Centered Start menu", 0, L"General", L"CenterStart", L"0", 0,
         L"ApplyCenterStart"},
        {kPageTopBar, L"Date", 2, L"Clock", L"DateFormat", L"MMM d, yyyy", 0, L"RefreshBars"},
        {kPageTopBar, L"Date", 4, L"Clock", L"DateFormat", L"", 0, L"RefreshBars"},  // time only
        {kPageTopBar, L"Tiling button", 0, L"Tiling", L"Button", L"0", 0, L"RefreshBars"},
        {kPageTiling, L"Gap between windows", 12, L"Tiling", L"Gap", L"12", 0,
         L"ApplyTilingSettings"},
        {kPageHotCorners, L"Top right", 2, L"HotCorners", L"TopRight", L"2", 0, L"ApplyHotCorners"},
        {kPagePlugins, L"Tint, CorGarden", 55, L"Garden", L"Tint", L"55", 0, L"RefreshGardenGlass"},
        {kPageTopBar, L"Menus by keyboard", 1, L"Bar", L"FocusKeys", L"1", 0,
         L"ApplyFocusShortcuts"},
        {kPageDock, L"The dock by keyboard", 3, L"Dock", L"FocusKeys", L"3", 0,
         L"ApplyFocusShortcuts"}};
    for (const auto& [page, label, value, section, key, written, reapplied, hostCall] : cases) {
        SCOPED_TRACE(std::string(key, key + wcslen(key)));
        reapplies = 0;
        host.calls.clear();
        SettingsRow row = Row(page, label);
        if (row.kind == RowKind::Toggle) {
            row.setBool(value != 0);
            EXPECT_EQ(row.getBool(), value != 0);
        } else {
            row.setInt(value);
            EXPECT_EQ(row.getInt(), value);
        }
        EXPECT_EQ(Written(section, key), written);
        EXPECT_EQ(reapplies, reapplied);
        EXPECT_EQ(host.calls,
                  hostCall ? std::vector<std::wstring>{hostCall} : std::vector<std::wstring>{});
    }
}

TEST_F(SettingsPagesTest, AShortcutALayoutTypesWithIsMarkedUntilAnotherIsChosen) {
    host.typed[{0x3, 'L'}] = L"ł";   // Ctrl+Alt+L on a Polish layout
    host.typed[{0x7, 0x26}] = L"x";  // only the swap's Shift variant of Up
    EXPECT_NE(Row(kPageTiling, L"Next layout").description.find(L"ł"), std::wstring::npos);
    EXPECT_TRUE(
        Row(kPageTiling, L"Move focus to the adjacent window (with Shift: swap places)").warning);
    EXPECT_FALSE(Row(kPageTiling, L"Turn tiling on and off").warning);
    Row(kPageTiling, L"Next layout").setInt(1);  // Win + Alt + L
    EXPECT_EQ(Written(L"Tiling", L"LayoutKeys"), L"1");
    EXPECT_FALSE(Row(kPageTiling, L"Next layout").warning);
}

TEST_F(SettingsPagesTest, BuildingPagesWritesNothingEvenWhenAValueLiesOutsideItsSlider) {
    settings.barHeight = 46;  // the file allows 48, the slider 40
    const int before = file.WriteCount();
    for (int32_t page = 0; page < 9; ++page) {
        (void)BuildRows(page, context);
    }
    EXPECT_EQ(file.WriteCount(), before);
    EXPECT_EQ(Row(kPageTopBar, L"Height").getInt(), 46);
}

// A display that is not connected now keeps its entry, numbered as the file says.
TEST_F(SettingsPagesTest, DockDisplayChoiceStoresTheDisplaysValueNotItsIndex) {
    host.displays = {{1920, 1080, true}, {2560, 1440, false}};
    settings.dockMonitor = 5;
    const SettingsRow row = Row(kPageDock, L"Show the dock on");
    ASSERT_EQ(row.values, (std::vector<int32_t>{0, 1, 2, 3, 5}));
    EXPECT_EQ(row.options[2], L"Display 1  \u00B7  1920\u00D71080  (main)");
    EXPECT_EQ(row.options[4], L"Display 4  (not connected)");
    for (const int32_t value : row.values) {
        row.setInt(value);
        EXPECT_EQ(Written(L"Dock", L"Monitor"), std::to_wstring(value));
        EXPECT_EQ(row.getInt(), value);
    }
    for (const int32_t stored : {0, 1, 3}) {
        EXPECT_EQ(BuildDockMonitorChoice(host.displays, stored).values,
                  (std::vector<int32_t>{0, 1, 2, 3}));
    }
}

TEST_F(SettingsPagesTest, LanguageSwitchMovesAPresetDateAlongAndKeepsACustomOne) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"MMM d, yyyy", L"d. MMM yyyy"},
                                                               {L"yyyy-MM-dd", L"yyyy-MM-dd"}};
    for (const auto& [before, after] : cases) {
        SetNorwegian(false);
        languageChanges = 0;
        settings.dateFormat = before;
        file = test::FakeProfileStore{L"[General]\nLanguage=en\n"};
        SettingsRow language = Row(kPageGeneral, L"Language / Språk");
        language.setInt(0);  // unchanged: nothing at all
        EXPECT_EQ(file.WriteCount(), 0);
        EXPECT_EQ(languageChanges, 0);

        language.setInt(1);
        EXPECT_TRUE(IsNorwegian());
        EXPECT_EQ(settings.dateFormat, after);
        EXPECT_EQ(file.Value(L"Clock", L"DateFormat"), before == std::wstring(after)
                                                           ? std::nullopt
                                                           : std::optional<std::wstring>(after));
        EXPECT_EQ(Written(L"General", L"Language"), L"no");
        EXPECT_EQ(languageChanges, 1);
    }
}

TEST_F(SettingsPagesTest, RemovingAFloatEntryRemovesEveryCopyAndRetiles) {
    settings.floatingApps = {L"notepad.exe", L"calc.exe", L"notepad.exe", L"mspaint.exe"};
    host.tooltips[L"calc.exe"] = L"Calculator\nidle";
    EXPECT_EQ(Count(kPageTiling, L"Notepad"), 2);
    EXPECT_EQ(Count(kPageTiling, L"Calculator"), 1);
    EXPECT_EQ(Count(kPageTiling, L"None"), 0);

    Row(kPageTiling, L"Notepad").action();
    EXPECT_EQ(settings.floatingApps, (std::vector<std::wstring>{L"calc.exe", L"mspaint.exe"}));
    EXPECT_EQ(Written(L"Tiling", L"Float"), L"calc.exe, mspaint.exe");
    EXPECT_EQ(host.calls, std::vector<std::wstring>{L"ApplyTilingSettings"});
    EXPECT_EQ(rebuilds, 1);
    EXPECT_EQ(reapplies, 0);
}

TEST_F(SettingsPagesTest, TrayPageListsHiddenIconsOrSaysThereAreNone) {
    const std::pair<std::vector<std::wstring>, std::vector<std::ptrdiff_t>> cases[] = {
        {{}, {1, 0, 0, 0}}, {{L"discord.exe", L"steam.exe"}, {0, 1, 1, 1}}};
    host.tooltips[L"steam.exe"] = L"Steam Client\nOnline";
    for (const auto& [hidden, counts] : cases) {
        settings.trayHidden = hidden;
        const wchar_t* labels[] = {L"No hidden icons", L"Show all hidden icons", L"Discord",
                                   L"Steam Client"};
        for (size_t i = 0; i < counts.size(); ++i) {
            EXPECT_EQ(Count(kPageTray, labels[i]), counts[i]) << i;
        }
    }
    Row(kPageTray, L"Discord").action();
    Row(kPageTray, L"Show all hidden icons").action();
    EXPECT_EQ(host.calls, (std::vector<std::wstring>{L"Unhide discord.exe", L"Unhide "}));
    EXPECT_EQ(rebuilds, 2);
}

TEST_F(SettingsPagesTest, AtOnceRowsCallTheirHostActionAndNotTheReapply) {
    const std::tuple<int32_t, const wchar_t*, const wchar_t*> rows[] = {
        // page, row, call
        {kPageGeneral, L"App menus", L"EditFile C:\\c\\menus.txt"},
        {kPageGeneral, L"Settings file", L"EditFile C:\\c\\corvane.ini"},
        {kPageStart, L"Try CorLauncher", L"Surface 2"},
        {kPagePlugins, L"New bed", L"NewBed"},
        {kPageAbout, L"License", L"ShowLicense"},
        {kPageAbout, L"Quit Corvane", L"Quit"},
        {kPageGeneral, L"Start Corvane with Windows", L"Run 1"}};
    for (const auto& [page, label, call] : rows) {
        host.calls.clear();
        SettingsRow row = Row(page, label);
        row.kind == RowKind::Toggle ? row.setBool(true) : row.action();
        EXPECT_EQ(host.calls, std::vector<std::wstring>{call});
    }
    Row(kPageGeneral, L"Reload").action();
    EXPECT_EQ(reloads, 1);
    EXPECT_EQ(reapplies, 0);
    EXPECT_EQ(file.WriteCount(), 0);
}

}  // namespace
}  // namespace corvane
