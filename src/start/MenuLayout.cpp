#include "start/MenuLayout.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Placement on the display, in DIPs.
constexpr int32_t kMenuWidth = 620;
constexpr int32_t kMenuMaxHeight = 580;
constexpr int32_t kBelowWorkTop = 12;
constexpr int32_t kAboveWorkBottom = 12;
constexpr int32_t kAboveDock = 10;

constexpr float kSearchInset = 16.0f;
constexpr float kSearchBottom = 52.0f;
constexpr float kLeftShare = 0.62f;

// Section header and its button.
constexpr float kHeaderTop = 68.0f;
constexpr float kHeaderBottom = 94.0f;
constexpr float kHeaderLeft = 22.0f;
constexpr float kButtonRightInset = 12.0f;
constexpr float kButtonPadding = 22.0f;

// The list. Rows begin below the header band, which they scroll under.
constexpr float kRowsTop = 102.0f;
constexpr float kListBottomMargin = 58.0f;
constexpr float kScrollSlack = 8.0f;
constexpr float kRowInset = 12.0f;
constexpr float kAppRowHeight = 38.0f;
constexpr float kAppRowDrawn = 36.0f;
constexpr float kLetterRowHeight = 30.0f;
constexpr float kLetterHitRight = 52.0f;
constexpr float kLetterHitHeight = 28.0f;
constexpr float kHintLeft = 22.0f;
constexpr float kHintHeight = 30.0f;
constexpr float kWheelNotch = 120.0f;
constexpr float kWheelRows = 2.5f;

// Letter index grid. On a short menu or with a long alphabet the cells
// first get lower, then narrower (more columns), down to what still holds
// one letter of the index font.
constexpr int kCellColumns = 6;
constexpr float kCellsLeft = 20.0f;
constexpr float kCellsTop = 112.0f;
constexpr float kCellHeight = 46.0f;
constexpr float kMinCellHeight = 30.0f;
constexpr float kMinCellWidth = 30.0f;
constexpr float kCellInset = 2.0f;

// Right column and bottom bar.
constexpr float kRightLeft = 8.0f;  // from the split
constexpr float kRightInset = 14.0f;
constexpr float kCardBottom = 124.0f;
constexpr float kPlacesTop = 136.0f;
constexpr float kPlaceHeight = 36.0f;
constexpr float kMinPlaceHeight = 26.0f;  // still one line of the row font
constexpr float kSpacerHeight = 14.0f;
constexpr float kPlacesBottomGap = 4.0f;  // above the power bar's line
constexpr float kSpacerLineAt = 6.0f;
constexpr float kSpacerLineLeft = 12.0f;
constexpr float kSpacerLineRightInset = 26.0f;
constexpr float kPowerPadding = 40.0f;
constexpr float kPowerRightInset = 24.0f;
constexpr float kPowerVerticalInset = 11.0f;

constexpr MenuPlace kPlaces[] = {
    {L'\xE8A5', TextId::Documents, 0},
    {L'\xE896', TextId::Downloads, 1},
    {L'\xE91B', TextId::Pictures, 2},
    {L'\xE8D6', TextId::Music, 3},
    {L'\xE714', TextId::Videos, 4},
    {L'\xE7F4', TextId::ThisPc, 5},
    {},
    {L'\xE713', TextId::SettingsApp, 6},
    {L'\xE771', TextId::CorvanePlace, 7},
};

bool CountsOnlyInList(MenuHit kind) noexcept {
    return kind == MenuHit::AppRow || kind == MenuHit::LetterHeader || kind == MenuHit::SearchFiles;
}

class RowBuilder {
public:
    RowBuilder(MenuLayout& layout, float y) : layout_(layout), y_(y) {}

    void App(int32_t index, MenuHit kind = MenuHit::AppRow) {
        const PointRect rect{kRowInset, y_, layout_.split - kRowInset,
                             y_ + kAppRowDrawn * layout_.textScale};
        const MenuRowKind rowKind =
            kind == MenuHit::SearchFiles ? MenuRowKind::SearchFiles : MenuRowKind::App;
        Add({rowKind, rect, index, 0}, kind, index, kAppRowHeight * layout_.textScale);
    }

    void Letter(wchar_t letter) {
        const PointRect rect{kRowInset, y_, kLetterHitRight,
                             y_ + kLetterHitHeight * layout_.textScale};
        Add({MenuRowKind::LetterHeader, rect, -1, letter}, MenuHit::LetterHeader,
            static_cast<int32_t>(letter), kLetterRowHeight * layout_.textScale);
    }

