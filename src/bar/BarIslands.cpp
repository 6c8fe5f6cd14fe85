#include "bar/BarIslands.h"

#include <algorithm>

namespace corvane {

namespace {

constexpr float kSeparatedPadding = 4.8f;
constexpr float kIslandsPadding = 4.0f;
constexpr float kIslandsRightPadding = 6.0f;

// Horizontal extent of a group of items; empty until the first one is added.
struct Extent {
    bool any = false;
    float left = 0;
    float right = 0;

    void Add(const BarItem& item) {
        left = any ? std::min(left, item.left) : item.left;
        right = any ? std::max(right, item.right) : item.right;
        any = true;
    }
};

bool IsLeftSide(BarItemKind kind) {
    return kind == BarItemKind::AppNameItem || kind == BarItemKind::MenuTitleItem;
}

void BuildSeparated(const std::vector<BarItem>& items, float width, float height,
                    bool nowPlayingNextToClock, std::vector<PointRect>& islands) {
    Extent left;
    Extent centre;
    Extent right;
    for (const BarItem& item : items) {
        if (IsLeftSide(item.kind)) {
            left.Add(item);
        } else if (item.kind == BarItemKind::ClockItem ||
                   (nowPlayingNextToClock && item.kind == BarItemKind::NowPlayingItem)) {
            centre.Add(item);
        } else {
            right.Add(item);
        }
    }
    if (left.any && left.right > 0) {
        islands.push_back({0, 0, left.right + kSeparatedPadding, height});
    }
    // Always there; without a clock it shrinks to a sliver around x = 0.
    islands.push_back(
        {centre.left - kSeparatedPadding, 0, centre.right + kSeparatedPadding, height});
    if (right.any) {
        islands.push_back({right.left - kSeparatedPadding, 0, width, height});
    }
}

void BuildIslands(const std::vector<BarItem>& items, float width, float height,
                  std::vector<PointRect>& islands) {
    Extent name;
    Extent menus;
    Extent right;
    for (const BarItem& item : items) {
        if (item.kind == BarItemKind::AppNameItem) {
            name.Add(item);
        } else if (item.kind == BarItemKind::MenuTitleItem) {
            menus.Add(item);
        } else {
            right.Add(item);
        }
    }
    if (name.any) {
        islands.push_back({0, 0, name.right + kIslandsPadding, height});
    }
    if (menus.any) {
        islands.push_back({menus.left - kIslandsPadding, 0, menus.right + kIslandsPadding, height});
    }
    if (right.any) {
        islands.push_back({right.left - kIslandsRightPadding, 0, width, height});
    }
}

}  // namespace

void BuildBarIslands(const std::vector<BarItem>& items, BarStyle style, float width, float height,
                     bool nowPlayingNextToClock, std::vector<PointRect>& islands) {
    islands.clear();
    if (style == BarStyle::Separated) {
        BuildSeparated(items, width, height, nowPlayingNextToClock, islands);
    } else if (style == BarStyle::Islands) {
        BuildIslands(items, width, height, islands);
    }
}

}  // namespace corvane
