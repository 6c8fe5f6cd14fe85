#pragma once
// How a mouse event on a hosted icon reaches its program: which messages, in
// which order, packed the way the icon's protocol version asks for.

#include <array>
#include <cstddef>
#include <cstdint>

namespace corvane {

inline constexpr uint32_t kTraySelect = 0x400;      // NIN_SELECT
inline constexpr uint32_t kTrayPopupOpen = 0x406;   // NIN_POPUPOPEN
inline constexpr uint32_t kTrayPopupClose = 0x407;  // NIN_POPUPCLOSE

struct TrayCallbackParams {
    uint64_t wParam = 0;
    int64_t lParam = 0;
};

// Version 4: the cursor in wParam, (id << 16) | message in lParam; older
// versions: the id and the bare message. Both halves are zero-extended.
[[nodiscard]] TrayCallbackParams PackTrayCallback(uint32_t version, uint32_t id, uint32_t message,
                                                  int32_t cursorX, int32_t cursorY) noexcept;

struct TrayMessages {
    std::array<uint32_t, 2> messages{};
    std::size_t count = 0;
    // The program may take the foreground first (button presses).
    bool grantForeground = false;
};

[[nodiscard]] TrayMessages TrayMouseMessages(uint32_t version, uint32_t mouseMessage) noexcept;
[[nodiscard]] TrayMessages TrayHoverMessages(uint32_t version) noexcept;
[[nodiscard]] TrayMessages TrayLeaveMessages(uint32_t version) noexcept;
[[nodiscard]] TrayMessages TrayMoveMessages() noexcept;

}  // namespace corvane
