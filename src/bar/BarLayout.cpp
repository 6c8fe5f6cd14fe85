#include "bar/BarLayout.h"

#include "bar/BarIslands.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

namespace {

constexpr float kEdgeInset = 6;  // right edge of the outermost item
constexpr float kItemInset = 3;  // top of every item and distance of its bottom from H
constexpr float kClockMaxWidth = 400;
constexpr float kClockPadding = 2 * kClockTextLeft;
constexpr float kClockGap = 2;
constexpr float kNowPlayingMaxWidth = 240;
constexpr float kNowPlayingPadding = kNowPlayingTextLeft + 10;  // margin after the text
constexpr float kGroupGap = 6;                                  // between the right-hand groups
constexpr float kCentreGap = 4;        // Now Playing to clock in the centre group
constexpr float kCentreLimitGap = 10;  // left side to the centre group
constexpr float kStatusWidthWithBattery = 92;
constexpr float kStatusWidth = 60;
constexpr float kTilingButtonWidth = 28;
constexpr float kTilingButtonAdvance = 32;
constexpr float kNameLeft = 6;
constexpr float kNameRightPadding = kAppNameTextLeft + 16;  // the icon and the gaps around the name
constexpr float kNameLimitMargin = 8 + 40;
constexpr float kNameMinWidth = 60;
constexpr float kNameMaxWidth = 420;
constexpr float kMenuStartGap = 2;
constexpr float kMenuStartGapIslands = 12;  // leaves room between the name and menu islands
constexpr float kMenuTitleMaxWidth = 300;
constexpr float kMenuTitlePadding = 2 * kMenuTitleTextLeft;
constexpr float kMenuLimitMargin = 12;

BarItem MakeItem(BarItemKind kind, float left, float right, float height) {
    BarItem item;
    item.kind = kind;
    item.left = left;
    item.right = right;
    item.top = kItemInset;
    item.bottom = height - kItemInset;
    return item;
}

std::optional<BarTextMetrics> MeasureText(BarTextMeasurer& measurer, BarTextRole role,
                                          int32_t menuIndex, std::wstring_view text, float maxWidth,
                                          float maxHeight) {
    BarTextRequest request;
    request.role = role;
    request.menuIndex = menuIndex;
    request.text = text;
    request.maxWidth = maxWidth;
    request.maxHeight = maxHeight;
    return measurer.Measure(request);
}

// Places the name and as many menu titles, whole and in order, as fit before
// limit. Returns the number of titles placed.
int32_t PlaceNameAndMenus(const BarLayoutInput& input, BarTextMeasurer& measurer, float limit,
                          std::vector<BarItem>& items) {
    const float h = input.height;
    const float maxName = std::clamp(limit - kNameLimitMargin, kNameMinWidth, kNameMaxWidth);
    const auto name =
        MeasureText(measurer, BarTextRole::AppName, -1, input.appDisplayName, maxName, h);
    const float w = name ? std::min(name->width, maxName) : 0.0f;
    const BarItem nameItem =
        MakeItem(BarItemKind::AppNameItem, kNameLeft, w + kNameRightPadding, h);
    items.insert(items.begin(), nameItem);

    float x =
        nameItem.right + (input.style == BarStyle::Islands ? kMenuStartGapIslands : kMenuStartGap);
    int32_t placed = 0;
    for (std::wstring_view title : input.menuTitles) {
        const int32_t index = placed;
        const auto metrics =
            MeasureText(measurer, BarTextRole::MenuTitle, index, title, kMenuTitleMaxWidth, h);
        const float tw =
            (metrics ? metrics->widthIncludingTrailingWhitespace : 0.0f) + kMenuTitlePadding;
        // A title that does not fit ends the row: squeezing or skipping it
        // would show menus out of their order.
        if (x + tw > limit - kMenuLimitMargin) {
            measurer.DiscardMenuTitle(index);
            break;
        }
        BarItem item = MakeItem(BarItemKind::MenuTitleItem, x, x + tw, h);
        item.menuIndex = index;
        items.push_back(item);
        x += tw;
        ++placed;
    }
    return placed;
}

}  // namespace

