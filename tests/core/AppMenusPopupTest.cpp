// The drop-down plan with its command numbers, and sliding between menus.

#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenuSliding.h"
#include "appmenus/MenusParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

AppMenuItem Leaf(std::wstring name, std::wstring shortcut = L"") {
    AppMenuItem item;
    item.name = std::move(name);
    item.shortcutText = std::move(shortcut);
    return item;
}

AppMenuItem Sep() {
    AppMenuItem item;
    item.isSeparator = true;
    return item;
}

AppMenuItem Parent(std::wstring name, std::vector<AppMenuItem> children) {
    AppMenuItem item = Leaf(std::move(name));
    item.children = std::move(children);
    return item;
}

TEST(PopupPlan, LabelsFlagsAndSeparators) {
    std::vector<AppMenuItem> items = {Leaf(L"&Open", L"Ctrl+O"), Sep(), Leaf(L"Plain")};
    items[2].disabled = true;
    items[2].checked = true;
    const PopupPlan plan = PlanMenuPopup(items);
    ASSERT_EQ(plan.entries.size(), 3u);
    EXPECT_EQ(plan.entries[0].label, L"&Open\tCtrl+O");
    EXPECT_EQ(plan.entries[0].flags, 0u);
    EXPECT_EQ(plan.entries[0].command, 1u);
    EXPECT_EQ(plan.entries[1].flags, kPopupSeparator);
    EXPECT_EQ(plan.entries[1].label, L"");
    EXPECT_EQ(plan.entries[1].command, 0u);
    EXPECT_EQ(plan.entries[2].label, L"Plain");
    EXPECT_EQ(plan.entries[2].flags, kPopupGrayed | kPopupChecked);
    EXPECT_EQ(plan.entries[2].command, 2u);
    EXPECT_FALSE(plan.hasSubmenus);
    EXPECT_EQ(plan.commands, (std::vector<const AppMenuItem*>{&items[0], &items[2]}));
}

TEST(PopupPlan, CommandNumbersFollowADepthFirstWalk) {
    const std::vector<AppMenuItem> items = {
        Leaf(L"a"),
        Parent(L"sub", {Leaf(L"b"), Parent(L"subsub", {Leaf(L"c")}), Sep(), Leaf(L"d")}),
        Leaf(L"e"),
    };
    const PopupPlan plan = PlanMenuPopup(items);
    EXPECT_TRUE(plan.hasSubmenus);
    ASSERT_EQ(plan.commands.size(), 5u);
    std::wstring order;
    for (const AppMenuItem* item : plan.commands) {
        order += item->name;
    }
    EXPECT_EQ(order, L"abcde");
    const PopupEntry& sub = plan.entries[1];
    EXPECT_EQ(sub.flags & kPopupSubmenu, kPopupSubmenu);
    EXPECT_EQ(sub.command, 0u);
    ASSERT_EQ(sub.submenu.size(), 4u);
    EXPECT_EQ(sub.submenu[0].command, 2u);
    EXPECT_EQ(sub.submenu[1].submenu.at(0).command, 3u);
    EXPECT_EQ(sub.submenu[3].command, 4u);
    EXPECT_EQ(plan.entries[2].command, 5u);
}

TEST(PopupPlan, ChosenEntryOnlyForNumbersInRange) {
    const std::vector<AppMenuItem> items = {Leaf(L"a"), Leaf(L"b")};
    const PopupPlan plan = PlanMenuPopup(items);
    EXPECT_EQ(ChosenEntry(plan, 0), nullptr);  // dismissed
    EXPECT_EQ(ChosenEntry(plan, -1), nullptr);
    EXPECT_EQ(ChosenEntry(plan, 1), &items[0]);
    EXPECT_EQ(ChosenEntry(plan, 2), &items[1]);
    EXPECT_EQ(ChosenEntry(plan, 3), nullptr);
    EXPECT_EQ(ChosenEntry(plan, int64_t{1} << 40), nullptr);
    EXPECT_EQ(ChosenEntry(PlanMenuPopup({}), 1), nullptr);
}

TEST(PopupPlan, FileMenusArePlainCommandsWithTheirShortcuts) {
    const MenuProfileTable table =
        ParseAppMenus(L"[a.exe]\nFile\n    New = Ctrl+N\n    -\n    Settings = run:ms-settings:\n");
    const std::vector<AppMenuItem>& items = table.Find(L"a.exe")->at(0).items;
    const PopupPlan plan = PlanMenuPopup(items);
    ASSERT_EQ(plan.entries.size(), 3u);
    EXPECT_EQ(plan.entries[0].label, L"New\tCtrl+N");
    EXPECT_EQ(plan.entries[2].label, L"Settings");
    EXPECT_EQ(plan.commands.size(), 2u);
    EXPECT_EQ(ChosenEntry(plan, 2)->runTarget, L"ms-settings:");
}

TEST(PopupPlan, AbsurdNestingIsCutWhereTheReaderStops) {
    // Far deeper than any menu the reader produces: the plan must neither
    // recurse without bound nor lose the entry.
    AppMenuItem root = Leaf(L"bottom");
    for (int i = 0; i < 2000; ++i) {
        AppMenuItem parent = Leaf(L"level");
        parent.children.push_back(std::move(root));
        root = std::move(parent);
    }
    const std::vector<AppMenuItem> items = {std::move(root)};
    const PopupPlan plan = PlanMenuPopup(items);
    EXPECT_TRUE(plan.hasSubmenus);
    ASSERT_EQ(plan.commands.size(), 1u);
    int depth = 0;
    const std::vector<PopupEntry>* level = &plan.entries;
    while (!level->at(0).submenu.empty()) {
        level = &level->at(0).submenu;
        ++depth;
    }
    EXPECT_EQ(depth, 4);
    EXPECT_EQ(level->at(0).command, 1u);
    EXPECT_EQ(level->at(0).flags & kPopupSubmenu, 0u);
}

TEST(MenuSliding, ArrowKeysWrapAroundBothEnds) {
    EXPECT_EQ(SlideRequest(SlideKey::Left, 0, 3, false), 2);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 0, 3, false), 1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 2, 3, false), 0);
    EXPECT_EQ(SlideRequest(SlideKey::Left, 2, 3, false), 1);
    EXPECT_EQ(SlideRequest(SlideKey::Left, 0, 2, false), 1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 1, 2, false), 0);
}

TEST(MenuSliding, ArrowKeysKeepTheirMeaningWithOneMenuOrWithSubmenus) {
    EXPECT_EQ(SlideRequest(SlideKey::Left, 0, 1, false), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 0, 1, false), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Left, 1, 3, true), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 1, 3, true), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 0, 0, false), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Right, 5, 3, false), -1);
    EXPECT_EQ(SlideRequest(SlideKey::Left, -1, 3, false), -1);
}

TEST(MenuSliding, HoverOpensAnotherTitleOnly) {
    EXPECT_EQ(HoverRequest(2, 0), 2);
    EXPECT_EQ(HoverRequest(0, 2), 0);
    EXPECT_EQ(HoverRequest(1, 1), -1);
    EXPECT_EQ(HoverRequest(-1, 1), -1);
}

}  // namespace
}  // namespace corvane
