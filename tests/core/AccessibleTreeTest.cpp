#include "bar/BarAccessibleTree.h"
#include "config/Language.h"
#include "config/Texts.h"
#include "dock/DockAccessibleTree.h"
#include "garden/BedAccessibleTree.h"
#include "nowplaying/CardAccessibleTree.h"
#include "settings/SettingsAccessibleTree.h"
#include "start/CorMenuAccessibleTree.h"
#include "start/LauncherAccessibleTree.h"
#include "toolkit/AccessibleNode.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

// What a reader learns of one node; a text "English|norsk" differs by language.
struct Expected {
    AccessibleRole role;
    const wchar_t* name;
    const wchar_t* value;
    uint32_t states;
    const wchar_t* action;
};

std::wstring InLanguage(std::wstring_view both, bool norwegian) {
    const std::size_t bar = both.find(L'|');
    return std::wstring(bar == both.npos ? both
                        : norwegian      ? both.substr(bar + 1)
                                         : both.substr(0, bar));
}

// The root's children after the first `skipped`, built in each language, against the rows.
template <typename Build>
void ExpectChildren(Build build, std::initializer_list<Expected> rows, std::size_t skipped = 0) {
    const bool saved = IsNorwegian();
    for (const bool nb : {false, true}) {
        SetNorwegian(nb);
        const AccessibleTree tree(build());
        ASSERT_EQ(tree.Children(0).size(), rows.size() + skipped);
        std::size_t child = skipped;
        for (const Expected& e : rows) {
            const int id = tree.Children(0)[child++];
            const AccessibleNode& n = tree.Node(id);
            EXPECT_EQ(n.role, e.role) << id << " " << nb;
            EXPECT_EQ(n.name, InLanguage(e.name, nb)) << id << " " << nb;
            EXPECT_EQ(n.value, InLanguage(e.value, nb)) << id << " " << nb;
            EXPECT_EQ(n.states, e.states) << id << " " << nb;
            EXPECT_EQ(n.defaultAction, InLanguage(e.action, nb)) << id << " " << nb;
        }
    }
    SetNorwegian(saved);
}

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
    const uint32_t popup = kAccHasPopup | kAccFocusable;
    const wchar_t* reading =
        L"Wi-Fi: Home (60 %), Sound: 40 %, Battery: 80 % (charging)|"
        L"Wi-Fi: Home (60 %), Lyd: 40 %, Batteri: 80 % (lader)";
    ExpectChildren([&] { return BarAccessibleTree(facts); },
                   {{PushButton, L"Notes", L"", popup, L"Open|Åpne"},
                    {MenuItem, L"File", L"", popup | kAccExpanded, L"Open|Åpne"},
                    {MenuItem, L"Edit", L"", popup | kAccFocused, L"Open|Åpne"},
                    {CheckButton, L"Tiling: on|Tiling: på", L"", kAccChecked, L"Press|Trykk"},
                    {PushButton, reading, L"", 0, L"Press|Trykk"},
                    {Clock, L"12:05, 8 December", L"", 0, L"Press|Trykk"}});
    // The status cluster also reads indicator by indicator.
    for (const bool nb : {false, true}) {
        SetNorwegian(nb);
        const AccessibleTree tree(BarAccessibleTree(facts));
        const int cluster = tree.Children(0)[4];
        ASSERT_EQ(tree.Children(cluster).size(), 3u);
        std::wstring indicators;
        for (const int child : tree.Children(cluster)) {
            indicators += (indicators.empty() ? L"" : L", ") + tree.Node(child).name;
        }
        EXPECT_EQ(indicators, InLanguage(reading, nb));
    }
    SetNorwegian(saved);
    const AccessibleTree tree(BarAccessibleTree(facts));
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(BarActionItem(tree.Node(tree.Children(0)[i]).actionId, items), i);
    }
    EXPECT_EQ(tree.Node(2).location, (PixelRect{80, 0, 140, 48}));
    std::vector<BarItem> changed = items;
    changed[2].kind = BarItemKind::ClockItem;
    EXPECT_EQ(BarActionItem(BarActionId(2, BarItemKind::MenuTitleItem), changed), std::nullopt);
    EXPECT_EQ(BarActionItem(BarActionId(6, BarItemKind::ClockItem), items), std::nullopt);
}

