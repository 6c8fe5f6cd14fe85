#include "bar/BarClicks.h"
#include "dock/DockModel.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/PointerGesture.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace corvane {
namespace {

TEST(KeyboardFocus, KeysMapToMovesThatWrapAtBothEndsAndMenuOpenersActOnTheRelease) {
    // Virtual key, Shift; the focus key, acting on the release.
    const std::tuple<uint32_t, bool, FocusKey, bool> cases[] = {
        {0x25, false, FocusKey::Previous, false},  {0x27, true, FocusKey::Next, false},
        {0x24, false, FocusKey::First, false},     {0x23, false, FocusKey::Last, false},
        {0x0D, false, FocusKey::Open, true},       {0x20, false, FocusKey::None, false},
        {0x28, false, FocusKey::Down, false},      {0x5D, false, FocusKey::ContextMenu, true},
        {0x79, true, FocusKey::ContextMenu, true}, {0x79, false, FocusKey::None, false},
        {0x1B, false, FocusKey::Leave, false},     {0x26, false, FocusKey::None, false},
    };
    for (const auto& [key, shift, expected, onRelease] : cases) {
        EXPECT_EQ(FocusKeyOf(key, shift), expected) << key << " shift " << shift;
        EXPECT_EQ(ActsOnRelease(FocusKeyOf(key, shift)), onRelease) << key;
    }

    // Moves wrap at both ends; a place outside the row starts at the first.
    using K = FocusKey;
    // Key, focused place, places; the place moved to.
    const auto none = std::nullopt;
    const std::tuple<FocusKey, int, int, std::optional<int>> moves[] = {
        {K::Next, 0, 3, 1},     {K::Next, 2, 3, 0},  {K::Previous, 0, 3, 2}, {K::Next, -1, 3, 0},
        {K::Previous, 5, 3, 0}, {K::Next, 0, 1, 0},  {K::Next, 0, 0, -1},    {K::First, 2, 3, 0},
        {K::Last, 0, 3, 2},     {K::Last, 0, 0, -1}, {K::Open, 1, 3, none},  {K::Down, 1, 3, none}};
    for (const auto& [key, current, count, expected] : moves) {
        EXPECT_EQ(MovedFocus(key, current, count), expected)
            << static_cast<int>(key) << " from " << current << " of " << count;
    }
}

TEST(KeyboardFocus, EachModifierChoiceRegistersItsShortcutAndOffOrNonsenseNone) {
    // The bar's and the dock's modifier choices; the hotkeys' ids and modifiers.
    const std::tuple<int32_t, int32_t, std::vector<std::pair<int, uint32_t>>> cases[] = {
        {0, 0, {{kHotkeyBarFocus, 0x4003}, {kHotkeyDockFocus, 0x4003}}},
        {1, 3, {{kHotkeyBarFocus, 0x4009}}},
        {3, 2, {{kHotkeyDockFocus, 0x400B}}},
        {-1, 4, {}},
    };
    for (const auto& [bar, dock, expected] : cases) {
        std::vector<std::pair<int, uint32_t>> got;
        for (const FocusHotkey& h : FocusHotkeys(bar, dock)) {
            EXPECT_EQ(h.key, h.id == kHotkeyBarFocus ? kBarFocusKey : kDockFocusKey);
            got.emplace_back(h.id, h.modifiers);
        }
        EXPECT_EQ(got, expected) << bar << " " << dock;
    }
}

TEST(KeyboardFocus, FirstStopsTheBarOnItsFirstTitleAndTheDockOnTheForegroundItem) {
    const std::vector<BarItem> items = {{.kind = BarItemKind::ClockItem},
                                        {.kind = BarItemKind::MenuTitleItem},
                                        {.kind = BarItemKind::AppNameItem},
                                        {.kind = BarItemKind::TrayIconItem},
                                        {.kind = BarItemKind::MenuTitleItem}};
    EXPECT_EQ(BarFocusStops(items), (std::vector<int>{2, 1, 4}));
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops(items)), 1);
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops({items[2], items[0]})), 0);
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops({items[0]})), -1);

    // The dock starts on the item of the window that had the keyboard.
    std::vector<DockItem> dock(3);
    dock[0].start = true;
    dock[1].windows = {5};
    dock[2].windows = {7, 9};
    EXPECT_EQ(std::tuple(FirstDockFocus(dock, 9), FirstDockFocus(dock, 5), FirstDockFocus(dock, 42),
                         FirstDockFocus({}, 9)),
              std::tuple(2, 1, 0, -1));
}

