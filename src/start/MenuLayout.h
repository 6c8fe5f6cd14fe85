#pragma once
// CorMenu's geometry, layout and hit regions in DIPs of its client area.
// Portable: painting draws what this lays out, and the pointer is tested
// against the same regions, so what is seen is what is clicked.

#include "base/Geometry.h"
#include "config/TextId.h"
#include "start/LetterRows.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

// Where the menu opens, in screen pixels: centred on the display, above its
// dock when one is shown there, never taller than the work area allows.
[[nodiscard]] PixelRect StartMenuRect(const PixelRect& monitor, const PixelRect& work,
                                      std::optional<int32_t> dockTop, uint32_t dpi) noexcept;

enum class MenuView : uint32_t { Home = 0, AllApps = 1, Results = 2, LetterIndex = 3 };

enum class MenuHit : uint32_t {
    None = 0,
    AppRow = 1,  // index: into the current view's list
    AllAppsButton = 2,
    BackButton = 3,
    LetterHeader = 4,  // index: the letter
    LetterCell = 5,    // index: the letter
    Place = 6,         // index: the place's action
    UserCard = 7,
    Power = 8,
    SearchFiles = 9,  // index: the result count
};

// What the pointer is over; stable across layouts, unlike a region's position
// in the list.
struct MenuItemId {
    MenuHit kind = MenuHit::None;
    int32_t index = -1;
    bool operator==(const MenuItemId&) const = default;
};

struct MenuRegion {
    PointRect rect;
    MenuItemId id;
};

enum class MenuRowKind { App, LetterHeader, SearchFiles, Hint };

struct MenuRow {
    MenuRowKind kind = MenuRowKind::App;
    // The highlight and hit rectangle; for the hint, where its text goes.
    PointRect rect;
    int32_t index = -1;  // App: into the view's list; SearchFiles: the result count
    wchar_t letter = 0;  // LetterHeader
};

struct MenuLetterCell {
    PointRect rect;  // already inset
    wchar_t letter = 0;
    bool present = false;  // the list has a header for it: clickable
};

// The right column's table. Actions 0..5 open folders, 6 the system
// settings, 7 our own settings window; a spacer has no action.
struct MenuPlace {
    wchar_t glyph = 0;
    TextId name = TextId::Count;  // a spacer has none
    int32_t action = -1;
};
[[nodiscard]] std::span<const MenuPlace> MenuPlaces() noexcept;

// The header's title and its button's label for a view, as drawn and read.
[[nodiscard]] TextId MenuSectionTitle(MenuView view) noexcept;
[[nodiscard]] TextId MenuButtonLabel(MenuView view) noexcept;

struct MenuPlaceRow {
    PointRect rect;  // the hit rectangle, or a spacer's hairline
    const MenuPlace* place = nullptr;
};

struct MenuLayoutInput {
    float width = 0;
    float height = 0;
    MenuView view = MenuView::Home;
    float scroll = 0;
    std::size_t pinnedCount = 0;
    std::size_t resultCount = 0;
    std::span<const LetterRow> letterRows;  // All apps and the letter index
    // Measured by the painter's text formats.
    float buttonLabelWidth = 0;
    float powerLabelWidth = 0;
    // Windows' text size: the search and header bands and the rows grow with
    // their text.
    float textScale = 1.0f;
};

struct MenuLayout {
    float width = 0;
    float height = 0;
    MenuView view = MenuView::Home;
    float split = 0;  // the left column's width
    PointRect search;
    PointRect header;
    MenuRegion button;  // kind None where the view has none
    // The rows are clipped to this band, and only count under the pointer
    // inside it.
    float listTop = 0;
    float listBottom = 0;
    float scroll = 0;  // clamped
    float maxScroll = 0;
    float contentHeight = 0;
    float textScale = 1.0f;
    std::vector<MenuRow> rows;  // only those that reach into the list band
    // Every row's item, in the band or not, where it lies at scroll 0.
    std::vector<MenuRegion> listItems;
    std::vector<MenuLetterCell> cells;
    PointRect userCard;
    std::vector<MenuPlaceRow> places;
    float bottomLine = 0;
    PointRect power;
    // In the order they were laid out; later ones win.
    std::vector<MenuRegion> regions;
};

[[nodiscard]] MenuLayout LayOutMenu(const MenuLayoutInput& input);

// The last-laid-out region under the point; rows only inside the list band.
[[nodiscard]] MenuItemId MenuItemAt(const MenuLayout& layout, float x, float y) noexcept;

// One wheel report on the scrollable views: the new, clamped scroll offset.
[[nodiscard]] float WheelScroll(const MenuLayout& layout, float scroll,
                                int32_t wheelDelta) noexcept;

// The All apps scroll offset that brings a letter's header to the top.
[[nodiscard]] float LetterScrollTarget(std::span<const LetterRow> rows, wchar_t letter,
                                       float textScale = 1.0f) noexcept;

// Where the keyboard is: the search box, the view's list, the right column
// or the power button.
enum class MenuZone : uint32_t { Search = 0, List = 1, Side = 2, Power = 3 };

// The view, scroll and keyboard focus; the pointer's item.
struct MenuState {
    MenuView view = MenuView::Home;
    float scroll = 0;
    // The list's keyboard item; in Results also while the search box has the
    // focus (a result, or "Search files" with the result count).
    MenuItemId selection{};
    MenuItemId hover{};
    MenuZone focus = MenuZone::Search;
    MenuItemId sideSelection{};  // the right column's
};

// A click on one of the items that only change what the menu shows: true
// when the state changed (the others are actions for the caller).
bool ClickMenuItem(MenuState& state, const MenuItemId& item, std::span<const LetterRow> rows,
                   float textScale = 1.0f);

enum class MenuEscape { ClearQuery, Close, Handled };
// Escape: a typed query is cleared first, then the views step back to Home,
// and Escape on Home closes.
MenuEscape EscapeMenu(MenuState& state, bool hasQuery) noexcept;

}  // namespace corvane
