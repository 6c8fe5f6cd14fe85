#include "config/Language.h"
#include "dock/CenterStartPlan.h"
#include "dock/DockHideRules.h"
#include "dock/DockMenus.h"
#include "dock/PreviewLayout.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iterator>
#include <string>
#include <tuple>
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
    EXPECT_EQ(Show(DockMenu(true, true)), L"1:Dock Settings\u2026 | 2:Show Windows taskbar again");
    SetNorwegian(true);
    EXPECT_EQ(Show(DockItemMenu({L"Dokument"}, -1, true)),
              L"100:Dokument | - | 1:Nytt vindu | 3:Fjern fra dock | - | 4:Lukk vindu");
    EXPECT_EQ(Show(DockItemMenu({L"a", L"b"}, -1, true, false)),
              L"100:a | 101:b | - | 1:Nytt vindu | 3:Fjern fra dock | - | 4:Lukk alle vinduer~");
    EXPECT_EQ(Show(DockMenu(false, false)), L"2:Skjul Windows-oppgavelinjen");
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

TEST(PreviewLayout, ThumbnailsFitTheirBoxWithAMinimumWidth) {
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
}

TEST(PreviewLayout, CardsSitSideBySideCentredInTheTallestBandAndStopAtSix) {
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
    EXPECT_FLOAT_EQ(capped.width, 10 + 6 * 232 + 5 * 8 + 10);
}

TEST(PreviewLayout, PopupStaysInsideTheWorkAreaAndTheMonitor) {
    const PixelSize one[] = {{2000, 500}};  // 252 x 100 DIPs
    const PreviewLayout layout = LayoutPreview(one, 96);
    // Anchor x, work-area left, monitor right, DPI; popup left and right.
    const int32_t rows[][6] = {
        {960, 0, 1920, 96, 834, 1086},
        {50, 0, 1920, 96, 8, 260},
        {50, 100, 1920, 96, 108, 360},
        {1900, 0, 1920, 96, 1660, 1912},
        {960, 0, 1920, 144, 771, 1149},
        {-5, -1920, 0, 96, -260, -8},
        {INT_MAX, 0, INT_MAX, 0, INT_MAX - 260, INT_MAX - 8},
    };
    for (const auto& r : rows) {
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

TEST(PreviewLayout, HitTestFindsTheCardAndItsCloseSquare) {
    const PixelSize two[] = {{2000, 500}, {800, 1000}};
    const PreviewLayout layout = LayoutPreview(two, 96);
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
}

TEST(PreviewLayout, CardRules) {
    EXPECT_FALSE(MinimisedThumbnailUsable(false, {800, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {199, 600}));
    EXPECT_FALSE(MinimisedThumbnailUsable(true, {800, 119}));
    EXPECT_TRUE(MinimisedThumbnailUsable(true, {200, 120}));

    // Tint 0, 72 and 100: 20 more than the dock's alpha, at most 255.
    EXPECT_EQ(PreviewAccentColor(0, true), 0x14202020u);
    EXPECT_EQ(PreviewAccentColor(72, false), 0xCBF3F3F3u);
    EXPECT_EQ(PreviewAccentColor(100, true), 0xFF202020u);
}

}  // namespace
}  // namespace corvane
