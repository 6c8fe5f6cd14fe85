#include "start/MenuLayout.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

// Placement on the display, in DIPs.
constexpr int32_t kMenuWidth = 620;
constexpr int32_t kMenuMaxHeight = 580;
constexpr int32_t kWorkAreaMargin = 24;
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
constexpr float kContentAboveRows = kRowsTop - kHeaderTop;
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

// Letter index grid.
constexpr int kCellColumns = 6;
constexpr float kCellsLeft = 20.0f;
constexpr float kCellsTop = 112.0f;
constexpr float kCellHeight = 46.0f;
constexpr float kCellInset = 2.0f;

// Right column and bottom bar.
constexpr float kRightLeft = 8.0f;  // from the split
constexpr float kRightInset = 14.0f;
constexpr float kCardBottom = 124.0f;
constexpr float kPlacesTop = 136.0f;
constexpr float kPlaceHeight = 36.0f;
constexpr float kSpacerHeight = 14.0f;
constexpr float kSpacerLineAt = 6.0f;
constexpr float kSpacerLineLeft = 12.0f;
constexpr float kSpacerLineRightInset = 26.0f;
constexpr float kPowerPadding = 40.0f;
constexpr float kPowerRightInset = 24.0f;
constexpr float kPowerVerticalInset = 11.0f;

constexpr MenuPlace kPlaces[] = {
    {L'\xE8A5', L"Dokumenter", L"Documents", 0},
    {L'\xE896', L"Nedlastinger", L"Downloads", 1},
    {L'\xE91B', L"Bilder", L"Pictures", 2},
    {L'\xE8D6', L"Musikk", L"Music", 3},
    {L'\xE714', L"Videoer", L"Videos", 4},
    {L'\xE7F4', L"Denne PC-en", L"This PC", 5},
    {0, nullptr, nullptr, -1},
    {L'\xE713', L"Innstillinger", L"Settings", 6},
    {L'\xE771', L"Corvane", L"Corvane", 7},
};
constexpr int32_t kOwnSettingsAction = 7;

bool CountsOnlyInList(MenuHit kind) noexcept {
    return kind == MenuHit::AppRow || kind == MenuHit::LetterHeader || kind == MenuHit::SearchFiles;
}

