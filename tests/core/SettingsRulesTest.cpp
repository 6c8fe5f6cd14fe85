// Slider values, date presets, program labels, re-apply timers, and the pages' rows.

#include "settings/SettingsLayout.h"
#include "settings/SettingsRules.h"
#include "FakeProfileStore.h"
#include "FakeSettingsHost.h"
#include "config/Language.h"
#include "settings/SettingsPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cwchar>
#include <tuple>

namespace corvane {
namespace {

// The track runs from 100 to 320, so its extremes are at 110 and 310.
TEST(SettingsRules, SliderValueAndKnob) {
    const int32_t rows[][5] = {// x, min, max, step, value
                               {50, 0, 100, 1, 0},   {400, 0, 100, 1, 100}, {160, 0, 100, 10, 30},
                               {160, 0, 100, 0, 25}, {160, 0, 100, -5, 25}, {200, 7, 7, 1, 7},
                               {310, 0, 10, 4, 10},  {160, -10, 10, 1, -5}};
    for (const auto& r : rows) {
        EXPECT_EQ(SliderValueAt(static_cast<float>(r[0]), 100, 320, r[1], r[2], r[3]), r[4])
            << r[0] << " in " << r[1] << ".." << r[2] << " step " << r[3];
    }
    // What the file allows beyond the slider's range stands at the nearer end.
    EXPECT_EQ(SliderFraction(20, 22, 40), 0.0f);
    EXPECT_EQ(SliderFraction(48, 22, 40), 1.0f);
    EXPECT_EQ(SliderFraction(5, 5, 5), 0.0f);
}

TEST(SettingsRules, DatePresetsAndTheLanguageSwitch) {
    for (const bool norwegian : {false, true}) {
        for (int32_t i = 0; i <= 4; ++i) {
            EXPECT_EQ(DatePresetIndex(DateFormatOfOption(i, norwegian), norwegian), i);
        }
        // A format of the user's own stands for no preset: each stays choosable.
        EXPECT_GT(DatePresetIndex(L"yyyy-MM-dd", norwegian), 4);
    }
    EXPECT_EQ(DateFormatAfterSwitch(L"dddd d. MMMM", false), L"dddd, MMMM d");
}

TEST(SettingsRules, ProgramLabels) {
    const std::wstring longTip(100, L'a');
    const std::wstring_view rows[][3] = {
        {L"notepad.exe", L"", L"Notepad"},
        {L"myapp.EXE", L" \t", L"Myapp"},
        {L"code.exe", L"  Visual Studio Code \r\nsecond", L"Visual Studio Code"},
        {L"x.exe", L"\nsecond line", L"X"},
        {L"x.exe", longTip, std::wstring_view(longTip).substr(0, kProgramLabelMax)}};
    for (const auto& r : rows) {
        EXPECT_EQ(ProgramLabel(r[0], r[1]), r[2]) << std::wstring(r[0]);
    }
}

// Each step: what happens at a time, then what Take reports as due there
// (1 the re-apply, 2 the rebuild).
TEST(SettingsRules, ReapplyTimers) {
    using Event = void (ReapplyTimers::*)(uint64_t) noexcept;
    const Event c = &ReapplyTimers::Changed, l = &ReapplyTimers::LanguageChanged,
                r = &ReapplyTimers::ReloadNow;
    const std::tuple<Event, uint64_t, int> steps[] = {
        {c, 0, 0},          {c, 200, 0},        {nullptr, 549, 0},  {nullptr, 550, 1},
        {nullptr, 949, 0},  {nullptr, 950, 2},  {l, 1000, 0},       {nullptr, 1010, 2},
        {nullptr, 1349, 0}, {nullptr, 1350, 1}, {nullptr, 1750, 2}, {r, 2000, 1},
        {nullptr, 2399, 0}, {nullptr, 2400, 2}};
    ReapplyTimers timers;
    for (const auto& [event, now, due] : steps) {
        if (event != nullptr)
            (timers.*event)(now);
        const auto taken = timers.Take(now);
        EXPECT_EQ((taken.reapply ? 1 : 0) + (taken.rebuild ? 2 : 0), due) << now;
    }
    EXPECT_FALSE(timers.NextDue());
}

// The settings window's hit tests, scrolling, keyboard movement and window rectangle.
using K = RowKind;

SettingsRow Row(RowKind kind, std::vector<std::wstring> options = {}) {
    SettingsRow row;
    row.kind = kind;
    row.options = std::move(options);
    return row;
}

TEST(SettingsLayout, SidebarEntriesAtTheirEdges) {
    const float rows[][3] = {{8, 56, 0},    {7.9f, 56, -1}, {239.9f, 91.9f, 0}, {240, 60, -1},
                             {100, 92, -1}, {100, 96, 1},   {100, 411, 8},      {100, 412, -1}};
    for (const auto& r : rows) {
        EXPECT_EQ(SidebarEntryAt(r[0], r[1]), static_cast<int32_t>(r[2])) << r[0] << "," << r[1];
    }
}

TEST(SettingsLayout, SidebarEntriesGrowWithTheTextAndShrinkBackToFitTheWindow) {
    // Text scale, client height (0: unlimited); the least entry height.
    const float rows[][3] = {{2, 0, 72}, {2.25f, 0, 81}, {2.25f, 700, 60}, {2.25f, 480, 36}};
    for (const auto& [scale, client, least] : rows) {
        const SidebarSize size{scale, client};
        float top = SidebarTitleRect(size).bottom;
        EXPECT_GE(top - SidebarTitleRect(size).top, 24 * scale) << scale;
        for (int32_t page = 0; page < kSettingsPageCount; ++page) {
            const PointRect r = SidebarEntryRect(page, size);
            EXPECT_GE(r.bottom - r.top, least) << scale << " " << client << " " << page;
            EXPECT_GE(r.top, top) << scale << " " << client << " " << page;
            EXPECT_EQ(SidebarEntryAt(100, r.bottom - 0.1f, size), page) << scale << " " << page;
            top = r.bottom;
        }
        EXPECT_TRUE(client == 0 || top <= client) << scale << " " << client;
    }
}

// Boxes sized by their text: a button's caption, a choice's widest option
// (-1: fixed sizes). Controls stand centred, 16 in from the row's right end.
TEST(SettingsLayout, RowsControlsAndHitTests) {
    std::vector<SettingsRow> rows{Row(K::Header),
                                  Row(K::Toggle),
                                  Row(K::Text),
                                  Row(K::Button),
                                  Row(K::Choice, {L"a", std::wstring(80, L'w')}),
                                  Row(K::Slider),
                                  Row(K::Choice, {std::wstring(20, L'w')})};
    for (auto& row : rows) {
        row.label = L"Label";
    }
    rows[1].description = L"a taller row";
    const float widths[] = {0, -1, 0, 96, 340, -1, 188};
    const auto boxes = LayoutRows(
        rows, 900, [](const std::wstring& s) { return 7.0f * static_cast<float>(s.size()); });
    const float scroll = 30;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PointRect& r = boxes[i].row;
        const PointRect& c = boxes[i].control;
        EXPECT_EQ(r.top, i == 0 ? r.top : boxes[i - 1].row.bottom);
        EXPECT_EQ(c.right > c.left, IsInteractive(rows[i])) << i;
        EXPECT_TRUE(widths[i] < 0 || c.right - c.left == widths[i]) << i;
        EXPECT_TRUE(c.right == c.left ||
                    (c.top + c.bottom == r.top + r.bottom && r.right - c.right == 16))
            << i;
        // Every text inside its row, clear of the control and of each other.
        const auto inside = [&](const PointRect& t) {
            return t.right <= t.left || (t.left >= r.left && t.right <= r.right && t.top >= r.top &&
                                         t.bottom <= r.bottom);
        };
        const PointRect &label = boxes[i].label, &value = boxes[i].value;
        EXPECT_TRUE(inside(label) && inside(boxes[i].description) && inside(value)) << i;
        EXPECT_GT(label.right, label.left) << i;
        EXPECT_TRUE(c.right == c.left || (label.right <= c.left && value.right <= c.left)) << i;
        EXPECT_TRUE(value.right == value.left || label.right <= value.left) << i;
        EXPECT_TRUE(boxes[i].description.right == boxes[i].description.left ||
                    label.bottom <= boxes[i].description.top)
            << i;
        // Headers and text rows are never hit; the others are, edge to edge.
        const int32_t hit = IsInteractive(rows[i]) ? static_cast<int32_t>(i) : -1;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.top - scroll, scroll), hit) << i;
        EXPECT_EQ(RowAt(rows, boxes, 600, r.bottom - scroll - 0.1f, scroll), hit) << i;
    }
    const PointRect& track = boxes[5].control;
    EXPECT_TRUE(OnSliderTrack(boxes[5], track.left - 4, track.top - 10, 10));
    EXPECT_FALSE(OnSliderTrack(boxes[5], track.right + 4.5f, track.top, 0));
    // At Windows' text size of 200 %, the texts get twice the room.
    const auto grown = LayoutRows(rows, 900, nullptr, 2.0f);
    const auto height = [](const PointRect& r) { return r.bottom - r.top; };
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_GE(height(grown[i].label), 2 * height(boxes[i].label)) << i;
        EXPECT_GE(height(grown[i].description), 2 * height(boxes[i].description)) << i;
    }
}

