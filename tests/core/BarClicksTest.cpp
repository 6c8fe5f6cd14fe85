#include "bar/AppNameMenuModel.h"
#include "bar/BarClicks.h"
#include "bar/KeyChordStrokes.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using Action = BarClickAction;

BarItem Item(BarItemKind kind, float left, float right) {
    BarItem item;
    item.kind = kind;
    item.left = left;
    item.top = 3;
    item.right = right;
    item.bottom = 25;
    return item;
}

// The order layout gives them: name and one title on the left, the right
// side from the tray inwards to the clock.
std::vector<BarItem> Items() {
    return {Item(BarItemKind::AppNameItem, 6, 80),
            Item(BarItemKind::MenuTitleItem, 82, 120),
            Item(BarItemKind::TrayIconItem, 700, 726),
            Item(BarItemKind::TilingButtonItem, 732, 760),
            Item(BarItemKind::StatusItem, 766, 826),
            Item(BarItemKind::ClockItem, 828, 930),
            Item(BarItemKind::NowPlayingItem, 600, 690)};
}
constexpr int kName = 0;
constexpr int kTitle = 1;
constexpr int kTray = 2;
constexpr int kTiling = 3;
constexpr int kStatus = 4;
constexpr int kClock = 5;
constexpr int kNowPlaying = 6;

constexpr BarButtonEvent Down(MouseButton b) { return {b, true, false}; }
constexpr BarButtonEvent Up(MouseButton b) { return {b, false, false}; }
constexpr BarButtonEvent Double(MouseButton b) { return {b, true, true}; }

// Press and release on the same item; the action of the release.
Action Click(int index, MouseButton button) {
    const auto items = Items();
    const BarButtonOutcome press = DecideBarButton(items, -1, index, Down(button));
    EXPECT_EQ(press.pressedIndex, index);
    EXPECT_EQ(press.action, Action::None);
    EXPECT_FALSE(press.clearPressedAfter);
    const BarButtonOutcome release =
        DecideBarButton(items, press.pressedIndex, index, Up(button));
    EXPECT_TRUE(release.clearPressedAfter);
    return release.action;
}

TEST(BarClicks, EachKindActsOnTheReleaseOfItsButtons) {
    EXPECT_EQ(Click(kName, MouseButton::Left), Action::AppNameMenu);
    EXPECT_EQ(Click(kName, MouseButton::Right), Action::AppNameMenu);
    EXPECT_EQ(Click(kName, MouseButton::Middle), Action::None);
    EXPECT_EQ(Click(kTiling, MouseButton::Left), Action::ToggleTiling);
    EXPECT_EQ(Click(kTiling, MouseButton::Right), Action::TilingSettings);
    EXPECT_EQ(Click(kTiling, MouseButton::Middle), Action::None);
    EXPECT_EQ(Click(kStatus, MouseButton::Left), Action::QuickSettings);
    EXPECT_EQ(Click(kStatus, MouseButton::Right), Action::SoundSettings);
    EXPECT_EQ(Click(kStatus, MouseButton::Middle), Action::ToggleMute);
    EXPECT_EQ(Click(kClock, MouseButton::Left), Action::Notifications);
    EXPECT_EQ(Click(kClock, MouseButton::Right), Action::DateTimeSettings);
    EXPECT_EQ(Click(kClock, MouseButton::Middle), Action::None);
    EXPECT_EQ(Click(kNowPlaying, MouseButton::Left), Action::NowPlayingCard);
    EXPECT_EQ(Click(kNowPlaying, MouseButton::Middle), Action::PlayPause);
    EXPECT_EQ(Click(kNowPlaying, MouseButton::Right), Action::None);
}

TEST(BarClicks, PressingOnTheClockAndReleasingOnTheStatusDoesNothing) {
    const auto items = Items();
    const BarButtonOutcome press = DecideBarButton(items, -1, kClock, Down(MouseButton::Left));
    ASSERT_EQ(press.pressedIndex, kClock);
    const BarButtonOutcome release =
        DecideBarButton(items, press.pressedIndex, kStatus, Up(MouseButton::Left));
    EXPECT_EQ(release.action, Action::None);
    EXPECT_TRUE(release.clearPressedAfter);
    // Nor does a release whose press went to nothing.
    EXPECT_EQ(DecideBarButton(items, -1, kTiling, Up(MouseButton::Left)).action, Action::None);
}

TEST(BarClicks, NothingUnderThePointerClearsThePress) {
    const auto items = Items();
    for (const BarButtonEvent e : {Down(MouseButton::Left), Up(MouseButton::Left),
                                   Double(MouseButton::Right)}) {
        const BarButtonOutcome out = DecideBarButton(items, kClock, -1, e);
        EXPECT_EQ(out.pressedIndex, -1);
        EXPECT_EQ(out.action, Action::None);
        EXPECT_TRUE(out.clearPressedAfter);
    }
    // An index past the list counts as nothing too.
    EXPECT_EQ(DecideBarButton(items, -1, 99, Down(MouseButton::Left)).pressedIndex, -1);
}

