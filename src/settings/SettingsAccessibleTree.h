#pragma once
// The settings window as a screen reader sees it, built from the layout it
// paints: the sidebar's pages as tabs (the current one selected, switched to
// by the default action), then the page's rows: headings and text rows as
// texts, toggles as check buttons, sliders with their value and range,
// choices as combo boxes with the current option, buttons as buttons. Every
// node is a child of the window, so that each can be told of a change.

#include "base/Geometry.h"
#include "settings/SettingsLayout.h"
#include "settings/SettingsRow.h"
#include "toolkit/AccessibleNode.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace corvane {

struct SettingsAccessibleFacts {
    const std::vector<SettingsRow>* rows = nullptr;
    const std::vector<RowBox>* boxes = nullptr;
    int32_t page = 0;
    float scroll = 0;
    float width = 0;  // client DIPs
    float height = 0;
    uint32_t dpi = 96;
    int32_t focusRow = -1;
    float textScale = 1.0f;  // Windows' text size, as the sidebar is laid out
};

[[nodiscard]] AccessibleNode SettingsAccessibleTree(const SettingsAccessibleFacts& facts);

// Action ids: page p's tab is p; row i of page p is named with its page, so
// that an action asked for before a page switch finds no row after it.
[[nodiscard]] int32_t SettingsRowAction(int32_t page, std::size_t row) noexcept;
struct SettingsTarget {
    bool isPage = false;
    int32_t index = 0;  // the page, or the row of the current page
};
// What an action id names on `page` with `rowCount` rows; nullopt when stale.
[[nodiscard]] std::optional<SettingsTarget> SettingsActionTarget(int32_t actionId, int32_t page,
                                                                 std::size_t rowCount) noexcept;

}  // namespace corvane
