#pragma once
// CorLauncher as a screen reader sees it, built from the grid it paints:
// the search box with the query, the apps of every page (those of other
// pages off the screen) with the selection, and which page shows. An app's
// default action is its click.

#include "identity/AppEntry.h"
#include "start/LauncherGrid.h"
#include "toolkit/AccessibleNode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace corvane {

struct LauncherAccessibleFacts {
    const LauncherLayout* layout = nullptr;
    std::span<const AppEntry> shown;
    bool results = false;  // `shown` is the search's, not the arrangement
    int32_t page = 0;
    float scroll = 0;  // where the pages stand
    int32_t selection = -1;
    bool keysInGrid = false;  // the grid has the keyboard, not the search box
    std::wstring_view query;
    uint32_t dpi = 96;
};

// The action ids of the nodes that only events name.
inline constexpr int32_t kLauncherSearchAction = 1 << 30;
inline constexpr int32_t kLauncherPageAction = kLauncherSearchAction + 1;

// An app's action id: its index, results apart from the arrangement.
[[nodiscard]] int32_t LauncherActionId(int32_t index, bool results) noexcept;
// The shown index an action id names, or none: another list's id, an index
// past the `count` shown, or a node without an action.
[[nodiscard]] std::optional<int32_t> LauncherActionIndex(int32_t actionId, bool results,
                                                         std::size_t count) noexcept;

// "Page 2 of 3", in the current language.
[[nodiscard]] std::wstring LauncherPageName(int32_t page, int32_t pages);

[[nodiscard]] AccessibleNode LauncherAccessibleTree(const LauncherAccessibleFacts& facts);

}  // namespace corvane
