#include "tray/AppBarRecord.h"

namespace corvane {
namespace {

constexpr std::size_t kMessageAt = kAppBarDataBytes;
constexpr std::size_t kBlockAt = kMessageAt + 4;
constexpr std::size_t kProcessAt = kBlockAt + 4;

uint32_t ReadU32(std::span<const uint8_t> bytes, std::size_t at) noexcept {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

void WriteU32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) noexcept {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

bool CarriesAnswerBack(uint32_t message) noexcept {
    return message == appbar::kQueryPos || message == appbar::kSetPos ||
           message == appbar::kGetTaskbarPos;
}

}  // namespace

std::optional<AppBarRecord> DecodeAppBarRecord(std::span<const uint8_t> payload) {
    if (payload.size() < kAppBarRecordMinBytes || payload.size() > kAppBarRecordMaxBytes) {
        return std::nullopt;
    }
    return AppBarRecord{.message = ReadU32(payload, kMessageAt),
                        .sharedBlock = ReadU32(payload, kBlockAt),
                        .processId = ReadU32(payload, kProcessAt)};
}

std::vector<uint8_t> RewrapAppBarRecord(std::span<const uint8_t> payload, uint32_t sharedBlock,
                                        uint32_t processId) {
    if (!DecodeAppBarRecord(payload)) {
        return {};
    }
    std::vector<uint8_t> record(payload.begin(), payload.end());
    WriteU32(record, kBlockAt, sharedBlock);
    WriteU32(record, kProcessAt, processId);
    return record;
}

AppBarDecision RouteAppBar(const std::optional<AppBarRecord>& record, bool dockHidesTaskbar,
                           bool fromHostThread) noexcept {
    if (!record) {
        return {};
    }
    const uint32_t message = record->message;
    if (dockHidesTaskbar && !fromHostThread) {
        // The taskbar is out of sight: no program keeps room for it.
        if (message == appbar::kGetState) {
            return {AppBarRoute::Answer, appbar::kStateAlwaysOnTop};
        }
        if (message == appbar::kGetAutoHideBar || message == appbar::kGetAutoHideBarEx) {
            return {AppBarRoute::Answer, 0};
        }
    }
    if (CarriesAnswerBack(message) && record->sharedBlock != 0) {
        return {AppBarRoute::Relay, 0};
    }
    return {};
}

}  // namespace corvane
