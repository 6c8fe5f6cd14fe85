// Menus read from an application's own menu bar, and the choice between a
// profile, that menu bar and the default profile.

#include "appmenus/AppMenuResolver.h"
#include "appmenus/MenuPopupPlan.h"
#include "appmenus/MenuSliding.h"
#include "appmenus/MenusParser.h"
#include "appmenus/NativeMenuReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

NativeMenuHandle Handle(uintptr_t n) {
    return reinterpret_cast<NativeMenuHandle>(n);
}

// Menus by handle; a missing entry makes the query at its position fail.
class FakeMenus : public NativeMenuSource {
public:
    std::map<NativeMenuHandle, std::vector<std::optional<NativeMenuEntry>>> menus;
    std::vector<std::pair<NativeMenuHandle, int>> prepared;
    int queries = 0;

    int ItemCount(NativeMenuHandle menu) override {
        const auto it = menus.find(menu);
        return it == menus.end() ? -1 : static_cast<int>(it->second.size());
    }
    std::optional<NativeMenuEntry> EntryAt(NativeMenuHandle menu, int position) override {
        ++queries;
        return menus.at(menu).at(static_cast<std::size_t>(position));
    }
    void PrepareSubmenu(NativeMenuHandle submenu, int position) override {
        prepared.emplace_back(submenu, position);
    }
};

NativeMenuEntry Entry(std::wstring text, uint32_t id, uint32_t state = 0, uintptr_t submenu = 0) {
    return {.state = state, .id = id, .submenu = Handle(submenu), .text = std::move(text)};
}

const NativeMenuEntry kSeparator{.type = kNativeSeparatorType, .text = {}};

// "-" for a separator, "name|shortcut", "#id", "~" disabled, "*" checked,
// "(...)" children.
std::wstring Describe(const std::vector<AppMenuItem>& items) {
    std::wstring out;
    for (const AppMenuItem& item : items) {
        out += out.empty() ? L"" : L" ";
        if (item.isSeparator) {
            out += L"-";
            continue;
        }
        out += item.name + (item.shortcutText.empty() ? L"" : L"|" + item.shortcutText);
        out += item.commandId != 0 ? L"#" + std::to_wstring(item.commandId) : L"";
        out += std::wstring(item.disabled ? L"~" : L"") + (item.checked ? L"*" : L"");
        out += item.children.empty() ? L"" : L"(" + Describe(item.children) + L")";
        EXPECT_TRUE(item.chords.empty() && item.runTarget.empty());
    }
    return out;
}

TEST(MenuTitle, AmpersandsAreMnemonicMarks) {
    const std::wstring_view cases[][2] = {{L"&File", L"File"},
                                          {L"Save && E&xit", L"Save & Exit"},
                                          {L"&&&Tools", L"&Tools"},
                                          {L"Help&", L"Help"},
                                          {L"&", L""},
                                          {L"&&", L"&"}};
    for (const auto& c : cases) {
        EXPECT_EQ(CleanMenuTitle(c[0]), c[1]);
    }
}

TEST(MenuBarTitles, OnlyTheFirstSixteenPositionsWithSubmenuAndText) {
    FakeMenus fake;
    EXPECT_TRUE(ReadMenuBarTitles(fake, Handle(1)).empty());
    auto& bar = fake.menus[Handle(1)];
    for (int i = 0; i < 20; ++i) {
        bar.push_back(Entry(L"&M" + std::to_wstring(i), 0, 0, 100 + static_cast<uintptr_t>(i)));
    }
    bar[2] = Entry(L"No submenu", 5);
    bar[3] = Entry(L"", 0, 0, 103);
    bar[4] = std::nullopt;
    std::wstring titles;
    for (const AppMenu& menu : ReadMenuBarTitles(fake, Handle(1))) {
        EXPECT_EQ(menu.nativeSubmenu, Handle(100 + static_cast<uintptr_t>(menu.nativePosition)));
        EXPECT_TRUE(menu.items.empty());
        titles += menu.title + L"@" + std::to_wstring(menu.nativePosition) + L" ";
    }
    EXPECT_EQ(titles,
              L"M0@0 M1@1 M5@5 M6@6 M7@7 M8@8 M9@9 M10@10 M11@11 M12@12 M13@13 M14@14 "
              L"M15@15 ");
    EXPECT_EQ(fake.queries, 16);
}

