#include "bar/AppNameMenuModel.h"
#include "bar/BarClicks.h"
#include "toolkit/KeyChordStrokes.h"
#include "core/BarLayoutFakes.h"
#include "config/Language.h"
#include "bar/BarTooltips.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using A = BarClickAction;
using B = MouseButton;
constexpr B L = B::Left;
constexpr B R = B::Right;
constexpr B M = B::Middle;

using test::ItemAt;

// In the order layout gives them: name and title first, Now Playing last.
const std::vector<BarItem> kItems = {
    ItemAt(BarItemKind::AppNameItem, 6, 80),      ItemAt(BarItemKind::MenuTitleItem, 82, 120),
    ItemAt(BarItemKind::TrayIconItem, 700, 726),  ItemAt(BarItemKind::TilingButtonItem, 732, 760),
    ItemAt(BarItemKind::StatusItem, 766, 826),    ItemAt(BarItemKind::ClockItem, 828, 930),
    ItemAt(BarItemKind::NowPlayingItem, 600, 690)};
enum : int { kName, kTitle, kTray, kTiling, kStatus, kClock, kNowPlaying, kNothing = -1 };

struct Step {
    int hit;
    BarButtonEvent event;
};
constexpr auto Down = [](int hit, B b) { return Step{hit, {b, true, false}}; };
constexpr auto Up = [](int hit, B b) { return Step{hit, {b, false, false}}; };
constexpr auto Double = [](int hit, B b) { return Step{hit, {b, true, true}}; };
// A click and, quickly after it, a second one.
std::vector<Step> DoubleClick(int hit, B b) {
    return {Down(hit, b), Up(hit, b), Double(hit, b), Up(hit, b)};
}

// Each action that ran, with the item shown pressed while it ran.
using Log = std::vector<std::pair<A, int>>;

// Feeds the steps through the rule the way the bar window does and returns
// what ran and which item is left pressed.
std::pair<Log, int> Play(const std::vector<Step>& steps) {
    Log log;
    PointerGesture press;
    for (const Step& step : steps) {
        const BarButtonOutcome out = DecideBarButton(kItems, press, step.hit, step.event);
        if (out.pressedIndex != press.Target()) {
            press.Press(out.pressedIndex, 0, 0, {}, false);
        }
        if (out.action != A::None) {
            log.emplace_back(out.action, press.Target());
        }
        if (out.clearPressedAfter) {
            press.Cancel();
        }
    }
    return {log, press.Target()};
}

TEST(BarClicks, PressAndReleaseOnTheSameItemAndSequences) {
    // The item; the action of the left, right and middle buttons.
    const std::tuple<int, A, A, A> rows[] = {
        {kName, A::AppNameMenu, A::AppNameMenu, A::None},
        {kTiling, A::ToggleTiling, A::TilingSettings, A::None},
        {kStatus, A::QuickSettings, A::SoundSettings, A::ToggleMute},
        {kClock, A::Notifications, A::DateTimeSettings, A::None},
        {kNowPlaying, A::NowPlayingCard, A::None, A::PlayPause}};
    for (const auto& [item, left, right, middle] : rows) {
        for (const auto& [button, action] : {std::pair{L, left}, {R, right}, {M, middle}}) {
            SCOPED_TRACE(testing::Message() << "item " << item << " button " << int(button));
            // Nothing runs on the press; the release runs the action.
            EXPECT_EQ(Play({Down(item, button)}), std::make_pair(Log{}, item));
            const Log expected = action == A::None ? Log{} : Log{{action, item}};
            EXPECT_EQ(Play({Down(item, button), Up(item, button)}),
                      std::make_pair(expected, int{kNothing}));
        }
    }

    // Whole sequences: what ran and which item is left pressed.
    struct Sequence {
        const char* name;
        std::vector<Step> steps;
        Log log;
        int pressedAfter = kNothing;
    };
    const Sequence sequences[] = {
        {"no item ends the press", {Down(kClock, L), Up(kNothing, L), Up(kClock, L)}, {}},
        {"index past the list is nothing", {Down(99, L), Up(99, L)}, {}},
        {"double is a press", {Double(kTiling, L), Up(kTiling, L)}, {{A::ToggleTiling, kTiling}}},
        {"left double: two presses", DoubleClick(kStatus, L), Log(2, {A::QuickSettings, kStatus})},
        {"right double: two presses", DoubleClick(kStatus, R), Log(2, {A::SoundSettings, kStatus})},
        {"middle double: one mute", DoubleClick(kStatus, M), {{A::ToggleMute, kStatus}}},
        {"menu title opens on a left press", {Down(kTitle, L)}, {{A::OpenMenus, kTitle}}},
        {"menu title opens on a right press", {Down(kTitle, R)}, {{A::OpenMenus, kTitle}}},
        {"menu title ignores the middle button", {Down(kTitle, M), Up(kTitle, M)}, {}},
        {"tray left press may start a drag", {Down(kTray, L)}, {{A::TrayPress, kTray}}, kTray},
        {"tray left release is no action", {Down(kTray, L), Up(kTray, L)}, {{A::TrayPress, kTray}}},
        {"tray right press is forwarded", {Down(kTray, R)}, {{A::TrayForward, kTray}}},
        {"tray middle press is forwarded", {Down(kTray, M)}, {{A::TrayForward, kTray}}},
        {"tray release is forwarded", {Down(kClock, L), Up(kTray, R)}, {{A::TrayForward, kClock}}},
    };
    for (const Sequence& r : sequences) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(Play(r.steps), std::make_pair(r.log, r.pressedAfter));
    }
}