    void Hint() {
        const PointRect rect{kHintLeft, y_, layout_.split - kRowInset,
                             y_ + kHintHeight * layout_.textScale};
        if (Visible(rect)) {
            layout_.rows.push_back({MenuRowKind::Hint, rect, -1, 0});
        }
    }

private:
    [[nodiscard]] bool Visible(const PointRect& rect) const noexcept {
        return rect.bottom > layout_.listTop && rect.top < layout_.listBottom;
    }

    void Add(const MenuRow& row, MenuHit kind, int32_t index, float height) {
        const PointRect& r = row.rect;
        layout_.listItems.push_back(
            {{r.left, r.top + layout_.scroll, r.right, r.bottom + layout_.scroll}, {kind, index}});
        if (Visible(row.rect)) {
            layout_.rows.push_back(row);
            layout_.regions.push_back({row.rect, {kind, index}});
        }
        y_ += height;
    }

    MenuLayout& layout_;
    float y_;
};

float RowHeight(const LetterRow& row, float textScale) noexcept {
    return (row.header ? kLetterRowHeight : kAppRowHeight) * textScale;
}

float RowsHeight(const MenuLayoutInput& input) noexcept {
    const float appRow = kAppRowHeight * input.textScale;
    switch (input.view) {
        case MenuView::Home:
            return static_cast<float>(input.pinnedCount) * appRow;
        case MenuView::AllApps: {
            float height = 0;
            for (const LetterRow& row : input.letterRows) {
                height += RowHeight(row, input.textScale);
            }
            return height;
        }
        case MenuView::Results:
            return static_cast<float>(input.resultCount + 1) * appRow;
        case MenuView::LetterIndex:
            break;
    }
    return 0;
}

void LayOutRows(const MenuLayoutInput& input, MenuLayout& layout) {
    RowBuilder rows(layout, layout.header.bottom + (kRowsTop - kHeaderBottom) - layout.scroll);
    switch (input.view) {
        case MenuView::Home:
            if (input.pinnedCount == 0) {
                rows.Hint();
            }
            for (std::size_t i = 0; i < input.pinnedCount; ++i) {
                rows.App(static_cast<int32_t>(i));
            }
            break;
        case MenuView::AllApps:
            for (const LetterRow& row : input.letterRows) {
                if (row.header) {
                    rows.Letter(row.letter);
                } else {
                    rows.App(row.entry);
                }
            }
            break;
        case MenuView::Results:
            for (std::size_t i = 0; i < input.resultCount; ++i) {
                rows.App(static_cast<int32_t>(i));
            }
            rows.App(static_cast<int32_t>(input.resultCount), MenuHit::SearchFiles);
            break;
        case MenuView::LetterIndex:
            break;
    }
}

struct CellGrid {
    int columns = kCellColumns;
    float width = 0;
    float height = kCellHeight;
    std::size_t shown = 0;  // the cells that fit; the rest are left out
};

// As many cells as fit between the grid's top and the list's bottom.
CellGrid FitCells(std::size_t count, float gridWidth, float gridHeight) noexcept {
    CellGrid grid;
    const int maxColumns = std::max(kCellColumns, static_cast<int>(gridWidth / kMinCellWidth));
    const auto rowsFor = [count](int columns) {
        return static_cast<float>((count + static_cast<std::size_t>(columns) - 1) /
                                  static_cast<std::size_t>(columns));
    };
    while (grid.columns < maxColumns && rowsFor(grid.columns) * kMinCellHeight > gridHeight) {
        ++grid.columns;
    }
    const float rows = std::max(1.0f, rowsFor(grid.columns));
    grid.height = std::clamp(gridHeight / rows, kMinCellHeight, kCellHeight);
    grid.width = gridWidth / static_cast<float>(grid.columns);
    // A hair of slack: rows that fill the height exactly must not lose the last to rounding.
    const auto fittingRows =
        static_cast<std::size_t>(std::max(0.0f, gridHeight / grid.height + 0.001f));
    grid.shown = std::min(count, fittingRows * static_cast<std::size_t>(grid.columns));
    return grid;
}

