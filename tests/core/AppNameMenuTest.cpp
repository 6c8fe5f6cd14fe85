#include "config/Language.h"
#include "bar/AppNameMenuModel.h"
#include "bar/BarTooltips.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Kind = AppNameMenuEntry::Kind;
using List = std::vector<std::wstring>;

std::vector<uint32_t> Ids(const std::vector<AppNameMenuEntry>& menu) {
    std::vector<uint32_t> ids;
    for (const auto& e : menu) {
        ids.push_back(e.kind == Kind::Separator ? 0u : e.kind == Kind::Submenu ? 999u : e.id);
    }
    return ids;
}

class AppNameMenu : public testing::Test {
protected:
    void SetUp() override { SetNorwegian(false); }
    void TearDown() override { SetNorwegian(false); }
};

TEST_F(AppNameMenu, DesktopWithoutAWindowGreysTheWindowCommands) {
    AppNameMenuFacts facts;
    facts.displayName = L"Desktop";
    facts.tilingActive = true;  // no valid target: no tiling entries either
    const auto menu = BuildAppNameMenu(facts);
    EXPECT_EQ(Ids(menu), (std::vector<uint32_t>{1, 2, 3, 0, 5, 0, 8}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(menu[static_cast<std::size_t>(i)].grayed) << i;
    }
    EXPECT_EQ(menu[1].text, L"Maximize");
    EXPECT_FALSE(menu[4].grayed);
    EXPECT_EQ(menu.back().text, L"Quit Corvane");
}

TEST_F(AppNameMenu, MaximisedTargetOffersRestore) {
    AppNameMenuFacts facts;
    facts.targetValid = true;
    facts.targetMaximized = true;
    EXPECT_EQ(BuildAppNameMenu(facts)[1].text, L"Restore");
    SetNorwegian(true);
    EXPECT_EQ(BuildAppNameMenu(facts)[1].text, L"Gjenopprett");
    facts.targetMaximized = false;
    EXPECT_EQ(BuildAppNameMenu(facts)[1].text, L"Maksimer");
}

TEST_F(AppNameMenu, TilingEntriesOnlyWhileTilingRunsAndWithTheirChecks) {
    AppNameMenuFacts facts;
    facts.targetValid = true;
    facts.displayName = L"Notepad";
    facts.exeName = L"notepad.exe";
    EXPECT_EQ(Ids(BuildAppNameMenu(facts)), (std::vector<uint32_t>{1, 2, 3, 0, 5, 0, 8}));

    facts.tilingActive = true;
    facts.floatList = {L"calc.exe", L"notepad.exe"};
    const auto menu = BuildAppNameMenu(facts);
    EXPECT_EQ(Ids(menu), (std::vector<uint32_t>{1, 2, 3, 0, 10, 11, 0, 5, 0, 8}));
    EXPECT_FALSE(menu[4].checked);
    EXPECT_EQ(menu[5].text, L"Never tile Notepad");
    EXPECT_TRUE(menu[5].checked);

    facts.targetFloating = true;
    facts.floatList.clear();
    const auto floating = BuildAppNameMenu(facts);
    EXPECT_TRUE(floating[4].checked);
    EXPECT_FALSE(floating[5].checked);
}

TEST_F(AppNameMenu, HiddenTrayEntriesGetTheirOwnItemsUpToAHundred) {
    AppNameMenuFacts facts;
    for (int i = 0; i < 130; ++i) {
        facts.hiddenTray.push_back(L"app" + std::to_wstring(i) + L".exe");
    }
    const auto menu = BuildAppNameMenu(facts);
    const auto popup = std::find_if(menu.begin(), menu.end(),
                                    [](const auto& e) { return e.kind == Kind::Submenu; });
    ASSERT_NE(popup, menu.end());
    EXPECT_EQ(popup->text, L"Hidden tray icons");
    ASSERT_EQ(popup->children.size(), 102u);
    EXPECT_EQ(popup->children[0].id, 500u);
    EXPECT_EQ(popup->children[99].id, 599u);
    EXPECT_EQ(popup->children[99].text, L"app99.exe");
    EXPECT_EQ(popup->children[100].kind, Kind::Separator);
    EXPECT_EQ(popup->children[101].id, 9u);
    EXPECT_EQ(popup->children[101].text, L"Show all");
    // The popup sits between Settings and the quit item.
    EXPECT_EQ((popup - 1)->id, 5u);
    EXPECT_EQ((popup + 1)->kind, Kind::Separator);
}

TEST(NeverTile, AddsOnceAndRemovesEveryCopy) {
    EXPECT_EQ(ToggleNeverTile({L"calc.exe"}, L"mpv.exe"), (List{L"calc.exe", L"mpv.exe"}));
    EXPECT_EQ(ToggleNeverTile({L"mpv.exe", L"calc.exe", L"mpv.exe"}, L"mpv.exe"), List{L"calc.exe"});
    EXPECT_EQ(ToggleNeverTile({L"calc.exe"}, L""), List{L"calc.exe"});
    EXPECT_EQ(ToggleNeverTile({}, L"a.exe"), List{L"a.exe"});
}

TEST(BarTooltips, TilingAndNowPlayingTextsInBothLanguages) {
    SetNorwegian(false);
    EXPECT_EQ(TilingTooltipText(true), L"Tiling: on\nClick to toggle · Right-click for settings");
    EXPECT_EQ(NowPlayingTooltipText(L"Song", L"", L"Album"),
              L"Song\nAlbum\nClick for controls · Middle-click to play/pause");
    SetNorwegian(true);
    EXPECT_EQ(TilingTooltipText(false),
              L"Tiling: av\nKlikk for å slå av/på · Høyreklikk for innstillinger");
    EXPECT_EQ(NowPlayingTooltipText(L"Song", L"Artist", L""),
              L"Song\nArtist\nKlikk for kontroller · Midtklikk for spill/pause");
    SetNorwegian(false);
}

}  // namespace
}  // namespace corvane