TEST(BarClicks, AppNameMenuCommandsAndForeground) {
    EXPECT_EQ(AppNameWindowCommand(kMenuMinimize, false), WindowCommand::Minimize);
    EXPECT_EQ(AppNameWindowCommand(kMenuMaximizeOrRestore, false), WindowCommand::Maximize);
    EXPECT_EQ(AppNameWindowCommand(kMenuMaximizeOrRestore, true), WindowCommand::Restore);
    EXPECT_EQ(AppNameWindowCommand(kMenuCloseWindow, true), WindowCommand::Close);
    EXPECT_EQ(AppNameWindowCommand(kMenuQuit, false), WindowCommand::None);
    // The target gets the foreground back unless it just went away.
    EXPECT_FALSE(AppNameMenuReturnsForeground(kMenuMinimize));
    EXPECT_FALSE(AppNameMenuReturnsForeground(kMenuCloseWindow));
    EXPECT_TRUE(AppNameMenuReturnsForeground(kMenuMaximizeOrRestore));
    EXPECT_TRUE(AppNameMenuReturnsForeground(0));  // dismissed
}

TEST(BarClicks, TooltipTextIsSentOnlyWhenItChangesAndBoxesScaleToPixelsTruncated) {
    const auto plan = [](const wchar_t* shown, const wchar_t* wanted) {
        const TooltipUpdate update = PlanTooltipUpdate(shown, wanted);
        return std::pair{update.activate, update.sendText};
    };
    EXPECT_EQ(plan(L"Tiling: on", L""), std::pair(false, false));
    EXPECT_EQ(plan(L"Tiling: on", L"Tiling: on"), std::pair(true, false));
    EXPECT_EQ(plan(L"Tiling: on", L"Tiling: off"), std::pair(true, true));
    EXPECT_EQ(plan(L"", L"Friday"), std::pair(true, true));
    // Item boxes scale to pixels, truncated.
    const BarItem item = ItemAt(BarItemKind::ClockItem, 10.5f, 33.9f);
    EXPECT_EQ(ItemPixelBox(item, 96), (PixelRect{10, 3, 33, 25}));
    // 15.75, 4.5, 50.85, 37.5
    EXPECT_EQ(ItemPixelBox(item, 144), (PixelRect{15, 4, 50, 37}));
}

TEST(KeyChordStrokes, DownInOrderThenUpInReverseAndWhatATakenPartLeftDownIsReleased) {
    const std::vector<KeyStroke> expected = {
        {0x5B, 0},           {0x10, 0}, {'A', 0}, {'A', kStrokeKeyUp}, {0x10, kStrokeKeyUp},
        {0x5B, kStrokeKeyUp}};
    EXPECT_EQ(PressTogetherStrokes({0x5B, 0x10, 'A'}), expected);
    EXPECT_TRUE(PressTogetherStrokes({}).empty());

    // What is let go when the system took only the first strokes of a batch.
    constexpr uint32_t kUp = kStrokeKeyUp;
    constexpr uint32_t kExt = kStrokeExtended;
    const std::vector<KeyStroke> winTab = PressTogetherStrokes({0x5B, 0x09});
    const std::vector<KeyStroke> mixed = {{0x11, 0}, {0x2E, kExt}, {0x2E, kExt | kUp}, {0x10, 0}};
    const std::tuple<std::vector<KeyStroke>, std::size_t, std::vector<KeyStroke>> rows[] = {
        {winTab, 1, {{0x5B, kUp}}},
        {winTab, 3, {{0x5B, kUp}}},
        {mixed, 2, {{0x2E, kExt | kUp}, {0x11, kUp}}},
        {mixed, 9, {{0x10, kUp}, {0x11, kUp}}}};
    for (const auto& [strokes, inserted, ups] : rows) {
        EXPECT_EQ(StrokesToRelease(strokes, inserted), ups) << inserted;
    }
}

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