TEST(SettingsLayout, ScrollingAndKeyboardMovement) {
    EXPECT_EQ(WheelScroll(0, -240, 1000, 600), 96);
    EXPECT_EQ(WheelScroll(10, 120, 1000, 600), 0);
    EXPECT_EQ(WheelScroll(380, -120, 1000, 600), 400);
    EXPECT_EQ(WheelScroll(0, -120, 500, 600), 0);
    RowBox box;
    box.row = {256, 500, 800, 566};
    const float shows[][3] = {{0, 400, 166}, {200, 400, 200}, {520, 400, 500}, {0, 40, 500}};
    for (const auto& s : shows) {
        EXPECT_EQ(ScrollToShow(box, s[0], s[1]), s[2]) << s[0] << " in " << s[1];
    }
    const std::vector<SettingsRow> rows{Row(K::Header), Row(K::Toggle), Row(K::Text),
                                        Row(K::Header), Row(K::Button), Row(K::Text)};
    const int32_t moves[][3] = {{-1, 1, 1}, {1, 1, 4}, {4, 1, 1}, {-1, -1, 4}, {1, -1, 4}};
    for (const auto& m : moves) {
        EXPECT_EQ(NextInteractiveRow(rows, m[0], m[1]), m[2]) << m[0] << " by " << m[1];
    }
    EXPECT_EQ(NextInteractiveRow({Row(K::Header), Row(K::Text)}, -1, 1), -1);
}

// 1366 x 768 at 150 % would put the title bar above the screen.
TEST(SettingsLayout, WindowStaysInsideTheWorkArea) {
    for (const PixelRect area : {PixelRect{0, 0, 1366, 728}, PixelRect{-1920, -200, 0, 880}}) {
        for (const uint32_t dpi : {96u, 144u, 192u}) {
            const PixelRect w = SettingsWindowRect(area, dpi);
            EXPECT_TRUE(w.top >= area.top && w.right <= area.right && w.bottom <= area.bottom);
            EXPECT_EQ(w.left - area.left, (area.Width() - w.Width()) / 2) << dpi;
            EXPECT_EQ(w.Height(), std::min(ScalePoints(660, dpi), area.Height())) << dpi;
        }
    }
}

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
