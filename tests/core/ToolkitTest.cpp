#include "bar/BarClicks.h"
#include "dock/DockModel.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/PointerGesture.h"
#include "bar/BarGeometry.h"
#include "toolkit/AccessibilityPrefs.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/Theme.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
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

// The accent rule over raw registry values, and which palette each theme gets.
// Entries whose R, G, B bytes name the entry: entry i = (10i, 10i+1, 10i+2),
// the unused fourth byte 0xFF.
std::vector<uint8_t> NumberedPalette(std::size_t bytes) {
    std::vector<uint8_t> palette(bytes);
    for (std::size_t i = 0; i < bytes; ++i) {
        palette[i] = static_cast<uint8_t>(i % 4 == 3 ? 0xFF : i / 4 * 10 + i % 4);
    }
    return palette;
}

float Luminance(const ColorF& c) {
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

TEST(Theme, EachThemeHasItsOwnReadablePalette) {
    const Theme dark = MakeTheme(0, {});
    const Theme light = MakeTheme(1, {});
    EXPECT_TRUE(dark.dark);
    EXPECT_FALSE(light.dark);
    EXPECT_FALSE(MakeTheme(0xFFFFFFFFu, {}).dark);  // any value but 0 is light
    // Light text on a dark surface and the other way round.
    EXPECT_GT(Luminance(dark.text) - Luminance(dark.surface), 0.5f);
    EXPECT_GT(Luminance(light.surface) - Luminance(light.text), 0.5f);
    // Every colour but the accent changes with the theme.
    EXPECT_TRUE(dark.accent == light.accent);
    const ColorF Theme::*colours[] = {&Theme::text,        &Theme::secondaryText, &Theme::hoverFill,
                                      &Theme::pressedFill, &Theme::hairline,      &Theme::surface,
                                      &Theme::positive,    &Theme::negative};
    for (const auto colour : colours) {
        EXPECT_FALSE(dark.*colour == light.*colour);
    }
}

TEST(Theme, AccentIsEntryOneWhenDarkAndEntryFiveWhenLightOfAWholePalette) {
    const auto rgb = [](int r, int g, int b) {
        return ColorF{r / 255.0f, g / 255.0f, b / 255.0f, 1.0f};
    };
    struct Row {
        std::size_t bytes;
        uint32_t light;
        ColorF accent;
    };
    const Row rows[] = {{32, 0, rgb(10, 11, 12)}, {48, 1, rgb(50, 51, 52)},
                        {0, 1, kDefaultAccent},   {1, 0, kDefaultAccent},
                        {24, 0, kDefaultAccent},  {31, 1, kDefaultAccent}};
    for (const Row& r : rows) {
        EXPECT_TRUE(MakeTheme(r.light, NumberedPalette(r.bytes)).accent == r.accent)
            << r.bytes << " bytes, light " << r.light;
    }
}

// The glass rule: which DWM attributes and accent each backdrop gets.
TEST(BackdropPlan, TintScalesPercentToAByteAndGlassNeedsTransparencyOnAndBatterySaverOff) {
    const std::pair<int, int> cases[] = {{0, 0},     {100, 255},   {72, 183},
                                         {1, 2},     {99, 252},    {-1, 0},
                                         {101, 255}, {INT_MIN, 0}, {INT_MAX, 255}};
    for (const auto& [percent, alpha] : cases) {
        EXPECT_EQ(TintAlpha(percent), alpha) << percent;
    }
    // (EnableTransparency, SystemStatusFlag) -> allowed
    for (const auto& [transparency, saver, allowed] :
         {std::tuple{1u, 0, true}, {0u, 0, false}, {1u, 1, false}, {2u, 0, true}}) {
        EXPECT_EQ(GlassAllowed(transparency, static_cast<uint8_t>(saver)), allowed);
    }
}

TEST(BackdropPlan, EachBackdropGetsItsAttributesAndPlainWinsOverAll) {
    struct Row {
        Backdrop backdrop;
        bool plain, dark, glass, activates;
        int32_t accent;
        uint32_t gradient;
        int32_t margin, system;
    };
    constexpr auto kAcrylic = kAccentAcrylicBlurBehind;
    for (const Row& r :
         {Row{Backdrop::Acrylic, false, true, true, false, kAcrylic, 0xB7202020u, -1,
              kSystemBackdropNone},
          // Mica only where the window becomes active; elsewhere its
          // inactive fallback would be all anyone sees.
          {Backdrop::Mica, false, false, true, true, kAccentDisabled, 0, -1, kSystemBackdropMica},
          {Backdrop::Mica, false, false, true, false, kAcrylic, 0xB7F3F3F3u, -1,
           kSystemBackdropNone},
          {Backdrop::Solid, false, true, true, true, kAccentDisabled, 0, 0, kSystemBackdropNone},
          // Transparency effects off or battery saver: opaque for every material.
          {Backdrop::Acrylic, false, true, false, false, kAccentDisabled, 0, 0,
           kSystemBackdropNone},
          {Backdrop::Mica, false, true, false, true, kAccentDisabled, 0, 0, kSystemBackdropNone},
          {Backdrop::Acrylic, true, false, true, false, kAccentDisabled, 0, -1,
           kSystemBackdropNone},
          {Backdrop::Solid, true, false, false, false, kAccentDisabled, 0, -1,
           kSystemBackdropNone}}) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(r.backdrop) << " plain " << r.plain
                                        << " glass " << r.glass << " active " << r.activates);
        const BackdropPlan p =
            PlanBackdrop({r.backdrop, 72, r.plain, r.dark, r.glass, r.activates});
        EXPECT_EQ(p.darkMode, r.dark);
        EXPECT_EQ(p.accentState, r.accent);
        if (r.accent != kAccentDisabled) {
            EXPECT_EQ(p.gradientColor, r.gradient);
        }
        EXPECT_EQ(p.frameMargin, r.margin);
        EXPECT_EQ(p.systemBackdrop, r.system);
    }
}