BarLayoutResult LayoutBar(const BarLayoutInput& input, BarTextMeasurer& measurer) {
    BarLayoutResult result;
    LayoutBar(input, measurer, result);
    return result;
}

void LayoutBar(const BarLayoutInput& input, BarTextMeasurer& measurer, BarLayoutResult& result) {
    std::vector<BarItem>& items = result.items;
    items.clear();
    result.placedMenuTitles = 0;
    const float barWidth = input.width;
    const float h = input.height;

    const auto clock =
        MeasureText(measurer, BarTextRole::Clock, -1, input.clockText, kClockMaxWidth, h);
    const float cw = (clock ? clock->widthIncludingTrailingWhitespace : 0.0f) + kClockPadding;

    const bool nowPlaying = input.isMainBar && input.nowPlayingShown;
    const bool nowPlayingAtClock = nowPlaying && input.nowPlayingNextToClock;
    float npw = 0;
    if (nowPlaying) {
        const auto np = MeasureText(measurer, BarTextRole::NowPlaying, -1, input.nowPlayingText,
                                    kNowPlayingMaxWidth, h);
        if (np) {
            npw = std::min(np->widthIncludingTrailingWhitespace, kNowPlayingMaxWidth) +
                  kNowPlayingPadding;
        }
    }

    float right = barWidth - kEdgeInset;
    float leftLimit = std::numeric_limits<float>::infinity();

    if (input.style == BarStyle::Separated) {
        const float group = cw + (nowPlayingAtClock ? npw + kCentreGap : 0.0f);
        // std::round: halves away from zero.
        const float x0 = std::round(barWidth / 2 - group / 2);
        float clockLeft = x0;
        if (nowPlayingAtClock) {
            items.push_back(MakeItem(BarItemKind::NowPlayingItem, x0, x0 + npw, h));
            clockLeft = x0 + npw + kCentreGap;
        }
        items.push_back(MakeItem(BarItemKind::ClockItem, clockLeft, clockLeft + cw, h));
        leftLimit = x0 - kCentreLimitGap;
    } else {
        items.push_back(MakeItem(BarItemKind::ClockItem, right - cw, right, h));
        right -= cw + kClockGap;
        if (nowPlayingAtClock) {
            items.push_back(MakeItem(BarItemKind::NowPlayingItem, right - npw, right, h));
            right -= npw + kGroupGap;
        }
    }

    const float statusWidth = input.hasBattery ? kStatusWidthWithBattery : kStatusWidth;
    items.push_back(MakeItem(BarItemKind::StatusItem, right - statusWidth, right, h));
    right -= statusWidth + kGroupGap;

    if (input.tilingButton) {
        items.push_back(
            MakeItem(BarItemKind::TilingButtonItem, right - kTilingButtonWidth, right, h));
        right -= kTilingButtonAdvance;
    }

    if (input.isMainBar && input.trayHostPresent && input.trayEnabled && input.buildTrayStrip) {
        right = input.buildTrayStrip(right, items);
    }

    if (nowPlaying && !nowPlayingAtClock) {
        items.push_back(MakeItem(BarItemKind::NowPlayingItem, right - npw, right, h));
        right -= npw + kGroupGap;
    }

    if (!input.appDisplayName.empty()) {
        result.placedMenuTitles =
            PlaceNameAndMenus(input, measurer, std::min(right, leftLimit), items);
    }

    BuildBarIslands(items, input.style, barWidth, h, nowPlayingAtClock, result.islands);
}

int HitTestBar(const std::vector<BarItem>& items, float xPx, float yPx, uint32_t dpi) noexcept {
    // A DPI of 0 never comes from Windows; reading it as 96 beats dividing by it.
    const float divisor = static_cast<float>(dpi == 0 ? 96 : dpi);
    const float x = xPx * 96.0f / divisor;
    const float y = yPx * 96.0f / divisor;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const BarItem& item = items[i];
        if (item.left <= x && x < item.right && 0 <= y && y < item.bottom + 4) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace corvane
