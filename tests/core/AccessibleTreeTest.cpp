#include "bar/BarAccessibleTree.h"
#include "config/Language.h"
#include "dock/DockAccessibleTree.h"
#include "start/CorMenuAccessibleTree.h"
#include "start/LauncherAccessibleTree.h"
#include "toolkit/AccessibleNode.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

AccessibleNode Box(int32_t left, int32_t right, std::vector<AccessibleNode> children = {}) {
    AccessibleNode n;
    n.location = {left, 0, right, 20};
    n.children = std::move(children);
    return n;
}

// Ids in pre-order: 0 the window, 1 A, 2 B, 3 B1, 4 B2, 5 C; nothing lies
// under 90..100 but the window.
AccessibleTree SampleTree() {
    return AccessibleTree(
        Box(0, 100, {Box(0, 30), Box(30, 60, {Box(30, 45), Box(45, 60)}), Box(60, 90)}));
}

TEST(AccessibleTree, NavigatesAmongSiblingsChildrenAndOnTheScreen) {
    using enum AccessibleDirection;
    const AccessibleTree tree = SampleTree();
    struct Row {
        int from;
        AccessibleDirection direction;
        int to;
    };
    const Row rows[] = {
        {1, Next, 2},        {2, Next, 5},       {5, Next, -1},     {1, Previous, -1},
        {5, Previous, 2},    {0, FirstChild, 1}, {0, LastChild, 5}, {2, FirstChild, 3},
        {1, FirstChild, -1}, {0, Next, -1},      {1, Right, 2},     {5, Left, 2},
        {1, Left, -1},       {3, Right, 4},      {1, Down, -1},     {9, Next, -1}};
    for (const Row& r : rows) {
        EXPECT_EQ(tree.Navigate(r.from, r.direction), r.to) << r.from << " " << int(r.direction);
    }
}

TEST(AccessibleTree, HitTestsTheDeepestNodeAndNumbersChildrenForReaders) {
    const AccessibleTree tree = SampleTree();
    const int hits[][2] = {{10, 1}, {35, 3}, {50, 4}, {60, 5}, {95, 0}, {100, -1}, {-1, -1}};
    for (const auto& [x, id] : hits) {
        EXPECT_EQ(tree.HitTest(0, x, 5), id) << x;
    }
    EXPECT_EQ(tree.HitTest(2, 10, 5), -1);
    // Negative numbers name any node below by its id, as events do.
    const int children[][3] = {{0, 3, 5},   {2, 2, 4},         {2, 0, 2},   {0, 4, -1},
                               {0, -4, 4},  {2, -4, 4},        {1, -4, -1}, {0, -6, -1},
                               {2, -2, -1}, {0, INT32_MIN, -1}};
    for (const auto& [id, number, child] : children) {
        EXPECT_EQ(tree.ChildAt(id, number), child) << id << " " << number;
        EXPECT_TRUE(child < 0 || number <= 0 || tree.ChildNumber(child) == number);
    }
}

