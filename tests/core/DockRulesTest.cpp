#include "config/Language.h"
#include "dock/CenterStartPlan.h"
#include "dock/DockHideRules.h"
#include "dock/DockMenus.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <utility>

namespace corvane {
namespace {

const PixelRect kMonitor{0, 0, 1920, 1080};

TEST(DockHideRules, SystemSurfacesAndFullscreen) {
    EXPECT_TRUE(IsSystemSurface(L"searchhost.exe", L"Windows.UI.Core.CoreWindow"));
    EXPECT_TRUE(IsSystemSurface(L"explorer.exe", L"TopLevelWindowForOverflowXamlIsland"));
    EXPECT_FALSE(IsSystemSurface(L"explorer.exe", L"shell_traywnd"));
    EXPECT_FALSE(IsSystemSurface(L"explorer.exe", L"Shell_SecondaryTrayWnd"));

    EXPECT_TRUE(
        IsBorderlessFullscreen(false, false, {1912, -8, 3848, 1088}, {1920, 0, 3840, 1080}));
    EXPECT_FALSE(IsBorderlessFullscreen(true, false, {-8, -8, 1928, 1088}, kMonitor));
    EXPECT_FALSE(IsBorderlessFullscreen(false, false, {0, 0, 1920, 1079}, kMonitor));
}

TEST(DockHideRules, FrontWindowOverlappingTheDockHidesIt) {
    const PixelRect dock{780, 1007, 1139, 1074};
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
        EXPECT_EQ(DecideDockVisibility(rows[i].first, dock), rows[i].second) << "row " << i;
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

TEST(DockMenus, EntriesInBothLanguages) {
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
}

TEST(DockMenus, TitlesAreCappedAndTheirAmpersandsShown) {
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

}  // namespace
}  // namespace corvane
