#pragma once
// A bed as a screen reader sees it, built from the grid it paints: a list
// named like the bed, the header's roll toggle, and one list item per item
// shown, named as its label and opened by the default action as by a
// double click. A rolled-up bed lists no items, as it shows none.

#include "garden/BedLayout.h"
#include "garden/GardenModel.h"
#include "toolkit/AccessibleNode.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct BedAccessibleFacts {
    const Bed* bed = nullptr;
    const std::vector<std::wstring>* ids = nullptr;  // the items shown, in order
    const GardenItems* items = nullptr;
    float width = 0;  // client DIPs
    float height = 0;
    float scroll = 0;
    uint32_t dpi = 96;
    int32_t selected = -1;
    float textScale = 1.0f;  // Windows' text size, as the bed is laid out
};

// The roll toggle's action id; item i's is i + 1.
inline constexpr int32_t kBedRollAction = 0;
[[nodiscard]] AccessibleNode BedAccessibleTree(const BedAccessibleFacts& facts);

// The shown item an action id names, nullopt for the roll toggle or an id
// the bed no longer has.
[[nodiscard]] std::optional<std::size_t> BedActionItem(int32_t actionId,
                                                       std::size_t shown) noexcept;

}  // namespace corvane