TEST(BarAccessibleTree, NamesRolesAndStatesFollowTheLayoutInBothLanguages) {
    const bool saved = IsNorwegian();
    const std::vector<BarItem> items = {{BarItemKind::AppNameItem, 0, 0, 40, 24},
                                        {BarItemKind::MenuTitleItem, 40, 0, 70, 24, 0, 0, 0},
                                        {BarItemKind::MenuTitleItem, 70, 0, 99, 24, 0, 0, 1},
                                        {BarItemKind::TilingButtonItem, 300, 0, 320, 24},
                                        {BarItemKind::StatusItem, 320, 0, 380, 24},
                                        {BarItemKind::ClockItem, 380, 0, 450, 24}};
    const std::vector<AppMenu> menus = {{L"File", {}, nullptr, -1}, {L"Edit", {}, nullptr, -1}};
    const StatusModel status{true, 0.4f, false, NetworkKind::WiFi, 60, L"Home", true, 80, true};
    // 192 DPI, shown; no tray icons; the title of menu 1 focused, menu 0 open.
    const BarAccessibleFacts facts{&items,        192, {},      true, L"Notes", &menus, L"12:05",
                                   L"8 December", {},  &status, true, {},       2,      1};
    using enum AccessibleRole;
    struct Language {
        bool norwegian;
        const wchar_t* press;
        const wchar_t* tiling;
        const wchar_t* status;
    };
    for (const Language& l :
         {Language{false, L"Press", L"Tiling: on",
                   L"Wi-Fi: Home (60 %), Sound: 40 %, Battery: 80 % (charging)"},
          Language{true, L"Trykk", L"Tiling: på",
                   L"Wi-Fi: Home (60 %), Lyd: 40 %, Batteri: 80 % (lader)"}}) {
        SetNorwegian(l.norwegian);
        const AccessibleTree tree(BarAccessibleTree(facts));
        ASSERT_EQ(tree.Children(0).size(), items.size());
        const struct {
            AccessibleRole role;
            const wchar_t* name;
            uint32_t states;
        } expected[] = {{PushButton, L"Notes", kAccHasPopup | kAccFocusable},
                        {MenuItem, L"File", kAccHasPopup | kAccFocusable | kAccExpanded},
                        {MenuItem, L"Edit", kAccHasPopup | kAccFocusable | kAccFocused},
                        {CheckButton, l.tiling, kAccChecked},
                        {PushButton, l.status, 0},
                        {Clock, L"12:05, 8 December", 0}};
        for (int i = 0; i < 6; ++i) {
            const AccessibleNode& n = tree.Node(tree.Children(0)[static_cast<std::size_t>(i)]);
            EXPECT_EQ(n.role, expected[i].role) << i;
            EXPECT_EQ(n.name, expected[i].name) << i;
            EXPECT_EQ(n.states, expected[i].states) << i;
            EXPECT_EQ(BarActionItem(n.actionId, items), i);
        }
        EXPECT_EQ(tree.Node(4).defaultAction, l.press);
        // The status cluster also reads indicator by indicator.
        const int cluster = tree.Children(0)[4];
        ASSERT_EQ(tree.Children(cluster).size(), 3u);
        std::wstring indicators;
        for (const int child : tree.Children(cluster)) {
            indicators += (indicators.empty() ? L"" : L", ") + tree.Node(child).name;
        }
        EXPECT_EQ(indicators, l.status);
        EXPECT_EQ(tree.Node(2).location, (PixelRect{80, 0, 140, 48}));
    }
    SetNorwegian(saved);
    std::vector<BarItem> changed = items;
    changed[2].kind = BarItemKind::ClockItem;
    EXPECT_EQ(BarActionItem(BarActionId(2, BarItemKind::MenuTitleItem), changed), std::nullopt);
    EXPECT_EQ(BarActionItem(BarActionId(6, BarItemKind::ClockItem), items), std::nullopt);
}

TEST(DockAccessibleTree, ItemsSayWhetherTheyRunHowManyWindowsAndWhetherPinned) {
    const bool saved = IsNorwegian();
    struct Row {
        bool pinned;
        std::size_t windows;
        const wchar_t* english;
        const wchar_t* norwegian;
    };
    const Row rows[] = {
        {true, 0, L"Notes, pinned", L"Notes, festet"},
        {false, 1, L"Notes, running", L"Notes, kjører"},
        {true, 3, L"Notes, running, 3 windows, pinned", L"Notes, kjører, 3 vinduer, festet"}};
    for (const Row& r : rows) {
        DockItem item;
        item.name = L"Notes";
        item.pinned = r.pinned;
        item.windows.resize(r.windows);
        SetNorwegian(false);
        EXPECT_EQ(DockItemAccessibleName(item), r.english);
        SetNorwegian(true);
        EXPECT_EQ(DockItemAccessibleName(item), r.norwegian);
    }
    SetNorwegian(saved);
    // An item the last layout gave no cell yet is not read.
    const std::vector<DockItem> items(2);
    const std::vector<PointRect> cells = {{10, 4, 50, 44}};
    const AccessibleTree tree(DockAccessibleTree({&items, &cells, 144, {0, 0, 90, 72}, true, 0}));
    ASSERT_EQ(tree.Count(), 2);
    EXPECT_EQ(tree.Node(1).location, (PixelRect{15, 6, 75, 66}));
    EXPECT_EQ(tree.Node(1).states, kAccFocusable | kAccFocused);
}

// Each language's texts for the start surfaces' nodes.
struct StartTexts {
    bool norwegian;
    const wchar_t* search;
    const wchar_t* results;
    const wchar_t* searchFiles;
    const wchar_t* documents;
    const wchar_t* power;
    const wchar_t* open;
    const wchar_t* page;
};
constexpr StartTexts kStartTexts[] = {
    {false, L"Search apps and settings", L"Results", L"Search files for “no”", L"Documents",
     L"Power", L"Open", L"Page 2 of 2"},
    {true, L"Søk etter apper og innstillinger", L"Treff", L"Søk i filer etter «no»", L"Dokumenter",
     L"Av/på", L"Åpne", L"Side 2 av 2"}};

