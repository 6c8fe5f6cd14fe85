#include "config/Language.h"
#include "base/TextHelpers.h"
#include "config/SettingsText.h"
#include "dock/CenterStartPlan.h"
#include "dock/DefaultPins.h"
#include "dock/DockHideRules.h"
#include "dock/DockMenus.h"
#include "dock/DockModel.h"
#include "dock/PreviewLayout.h"
#include "identity/AppTargets.h"
#include "dock/DockGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <utility>

namespace corvane {
namespace {

const PixelRect kMonitor{0, 0, 1920, 1080};
const PixelRect kDock{780, 1007, 1139, 1074};  // 359 x 67 DIPs at 96 DPI

TEST(DockHideRules, SystemSurfacesFullscreenAndFrontWindows) {
    EXPECT_TRUE(IsSystemSurface(L"searchhost.exe", L"Windows.UI.Core.CoreWindow"));
    EXPECT_TRUE(IsSystemSurface(L"explorer.exe", L"TopLevelWindowForOverflowXamlIsland"));
    EXPECT_FALSE(IsSystemSurface(L"explorer.exe", L"shell_traywnd"));
    EXPECT_FALSE(IsSystemSurface(L"explorer.exe", L"Shell_SecondaryTrayWnd"));

    // A front window overlapping the dock hides it.
    const PixelRect endsAbove{100, 100, 1800, 1007};
    const PixelRect beside{0, 0, 780, 1080};
    auto front = [](PixelRect frame) {
        return DockForeground{true, true, false, false, false, false, frame};
    };
    DockForeground none, minimized = front(kMonitor), desktop = front(kMonitor);
    DockForeground own = front(kMonitor), settings = front(kMonitor);
    minimized.minimized = desktop.desktop = own.ownProcess = settings.ownProcess = true;
    settings.settingsWindow = true;
    using V = DockVisibility;
    // A maximised window over a work area without a reserved band covers the dock.
    const std::pair<DockForeground, V> rows[] = {{front(kMonitor), V::Hide},
                                                 {front(endsAbove), V::Show},
                                                 {front(beside), V::Show},
                                                 {none, V::Show},
                                                 {minimized, V::Show},
                                                 {desktop, V::Show},
                                                 {own, V::Keep},
                                                 {settings, V::Hide}};
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(DecideDockVisibility(rows[i].first, kDock), rows[i].second) << "row " << i;
    }
}

// Each entry as "command:text", "*" when checked, "-" for a separator.
std::wstring Show(const std::vector<DockMenuEntry>& menu) {
    std::wstring text;
    for (const DockMenuEntry& e : menu) {
        text += text.empty() ? L"" : L" | ";
        text += e.IsSeparator() ? L"-" : std::to_wstring(e.command) + L":" + e.text;
        text += std::wstring(e.checked ? L"*" : L"") + (e.grayed ? L"~" : L"");
    }
    return text;
}

TEST(DockMenus, EntriesInBothLanguagesAndCappedTitlesWithTheirAmpersandsShown) {
    SetNorwegian(false);  // loading settings elsewhere may have left it on
    EXPECT_EQ(Show(DockItemMenu({L"Inbox", L"Draft", L"Calendar"}, 1, false)),
              L"100:Inbox | 101:Draft* | 102:Calendar | - | 1:New Window | 2:Pin to dock | - | "
              L"4:Close All Windows");
    EXPECT_EQ(Show(DockItemMenu({}, -1, true)), L"1:Open | 3:Unpin from dock");
    EXPECT_EQ(Show(DockMenu(true)), L"1:Dock Settings\u2026 | 2:Show Windows taskbar again");
    SetNorwegian(true);
    EXPECT_EQ(Show(DockItemMenu({L"Dokument"}, -1, true)),
              L"100:Dokument | - | 1:Nytt vindu | 3:Fjern fra dock | - | 4:Lukk vindu");
    EXPECT_EQ(Show(DockItemMenu({L"a", L"b"}, -1, true, false)),
              L"100:a | 101:b | - | 1:Nytt vindu | 3:Fjern fra dock | - | 4:Lukk alle vinduer~");
    EXPECT_EQ(Show(DockMenu(false)), L"1:Dock-innstillinger\u2026 | 2:Skjul Windows-oppgavelinjen");
    SetNorwegian(false);

    // Titles are capped and their ampersands shown.
    const std::wstring x79(79, L'x');
    const std::wstring cases[][2] = {{L"Tom & Jerry", L"Tom && Jerry"},
                                     {L"&&", L"&&&&"},
                                     {x79 + L"&y", x79 + L"&&"},
                                     {x79 + L"x&", x79 + L"x"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DockItemMenu({c[0]}, -1, false).front().text, c[1]) << c[0];
    }
}

// The plan as "set=1 save=0 delete", "" when nothing changes.
std::string Show(const CenterStartPlan& p) {
    std::string text = p.setAlignment ? "set=" + std::to_string(*p.setAlignment) : "";
    text += p.saveRestore ? " save=" + std::to_string(*p.saveRestore) : "";
    return text + (p.deleteRestore ? " delete" : "");
}

TEST(DockCenterStart, CentresAndPutsBackWhatWasThere) {
    EXPECT_EQ(Show(PlanCenterStart(true, 1, kNothingSaved)), "");  // already centred
    EXPECT_EQ(Show(PlanCenterStart(true, 0, kNothingSaved)), "set=1 save=0");
    EXPECT_EQ(Show(PlanCenterStart(true, 0, 0)), "set=1");  // the older value stays
    EXPECT_EQ(Show(PlanCenterStart(true, 2, -9)), "set=1 save=2");
    EXPECT_EQ(Show(PlanCenterStart(true, 0xFFFFFFFF, kNothingSaved)), "set=1 save=0");
    EXPECT_EQ(Show(PlanCenterStart(false, 1, 0)), "set=0 delete");
    EXPECT_EQ(Show(PlanCenterStart(false, 1, -9)), "");
    EXPECT_FALSE(PlanCenterStart(false, 0, kNothingSaved).Changes());
}

TEST(PreviewLayout, ThumbnailsFitTheirBoxAndThePopupStaysInsideTheWorkAreaAndMonitor) {
    // Window pixels and DPI; thumbnail width and height in DIPs.
    const std::tuple<PixelSize, uint32_t, float, float> rows[] = {
        {{100, 2000}, 96, 96, 146},      // tall and narrow: never narrower than 96
        {{2000, 500}, 96, 232, 58},      // wide: limited by the width
        {{800, 1000}, 96, 116.8f, 146},  // tall: limited by the height
        {{600, 300}, 144, 232, 116},     // 400 x 200 DIPs
        {{2000, 500}, 0, 232, 58},       // a DPI of 0 is the default DPI
        {{0, -5}, 96, 146, 146},         // no size: a 1 x 1 square
        {{INT_MAX, 1}, 1, 232, 0},       // a line as wide as can be
    };
    for (const auto& [window, dpi, width, height] : rows) {
        const PreviewLayout layout = LayoutPreview(std::span(&window, 1), dpi);
        ASSERT_EQ(layout.cards.size(), 1u);
        const PreviewCardRects& c = layout.cards[0];
        SCOPED_TRACE(testing::Message() << window.width << "x" << window.height);
        EXPECT_FLOAT_EQ(c.thumbnail.right - c.thumbnail.left, width);
        EXPECT_NEAR(c.thumbnail.bottom - c.thumbnail.top, height, 1e-4);
        EXPECT_EQ(c.card, (PointRect{6, 6, c.thumbnail.right + 4, layout.height - 6}));
        EXPECT_FLOAT_EQ(layout.width, width + 20);
        EXPECT_TRUE(std::isfinite(layout.height) && layout.height >= 42);
    }

    // The popup stays inside the work area and the monitor.
    const PixelSize one[] = {{2000, 500}};  // 252 x 100 DIPs
    const PreviewLayout layout = LayoutPreview(one, 96);
    // Anchor x, work-area left, monitor right, DPI; popup left and right.
    const int32_t popups[][6] = {
        {960, 0, 1920, 96, 834, 1086},
        {50, 0, 1920, 96, 8, 260},
        {50, 100, 1920, 96, 108, 360},
        {1900, 0, 1920, 96, 1660, 1912},
        {960, 0, 1920, 144, 771, 1149},
        {-5, -1920, 0, 96, -260, -8},
        {INT_MAX, 0, INT_MAX, 0, INT_MAX - 260, INT_MAX - 8},
    };
    for (const auto& r : popups) {
        const PixelRect popup =
            PreviewPopupRect(layout, static_cast<uint32_t>(r[3]), r[0], 1000, r[1], r[2]);
        EXPECT_EQ(popup, (PixelRect{r[4], 1000 - (r[3] == 144 ? 150 : 100), r[5], 1000}))
            << r[0] << " in " << r[1] << ".." << r[2] << " at " << r[3];
    }
    // Absurd DPIs saturate rather than wrap around.
    const PixelRect huge = PreviewPopupRect(layout, UINT32_MAX, 0, 0, 0, 0);
    EXPECT_LE(huge.left, huge.right);
    EXPECT_LE(huge.top, huge.bottom);
}

TEST(PreviewLayout, CardsSitSideBySideStopAtSixAndAreHitWithTheirCloseSquares) {
    const PixelSize two[] = {{2000, 500}, {800, 1000}};
    const PreviewLayout layout = LayoutPreview(two, 96);
    EXPECT_EQ(layout.cards[0].thumbnail, (PointRect{10, 76, 242, 134}));
    EXPECT_EQ(layout.cards[1].thumbnail, (PointRect{250, 32, 366.8f, 178}));
    EXPECT_EQ(layout.cards[1].card, (PointRect{246, 6, 370.8f, 182}));
    EXPECT_FLOAT_EQ(layout.width, 376.8f);
    EXPECT_FLOAT_EQ(layout.height, 188);

    const std::vector<PixelSize> eight(8, PixelSize{2000, 500});
    const PreviewLayout capped = LayoutPreview(eight, 96);
    EXPECT_EQ(capped.cards.size(), kPreviewMaxCards);

    // Client pixels and DPI; card and close button. Card 0 spans 6..246 x
    // 6..182 DIPs, its close square 222..242 x 9..29.
    const std::tuple<int32_t, int32_t, uint32_t, PreviewHit> rows[] = {
        {6, 6, 96, {0, false}},     {5, 100, 96, {-1, false}},   {245, 100, 96, {0, false}},
        {246, 100, 96, {1, false}}, {100, 182, 96, {-1, false}}, {222, 9, 96, {0, true}},
        {242, 9, 96, {0, false}},   {230, 29, 96, {0, false}},   {230, 28, 96, {0, true}},
        {333, 14, 144, {0, true}},  {333, 14, 0, {1, false}},
    };
    for (const auto& [x, y, dpi, hit] : rows) {
        EXPECT_EQ(HitTestPreview(layout, x, y, dpi), hit) << x << "," << y << " at " << dpi;
    }
    // The hovered card's title makes room for the close square.
    EXPECT_EQ(PreviewTitleRect(layout.cards[0], true), (PointRect{10, 10, 218, 74}));
    EXPECT_EQ(PreviewTitleRect(layout.cards[0], false).right, 242);
    EXPECT_EQ(PreviewToPixels({10, 32.4f, 242, 90.5f}, 144), (PixelRect{15, 49, 363, 136}));

    EXPECT_FALSE(MinimisedThumbnailUsable(false, {800, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {199, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {800, 119}));
    EXPECT_TRUE(MinimisedThumbnailUsable(true, {200, 120}));

    // Tint 0, 72 and 100: 20 more than the dock's alpha, at most 255.
    EXPECT_EQ(PreviewAccentColor(0, true), 0x14202020u);
    EXPECT_EQ(PreviewAccentColor(72, false), 0xCBF3F3F3u);
    EXPECT_EQ(PreviewAccentColor(100, true), 0xFF202020u);
}

using Strings = std::vector<std::wstring>;

// Every name in `existing` is there; an installed exe resolves to "=" + name.
struct FakeProbes : DefaultPinProbes {
    std::wstring steam;
    std::set<std::wstring, std::less<>> existing;

    std::wstring WindowsDirectory() override { return L"W"; }
    std::wstring ResolveAppPath(std::wstring_view exe) override {
        return FileExists(exe) ? L"=" + std::wstring(exe) : L"";
    }
    std::wstring SteamExe() override { return steam; }
    bool FolderExists(std::wstring_view path) override { return FileExists(path); }
    bool FileExists(std::wstring_view path) override { return existing.contains(path); }
    std::wstring Environment(std::wstring_view name) override {
        return name == L"APPDATA" ? L"R" : name == L"LOCALAPPDATA" ? L"L" : L"";
    }
};

TEST(DockModel, FirstRunPinsWhatIsInstalledInOrder) {
    const std::wstring settings =
        L"shell:AppsFolder\\windows.immersivecontrolpanel_cw5n1h2txyewy!microsoft.windows."
        L"immersivecontrolpanel";
    // Steam's path, the files that exist; the pins.
    const std::tuple<std::wstring, Strings, Strings> rows[] = {
        {L"", {L"msedge.exe"}, {L"W\\explorer.exe", L"=msedge.exe", settings}},
        {L"c:/st/steam.exe",
         {L"firefox.exe", L"brave.exe", L"msedge.exe", L"c:\\st\\steam.exe", L"L\\Discord",
          L"R\\Spotify\\Spotify.exe"},
         {L"W\\explorer.exe", L"=brave.exe", L"=firefox.exe", L"c:\\st\\steam.exe",
          L"shell:AppsFolder\\com.squirrel.Discord.Discord", L"R\\Spotify\\Spotify.exe", settings}},
        {L"c:/gone/steam.exe", {L"L\\Spotify\\Spotify.exe"}, {L"W\\explorer.exe", settings}},
    };
    for (const auto& [steam, existing, pins] : rows) {
        FakeProbes probes;
        probes.steam = steam;
        probes.existing.insert(existing.begin(), existing.end());
        EXPECT_EQ(SeedDefaultPins(probes), pins);
    }
}

WindowIdentity Window(WindowId id, std::wstring appId, std::wstring exe) {
    return {id, std::move(appId), NormalizePathKey(exe), exe};
}

// Each item as "+" (pinned) or "-", its target, its window ids, and "!" when
// it asks for attention.
std::wstring Show(const std::vector<DockItem>& items) {
    std::wstring text;
    for (const DockItem& item : items) {
        text += (text.empty() ? L"" : L" ") + std::wstring(item.pinned ? L"+" : L"-") + item.target;
        for (WindowId window : item.windows) {
            text += L"#" + std::to_wstring(window);
        }
        text += item.attention ? L"!" : L"";
    }
    return text;
}

TEST(DockModel, WindowsGroupIntoPinnedAndRunningItems) {
    // Pins, windows; the dock.
    const std::tuple<Strings, std::vector<WindowIdentity>, std::wstring> rows[] = {
        {{L"C:/Apps/Tool.EXE"},
         {Window(1, L"", L"c:\\apps\\tool.exe"), Window(2, L"Some.Id", L"C:\\APPS\\TOOL.exe")},
         L"+ +C:/Apps/Tool.EXE#1#2"},
        {{L"shell:AppsFolder\\Vendor.App!Main"},
         {Window(1, L"", L"c:\\v\\app.exe"), Window(2, L"VENDOR.app!main", L"c:\\v\\app.exe"),
          Window(3, L"", L"")},
         L"+ +shell:AppsFolder\\Vendor.App!Main#2 -c:\\v\\app.exe#1"},
        {{},
         {Window(1, L"A.One", L"c:\\x.exe"), Window(2, L"A.Two", L"c:\\x.exe"),
          Window(3, L"a.one", L"c:\\y.exe"), Window(4, L"", L"c:\\x.exe"),
          Window(5, L"", L"C:\\X.exe")},
         L"+ -shell:AppsFolder\\A.One#1#3 -shell:AppsFolder\\A.Two#2 -c:\\x.exe#4#5"},
        // Chat's program is known. An id match first; by path unless the ids differ.
        {{L"C:\\B\\browser.exe", L"shell:AppsFolder\\Chat", L"shell:AppsFolder\\Web.App"},
         {Window(1, L"", L"c:\\chat.exe"), Window(2, L"Other", L"c:\\chat.exe"),
          Window(3, L"web.app", L"c:\\b\\browser.exe")},
         L"+ +C:\\B\\browser.exe +shell:AppsFolder\\Chat#1 +shell:AppsFolder\\Web.App#3 "
         L"-shell:AppsFolder\\Other#2"},
        // A shortcut's program is known too.
        {{L"C:\\Menu\\Chat.lnk"}, {Window(1, L"", L"c:\\chat.exe")}, L"+ +C:\\Menu\\Chat.lnk#1"},
    };
    const auto programs = [](std::wstring_view t) {
        return t.ends_with(L"Chat") || t.ends_with(L"Chat.lnk") ? L"C:\\CHAT.exe" : L"";
    };
    for (const auto& [pinned, windows, dock] : rows) {
        EXPECT_EQ(Show(RebuildDockItems({}, pinned, windows, programs).items), dock);
    }
}

TEST(DockModel, RunningTargetKeepsOnlyWhatThePinnedListCanHold) {
    const std::wstring exe = L"c:\\v\\app.exe";
    // App id, exe; the target.
    const std::tuple<std::wstring, std::wstring, std::wstring> rows[] = {
        {L"Vendor.App!Main", exe, L"shell:AppsFolder\\Vendor.App!Main"},
        {L"Vendor|App", exe, exe},
        {L"Vendor.App\r\n[Bar]", exe, exe},
        {std::wstring(kMaxStoredIdentifierChars, L'a'), exe, exe},
        {L"Vendor|App", L"", L""},
        {L"", L"c:\\v\\a\tb.exe", L""},
    };
    for (const auto& [appId, path, target] : rows) {
        EXPECT_EQ(RunningTarget(Window(1, appId, path)), target) << appId.size();
    }
}

TEST(DockModel, RebuildKeepsRunningOrderAndCarriesStateByTarget) {
    const WindowIdentity a = Window(1, L"", L"a"), b = Window(2, L"", L"b"),
                         c = Window(3, L"", L"c");
    const std::vector<std::vector<WindowIdentity>> steps = {{a, b}, {c, b, a}, {c, b}, {b, a, c}};
    const Strings expected = {L"+ -a#1 -b#2", L"+ -a#1 -b#2 -c#3", L"+ -b#2 -c#3",
                              L"+ -b#2 -c#3 -a#1"};
    std::vector<DockItem> items;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        items = RebuildDockItems(items, {}, steps[i]).items;
        EXPECT_EQ(Show(items), expected[i]) << "step " << i;
    }

    // The running b gets pinned; the pinned P loses its pin but keeps a window.
    std::vector<DockItem> old =
        RebuildDockItems({}, {L"P", L"gone"}, {b, Window(4, L"", L"p")}).items;
    old[0].attention = old[1].attention = true;
    old[1].name = L"Pinned";
    old[3].name = L"Running";
    const DockRebuild rebuilt = RebuildDockItems(old, {L"B", L"new"}, {Window(4, L"", L"p")});
    EXPECT_EQ(Show(rebuilt.items), L"+! +B +new -p#4!");
    const std::vector<uint64_t> keys = {old[0].key, old[1].key, old[2].key, old[3].key};
    EXPECT_EQ(PlacesOfKeys(keys, rebuilt.items), (std::vector<int>{0, 3, -1, 1}));
    EXPECT_EQ(rebuilt.items[0].name + rebuilt.items[1].name + rebuilt.items[3].name,
              L"StartRunningPinned");
}

// Start, pinned P and Q, running r and s, each with one window.
std::vector<DockItem> Sample() {
    return RebuildDockItems({}, {L"P", L"Q"},
                            {Window(1, L"", L"P"), Window(2, L"", L"Q"), Window(3, L"", L"r"),
                             Window(4, L"", L"s")})
        .items;
}

TEST(DockModel, PinningByCommandAndAttention) {
    // Item, pin or unpin; the dock.
    const std::tuple<std::size_t, bool, std::wstring> rows[] = {
        {4, true, L"+ +P#1 +Q#2 +s#4 -r#3"},
        {1, false, L"+ -P#1 +Q#2 -r#3 -s#4"},
        {0, false, L"+ +P#1 +Q#2 -r#3 -s#4"},
        {5, true, L"+ +P#1 +Q#2 -r#3 -s#4"},
    };
    for (const auto& [index, pin, dock] : rows) {
        std::vector<DockItem> items = Sample();
        SetPinned(items, index, pin);
        EXPECT_EQ(Show(items), dock);
    }
    std::vector<DockItem> twice = Sample();
    twice[4].target = L"R";
    SetPinned(twice, 3, true);
    EXPECT_EQ(PinnedTargets(twice), (Strings{L"P", L"Q", L"r", L"R"}));
    // Pins that nothing resolves now (a drive that is out) keep their places and text.
    const Strings gone = {L"E:\\Run.EXE", L"shell:AppsFolder\\Gone!App", L"P"};
    std::vector<DockItem> items =
        RebuildDockItems({}, gone, {Window(1, L"", L"P"), Window(3, L"", L"r")}, [](auto) {
            return L"";
        }).items;
    SetPinned(items, 4, true);
    EXPECT_EQ(PinnedTargets(items), (Strings{gone[0], gone[1], gone[2], L"r"}));

    // Attention follows a flash and clears once the window is in front.
    items = Sample();
    MarkAttention(items, 3, 3);  // already in front
    MarkAttention(items, 2, 3);
    MarkAttention(items, 4, 3);
    ClearAttention(items, 1);
    ClearAttention(items, 4);
    EXPECT_EQ(Show(items), L"+ +P#1 +Q#2! -r#3 -s#4");
}

TEST(DockModel, DraggingReordersAndPins) {
    // Pressed item, slots dragged over; moves made, release y (the dock's top is at 200, at
    // 144 dpi), the dock.
    const std::tuple<int, std::vector<int>, int, int, std::wstring> rows[] = {
        {3, {2}, 1, 0, L"+ +P#1 +r#3 +Q#2 -s#4"},       // between pinned ones
        {1, {2, 3}, 2, 125, L"+ +Q#2 +P#1 -r#3 -s#4"},  // past the last pinned one
        {1, {}, 0, 124, L"+ -P#1 +Q#2 -r#3 -s#4"},      // up and out
        {4, {3, 0}, 1, 200, L"+ +P#1 +Q#2 -s#4 -r#3"},  // never before Start
        {3, {4, 9}, 1, 200, L"+ +P#1 +Q#2 -s#4 -r#3"},
    };
    for (const auto& [from, slots, moved, releaseY, dock] : rows) {
        std::vector<DockItem> items = Sample();
        int pressed = from, moves = 0;
        for (int slot : slots) {
            moves += MoveDraggedItem(items, pressed, slot) ? 1 : 0;
        }
        EXPECT_EQ(moves, moved);
        DropDraggedItem(items, pressed, DockDragIsOut(releaseY, 200, 144, items[pressed].pinned));
        EXPECT_EQ(Show(items), dock);
    }
}

TEST(DockModel, OpenPreviewFollowsItsItemThroughARebuild) {
    const std::vector<DockItem> before = Sample();  // + +P#1 +Q#2 -r#3 -s#4
    const std::vector<DockItem> after =             // + +P +Q#2 -s#4
        RebuildDockItems(before, {L"P", L"Q"}, {Window(2, L"", L"Q"), Window(4, L"", L"s")}).items;
    const std::tuple<std::size_t, int, std::wstring> cases[] = {
        {4, -1, L"s"}, {2, -1, L"Q"}, {3, -1, L""}, {1, -1, L""},
        {4, 2, L"Q"},  {4, 1, L""},   {4, 0, L""},  {4, 9, L""}};
    for (const auto& [shown, hovered, expected] : cases) {
        const int index = PreviewItemAfterChange(after, before[shown].key, hovered);  // in `after`
        EXPECT_EQ(index < 0 ? L"" : after[static_cast<std::size_t>(index)].target, expected)
            << shown << " " << hovered;
    }
}

// "S" the Start item, "+" a pinned app, "-" a running one.
DockLayout Layout(std::string_view kinds, int32_t iconSize = 48, bool nowPlaying = false) {
    std::vector<DockItem> items(kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        items[i].start = kinds[i] == 'S';
        items[i].pinned = kinds[i] != '-';
    }
    return LayoutDock(items, iconSize, nowPlaying);
}

TEST(DockGeometry, CellsGapAndDockSize) {
    // kinds, icon size, Now Playing cell; cell lefts (then Now Playing's), width, height.
    const std::tuple<std::string_view, int32_t, bool, std::vector<float>, float, float> rows[] = {
        {"S+++--", 48, false, {6, 62, 118, 174, 241, 297}, 359, 67},
        {"S-+", 32, false, {6, 57, 97}, 143, 49},  // no gap after a running app
        {"S+", 48, true, {6, 62, 129}, 191, 67},
        {"", 48, false, {}, 12, 67}};
    for (const auto& [kinds, iconSize, nowPlaying, lefts, width, height] : rows) {
        const DockLayout layout = Layout(kinds, iconSize, nowPlaying);
        std::vector<float> got;
        for (const PointRect& cell : layout.cells) {
            got.push_back(cell.left);
            EXPECT_EQ(cell, (PointRect{cell.left, 0, cell.left + iconSize + 8, height}));
        }
        if (nowPlaying) {
            got.push_back(layout.nowPlaying.left);
        }
        EXPECT_EQ(got, lefts) << kinds;
        EXPECT_EQ(layout.width, width);
        EXPECT_EQ(layout.height, height);
    }
}

TEST(DockGeometry, WindowIsCentredAboveTheBottomAndHidesBelowItIconsGrowUpwards) {
    // At 144 DPI 538.5 x 100.5 pixels round up; the half pixel of centring goes left.
    EXPECT_EQ(DockWindowRect(kMonitor, 96, 359, 67), kDock);
    EXPECT_EQ(DockWindowRect({-2560, 0, 0, 1440}, 144, 359, 67),
              (PixelRect{-1550, 1330, -1011, 1431}));
    EXPECT_EQ(DockWindowTop(kDock, 96, 0.5f), 1007 + 37);
    EXPECT_EQ(DockWindowTop(kDock, 96, 1.0f), 1080 + 2);
    // Icons grow upwards.
    EXPECT_EQ(DockIconSquare({6, 0, 62, 67}, 48, 1.0f, 67), (PointRect{10, 10.5f, 58, 58.5f}));
    EXPECT_EQ(DockLargeIconPixels(48, 120), 67);  // 67.2
}

TEST(DockGeometry, RevealStripZoneAndHalfOpenCellsHitInDips) {
    // DPI, RevealWidth, dock left and right, strip left and right.
    const int strips[][6] = {{96, -3, 780, 1139, 780, 1139}, {96, 1, 780, 1139, 630, 1289},
                             {120, 1, 780, 1139, 592, 1327}, {96, 3, 780, 1139, 4, 1916},
                             {960, 7, 780, 1139, 4, 1916},   {96, 0, 2, 1919, 4, 1916}};
    for (const auto& s : strips) {
        const PixelRect dock{s[2], 1007, s[3], 1074};
        EXPECT_EQ(DockEdgeRect(kMonitor, dock, static_cast<uint32_t>(s[0]), s[1]),
                  (PixelRect{s[4], 1078, s[5], 1080}))
            << s[1] << " at " << s[0];
    }
    const PixelRect edge = DockEdgeRect(kMonitor, kDock, 96, 1);  // 630..1289
    const int inside[][2] = {{780, 1007}, {1138, 1079}, {630, 1074}, {1288, 1079}};
    const int outside[][2] = {{1139, 1010}, {779, 1073}, {780, 1006}, {629, 1079}, {900, 1080}};
    for (const auto& p : inside) {
        EXPECT_TRUE(InRevealZone(p[0], p[1], kMonitor, kDock, edge)) << p[0] << "," << p[1];
    }
    for (const auto& p : outside) {
        EXPECT_FALSE(InRevealZone(p[0], p[1], kMonitor, kDock, edge)) << p[0] << "," << p[1];
    }

    // Hit tests use half-open cells in DIPs.
    const std::vector<PointRect> cells = Layout("S+++--").cells;
    // Client x, DPI, cell hit.
    const int hits[][3] = {{5, 96, -1},   {6, 96, 0},   {61, 96, 0},   {62, 96, 1},
                           {230, 96, -1}, {241, 96, 4}, {353, 96, -1}, {8, 144, -1},
                           {9, 144, 0},   {92, 144, 0}, {93, 144, 1},  {529, 144, 5}};
    for (const auto& h : hits) {
        EXPECT_EQ(HitTestDock(cells, h[0], static_cast<uint32_t>(h[1])), h[2])
            << h[0] << "@" << h[1];
    }
}

}  // namespace
}  // namespace corvane