TEST(DockAccessibleTree, ItemsSayWhetherTheyRunHowManyWindowsAndWhetherPinned) {
    const bool saved = IsNorwegian();
    const std::tuple<bool, std::size_t, const wchar_t*> rows[] = {
        {true, 0, L"Notes, pinned|Notes, festet"},
        {false, 1, L"Notes, running|Notes, kjører"},
        {true, 3, L"Notes, running, 3 windows, pinned|Notes, kjører, 3 vinduer, festet"}};
    for (const auto& [pinned, windows, name] : rows) {
        DockItem item;
        item.name = L"Notes";
        item.pinned = pinned;
        item.windows.resize(windows);
        for (const bool nb : {false, true}) {
            SetNorwegian(nb);
            EXPECT_EQ(DockItemAccessibleName(item), InLanguage(name, nb));
        }
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
    for (const bool nb : {false, true}) {
        SetNorwegian(nb);
        const AccessibleTree tree(CorMenuAccessibleTree(facts));
        const std::tuple<int, AccessibleRole, const wchar_t*, uint32_t> expected[] = {
            {1, EditableText, L"Search apps and settings|Søk etter apper og innstillinger",
             kAccFocusable},
            {2, List, L"Results|Treff", 0},
            {3, ListItem, L"Notes", kAccFocusable | kAccSelectable},
            {4, ListItem, L"Notepad", kAccFocusable | kAccSelectable | kAccSelected | kAccFocused},
            {5, ListItem, L"Search files for “no”|Søk i filer etter «no»",
             kAccFocusable | kAccSelectable},
            {6, PushButton, L"Ada", kAccFocusable},
            {7, PushButton, L"Documents|Dokumenter", kAccFocusable},
            {tree.Count() - 1, PushButton, L"Power|Av/på", kAccFocusable | kAccHasPopup}};
        for (const auto& [id, role, name, states] : expected) {
            EXPECT_EQ(tree.Node(id).role, role) << id;
            EXPECT_EQ(tree.Node(id).name, InLanguage(name, nb)) << id;
            EXPECT_EQ(tree.Node(id).states, states) << id;
        }
        EXPECT_EQ(tree.Node(1).value, L"no");
        EXPECT_EQ(tree.Node(4).defaultAction, InLanguage(L"Open|Åpne", nb));
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
    for (const bool nb : {false, true}) {
        SetNorwegian(nb);
        const AccessibleTree tree(LauncherAccessibleTree(facts));
        const std::span<const int> top = tree.Children(0);
        ASSERT_EQ(top.size(), 3u);
        EXPECT_EQ(tree.Node(top[0]).states, kAccFocusable);
        const AccessibleNode& zed = tree.Node(tree.Children(top[1]).back());
        EXPECT_EQ(zed.name, L"Zed");
        EXPECT_EQ(zed.states, kAccFocusable | kAccSelectable | kAccSelected | kAccFocused);
        EXPECT_EQ(zed.defaultAction, InLanguage(L"Open|Åpne", nb));
        EXPECT_EQ(tree.Node(tree.Children(top[1]).front()).states,
                  kAccFocusable | kAccSelectable | kAccOffscreen);
        EXPECT_EQ(tree.Node(top[2]).name, InLanguage(L"Page 2 of 2|Side 2 av 2", nb));
    }
    SetNorwegian(saved);
    // An app's id names it only in its own list, and only while it is shown.
    const int32_t id = LauncherActionId(last, false);
    EXPECT_EQ(LauncherActionIndex(id, false, apps.size()), last);
    EXPECT_EQ(LauncherActionIndex(id, true, apps.size()), std::nullopt);
    EXPECT_EQ(LauncherActionIndex(id, false, apps.size() - 1), std::nullopt);
}

TEST(BedAccessibleTree, ListsTheShownItemsUnderTheRollToggle) {
    using enum AccessibleRole;
    GardenItems items;
    items[L"a"].entry.name = L"Notes.txt";
    items[L"b"].entry.name = L"Photos";
    Bed bed{L"Work", {}, false, false, {L"a", L"gone", L"b"}};
    const std::vector<std::wstring> ids = {L"a", L"b"};
    // Two columns; a second row would lie below the 100-DIP view.
    BedAccessibleFacts facts{&bed, &ids, &items, 200, 100, 0, 96, 1};
    const uint32_t can = kAccSelectable;
    ExpectChildren([&] { return BedAccessibleTree(facts); },
                   {{PushButton, L"Roll up|Rull opp", L"", kAccExpanded, L"Press|Trykk"},
                    {ListItem, L"Notes.txt", L"", can, L"Open|Åpne"},
                    {ListItem, L"Photos", L"", can | kAccSelected, L"Open|Åpne"}});
    const std::vector<std::wstring> three = {L"a", L"gone", L"b"};
    facts.ids = &three;  // an id without an item is not drawn, nor read
    const AccessibleTree tree(BedAccessibleTree(facts));
    EXPECT_EQ(tree.Node(0).name, L"Work");
    EXPECT_EQ(tree.Node(3).states, can | kAccOffscreen);
    EXPECT_EQ(tree.Node(3).actionId, 3);
    bed.collapsed = true;
    EXPECT_EQ(AccessibleTree(BedAccessibleTree(facts)).Count(), 2);
    const std::pair<int32_t, std::optional<std::size_t>> actions[] = {
        {kBedRollAction, std::nullopt}, {1, 0}, {3, 2}, {4, std::nullopt}, {-5, std::nullopt}};
    for (const auto& [id, item] : actions) {
        EXPECT_EQ(BedActionItem(id, 3), item) << id;
    }
}

TEST(CardAccessibleTree, ReadsTheTrackThePositionAndTheButtons) {
    using enum AccessibleRole;
    NowPlayingSnapshot track;
    track.active = track.playing = true;
    track.title = L"Song";
    track.album = L"LP";
    track.durationSeconds = 225;
    const auto build = [&] { return CardAccessibleTree({&track, 83, kCardWidth, false, 96}); };
    ExpectChildren(build, {{Text, L"Song", L"", 0, L""},
                           {Text, L"LP", L"", 0, L""},
                           {Slider, L"Position|Posisjon", L"1:23 of 3:45|1:23 av 3:45", 0, L""},
                           {PushButton, L"Previous track|Forrige spor", L"", 0, L"Press|Trykk"},
                           {PushButton, L"Pause", L"", 0, L"Press|Trykk"},
                           {PushButton, L"Next track|Neste spor", L"", 0, L"Press|Trykk"}});
    // Paused, with no duration and no album: play, and nothing to seek in.
    track.playing = false;
    track.album.clear();
    track.durationSeconds = 0;
    const AccessibleTree tree(build());
    EXPECT_EQ(tree.Node(2).states, kAccUnavailable);
    EXPECT_EQ(tree.Node(2).value, L"");
    EXPECT_EQ(tree.Node(4).name, corvane::Text(TextId::CardPlay));
    EXPECT_EQ(CardActionButton(static_cast<int32_t>(CardItem::Progress)), std::nullopt);
    EXPECT_EQ(CardActionButton(kCardTitleAction), std::nullopt);
}

TEST(SettingsAccessibleTree, PagesAreTabsAndRowsReadTheirKindAndValue) {
    using enum AccessibleRole;
    const auto row = [](RowKind kind, const wchar_t* label) {
        SettingsRow r;
        r.kind = kind;
        r.label = label;
        return r;
    };
    std::vector<SettingsRow> rows = {
        row(RowKind::Header, L"Look"),  row(RowKind::Header, L""),  // a gap
        row(RowKind::Toggle, L"Hide"),  row(RowKind::Slider, L"Tint"),
        row(RowKind::Choice, L"Style"), row(RowKind::Button, L"File"),
        row(RowKind::Text, L"Version")};
    rows[2].getBool = [] { return true; };
    rows[3].min = 10;
    rows[3].max = 90;
    rows[3].unit = L" %";
    rows[3].getInt = [] { return 40; };
    rows[4].options = {L"A", L"B"};
    rows[4].values = {5, 7};
    rows[4].getInt = [] { return 7; };
    rows[5].buttonText = L"Show";
    rows[6].value = L"1.2";
    const std::vector<RowBox> boxes = LayoutRows(rows, 900, {});
    // Page 1 in a 300-DIP view, which the last row lies below; row 3 focused.
    const SettingsAccessibleFacts facts{&rows, &boxes, 1, 0, 900, 300, 96, 3};
    const uint32_t can = kAccFocusable;
    ExpectChildren([&] { return SettingsAccessibleTree(facts); },
                   {{Text, L"Look", L"", 0, L""},
                    {CheckButton, L"Hide", L"", can | kAccChecked, L"Uncheck|Fjern merket"},
                    {Slider, L"Tint", L"40 %", can | kAccFocused, L""},
                    {ComboBox, L"Style", L"B", can | kAccHasPopup, L"Open|Åpne"},
                    {PushButton, L"File", L"", can, L"Show"},
                    {Text, L"Version", L"1.2", kAccOffscreen, L""}},
                   kSettingsPageCount);
    const AccessibleTree tree(SettingsAccessibleTree(facts));
    EXPECT_EQ(tree.FindState(kAccSelected), 2);  // the tab of page 1
    EXPECT_EQ(tree.Node(12).description, L"from 10 to 90 %");
    // Row 3 of page 1 is named so that an action asked before a page switch is dropped.
    const int32_t row3 = SettingsRowAction(1, 3);
    EXPECT_EQ(tree.Node(tree.FindAction(row3)).name, L"Tint");
    EXPECT_EQ(SettingsActionTarget(row3, 1, rows.size())->index, 3);
    EXPECT_EQ(SettingsActionTarget(row3, 2, rows.size()), std::nullopt);
    EXPECT_EQ(SettingsActionTarget(SettingsRowAction(1, 7), 1, rows.size()), std::nullopt);
    EXPECT_TRUE(SettingsActionTarget(4, 1, rows.size())->isPage);
}

}  // namespace
}  // namespace corvane