TEST(CorMenuAccessibleTree, ReadsTheSearchTheResultsWithTheSelectionAndTheSideInBothLanguages) {
    const bool saved = IsNorwegian();
    std::vector<AppEntry> results(2);
    results[0].name = L"Notes";
    results[1].name = L"Notepad";
    // The second result selected with the keyboard's focus in the list.
    const MenuLayout layout = LayOutMenu({620, 580, MenuView::Results, 0, 0, 2, {}});
    const MenuState state{MenuView::Results, 0, {MenuHit::AppRow, 1}, {}, MenuZone::List};
    const CorMenuAccessibleFacts facts{&layout, &state, MarkedItem(state, layout), results, L"no",
                                       L"Ada",  96};
    using enum AccessibleRole;
    for (const StartTexts& l : kStartTexts) {
        SetNorwegian(l.norwegian);
        const AccessibleTree tree(CorMenuAccessibleTree(facts));
        const struct {
            int id;
            AccessibleRole role;
            const wchar_t* name;
            uint32_t states;
        } expected[] = {
            {1, EditableText, l.search, kAccFocusable},
            {2, List, l.results, 0},
            {3, ListItem, L"Notes", kAccFocusable | kAccSelectable},
            {4, ListItem, L"Notepad", kAccFocusable | kAccSelectable | kAccSelected | kAccFocused},
            {5, ListItem, l.searchFiles, kAccFocusable | kAccSelectable},
            {6, PushButton, L"Ada", kAccFocusable},
            {7, PushButton, l.documents, kAccFocusable},
            {tree.Count() - 1, PushButton, l.power, kAccFocusable | kAccHasPopup}};
        for (const auto& e : expected) {
            const AccessibleNode& n = tree.Node(e.id);
            EXPECT_EQ(n.role, e.role) << e.id;
            EXPECT_EQ(n.name, e.name) << e.id;
            EXPECT_EQ(n.states, e.states) << e.id;
        }
        EXPECT_EQ(tree.Node(1).value, L"no");
        EXPECT_EQ(tree.Node(4).defaultAction, l.open);
    }
    SetNorwegian(saved);
    // Action ids name the item in their own view only.
    const AccessibleTree tree(CorMenuAccessibleTree(facts));
    EXPECT_EQ(MenuActionItem(tree.Node(4).actionId, MenuView::Results),
              (MenuItemId{MenuHit::AppRow, 1}));
    EXPECT_EQ(MenuActionItem(tree.Node(4).actionId, MenuView::Home), std::nullopt);
    EXPECT_EQ(MenuActionItem(tree.Node(7).actionId, MenuView::Results),
              (MenuItemId{MenuHit::Place, 0}));
    EXPECT_EQ(MenuActionItem(kMenuSearchAction, MenuView::Results), std::nullopt);
}

TEST(LauncherAccessibleTree, ReadsEveryPagesAppsTheSelectionAndThePageInBothLanguages) {
    const LauncherLayout layout = LayOutLauncher(1280, 720);
    std::vector<AppEntry> apps(static_cast<std::size_t>(layout.perPage) + 1);
    apps.back().name = L"Zed";
    const int32_t last = layout.perPage;
    const LauncherAccessibleFacts facts{&layout, apps, false, 1, 1.0f, last, true, L"", 96};
    const bool saved = IsNorwegian();
    for (const StartTexts& l : kStartTexts) {
        SetNorwegian(l.norwegian);
        const AccessibleTree tree(LauncherAccessibleTree(facts));
        const std::span<const int> top = tree.Children(0);
        ASSERT_EQ(top.size(), 3u);
        EXPECT_EQ(tree.Node(top[0]).states, kAccFocusable);
        const AccessibleNode& zed = tree.Node(tree.Children(top[1]).back());
        EXPECT_EQ(zed.name, L"Zed");
        EXPECT_EQ(zed.states, kAccFocusable | kAccSelectable | kAccSelected | kAccFocused);
        EXPECT_EQ(zed.defaultAction, l.open);
        EXPECT_EQ(tree.Node(tree.Children(top[1]).front()).states,
                  kAccFocusable | kAccSelectable | kAccOffscreen);
        EXPECT_EQ(tree.Node(top[2]).name, l.page);
    }
    SetNorwegian(saved);
    // An app's id names it only in its own list, and only while it is shown.
    const int32_t id = LauncherActionId(last, false);
    EXPECT_EQ(LauncherActionIndex(id, false, apps.size()), last);
    EXPECT_EQ(LauncherActionIndex(id, true, apps.size()), std::nullopt);
    EXPECT_EQ(LauncherActionIndex(id, false, apps.size() - 1), std::nullopt);
}

}  // namespace
}  // namespace corvane
