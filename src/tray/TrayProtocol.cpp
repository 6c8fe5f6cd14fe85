#include "tray/TrayProtocol.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace corvane {
namespace {

// Where the fields lie in the 32-bit records programs send.
namespace notify {
constexpr std::size_t kCommand = 4;
constexpr std::size_t kOwner = 12;
constexpr std::size_t kId = 16;
constexpr std::size_t kFlags = 20;
constexpr std::size_t kCallback = 24;
constexpr std::size_t kIcon = 28;
constexpr std::size_t kTip = 32;
constexpr std::size_t kState = 288;
constexpr std::size_t kStateMask = 292;
constexpr std::size_t kVersion = 808;
constexpr std::size_t kGuid = 944;
}  // namespace notify

namespace position {
constexpr std::size_t kCorner = 4;
constexpr std::size_t kOwner = 16;
constexpr std::size_t kId = 20;
constexpr std::size_t kGuid = 24;
}  // namespace position

// The first byte past the hidden state and its mask, and past the version:
// a copy must hold them to be of use.
constexpr std::size_t kHiddenCopyMinBytes = notify::kStateMask + 4;
constexpr std::size_t kVersionCopyMinBytes = notify::kVersion + 4;

// The record as the host reads it: the payload's bytes, zero past its end.
using NotifyRecord = std::array<uint8_t, kTrayNotifyMaxBytes>;

uint32_t ReadU32(const uint8_t* at) noexcept {
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
           static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}

void WriteU32(std::vector<uint8_t>& record, std::size_t at, uint32_t value) noexcept {
    for (std::size_t i = 0; i < 4; ++i) {
        record[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::vector<uint8_t> CopyOf(std::span<const uint8_t> payload) {
    return {payload.begin(), payload.begin() + std::min(payload.size(), kTrayNotifyMaxBytes)};
}

uint16_t ReadU16(const uint8_t* at) noexcept {
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

TrayGuid ReadGuid(const uint8_t* at) noexcept {
    TrayGuid guid;
    std::memcpy(guid.bytes.data(), at, guid.bytes.size());
    return guid;
}

// Units are kept as sent (one wchar_t each), as Windows holds them.
std::wstring ReadTooltip(const uint8_t* at) {
    std::wstring tip;
    for (std::size_t i = 0; i < kTrayTooltipChars; ++i) {
        const uint16_t unit = ReadU16(at + 2 * i);
        if (unit == 0) {
            break;
        }
        tip.push_back(static_cast<wchar_t>(unit));
    }
    return tip;
}

}  // namespace

bool TrayNotification::HasGuid() const noexcept {
    return (flags & trayflags::kGuid) != 0 && !guid.IsZero();
}

std::optional<TrayNotification> DecodeTrayNotification(std::span<const uint8_t> payload) {
    if (payload.size() < kTrayNotifyMinBytes) {
        return std::nullopt;
    }
    NotifyRecord record{};
    std::copy_n(payload.begin(), std::min(payload.size(), record.size()), record.begin());
    const uint8_t* r = record.data();

    TrayNotification n;
    n.command = ReadU32(r + notify::kCommand);
    n.ownerWindow = ReadU32(r + notify::kOwner);
    n.id = ReadU32(r + notify::kId);
    n.flags = ReadU32(r + notify::kFlags);
    n.callbackMessage = ReadU32(r + notify::kCallback);
    n.iconHandle = ReadU32(r + notify::kIcon);
    n.tooltip = ReadTooltip(r + notify::kTip);
    n.state = ReadU32(r + notify::kState);
    n.stateMask = ReadU32(r + notify::kStateMask);
    n.version = ReadU32(r + notify::kVersion);
    n.guid = ReadGuid(r + notify::kGuid);
    return n;
}

std::optional<TrayPositionQuery> DecodeTrayPositionQuery(std::span<const uint8_t> payload) {
    if (payload.size() < kTrayPositionMinBytes) {
        return std::nullopt;
    }
    const uint8_t* r = payload.data();
    TrayPositionQuery q;
    q.corner = ReadU32(r + position::kCorner);
    q.ownerWindow = ReadU32(r + position::kOwner);
    q.id = ReadU32(r + position::kId);
    q.guid = ReadGuid(r + position::kGuid);
    return q;
}

std::vector<uint8_t> TrayDeleteCopy(std::span<const uint8_t> payload) {
    std::vector<uint8_t> copy = CopyOf(payload);
    // Too short to hold the command: nothing to turn into a delete.
    if (copy.size() >= notify::kCommand + 4) {
        WriteU32(copy, notify::kCommand, static_cast<uint32_t>(TrayCommand::Delete));
    }
    return copy;
}

std::vector<uint8_t> TrayHiddenCopy(std::span<const uint8_t> payload, TrayCommand command,
                                    const TrayIcon& icon) {
    if (payload.size() < kHiddenCopyMinBytes) {
        return {};
    }
    std::vector<uint8_t> copy = CopyOf(payload);
    uint32_t flags = ReadU32(copy.data() + notify::kFlags) | trayflags::kState;
    if (icon.callbackMessage != 0) {
        flags |= trayflags::kMessage;
        WriteU32(copy, notify::kCallback, icon.callbackMessage);
    }
    if (icon.ownerWindow != 0) {
        WriteU32(copy, notify::kOwner, icon.ownerWindow);
    }
    WriteU32(copy, notify::kCommand, static_cast<uint32_t>(command));
    WriteU32(copy, notify::kFlags, flags);
    WriteU32(copy, notify::kState, ReadU32(copy.data() + notify::kState) | kTrayStateHidden);
    WriteU32(copy, notify::kStateMask,
             ReadU32(copy.data() + notify::kStateMask) | kTrayStateHidden);
    return copy;
}

std::vector<uint8_t> TrayVersionCopy(std::span<const uint8_t> payload, uint32_t version) {
    if (payload.size() < kVersionCopyMinBytes) {
        return {};
    }
    std::vector<uint8_t> copy = CopyOf(payload);
    WriteU32(copy, notify::kCommand, static_cast<uint32_t>(TrayCommand::SetVersion));
    WriteU32(copy, notify::kVersion, version);
    return copy;
}

uint32_t PackTrayPoint(int32_t x, int32_t y) noexcept {
    return static_cast<uint32_t>(y) << 16 | (static_cast<uint32_t>(x) & 0xFFFF);
}

}  // namespace corvane
