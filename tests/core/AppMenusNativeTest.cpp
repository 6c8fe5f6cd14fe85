// Menus read from an application's own menu bar, and the choice between a
// profile, that menu bar and the default profile.

#include "appmenus/AppMenuResolver.h"
#include "appmenus/MenusParser.h"
#include "appmenus/NativeMenuReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
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

NativeMenuEntry Command(std::wstring text, uint32_t id, uint32_t state = 0) {
    NativeMenuEntry e;
    e.text = std::move(text);
    e.id = id;
    e.state = state;
    return e;
}

NativeMenuEntry Separator() {
    NativeMenuEntry e;
    e.type = kNativeSeparatorType;
    return e;
}

NativeMenuEntry Cascade(std::wstring text, uintptr_t submenu, uint32_t id = 77) {
    NativeMenuEntry e = Command(std::move(text), id);
    e.submenu = Handle(submenu);
    return e;
}

std::vector<std::wstring> Names(const std::vector<AppMenuItem>& items) {
    std::vector<std::wstring> names;
    for (const AppMenuItem& item : items) {
        names.push_back(item.isSeparator ? L"-" : item.name);
    }
    return names;
}

TEST(MenuTitle, AmpersandsAreMnemonicMarks) {
    EXPECT_EQ(CleanMenuTitle(L"&File"), L"File");
    EXPECT_EQ(CleanMenuTitle(L"Save && E&xit"), L"Save & Exit");
    EXPECT_EQ(CleanMenuTitle(L"&&&Tools"), L"&Tools");
    EXPECT_EQ(CleanMenuTitle(L"Help&"), L"Help");
    EXPECT_EQ(CleanMenuTitle(L"&"), L"");
    EXPECT_EQ(CleanMenuTitle(L"&&"), L"&");
    EXPECT_EQ(CleanMenuTitle(L"Plain"), L"Plain");
}

TEST(MenuBarTitles, OnlyTheFirstSixteenPositionsWithSubmenuAndText) {
    FakeMenus fake;
    auto& bar = fake.menus[Handle(1)];
    for (int i = 0; i < 20; ++i) {
        bar.push_back(Cascade(L"&M" + std::to_wstring(i), 100 + static_cast<uintptr_t>(i)));
    }
    bar[2] = Command(L"No submenu", 5);
    bar[3] = Cascade(L"", 103);
    bar[4] = std::nullopt;
    const std::vector<AppMenu> menus = ReadMenuBarTitles(fake, Handle(1));
    ASSERT_EQ(menus.size(), 13u);
    EXPECT_EQ(menus[0].title, L"M0");
    EXPECT_EQ(menus[2].title, L"M5");
    EXPECT_EQ(menus[2].nativePosition, 5);
    EXPECT_EQ(menus[2].nativeSubmenu, Handle(105));
    EXPECT_TRUE(menus[2].items.empty());
    EXPECT_EQ(menus.back().title, L"M15");
    EXPECT_EQ(fake.queries, 16);
}

TEST(MenuBarTitles, MissingMenuGivesNothing) {
    FakeMenus fake;
    EXPECT_TRUE(ReadMenuBarTitles(fake, Handle(9)).empty());
    EXPECT_EQ(fake.queries, 0);
}

TEST(NativeItems, TabSplitsNameFromShortcutAndStateBitsMap) {
    FakeMenus fake;
    fake.menus[Handle(1)] = {
        Command(L"&Open\tCtrl+O", 101),
        Command(L"Save &As...", 102, 0x1),
        Command(L"Off", 103, 0x2),
        Command(L"&Word wrap\tAlt+Z\tmore", 104, 0x8),
        Command(L"", 105),
    };
    const auto items = ReadNativeItems(fake, Handle(1), 0);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].name, L"&Open");  // the mnemonic stays for the drop-down
    EXPECT_EQ(items[0].shortcutText, L"Ctrl+O");
    EXPECT_EQ(items[0].commandId, 101u);
    EXPECT_FALSE(items[0].disabled);
    EXPECT_EQ(items[1].shortcutText, L"");
    EXPECT_TRUE(items[1].disabled);
    EXPECT_TRUE(items[2].disabled);
    EXPECT_FALSE(items[2].checked);
    EXPECT_EQ(items[3].name, L"&Word wrap");
    EXPECT_EQ(items[3].shortcutText, L"Alt+Z\tmore");
    EXPECT_TRUE(items[3].checked);
    EXPECT_FALSE(items[3].disabled);
    for (const AppMenuItem& item : items) {
        EXPECT_TRUE(item.chords.empty());
        EXPECT_TRUE(item.runTarget.empty());
    }
}

TEST(NativeItems, SeparatorsCollapseAndNeverLeadOrTrail) {
    FakeMenus fake;
    fake.menus[Handle(1)] = {
        Separator(),  Separator(), Command(L"A", 1), Separator(), Command(L"", 9), Separator(),
        std::nullopt, Separator(), Command(L"B", 2), Separator(), Separator(),
    };
    EXPECT_EQ(Names(ReadNativeItems(fake, Handle(1), 0)),
              (std::vector<std::wstring>{L"A", L"-", L"B"}));

    fake.menus[Handle(2)] = {Separator(), Separator()};
    EXPECT_TRUE(ReadNativeItems(fake, Handle(2), 0).empty());
}