void LayOutLetterCells(const MenuLayoutInput& input, MenuLayout& layout) {
    std::vector<wchar_t> present;
    for (const LetterRow& row : input.letterRows) {
        if (row.header) {
            present.push_back(row.letter);
        }
    }
    const std::vector<LetterRow> rows(input.letterRows.begin(), input.letterRows.end());
    const std::vector<wchar_t> letters = IndexLetters(rows);
    const float cellsTop = layout.header.bottom + (kCellsTop - kHeaderBottom);
    const CellGrid grid = FitCells(letters.size(), std::max(0.0f, layout.split - 2 * kCellsLeft),
                                   layout.listBottom - cellsTop);
    for (std::size_t position = 0; position < grid.shown; ++position) {
        const wchar_t letter = letters[position];
        const auto column = static_cast<float>(position % static_cast<std::size_t>(grid.columns));
        const auto line = static_cast<float>(position / static_cast<std::size_t>(grid.columns));
        const float x = kCellsLeft + column * grid.width;
        const float y = cellsTop + line * grid.height;
        MenuLetterCell cell{{x + kCellInset, y + kCellInset, x + grid.width - kCellInset,
                             y + grid.height - kCellInset},
                            letter,
                            std::find(present.begin(), present.end(), letter) != present.end()};
        layout.cells.push_back(cell);
        if (cell.present) {
            layout.regions.push_back({cell.rect, {MenuHit::LetterCell, letter}});
        }
    }
}

void LayOutRightColumn(MenuLayout& layout) {
    const float left = layout.split + kRightLeft;
    const float right = layout.width - kRightInset;
    layout.userCard = {left, layout.header.top, right,
                       layout.header.top + (kCardBottom - kHeaderTop)};
    layout.regions.push_back({layout.userCard, {MenuHit::UserCard, -1}});
    float natural = 0;
    // The places' rows grow with their text.
    const float placeHeight = kPlaceHeight * layout.textScale;
    for (const MenuPlace& place : kPlaces) {
        natural += place.action < 0 ? kSpacerHeight : placeHeight;
    }
    // A short menu packs the places closer; what still does not fit above
    // the power bar is left out rather than drawn over it.
    const float end = layout.bottomLine - kPlacesBottomGap;
    const float placesTop = layout.userCard.bottom + (kPlacesTop - kCardBottom);
    const float room = end - placesTop;
    const float scale =
        natural > room ? std::max(kMinPlaceHeight / placeHeight, room / natural) : 1.0f;
    float y = placesTop;
    for (const MenuPlace& place : kPlaces) {
        const float height = (place.action < 0 ? kSpacerHeight : placeHeight) * scale;
        // Slack for rounding: packed rows end exactly there.
        if (y + height > end + 0.01f) {
            break;
        }
        const float bottom = std::min(y + height, end);
        if (place.action < 0) {
            const float line = y + kSpacerLineAt * scale;
            layout.places.push_back({{layout.split + kSpacerLineLeft, line,
                                      layout.width - kSpacerLineRightInset, line + 1.0f},
                                     &place});
        } else {
            const PointRect rect{left, y, right, bottom};
            layout.places.push_back({rect, &place});
            layout.regions.push_back({rect, {MenuHit::Place, place.action}});
        }
        y += height;
    }
}

}  // namespace

PixelRect StartMenuRect(const PixelRect& monitor, const PixelRect& work,
                        std::optional<int32_t> dockTop, uint32_t dpi) noexcept {
    const int32_t width = ScalePoints(kMenuWidth, dpi);
    int32_t bottom = work.bottom - ScalePoints(kAboveWorkBottom, dpi);
    if (dockTop) {
        bottom = std::min(bottom, *dockTop - ScalePoints(kAboveDock, dpi));
    }
    // Between the work area's top and the dock: a dock that sits high (big
    // icons, or a work area that does not leave it out) shortens the menu
    // rather than pushing it off the display.
    const int32_t top = work.top + ScalePoints(kBelowWorkTop, dpi);
    bottom = std::max(bottom, top);
    const int32_t height = std::min(bottom - top, ScalePoints(kMenuMaxHeight, dpi));
    const int32_t left = monitor.left + (monitor.Width() - width) / 2;
    return {left, bottom - height, left + width, bottom};
}

std::span<const MenuPlace> MenuPlaces() noexcept {
    return kPlaces;
}

TextId MenuSectionTitle(MenuView view) noexcept {
    switch (view) {
        case MenuView::Home:
            return TextId::Pinned;
        case MenuView::Results:
            return TextId::Results;
        case MenuView::AllApps:
        case MenuView::LetterIndex:
            break;
    }
    return TextId::AllApps;
}

TextId MenuButtonLabel(MenuView view) noexcept {
    return view == MenuView::Home ? TextId::AllAppsButton : TextId::BackButton;
}

