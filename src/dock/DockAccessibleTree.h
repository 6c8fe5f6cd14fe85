#pragma once
// The dock as a screen reader sees it, built from the same cells it paints:
// one button per item, named with the app and whether it runs, how many
// windows it has and whether it is pinned; its default action is a click.

#include "base/Geometry.h"
#include "dock/DockModel.h"
#include "toolkit/AccessibleNode.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct DockAccessibleFacts {
    const std::vector<DockItem>* items = nullptr;
    const std::vector<PointRect>* cells = nullptr;  // points, client
    uint32_t dpi = 96;
    PixelRect client;
    bool shown = true;
    int focusIndex = -1;
};

// Items without a cell are left out; item i's action id is i.
[[nodiscard]] AccessibleNode DockAccessibleTree(const DockAccessibleFacts& facts);

// "Notes, running, 2 windows, pinned", in the current language.
[[nodiscard]] std::wstring DockItemAccessibleName(const DockItem& item);

}  // namespace corvane
