#include "garden/BedLayout.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr float kGridMargin = 16;  // kept free beside the columns
constexpr float kContentPadding = 8;
constexpr float kHitInsetX = 4;
constexpr float kHitInsetY = 2;
constexpr float kDropBarWidth = 3;
constexpr float kDropBarTopInset = 8;
constexpr float kDropBarBottomInset = 10;
constexpr float kWheelStep = kBedCellHeight * 0.6f;  // per 120 units of wheel delta
constexpr float kLabelInsetX = 5;
constexpr float kLabelTop = 48;  // below the icon
constexpr float kLabelBand = 30;
constexpr float kGridGap = kBedGridTop - kBedHeaderHeight;

float ClampScale(float textScale) noexcept {
    return std::clamp(std::isnan(textScale) ? 1.0f : textScale, 1.0f, 3.0f);
}

int32_t RowsFor(int32_t count, int32_t columns) noexcept {
    return count <= 0 ? 0 : (count + columns - 1) / columns;
}

}  // namespace

float BedHeaderHeight(float textScale) noexcept {
    return kBedHeaderHeight * ClampScale(textScale);
}

BedGrid LayoutBed(float width, float height, int32_t count, float scroll, bool collapsed,
                  float textScale) noexcept {
    BedGrid grid;
    grid.headerHeight = BedHeaderHeight(textScale);
    grid.gridTop = grid.headerHeight + kGridGap;
    grid.cellHeight = kBedCellHeight + kLabelBand * (ClampScale(textScale) - 1);
    const float fit = std::floor((width - kGridMargin) / kBedCellWidth);
    // A tiny or broken width still gets one column; the comparison also
    // turns not-a-number into 1 before the cast.
    grid.columns = fit >= 1 ? static_cast<int32_t>(std::min(fit, 10000.0f)) : 1;
    grid.gridOffset = (width - static_cast<float>(grid.columns) * kBedCellWidth) / 2;
    grid.contentHeight =
        static_cast<float>(RowsFor(count, grid.columns)) * grid.cellHeight + kContentPadding;
    if (!collapsed) {
        const float maxScroll = std::max(0.0f, grid.contentHeight - (height - grid.headerHeight));
        grid.scroll = std::clamp(std::isnan(scroll) ? 0.0f : scroll, 0.0f, maxScroll);
    }
    return grid;
}

PointRect BedCellRect(const BedGrid& grid, int32_t index) noexcept {
    const float x = grid.gridOffset + static_cast<float>(index % grid.columns) * kBedCellWidth;
    const float y =
        grid.gridTop + static_cast<float>(index / grid.columns) * grid.cellHeight - grid.scroll;
    return {x, y, x + kBedCellWidth, y + grid.cellHeight};
}

PointRect BedLabelRect(const BedGrid& grid, const PointRect& cell) noexcept {
    return {cell.left + kLabelInsetX, cell.top + kLabelTop, cell.right - kLabelInsetX,
            cell.top + kLabelTop + kLabelBand + (grid.cellHeight - kBedCellHeight)};
}

int32_t BedHitTest(const BedGrid& grid, int32_t count, float x, float y, bool collapsed) noexcept {
    if (collapsed || y < grid.headerHeight || count <= 0) {
        return -1;
    }
    const float gx = x - grid.gridOffset;
    const float gy = y + grid.scroll - grid.gridTop;
    if (gx < 0 || gy < 0) {
        return -1;
    }
    const float column = std::floor(gx / kBedCellWidth);
    const float row = std::floor(gy / grid.cellHeight);
    if (column >= static_cast<float>(grid.columns) ||
        row >= static_cast<float>(RowsFor(count, grid.columns))) {
        return -1;
    }
    const float cx = gx - column * kBedCellWidth;
    const float cy = gy - row * grid.cellHeight;
    if (cx < kHitInsetX || cx >= kBedCellWidth - kHitInsetX || cy < kHitInsetY ||
        cy >= grid.cellHeight - kHitInsetY) {
        return -1;
    }
    const int64_t index = static_cast<int64_t>(row) * grid.columns + static_cast<int64_t>(column);
    return index < count ? static_cast<int32_t>(index) : -1;
}

int32_t BedInsertionIndex(const BedGrid& grid, int32_t count, float x, float y) noexcept {
    const float rawColumn = std::round((x - grid.gridOffset) / kBedCellWidth);
    const float rawRow = std::floor((y + grid.scroll - grid.gridTop) / grid.cellHeight);
    // Clamped as floats first, so that a point far outside never overflows.
    const auto column = static_cast<int32_t>(std::clamp(std::isnan(rawColumn) ? 0.0f : rawColumn,
                                                        0.0f, static_cast<float>(grid.columns)));
    const auto row = static_cast<int64_t>(
        std::clamp(std::isnan(rawRow) ? 0.0f : rawRow, 0.0f, static_cast<float>(count)));
    // Past the last column means after the row's last cell.
    const int64_t index =
        std::min(column, grid.columns - 1) + (column == grid.columns ? 1 : 0) + row * grid.columns;
    return static_cast<int32_t>(std::clamp<int64_t>(index, 0, std::max(count, 0)));
}

BedCellRange VisibleBedCells(const BedGrid& grid, int32_t count, float height,
                             bool collapsed) noexcept {
    if (collapsed || count <= 0) {
        return {};
    }
    // Row r spans gridTop + r * cellHeight - scroll plus one cell height; it is painted
    // when its bottom lies below the header and its top above the client's bottom.
    const float firstRow =
        std::floor((grid.scroll + grid.headerHeight - grid.gridTop - grid.cellHeight) /
                   grid.cellHeight) +
        1;
    const float endRow = std::ceil((height + grid.scroll - grid.gridTop) / grid.cellHeight);
    const float rows = static_cast<float>(RowsFor(count, grid.columns));
    const auto first = static_cast<int64_t>(std::clamp(firstRow, 0.0f, rows));
    const auto end = static_cast<int64_t>(std::clamp(endRow, 0.0f, rows));
    if (end <= first) {
        return {};
    }
    return {static_cast<int32_t>(first * grid.columns),
            static_cast<int32_t>(std::min<int64_t>(end * grid.columns, count))};
}

PointRect DropBarRect(const BedGrid& grid, int32_t index) noexcept {
    const PointRect cell = BedCellRect(grid, index);
    return {cell.left - kDropBarWidth / 2, cell.top + kDropBarTopInset,
            cell.left + kDropBarWidth / 2, cell.bottom - kDropBarBottomInset};
}

int32_t BedIconPixels(uint32_t dpi) noexcept {
    return ScalePoints(kBedIconSize, dpi == 0 ? 96 : dpi);
}

float WheelScroll(float scroll, int32_t wheelDelta) noexcept {
    return scroll - static_cast<float>(wheelDelta) / 120.0f * kWheelStep;
}

}  // namespace corvane
