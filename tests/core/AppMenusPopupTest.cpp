// The drop-down plan with its command numbers, and moving between menus.

#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenuSliding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

AppMenuItem Leaf(std::wstring name, std::vector<AppMenuItem> children = {}) {
    AppMenuItem item;
    item.name = std::move(name);
    item.children = std::move(children);
    return item;
}

AppMenuItem Sep() {
    AppMenuItem item;
    item.isSeparator = true;
    return item;
}

// "-" for a separator, "~" grayed, "*" checked, "(...)" a submenu, "#n" a
// command number.
std::wstring Describe(const std::vector<PopupEntry>& entries) {
    std::wstring out;
    for (const PopupEntry& e : entries) {
        out += out.empty() ? L"" : L" ";
        if (e.flags == kPopupSeparator) {
            out += e.label.empty() && e.command == 0 ? L"-" : L"<bad separator>";
            continue;
        }
        out += e.label + ((e.flags & kPopupGrayed) != 0 ? L"~" : L"") +
               ((e.flags & kPopupChecked) != 0 ? L"*" : L"");
        out += (e.flags & kPopupSubmenu) != 0 && e.command == 0 ? L"(" + Describe(e.submenu) + L")"
                                                                : L"#" + std::to_wstring(e.command);
    }
    return out;
}

TEST(PopupPlan, LabelsFlagsAndCommandNumbersInADepthFirstWalk) {
    std::vector<AppMenuItem> items = {
        Leaf(L"&Open"),
        Sep(),
        Leaf(L"Plain"),
        Leaf(L"sub", {Leaf(L"b"), Leaf(L"subsub", {Leaf(L"c")}), Sep(), Leaf(L"d")}),
        Leaf(L"e"),
    };
    items[0].shortcutText = L"Ctrl+O";
    items[2].disabled = true;
    items[2].checked = true;
    const PopupPlan plan = PlanMenuPopup(items);
    EXPECT_EQ(Describe(plan.entries),
              L"&Open\tCtrl+O#1 - Plain~*#2 sub(b#3 subsub(c#4) - d#5) e#6");
    EXPECT_TRUE(plan.hasSubmenus);
    std::wstring chosen;
    for (int64_t n = 1; n <= 6; ++n) {
        chosen += ChosenEntry(plan, n)->name + L" ";
    }
    EXPECT_EQ(chosen, L"&Open Plain b c d e ");
    EXPECT_EQ(ChosenEntry(plan, 1), &items[0]);
    for (const int64_t outside : {int64_t{0}, int64_t{-1}, int64_t{7}, int64_t{1} << 40}) {
        EXPECT_EQ(ChosenEntry(plan, outside), nullptr) << outside;
    }
    EXPECT_FALSE(PlanMenuPopup({Leaf(L"a")}).hasSubmenus);
    // A window that ignores commands and keys leaves only programs to start.
    items[4].runTarget = L"notepad.exe";
    EXPECT_EQ(Describe(PlanMenuPopup(items, true).entries),
              L"&Open\tCtrl+O~#1 - Plain~*#2 sub(b~#3 subsub(c~#4) - d~#5) e#6");
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
    EXPECT_EQ(Describe(plan.entries), L"level(level(level(level(level#1))))");
    ASSERT_EQ(plan.commands.size(), 1u);
}

TEST(MenuSliding, ArrowKeysWrapAroundAndKeepTheirMeaningWithOneMenuOrSubmenus) {
    const struct {
        SlideKey key;
        int current, count;
        bool submenus;
        int request;
    } cases[] = {
        {SlideKey::Left, 0, 3, false, 2},   {SlideKey::Right, 0, 3, false, 1},
        {SlideKey::Right, 2, 3, false, 0},  {SlideKey::Left, 2, 3, false, 1},
        {SlideKey::Left, 0, 1, false, -1},  {SlideKey::Right, 0, 1, false, -1},
        {SlideKey::Left, 1, 3, true, -1},   {SlideKey::Right, 1, 3, true, -1},
        {SlideKey::Right, 0, 0, false, -1}, {SlideKey::Right, 5, 3, false, -1},
        {SlideKey::Left, -1, 3, false, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SlideRequest(c.key, c.current, c.count, c.submenus), c.request)
            << (c.key == SlideKey::Left ? "left from " : "right from ") << c.current << " of "
            << c.count;
    }
}

TEST(MenuSliding, OnlyAPointerThatMovedOntoAnotherTitleSwitchesMenus) {
    const ScreenPoint rest{750, 5};
    const struct {
        ScreenPoint reported;
        int hit, current, request;
    } cases[] = {
        {{950, 5}, 2, 0, 2},
        {{751, 5}, 0, 2, 0},
        {{750, 6}, 0, 2, 0},
        {{752, 7}, 1, 1, -1},    // the open title
        {{752, 60}, -1, 1, -1},  // no title
        // The report a new drop-down brings under a resting pointer.
        {rest, 0, 1, -1},
        {rest, 2, 0, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PointerMoveRequest(rest, c.reported, c.hit, c.current), c.request)
            << "at " << c.reported.x << "," << c.reported.y << " over " << c.hit;
    }
}

}  // namespace
}  // namespace corvane