TEST(NativeItems, ShortcutsStatesAndSeparatorsThatNeverLeadTrailOrRepeat) {
    FakeMenus fake;
    fake.menus[Handle(1)] = {
        kSeparator,
        Entry(L"&Open\tCtrl+O", 101),
        kSeparator,
        std::nullopt,
        kSeparator,
        Entry(L"Save &As...", 102, 0x1),
        Entry(L"Off", 103, 0x2),
        Entry(L"", 105),
        Entry(L"&Wrap\tAlt+Z\tmore", 104, 0x8),
        kSeparator,
        kSeparator,
    };
    EXPECT_EQ(Describe(ReadNativeItems(fake, Handle(1), 0)),
              L"&Open|Ctrl+O#101 - Save &As...#102~ Off#103~ &Wrap|Alt+Z\tmore#104*");
    fake.menus[Handle(2)] = {kSeparator, kSeparator};
    EXPECT_TRUE(ReadNativeItems(fake, Handle(2), 0).empty());
}

TEST(NativeItems, SubmenusArePreparedAndReadToTheFourthLevel) {
    FakeMenus fake;
    // Menu n holds a command and a cascade into menu n + 1.
    for (uintptr_t n = 1; n <= 7; ++n) {
        fake.menus[Handle(n)] = {Entry(L"L" + std::to_wstring(n), static_cast<uint32_t>(n)),
                                 Entry(L"D", 500 + static_cast<uint32_t>(n), 0, n + 1)};
    }
    // Levels 1-5 are shown; the cascade on the fifth level is a plain command.
    EXPECT_EQ(Describe(ReadNativeItems(fake, Handle(1), 0)),
              L"L1#1 D(L2#2 D(L3#3 D(L4#4 D(L5#5 D#505))))");
    EXPECT_EQ(fake.prepared, (std::vector<std::pair<NativeMenuHandle, int>>{
                                 {Handle(2), 1}, {Handle(3), 1}, {Handle(4), 1}, {Handle(5), 1}}));
    fake.prepared.clear();
    EXPECT_EQ(Describe(ReadNativeItems(fake, Handle(3), 2)), L"L3#3 D(L4#4 D(L5#5 D#505))");
}

TEST(NativeItems, AtMostTwoHundredPositionsAMenuAndTwoThousandADropDown) {
    FakeMenus fake;
    for (int i = 0; i < 250; ++i) {
        fake.menus[Handle(1)].push_back(Entry(L"I" + std::to_wstring(i), 1));
    }
    const auto items = ReadNativeItems(fake, Handle(1), 0);
    ASSERT_EQ(items.size(), 200u);
    EXPECT_EQ(items.back().name, L"I199");
    EXPECT_EQ(fake.queries, 200);
    // Every entry of this menu opens the menu itself again.
    fake.menus[Handle(2)] =
        std::vector<std::optional<NativeMenuEntry>>(200, Entry(L"Again", 77, 0, 2));
    fake.queries = 0;
    EXPECT_FALSE(ReadNativeItems(fake, Handle(2), 0).empty());
    EXPECT_EQ(fake.queries, kMaxNativeEntriesPerDropDown);
}

