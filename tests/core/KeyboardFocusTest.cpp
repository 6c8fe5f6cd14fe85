#include "bar/BarClicks.h"
#include "dock/DockModel.h"
#include "toolkit/KeyboardFocus.h"

#include <gtest/gtest.h>

#include <tuple>

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

}  // namespace
}  // namespace corvane