MenuLayout LayOutMenu(const MenuLayoutInput& input) {
    MenuLayout layout;
    layout.width = input.width;
    layout.height = input.height;
    layout.view = input.view;
    layout.textScale = input.textScale;
    layout.split = std::round(input.width * kLeftShare);
    // The search and header bands grow with Windows' text size; what lies
    // below them moves down.
    const float searchBottom = kSearchInset + (kSearchBottom - kSearchInset) * input.textScale;
    const float headerTop = kHeaderTop + (searchBottom - kSearchBottom);
    const float headerBottom = headerTop + (kHeaderBottom - kHeaderTop) * input.textScale;
    layout.search = {kSearchInset, kSearchInset, input.width - kSearchInset, searchBottom};
    layout.header = {kHeaderLeft, headerTop, layout.split, headerBottom};
    layout.listTop = headerBottom;
    layout.listBottom = input.height - kListBottomMargin;

    if (input.view != MenuView::Results) {
        const float right = layout.split - kButtonRightInset;
        const MenuHit kind =
            input.view == MenuView::Home ? MenuHit::AllAppsButton : MenuHit::BackButton;
        layout.button = {
            {right - (input.buttonLabelWidth + kButtonPadding), headerTop, right, headerBottom},
            {kind, -1}};
        layout.regions.push_back(layout.button);
    }

    if (input.view == MenuView::LetterIndex) {
        // The list keeps its place for the way back.
        layout.scroll = input.scroll;
        LayOutLetterCells(input, layout);
    } else {
        const float rows = RowsHeight(input);
        layout.contentHeight = rows + (headerBottom - headerTop) + (kRowsTop - kHeaderBottom);
        const float viewport = layout.listBottom - headerTop;
        layout.maxScroll = std::max(0.0f, layout.contentHeight - viewport + kScrollSlack);
        layout.scroll = std::clamp(input.scroll, 0.0f, layout.maxScroll);
        LayOutRows(input, layout);
    }

    layout.bottomLine = input.height - kListBottomMargin;
    LayOutRightColumn(layout);
    const float powerRight = input.width - kPowerRightInset;
    layout.power = {powerRight - (input.powerLabelWidth + kPowerPadding),
                    layout.bottomLine + kPowerVerticalInset, powerRight,
                    input.height - kPowerVerticalInset};
    layout.regions.push_back({layout.power, {MenuHit::Power, -1}});
    return layout;
}

MenuItemId MenuItemAt(const MenuLayout& layout, float x, float y) noexcept {
    const bool inList = y >= layout.listTop && y < layout.listBottom;
    for (auto it = layout.regions.rbegin(); it != layout.regions.rend(); ++it) {
        if (Contains(it->rect, x, y) && (inList || !CountsOnlyInList(it->id.kind))) {
            return it->id;
        }
    }
    return {};
}

float WheelScroll(const MenuLayout& layout, float scroll, int32_t wheelDelta) noexcept {
    if (layout.view == MenuView::LetterIndex) {
        return scroll;
    }
    const float step = static_cast<float>(wheelDelta) / kWheelNotch * -kAppRowHeight *
                       layout.textScale * kWheelRows;
    return std::clamp(scroll + step, 0.0f, layout.maxScroll);
}

float LetterScrollTarget(std::span<const LetterRow> rows, wchar_t letter,
                         float textScale) noexcept {
    float above = 0;
    for (const LetterRow& row : rows) {
        if (row.header && row.letter == letter) {
            return above;
        }
        above += RowHeight(row, textScale);
    }
    return 0;
}

bool ClickMenuItem(MenuState& state, const MenuItemId& item, std::span<const LetterRow> rows,
                   float textScale) {
    switch (item.kind) {
        case MenuHit::AllAppsButton:
            state.view = MenuView::AllApps;
            state.scroll = 0;
            break;
        case MenuHit::BackButton:
            state.view = MenuView::Home;
            state.scroll = 0;
            break;
        case MenuHit::LetterHeader:
            state.view = MenuView::LetterIndex;
            break;
        case MenuHit::LetterCell:
            state.view = MenuView::AllApps;
            state.scroll = LetterScrollTarget(rows, static_cast<wchar_t>(item.index), textScale);
            break;
        default:
            return false;
    }
    // What was under the pointer is gone with the view.
    state.hover = {};
    return true;
}

MenuEscape EscapeMenu(MenuState& state, bool hasQuery) noexcept {
    if (hasQuery) {
        return MenuEscape::ClearQuery;
    }
    switch (state.view) {
        case MenuView::Home:
            return MenuEscape::Close;
        case MenuView::LetterIndex:
            state.view = MenuView::AllApps;
            break;
        case MenuView::AllApps:
        case MenuView::Results:
            state.view = MenuView::Home;
            state.scroll = 0;
            break;
    }
    state.hover = {};
    return MenuEscape::Handled;
}

}  // namespace corvane
