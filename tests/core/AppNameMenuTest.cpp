#include "config/Language.h"
#include "bar/AppNameMenuModel.h"
#include "bar/BarTooltips.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>

namespace corvane {
namespace {

using Kind = AppNameMenuEntry::Kind;
using List = std::vector<std::wstring>;

// The menu in short: ids in order, "g" grey, "c" checked, "-" a separator,
// "[n]" a submenu of n entries.
std::string Shape(const std::vector<AppNameMenuEntry>& menu) {
    std::string shape;
    for (const AppNameMenuEntry& e : menu) {
        shape += shape.empty() ? "" : " ";
        if (e.kind == Kind::Separator) {
            shape += "-";
        } else if (e.kind == Kind::Submenu) {
            shape += "[" + std::to_string(e.children.size()) + "]";
        } else {
            shape += std::to_string(e.id) + (e.grayed ? "g" : "") + (e.checked ? "c" : "");
        }
    }
    return shape;
}

AppNameMenuFacts Facts(bool valid, bool maximized, bool tiling, bool floating,
                       std::wstring exe = L"", List floatList = {}, bool elevated = false) {
    return {valid, maximized, tiling, floating, L"", std::move(exe), std::move(floatList),
            {},    elevated};
}

TEST(AppNameMenu, EntriesFollowTheTargetAndTiling) {
    SetNorwegian(false);
    const List listed = {L"calc.exe", L"notepad.exe"};
    // Name, facts (valid, maximized, tiling, floating, exe, float list), the menu.
    const std::tuple<const char*, AppNameMenuFacts, const char*> rows[] = {
        {"no window: greyed, no tiling", Facts(false, false, true, false), "1g 2g 3g - 5 - 8"},
        {"maximised", Facts(true, true, false, false), "1 2 3 - 5 - 8"},
        {"tiling off", Facts(true, false, false, false, L"notepad.exe", listed), "1 2 3 - 5 - 8"},
        {"listed as never tiled", Facts(true, false, true, false, L"notepad.exe", listed),
         "1 2 3 - 10 11c - 5 - 8"},
        {"floating", Facts(true, false, true, true), "1 2 3 - 10c 11 - 5 - 8"},
        {"no executable is never listed", Facts(true, false, true, false, L"", {L""}),
         "1 2 3 - 10 11 - 5 - 8"},
        {"run as administrator", Facts(true, false, true, false, L"", {}, true),
         "12g - 1 2 3g - 10g 11 - 5 - 8"},
        {"run as administrator, gone", Facts(false, false, true, false, L"", {}, true),
         "1g 2g 3g - 5 - 8"}};
    AppNameMenuFacts withHidden = Facts(true, false, false, false);
    withHidden.hiddenTray = {L"a.exe"};
    EXPECT_EQ(Shape(BuildAppNameMenu(withHidden)), "1 2 3 - 5 [3] - 8");
    for (const auto& [name, facts, shape] : rows) {
        SCOPED_TRACE(name);
        const auto menu = BuildAppNameMenu(facts);
        EXPECT_EQ(Shape(menu), shape);
        ASSERT_GT(menu.size(), 3u);
        const AppNameMenuEntry& zoom = menu[menu[0].id == kMenuBeyondReachNote ? 3 : 1];
        EXPECT_EQ(zoom.text, facts.targetMaximized ? L"Restore" : L"Maximize");
    }
}

TEST(AppNameMenu, NeverTileNamesTheAppAndHiddenTrayItemsStopAtAHundred) {
    SetNorwegian(false);
    AppNameMenuFacts facts = Facts(true, false, true, false);
    facts.displayName = L"Notepad";
    EXPECT_EQ(BuildAppNameMenu(facts)[5].text, L"Never tile Notepad");

    for (int i = 0; i < 130; ++i) {
        facts.hiddenTray.push_back(L"app" + std::to_wstring(i) + L".exe");
    }
    const auto menu = BuildAppNameMenu(facts);
    ASSERT_EQ(Shape(menu), "1 2 3 - 10 11 - 5 [102] - 8");
    const auto popup = menu.begin() + 8;
    EXPECT_EQ(popup->children[0].id, 500u);
    EXPECT_EQ(popup->children[99].id, 599u);
    EXPECT_EQ(popup->children[99].text, L"app99.exe");
    EXPECT_EQ(popup->children[100].kind, Kind::Separator);
    EXPECT_EQ(popup->children[101].id, 9u);
}

TEST(AppNameMenu, NeverTileTogglesAndOnlyListedHiddenEntriesUnhide) {
    EXPECT_EQ(ToggleNeverTile({L"calc.exe"}, L"mpv.exe"), (List{L"calc.exe", L"mpv.exe"}));
    EXPECT_EQ(ToggleNeverTile({L"mpv.exe", L"calc.exe", L"mpv.exe"}, L"mpv.exe"),
              List{L"calc.exe"});
    EXPECT_EQ(ToggleNeverTile({L"calc.exe"}, L""), List{L"calc.exe"});

    // Only "show all" and listed hidden entries unhide.
    const List hidden = {L"onedrive.exe", L"defender"}, many(150, L"x.exe");
    // The menu lists a hundred entries at most; an id past them names none.
    const std::tuple<uint32_t, List, std::optional<std::wstring>> rows[] = {
        {9, hidden, L""},
        {500, hidden, L"onedrive.exe"},
        {501, hidden, L"defender"},
        {502, hidden, std::nullopt},
        {499, hidden, std::nullopt},
        {599, many, L"x.exe"},
        {600, many, std::nullopt}};
    for (const auto& [id, list, entry] : rows) {
        EXPECT_EQ(HiddenTrayEntryOf(id, list), entry) << id;
    }
}

TEST(BarTooltips, NowPlayingLeavesOutWhatIsMissing) {
    SetNorwegian(false);
    EXPECT_EQ(TilingTooltipText(true).substr(0, 11), L"Tiling: on\n");
    EXPECT_EQ(TilingTooltipText(false).substr(0, 12), L"Tiling: off\n");
    const std::wstring hint = L"\nClick for controls · Middle-click to play/pause";
    EXPECT_EQ(NowPlayingTooltipText(L"Song", L"", L"Album"), L"Song\nAlbum" + hint);
    EXPECT_EQ(NowPlayingTooltipText(L"Song", L"Artist", L""), L"Song\nArtist" + hint);
    EXPECT_EQ(NowPlayingTooltipText(L"Song", L"Artist", L"Album"), L"Song\nArtist\nAlbum" + hint);
}

}  // namespace
}  // namespace corvane
