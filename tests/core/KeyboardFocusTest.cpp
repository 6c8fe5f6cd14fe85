#include "bar/BarClicks.h"
#include "dock/DockModel.h"
#include "toolkit/KeyboardFocus.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(KeyboardFocus, KeysMapToTheirMovesAndTheMenuOpenersActOnTheRelease) {
    struct Case {
        uint32_t key;
        bool shift;
        FocusKey expected;
        bool onRelease;
    };
    const Case cases[] = {
        {0x25, false, FocusKey::Previous, false},  {0x27, true, FocusKey::Next, false},
        {0x24, false, FocusKey::First, false},     {0x23, false, FocusKey::Last, false},
        {0x0D, false, FocusKey::Open, true},       {0x20, false, FocusKey::None, false},
        {0x28, false, FocusKey::Down, false},      {0x5D, false, FocusKey::ContextMenu, true},
        {0x79, true, FocusKey::ContextMenu, true}, {0x79, false, FocusKey::None, false},
        {0x1B, false, FocusKey::Leave, false},     {0x26, false, FocusKey::None, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FocusKeyOf(c.key, c.shift), c.expected) << c.key << " shift " << c.shift;
        EXPECT_EQ(ActsOnRelease(FocusKeyOf(c.key, c.shift)), c.onRelease) << c.key;
    }
}

TEST(KeyboardFocus, MovesWrapAtBothEndsAndAPlaceOutsideTheRowStartsAtTheFirst) {
    using K = FocusKey;
    struct Case {
        FocusKey key;
        int current, count;
        std::optional<int> expected;
    };
    const auto none = std::nullopt;
    const Case cases[] = {{K::Next, 0, 3, 1},  {K::Next, 2, 3, 0},     {K::Previous, 0, 3, 2},
                          {K::Next, -1, 3, 0}, {K::Previous, 5, 3, 0}, {K::Next, 0, 1, 0},
                          {K::Next, 0, 0, -1}, {K::First, 2, 3, 0},    {K::Last, 0, 3, 2},
                          {K::Last, 0, 0, -1}, {K::Open, 1, 3, none},  {K::Down, 1, 3, none}};
    for (const Case& c : cases) {
        EXPECT_EQ(MovedFocus(c.key, c.current, c.count), c.expected)
            << static_cast<int>(c.key) << " from " << c.current << " of " << c.count;
    }
}

TEST(KeyboardFocus, EachModifierChoiceRegistersItsShortcutAndOffOrNonsenseNone) {
    struct Case {
        int32_t bar, dock;
        std::vector<std::pair<int, uint32_t>> expected;  // id, modifiers
    };
    const Case cases[] = {
        {0, 0, {{kHotkeyBarFocus, 0x4003}, {kHotkeyDockFocus, 0x4003}}},
        {1, 3, {{kHotkeyBarFocus, 0x4009}}},
        {3, 2, {{kHotkeyDockFocus, 0x400B}}},
        {-1, 4, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int, uint32_t>> got;
        for (const FocusHotkey& h : FocusHotkeys(c.bar, c.dock)) {
            EXPECT_EQ(h.key, h.id == kHotkeyBarFocus ? kBarFocusKey : kDockFocusKey);
            got.emplace_back(h.id, h.modifiers);
        }
        EXPECT_EQ(got, c.expected) << c.bar << " " << c.dock;
    }
}

TEST(KeyboardFocus, TheBarWalksTheNameThenTheTitlesAndStartsOnTheFirstTitle) {
    const std::vector<BarItem> items = {{.kind = BarItemKind::ClockItem},
                                        {.kind = BarItemKind::MenuTitleItem},
                                        {.kind = BarItemKind::AppNameItem},
                                        {.kind = BarItemKind::TrayIconItem},
                                        {.kind = BarItemKind::MenuTitleItem}};
    EXPECT_EQ(BarFocusStops(items), (std::vector<int>{2, 1, 4}));
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops(items)), 1);
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops({items[2], items[0]})), 0);
    EXPECT_EQ(FirstBarFocusStop(BarFocusStops({items[0]})), -1);
}

TEST(KeyboardFocus, TheDockStartsOnTheItemOfTheWindowThatHadTheKeyboard) {
    std::vector<DockItem> items(3);
    items[0].start = true;
    items[1].windows = {5};
    items[2].windows = {7, 9};
    EXPECT_EQ(FirstDockFocus(items, 9), 2);
    EXPECT_EQ(FirstDockFocus(items, 5), 1);
    EXPECT_EQ(FirstDockFocus(items, 42), 0);
    EXPECT_EQ(FirstDockFocus({}, 9), -1);
}

}  // namespace
}  // namespace corvane