TEST(ResolveMenus, ProfileThenTheMenuBarThenTheDefault) {
    const MenuProfileTable table =
        ParseAppMenus(L"[notepad++.exe]\nProfile\n[quiet.exe]\n[*]\nDefault\n    B = Ctrl+B\n");
    AppMenu own;
    own.title = L"Own";
    // The application's menu bar: 0 none to read, 1 without menus, 2 "Own".
    // Executable, menu bar; titles shown, whether the menu bar was read.
    const std::tuple<std::wstring_view, int, std::wstring_view, bool> cases[] = {
        {L"notepad++.exe", 2, L"Profile", false},
        {L"quiet.exe", 2, L"", false},  // an empty profile still hides the menu bar
        {L"classic.exe", 2, L"Own", true},
        {L"modern.exe", 1, L"Default", true},
        {L"modern.exe", 0, L"Default", false}};
    for (const auto& [exe, bar, expected, barRead] : cases) {
        bool read = false;
        const std::size_t menus = bar == 2 ? 1 : 0;
        std::function<std::vector<AppMenu>()> reader = [&read, &own, menus] {
            read = true;
            return std::vector<AppMenu>(menus, own);
        };
        std::wstring titles;
        for (const AppMenu& menu : ResolveMenus(table, exe, bar == 0 ? nullptr : reader)) {
            titles += menu.title;
        }
        EXPECT_EQ(titles, expected) << bar;
        EXPECT_EQ(read, barRead) << bar;
    }
    EXPECT_TRUE(ResolveMenus(MenuProfileTable{}, L"modern.exe", nullptr).empty());
}

// The drop-down plan with its command numbers, and moving between menus.
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

TEST(PopupPlan, LabelsFlagsAndCommandNumbersInADepthFirstWalkCutWhereTheReaderStops) {
    std::vector<AppMenuItem> items = {
        Leaf(L"&Open"), Sep(), Leaf(L"Plain"),
        Leaf(L"sub", {Leaf(L"b"), Leaf(L"subsub", {Leaf(L"c")}), Sep(), Leaf(L"d")}), Leaf(L"e")};
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

    // Absurd nesting is cut where the reader stops.
    // Far deeper than any menu the reader produces: the plan must neither
    // recurse without bound nor lose the entry.
    AppMenuItem root = Leaf(L"bottom");
    for (int i = 0; i < 2000; ++i) {
        AppMenuItem parent = Leaf(L"level");
        parent.children.push_back(std::move(root));
        root = std::move(parent);
    }
    const std::vector<AppMenuItem> deep = {std::move(root)};
    const PopupPlan deepPlan = PlanMenuPopup(deep);
    EXPECT_EQ(Describe(deepPlan.entries), L"level(level(level(level(level#1))))");
    ASSERT_EQ(deepPlan.commands.size(), 1u);
}

TEST(MenuSliding, ArrowKeysWrapAroundAndOnlyAMovedPointerSwitchesMenus) {
    // Key, current menu, menus, submenus open; the menu asked for.
    const std::tuple<SlideKey, int, int, bool, int> cases[] = {
        {SlideKey::Left, 0, 3, false, 2},   {SlideKey::Right, 0, 3, false, 1},
        {SlideKey::Right, 2, 3, false, 0},  {SlideKey::Left, 2, 3, false, 1},
        {SlideKey::Left, 0, 1, false, -1},  {SlideKey::Right, 0, 1, false, -1},
        {SlideKey::Left, 1, 3, true, -1},   {SlideKey::Right, 1, 3, true, -1},
        {SlideKey::Right, 0, 0, false, -1}, {SlideKey::Right, 5, 3, false, -1},
        {SlideKey::Left, -1, 3, false, -1}};
    for (const auto& [key, current, count, submenus, request] : cases) {
        EXPECT_EQ(SlideRequest(key, current, count, submenus), request)
            << (key == SlideKey::Left ? "left from " : "right from ") << current << " of " << count;
    }

    // Only a pointer that moved onto another title switches menus.
    const ScreenPoint rest{750, 5};
    // Pointer reported, title under it, open title; the menu asked for.
    const std::tuple<ScreenPoint, int, int, int> moves[] = {
        {{950, 5}, 2, 0, 2},
        {{751, 5}, 0, 2, 0},
        {{750, 6}, 0, 2, 0},
        {{752, 7}, 1, 1, -1},    // the open title
        {{752, 60}, -1, 1, -1},  // no title
        // The report a new drop-down brings under a resting pointer.
        {rest, 0, 1, -1},
        {rest, 2, 0, -1}};
    for (const auto& [reported, hit, current, request] : moves) {
        EXPECT_EQ(PointerMoveRequest(rest, reported, hit, current), request)
            << "at " << reported.x << "," << reported.y << " over " << hit;
    }
}

}  // namespace
}  // namespace corvane
