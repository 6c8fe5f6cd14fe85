#include "start/LauncherAccessibleTree.h"

#include "base/Geometry.h"
#include "config/Texts.h"

#include <utility>

namespace corvane {
namespace {

constexpr int32_t kResultsBase = 1 << 24;
constexpr float kDotReach = 9.0f;  // around a page dot's centre

}  // namespace

int32_t LauncherActionId(int32_t index, bool results) noexcept {
    return results ? kResultsBase + index : index;
}

std::optional<int32_t> LauncherActionIndex(int32_t actionId, bool results,
                                           std::size_t count) noexcept {
    const int32_t base = results ? kResultsBase : 0;
    if (actionId < base || actionId >= base + kResultsBase) {
        return std::nullopt;
    }
    const int32_t index = actionId - base;
    return static_cast<std::size_t>(index) < count ? std::optional<int32_t>(index) : std::nullopt;
}

std::wstring LauncherPageName(int32_t page, int32_t pages) {
    return Text(TextId::PageNumber) + std::to_wstring(page + 1) + Text(TextId::PageOf) +
           std::to_wstring(pages);
}

AccessibleNode LauncherAccessibleTree(const LauncherAccessibleFacts& f) {
    AccessibleNode root;
    root.role = AccessibleRole::Client;
    root.name = Text(TextId::LauncherName);
    if (f.layout == nullptr) {
        return root;
    }
    const LauncherLayout& l = *f.layout;
    root.location = PointsToPixels({0, 0, l.width, l.height}, f.dpi);

    AccessibleNode search;
    search.role = AccessibleRole::EditableText;
    search.name = Text(TextId::Search);
    search.value = f.query;
    search.location = PointsToPixels(LauncherSearchBox(l), f.dpi);
    search.states = kAccFocusable | (f.keysInGrid ? 0u : kAccFocused);
    search.actionId = kLauncherSearchAction;
    root.children.push_back(std::move(search));

    AccessibleNode list;
    list.role = AccessibleRole::List;
    list.name = Text(f.results ? TextId::Results : TextId::AllApps);
    list.location = PointsToPixels({l.x0, l.y0, l.x0 + static_cast<float>(l.columns) * l.cellWidth,
                                    l.y0 + static_cast<float>(l.rows) * l.cellHeight},
                                   f.dpi);
    for (std::size_t i = 0; i < f.shown.size(); ++i) {
        const auto index = static_cast<int32_t>(i);
        const LauncherCell cell = l.CellOf(index, f.scroll);
        AccessibleNode item;
        item.role = AccessibleRole::ListItem;
        item.name = f.shown[i].name;
        item.location =
            PointsToPixels({cell.x, cell.y, cell.x + l.cellWidth, cell.y + l.cellHeight}, f.dpi);
        item.states = kAccFocusable | kAccSelectable;
        if (l.perPage > 0 && index / l.perPage != f.page) {
            item.states |= kAccOffscreen;
        }
        if (index == f.selection) {
            item.states |= kAccSelected | (f.keysInGrid ? kAccFocused : 0u);
        }
        item.defaultAction = Text(TextId::Open);
        item.actionId = LauncherActionId(index, f.results);
        list.children.push_back(std::move(item));
    }
    root.children.push_back(std::move(list));

    if (f.shown.empty()) {
        // What the empty grid says instead.
        AccessibleNode message;
        message.name = Text(f.query.empty() ? TextId::NoAppsFound : TextId::NoAppsFoundSearchFiles);
        message.location = root.location;
        root.children.push_back(std::move(message));
    }
    // Read only where the dots are drawn: with more than one page.
    if (const int32_t pages = l.Pages(f.shown.size()); pages > 1) {
        const LauncherCell first = PageDotCentre(l, pages, 0);
        const LauncherCell last = PageDotCentre(l, pages, pages - 1);
        AccessibleNode page;
        page.name = LauncherPageName(f.page, pages);
        page.location = PointsToPixels(
            {first.x - kDotReach, first.y - kDotReach, last.x + kDotReach, last.y + kDotReach},
            f.dpi);
        page.actionId = kLauncherPageAction;
        root.children.push_back(std::move(page));
    }
    return root;
}

}  // namespace corvane
