#pragma once
// The notification-area messages programs send to the taskbar window as
// WM_COPYDATA, in the 32-bit record layout every program uses. A payload is
// untrusted: only the bytes it holds are read, and anything shorter than the
// minimum is refused.

#include "tray/TrayIcon.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

// WM_COPYDATA data kinds.
inline constexpr uint32_t kTrayDataNotify = 1;
inline constexpr uint32_t kTrayDataPosition = 3;

inline constexpr std::size_t kTrayNotifyMinBytes = 32;
inline constexpr std::size_t kTrayNotifyMaxBytes = 964;
inline constexpr std::size_t kTrayPositionMinBytes = 40;
// A balloon's text, title and flags lie within this many bytes.
inline constexpr std::size_t kTrayBalloonMinBytes = 944;

enum class TrayCommand : uint32_t { Add = 0, Modify = 1, Delete = 2, SetFocus = 3, SetVersion = 4 };

namespace trayflags {
inline constexpr uint32_t kMessage = 0x01;
inline constexpr uint32_t kIcon = 0x02;
inline constexpr uint32_t kTip = 0x04;
inline constexpr uint32_t kState = 0x08;
inline constexpr uint32_t kInfo = 0x10;
inline constexpr uint32_t kGuid = 0x20;
inline constexpr uint32_t kShowTip = 0x80;
}  // namespace trayflags

// The hidden bit of the state and of its mask.
inline constexpr uint32_t kTrayStateHidden = 0x1;

struct TrayNotification {
    uint32_t command = 0;  // a TrayCommand value, or anything else the program sent
    uint32_t ownerWindow = 0;
    uint32_t id = 0;
    uint32_t flags = 0;
    uint32_t callbackMessage = 0;
    uint32_t iconHandle = 0;
    std::wstring tooltip;  // up to its NUL or kTrayTooltipChars units
    uint32_t state = 0;
    uint32_t stateMask = 0;
    uint32_t version = 0;  // "timeout or version"
    TrayGuid guid;
    // Flag 0x20 set and the GUID not all zero.
    [[nodiscard]] bool HasGuid() const noexcept;
};

// nullopt when the payload is shorter than kTrayNotifyMinBytes; a shorter
// payload than the whole record reads as zero past its end; bytes past
// kTrayNotifyMaxBytes are ignored.
[[nodiscard]] std::optional<TrayNotification> DecodeTrayNotification(
    std::span<const uint8_t> payload);

struct TrayPositionQuery {
    uint32_t corner = 0;  // 1 top-left, 2 bottom-right, anything else: not ours
    uint32_t ownerWindow = 0;
    uint32_t id = 0;
    TrayGuid guid;  // all zero: none
};

// nullopt when shorter than kTrayPositionMinBytes.
[[nodiscard]] std::optional<TrayPositionQuery> DecodeTrayPositionQuery(
    std::span<const uint8_t> payload);

// The copy of an add that asks Explorer to drop the same icon: at most
// kTrayNotifyMaxBytes of the payload with the command turned into a delete
// (a payload too short to hold the command comes back as it is).
[[nodiscard]] std::vector<uint8_t> TrayDeleteCopy(std::span<const uint8_t> payload);

// Explorer's copy of a record that carries a balloon: `command` in place of
// the program's, the icon hidden there whatever the program asked, and the
// owner window and callback message the host holds for the icon (when it has
// them), so that a click on the notification still reaches the program. A
// payload too short to hold the state comes back empty: it could not be
// shown without the icon showing too.
[[nodiscard]] std::vector<uint8_t> TrayHiddenCopy(std::span<const uint8_t> payload,
                                                  TrayCommand command, const TrayIcon& icon);

// The version request that tells Explorer how to call the program back,
// made from one of the program's records (empty when that one is too short).
[[nodiscard]] std::vector<uint8_t> TrayVersionCopy(std::span<const uint8_t> payload,
                                                   uint32_t version);

// The reply to a position query: (y << 16) | (x & 0xFFFF).
[[nodiscard]] uint32_t PackTrayPoint(int32_t x, int32_t y) noexcept;

}  // namespace corvane
