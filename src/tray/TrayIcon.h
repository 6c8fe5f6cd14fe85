#pragma once
// One notification-area icon that another program handed to the host. Handles
// are kept as the values the program sent (window handles are 32 bits wide in
// the protocol) or as opaque values of the host's own copies, so that the
// rules over them stay portable.

#include "base/Geometry.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

struct TrayGuid {
    std::array<uint8_t, 16> bytes{};
    [[nodiscard]] bool IsZero() const noexcept;
    bool operator==(const TrayGuid&) const = default;
};

struct TrayIcon {
    uint32_t ownerWindow = 0;  // receives the callbacks
    uint32_t id = 0;
    TrayGuid guid;
    bool hasGuid = false;
    uint32_t callbackMessage = 0;  // 0: none
    uint32_t version = 0;          // 0, 3 or 4 as the owner asked
    uint64_t icon = 0;             // the host's own copy, 0: none
    std::wstring tooltip;          // at most kTrayTooltipChars
    bool hiddenByState = false;
    bool showTip = false;
    uint32_t ownerProcessId = 0;
    std::wstring exeName;  // lower-case file name of the owner's executable
    PixelRect screenRect;  // where the bar last drew it, screen pixels
    // Which picture this is: no two pictures in the process ever share one,
    // so that a bitmap cached for an icon that was deleted never stands in
    // for the picture of one added again with the same owner and id.
    uint64_t iconGeneration = 0;
    // The record that drops Explorer's hidden copy of this icon; empty while
    // Explorer holds none.
    std::vector<uint8_t> explorerDelete;
};

inline constexpr std::size_t kTrayTooltipChars = 128;

}  // namespace corvane