TEST(BarClicks, MenuTitlesOpenOnThePressOfLeftOrRight) {
    const auto items = Items();
    for (const BarButtonEvent e : {Down(MouseButton::Left), Down(MouseButton::Right),
                                   Double(MouseButton::Left)}) {
        const BarButtonOutcome out = DecideBarButton(items, -1, kTitle, e);
        EXPECT_EQ(out.action, Action::OpenMenus);
        EXPECT_EQ(out.pressedIndex, kTitle);
        EXPECT_TRUE(out.clearPressedAfter);
    }
    EXPECT_EQ(DecideBarButton(items, -1, kTitle, Down(MouseButton::Middle)).action, Action::None);
    EXPECT_EQ(DecideBarButton(items, kTitle, kTitle, Up(MouseButton::Left)).action, Action::None);
}

TEST(BarClicks, ADoubleClickIsAPressThatTheReleaseCompletes) {
    const auto items = Items();
    const BarButtonOutcome press = DecideBarButton(items, -1, kTiling, Double(MouseButton::Left));
    EXPECT_EQ(press.pressedIndex, kTiling);
    EXPECT_EQ(press.action, Action::None);
    EXPECT_EQ(DecideBarButton(items, kTiling, kTiling, Up(MouseButton::Left)).action,
              Action::ToggleTiling);
}

TEST(BarClicks, TrayIconsTakeTheLeftPressAndForwardOtherButtons) {
    const auto items = Items();
    const BarButtonOutcome left = DecideBarButton(items, -1, kTray, Down(MouseButton::Left));
    EXPECT_EQ(left.action, Action::TrayPress);
    EXPECT_FALSE(left.clearPressedAfter);
    EXPECT_EQ(DecideBarButton(items, -1, kTray, Double(MouseButton::Left)).action,
              Action::TrayPress);
    EXPECT_EQ(DecideBarButton(items, -1, kTray, Down(MouseButton::Right)).action,
              Action::TrayForward);
    EXPECT_EQ(DecideBarButton(items, -1, kTray, Down(MouseButton::Middle)).action,
              Action::TrayForward);
    // Forwarded as they come, whichever item was pressed.
    EXPECT_EQ(DecideBarButton(items, kClock, kTray, Up(MouseButton::Right)).action,
              Action::TrayForward);
    EXPECT_EQ(DecideBarButton(items, kTray, kTray, Up(MouseButton::Left)).action, Action::None);
}

TEST(BarClicks, AppNameMenuCommandsFollowTheTargetsState) {
    EXPECT_EQ(AppNameWindowCommand(kMenuMinimize, false), WindowCommand::Minimize);
    EXPECT_EQ(AppNameWindowCommand(kMenuMaximizeOrRestore, false), WindowCommand::Maximize);
    EXPECT_EQ(AppNameWindowCommand(kMenuMaximizeOrRestore, true), WindowCommand::Restore);
    EXPECT_EQ(AppNameWindowCommand(kMenuCloseWindow, true), WindowCommand::Close);
    EXPECT_EQ(AppNameWindowCommand(kMenuQuit, false), WindowCommand::None);
    EXPECT_EQ(AppNameWindowCommand(0, false), WindowCommand::None);
}

TEST(BarClicks, ForegroundGoesBackExceptAfterMinimizeOrClose) {
    EXPECT_FALSE(AppNameMenuReturnsForeground(kMenuMinimize));
    EXPECT_FALSE(AppNameMenuReturnsForeground(kMenuCloseWindow));
    EXPECT_TRUE(AppNameMenuReturnsForeground(kMenuMaximizeOrRestore));
    EXPECT_TRUE(AppNameMenuReturnsForeground(kMenuNeverTile));
    EXPECT_TRUE(AppNameMenuReturnsForeground(0));  // dismissed
}

TEST(BarClicks, TooltipTextIsSentOnlyWhenItChanges) {
    const TooltipUpdate off = PlanTooltipUpdate(L"Tiling: on", L"");
    EXPECT_FALSE(off.activate);
    EXPECT_FALSE(off.sendText);
    const TooltipUpdate same = PlanTooltipUpdate(L"Tiling: on", L"Tiling: on");
    EXPECT_TRUE(same.activate);
    EXPECT_FALSE(same.sendText);
    const TooltipUpdate changed = PlanTooltipUpdate(L"Tiling: on", L"Tiling: off");
    EXPECT_TRUE(changed.activate);
    EXPECT_TRUE(changed.sendText);
    EXPECT_TRUE(PlanTooltipUpdate(L"", L"Friday").sendText);
}

TEST(BarClicks, ItemBoxesScaleToPixelsTruncated) {
    const BarItem item = Item(BarItemKind::ClockItem, 10.5f, 33.9f);
    EXPECT_EQ(ItemPixelBox(item, 96), (PixelRect{10, 3, 33, 25}));
    // 10.5 x 1.5 = 15.75, 33.9 x 1.5 = 50.85, 25 x 1.5 = 37.5
    EXPECT_EQ(ItemPixelBox(item, 144), (PixelRect{15, 4, 50, 37}));
}

TEST(KeyChordStrokes, DownInOrderThenUpInReverse) {
    const std::vector<KeyStroke> strokes = PressTogetherStrokes({0x5B, 0x10, 'A'});
    const std::vector<KeyStroke> expected = {{0x5B, 0},
                                             {0x10, 0},
                                             {'A', 0},
                                             {'A', kStrokeKeyUp},
                                             {0x10, kStrokeKeyUp},
                                             {0x5B, kStrokeKeyUp}};
    EXPECT_EQ(strokes, expected);
    EXPECT_TRUE(PressTogetherStrokes({}).empty());
}

}  // namespace
}  // namespace corvane