bool Contains(const PointRect& r, float x, float y) noexcept {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

class RowBuilder {
public:
    RowBuilder(MenuLayout& layout, float y) : layout_(layout), y_(y) {}

    void App(int32_t index, MenuHit kind = MenuHit::AppRow) {
        const PointRect rect{kRowInset, y_, layout_.split - kRowInset, y_ + kAppRowDrawn};
        const MenuRowKind rowKind =
            kind == MenuHit::SearchFiles ? MenuRowKind::SearchFiles : MenuRowKind::App;
        Add({rowKind, rect, index, 0}, kind, index, kAppRowHeight);
    }

    void Letter(wchar_t letter) {
        const PointRect rect{kRowInset, y_, kLetterHitRight, y_ + kLetterHitHeight};
        Add({MenuRowKind::LetterHeader, rect, -1, letter}, MenuHit::LetterHeader,
            static_cast<int32_t>(letter), kLetterRowHeight);
    }

    void Hint() {
        const PointRect rect{kHintLeft, y_, layout_.split - kRowInset, y_ + kHintHeight};
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

float RowsHeight(const MenuLayoutInput& input) noexcept {
    switch (input.view) {
        case MenuView::Home:
            return static_cast<float>(input.pinnedCount) * kAppRowHeight;
        case MenuView::AllApps: {
            float height = 0;
            for (const LetterRow& row : input.letterRows) {
                height += row.header ? kLetterRowHeight : kAppRowHeight;
            }
            return height;
        }
        case MenuView::Results:
            return static_cast<float>(input.resultCount + 1) * kAppRowHeight;
        case MenuView::LetterIndex:
            break;
    }
    return 0;
}

void LayOutRows(const MenuLayoutInput& input, MenuLayout& layout) {
    RowBuilder rows(layout, kRowsTop - layout.scroll);
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

void LayOutLetterCells(const MenuLayoutInput& input, MenuLayout& layout) {
    std::vector<wchar_t> present;
    for (const LetterRow& row : input.letterRows) {
        if (row.header) {
            present.push_back(row.letter);
        }
    }
    const std::vector<LetterRow> rows(input.letterRows.begin(), input.letterRows.end());
    const float cellWidth = (layout.split - 2 * kCellsLeft) / kCellColumns;
    int position = 0;
    for (const wchar_t letter : IndexLetters(rows)) {
        const float x = kCellsLeft + static_cast<float>(position % kCellColumns) * cellWidth;
        const float y = kCellsTop + static_cast<float>(position / kCellColumns) * kCellHeight;
        ++position;
        MenuLetterCell cell{{x + kCellInset, y + kCellInset, x + cellWidth - kCellInset,
                             y + kCellHeight - kCellInset},
                            letter,
                            std::find(present.begin(), present.end(), letter) != present.end()};
        layout.cells.push_back(cell);
        if (cell.present) {
            layout.regions.push_back({cell.rect, {MenuHit::LetterCell, letter}});
        }
    }
}

void LayOutRightColumn(const MenuLayoutInput& input, MenuLayout& layout) {
    const float left = layout.split + kRightLeft;
    const float right = layout.width - kRightInset;
    layout.userCard = {left, kHeaderTop, right, kCardBottom};
    layout.regions.push_back({layout.userCard, {MenuHit::UserCard, -1}});
    float y = kPlacesTop;
    for (const MenuPlace& place : kPlaces) {
        if (place.action == kOwnSettingsAction && !input.settingsWindow) {
            continue;
        }
        if (place.action < 0) {
            layout.places.push_back(
                {{layout.split + kSpacerLineLeft, y + kSpacerLineAt,
                  layout.width - kSpacerLineRightInset, y + kSpacerLineAt + 1.0f},
                 &place});
            y += kSpacerHeight;
            continue;
        }
        const PointRect rect{left, y, right, y + kPlaceHeight};
        layout.places.push_back({rect, &place});
        layout.regions.push_back({rect, {MenuHit::Place, place.action}});
        y += kPlaceHeight;
    }
}

}  // namespace

PixelRect StartMenuRect(const PixelRect& monitor, const PixelRect& work,
                        std::optional<int32_t> dockTop, uint32_t dpi) noexcept {
    const int32_t width = ScalePoints(kMenuWidth, dpi);
    const int32_t height = std::max(0, std::min(work.Height() - ScalePoints(kWorkAreaMargin, dpi),
                                                ScalePoints(kMenuMaxHeight, dpi)));
    int32_t bottom = work.bottom - ScalePoints(kAboveWorkBottom, dpi);
    if (dockTop) {
        bottom = std::min(bottom, *dockTop - ScalePoints(kAboveDock, dpi));
    }
    const int32_t left = monitor.left + (monitor.Width() - width) / 2;
    return {left, bottom - height, left + width, bottom};
}

std::span<const MenuPlace> MenuPlaces() noexcept {
    return kPlaces;
}

MenuLayout LayOutMenu(const MenuLayoutInput& input) {
    MenuLayout layout;
    layout.width = input.width;
    layout.height = input.height;
    layout.view = input.view;
    layout.split = std::round(input.width * kLeftShare);
    layout.search = {kSearchInset, kSearchInset, input.width - kSearchInset, kSearchBottom};
    layout.header = {kHeaderLeft, kHeaderTop, layout.split, kHeaderBottom};
    layout.listTop = kHeaderBottom;
    layout.listBottom = input.height - kListBottomMargin;

    if (input.view != MenuView::Results) {
        const float right = layout.split - kButtonRightInset;
        const MenuHit kind =
            input.view == MenuView::Home ? MenuHit::AllAppsButton : MenuHit::BackButton;
        layout.button = {
            {right - (input.buttonLabelWidth + kButtonPadding), kHeaderTop, right, kHeaderBottom},
            {kind, -1}};
        layout.regions.push_back(layout.button);
    }

    if (input.view == MenuView::LetterIndex) {
        // The list keeps its place for the way back.
        layout.scroll = input.scroll;
        LayOutLetterCells(input, layout);
    } else {
        const float rows = RowsHeight(input);
        layout.contentHeight = rows + kContentAboveRows;
        const float viewport = layout.listBottom - kHeaderTop;
        layout.maxScroll = std::max(0.0f, layout.contentHeight - viewport + kScrollSlack);
        layout.scroll = std::clamp(input.scroll, 0.0f, layout.maxScroll);
        LayOutRows(input, layout);
    }

    LayOutRightColumn(input, layout);
    layout.bottomLine = input.height - kListBottomMargin;
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
    const float step = static_cast<float>(wheelDelta) / kWheelNotch * -kAppRowHeight * kWheelRows;
    return std::clamp(scroll + step, 0.0f, layout.maxScroll);
}

float LetterScrollTarget(std::span<const LetterRow> rows, wchar_t letter) noexcept {
    float above = 0;
    for (const LetterRow& row : rows) {
        if (row.header && row.letter == letter) {
            return above;
        }
        above += row.header ? kLetterRowHeight : kAppRowHeight;
    }
    return 0;
}

bool ClickMenuItem(MenuState& state, const MenuItemId& item, std::span<const LetterRow> rows) {
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
            state.scroll = LetterScrollTarget(rows, static_cast<wchar_t>(item.index));
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