TEST(NativeItems, AtMostTwoHundredPositions) {
    FakeMenus fake;
    auto& menu = fake.menus[Handle(1)];
    for (int i = 0; i < 250; ++i) {
        menu.push_back(Command(L"I" + std::to_wstring(i), static_cast<uint32_t>(i)));
    }
    const auto items = ReadNativeItems(fake, Handle(1), 0);
    ASSERT_EQ(items.size(), 200u);
    EXPECT_EQ(items.back().name, L"I199");
    EXPECT_EQ(fake.queries, 200);
}

TEST(NativeItems, SubmenusAreReadToTheFourthLevelAndPreparedFirst) {
    FakeMenus fake;
    // Menu n holds a command and a cascade into menu n + 1.
    for (uintptr_t n = 1; n <= 7; ++n) {
        fake.menus[Handle(n)] = {Command(L"Leaf" + std::to_wstring(n), static_cast<uint32_t>(n)),
                                 Cascade(L"Deeper", n + 1, 500 + static_cast<uint32_t>(n))};
    }
    const auto items = ReadNativeItems(fake, Handle(1), 0);
    // Levels 1-5 are shown; the cascade on the fifth level is a plain command.
    const std::vector<AppMenuItem>* level = &items;
    for (int depth = 0; depth < 4; ++depth) {
        ASSERT_EQ(level->size(), 2u);
        EXPECT_EQ((*level)[1].commandId, 0u);
        level = &(*level)[1].children;
    }
    ASSERT_EQ(level->size(), 2u);
    EXPECT_EQ((*level)[0].name, L"Leaf5");
    EXPECT_TRUE((*level)[1].children.empty());
    EXPECT_EQ((*level)[1].commandId, 505u);
    EXPECT_EQ(fake.prepared, (std::vector<std::pair<NativeMenuHandle, int>>{
                                 {Handle(2), 1}, {Handle(3), 1}, {Handle(4), 1}, {Handle(5), 1}}));
}

TEST(NativeItems, StartingDeeperReadsFewerLevels) {
    FakeMenus fake;
    fake.menus[Handle(1)] = {Cascade(L"Sub", 2, 42)};
    fake.menus[Handle(2)] = {Command(L"X", 1)};
    const auto items = ReadNativeItems(fake, Handle(1), kMaxNativeSubmenuDepth);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_TRUE(items[0].children.empty());
    EXPECT_EQ(items[0].commandId, 42u);
    EXPECT_TRUE(fake.prepared.empty());
}

TEST(NativeItems, SelfReferencingSubmenusStopAtTheBudget) {
    FakeMenus fake;
    // Every entry of the menu opens the menu itself again.
    auto& menu = fake.menus[Handle(1)];
    for (int i = 0; i < 200; ++i) {
        menu.push_back(Cascade(L"Again", 1));
    }
    const auto items = ReadNativeItems(fake, Handle(1), 0);
    EXPECT_EQ(fake.queries, kMaxNativeEntriesPerDropDown);
    EXPECT_FALSE(items.empty());
}

TEST(ResolveMenus, ProfileBeatsTheMenuBarWhichBeatsTheDefault) {
    const MenuProfileTable table =
        ParseAppMenus(L"[notepad++.exe]\nProfile\n    A = Ctrl+A\n[*]\nDefault\n    B = Ctrl+B\n");
    int barReads = 0;
    const auto bar = [&barReads] {
        ++barReads;
        AppMenu own;
        own.title = L"Own";
        own.nativeSubmenu = Handle(5);
        own.nativePosition = 0;
        return std::vector<AppMenu>{own};
    };
    const auto noBar = [&barReads] {
        ++barReads;
        return std::vector<AppMenu>{};
    };

    auto menus = ResolveMenus(table, L"notepad++.exe", bar);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Profile");
    EXPECT_EQ(barReads, 0);

    menus = ResolveMenus(table, L"classic.exe", bar);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Own");
    EXPECT_EQ(menus[0].nativeSubmenu, Handle(5));

    menus = ResolveMenus(table, L"modern.exe", noBar);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Default");
    menus = ResolveMenus(table, L"modern.exe", nullptr);
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].title, L"Default");

    EXPECT_TRUE(ResolveMenus(MenuProfileTable{}, L"modern.exe", noBar).empty());
}

TEST(ResolveMenus, AnEmptyProfileStillHidesTheMenuBar) {
    const MenuProfileTable table = ParseAppMenus(L"[quiet.exe]\n[*]\nDefault\n");
    bool read = false;
    const auto menus = ResolveMenus(table, L"quiet.exe", [&read] {
        read = true;
        return std::vector<AppMenu>{AppMenu{}};
    });
    EXPECT_TRUE(menus.empty());
    EXPECT_FALSE(read);
}

TEST(ResolveMenus, ResultIsACopyThatOutlivesTheTable) {
    std::vector<AppMenu> menus;
    {
        const MenuProfileTable table = ParseAppMenus(L"[a.exe]\nFile\n    New = Ctrl+N\n");
        menus = ResolveMenus(table, L"a.exe", nullptr);
    }
    ASSERT_EQ(menus.size(), 1u);
    EXPECT_EQ(menus[0].items.at(0).name, L"New");
}

}  // namespace
}  // namespace corvane