using S = GestureStep;
// Unequal, so that the axes cannot be swapped unnoticed.
constexpr DragThreshold kThreshold{4, 2};
constexpr int32_t kItem = 7;
constexpr S kStart = S::DragStarted;
constexpr S kClick = S::Clicked;
constexpr S kCancel = S::Cancelled;

struct Event {
    char kind;  // 'm' move to (a, b); 'u' release over target a; 'c' cancel; 'r' retarget to a
    int32_t a = 0, b = 0;
    S step = S::None;  // what the gesture answers
};
constexpr auto M = [](int32_t x, int32_t y, S step = S::None) { return Event{'m', x, y, step}; };
constexpr auto U = [](int32_t under, S step = S::None) { return Event{'u', under, 0, step}; };
constexpr auto C = [](S step = S::None) { return Event{'c', 0, 0, step}; };
constexpr auto R = [](int32_t target) { return Event{'r', target, 0, S::None}; };

TEST(PointerGesture, PressMoveReleaseAndCancel) {
    struct Row {
        const char* name;
        int32_t pressed;
        bool draggable;
        std::vector<Event> events;
        int32_t targetAfter;
    };
    // Every press is at (100, 50).
    const Row rows[] = {
        {"click", kItem, true, {U(kItem, kClick)}, kNoTarget},
        {"moves up to the threshold", kItem, true, {M(104, 48), M(96, 52)}, kItem},
        {"still a click after them", kItem, true, {M(104, 52), U(kItem, kClick)}, kNoTarget},
        {"released over another target", kItem, true, {U(8)}, kNoTarget},
        {"released over nothing", kItem, true, {U(kNoTarget)}, kNoTarget},
        {"past x", kItem, true, {M(105, 50, kStart), M(100, 50, S::DragMoved)}, kItem},
        {"past x leftwards", kItem, true, {M(95, 50, kStart)}, kItem},
        {"past y downwards", kItem, true, {M(100, 53, kStart)}, kItem},
        {"past y upwards", kItem, true, {M(100, 47, kStart)}, kItem},
        {"a drop", kItem, true, {M(90, 50, kStart), U(kItem, S::Dropped)}, kNoTarget},
        {"only clicks", kItem, false, {M(300, 300), U(kItem, kClick)}, kNoTarget},
        {"a press on nothing", kNoTarget, true, {M(300, 50), U(kNoTarget)}, kNoTarget},
        {"cancelled before a drag", kItem, true, {C(), U(kItem)}, kNoTarget},
        {"lost mid-drag", kItem, true, {M(110, 50, kStart), C(kCancel), M(130, 50), U(kItem)}, -1},
        {"a reordering drag follows its item", kItem, true, {M(110, 50, kStart), R(3)}, 3},
        {"over after its release", kItem, true, {U(kItem, kClick), M(200, 50), U(kItem)}, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PointerGesture gesture;
        gesture.Press(row.pressed, 100, 50, kThreshold, row.draggable);
        for (const Event& e : row.events) {
            S step = S::None;
            if (e.kind == 'm') {
                step = gesture.Move(e.a, e.b);
            } else if (e.kind == 'u') {
                step = gesture.Release(e.a);
            } else if (e.kind == 'c') {
                step = gesture.Cancel();
            } else {
                gesture.Retarget(e.a);
            }
            EXPECT_EQ(step, e.step) << e.kind << " " << e.a << "," << e.b;
        }
        EXPECT_EQ(gesture.Target(), row.targetAfter);
    }
}

}  // namespace
}  // namespace corvane