// High contrast: every colour comes from the system, and the palette is
// readable in a white-on-black and a black-on-white scheme alike.
TEST(Accessibility, HighContrastPaintsWithTheSystemColoursAndNoGlass) {
    const SystemColors black{0x000000, 0xFFFFFF, 0xFFFF1A, 0x000000, 0x101010, 0x3FF23F, 0xFF8080};
    const SystemColors white{};
    for (const auto& [colors, dark] : {std::pair{black, true}, std::pair{white, false}}) {
        for (const uint32_t light : {0u, 1u}) {
            const Theme t = WithAccessibility(MakeTheme(light, {}), {true, colors, 100, true});
            SCOPED_TRACE(testing::Message() << "dark scheme " << dark << " light app " << light);
            EXPECT_TRUE(t.highContrast);
            EXPECT_FALSE(t.glass);
            EXPECT_EQ(t.dark, dark);
            EXPECT_TRUE(t.surface == FromColorRef(colors.window));
            EXPECT_TRUE(t.text == FromColorRef(colors.windowText));
            EXPECT_TRUE(t.hairline == t.text);
            EXPECT_TRUE(t.secondaryText == FromColorRef(colors.grayText));
            EXPECT_TRUE(t.hoverFill == FromColorRef(colors.highlight));
            EXPECT_TRUE(t.selectedText == FromColorRef(colors.highlightText));
            EXPECT_EQ(Opacity(t, 0.1f), 1.0f);
        }
    }
    EXPECT_TRUE(FromColorRef(0x00336699) == (ColorF{0x99 / 255.0f, 0x66 / 255.0f, 0.2f, 1.0f}));
    EXPECT_EQ(Opacity(WithAccessibility(MakeTheme(0, {}), {}), 0.1f), 0.1f);
}

// The text scale: held to Windows' range, and the bar's height grows with it.
TEST(Accessibility, TextScaleIsClampedAndGrowsTheBar) {
    const struct {
        std::optional<uint32_t> registry;
        float scale;
        int32_t barPixelsAt144;  // a 32-point bar at 150 % display scale
    } rows[] = {{std::nullopt, 1.0f, 48}, {100u, 1.0f, 48},         {150u, 1.5f, 72},
                {225u, 2.25f, 108},       {99u, 1.0f, 48},          {0u, 1.0f, 48},
                {226u, 2.25f, 108},       {0xFFFFFFFFu, 2.25f, 108}};
    for (const auto& r : rows) {
        AccessibilityPrefs prefs;
        prefs.textScalePercent = TextScalePercent(r.registry);
        const Theme t = WithAccessibility(Theme{}, prefs);
        EXPECT_EQ(t.textScale, r.scale) << r.registry.value_or(0);
        EXPECT_EQ(
            ComputeBarMetrics(TextScaledPoints(32, t.textScale), BarStyle::Classic, 144).height,
            r.barPixelsAt144);
    }
}

}  // namespace
}  // namespace corvane
