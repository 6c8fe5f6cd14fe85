#pragma once
// The appbar messages programs send to the taskbar window as WM_COPYDATA of
// data kind 0: the APPBARDATA in its 64-bit-safe form (handles as 32 bits,
// lParam as 64), then the message, a 32-bit handle to a shared block and the
// sender's process id, padded to 8 bytes by 64-bit senders. Messages that
// carry an answer back hand over a block made for the taskbar's process,
// which no other process can open under the same handle: the host opens it,
// wraps the data anew for Explorer and copies Explorer's answer back.
//
// And what the host answers itself: while the dock hides Explorer's taskbar
// through auto-hide, programs asking for auto-hide bars would leave a gap
// for a taskbar nobody sees.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane {

inline constexpr uint32_t kTrayDataAppBar = 0;

// The APPBARDATA as it travels, and as a shared block holds it.
inline constexpr std::size_t kAppBarDataBytes = 40;
inline constexpr std::size_t kAppBarRecordMinBytes = 52;
// Longer is a layout this host does not know: Explorer gets it as it came.
inline constexpr std::size_t kAppBarRecordMaxBytes = 64;

namespace appbar {
inline constexpr uint32_t kQueryPos = 2;
inline constexpr uint32_t kSetPos = 3;
inline constexpr uint32_t kGetState = 4;
inline constexpr uint32_t kGetTaskbarPos = 5;
inline constexpr uint32_t kGetAutoHideBar = 7;
inline constexpr uint32_t kGetAutoHideBarEx = 11;
// ABM_GETSTATE's answer bits.
inline constexpr uint32_t kStateAutoHide = 1;
inline constexpr uint32_t kStateAlwaysOnTop = 2;
}  // namespace appbar

struct AppBarRecord {
    uint32_t message = 0;
    uint32_t sharedBlock = 0;  // 0: none
    uint32_t processId = 0;
};

// nullopt when the payload is shorter than kAppBarRecordMinBytes or longer
// than kAppBarRecordMaxBytes.
[[nodiscard]] std::optional<AppBarRecord> DecodeAppBarRecord(std::span<const uint8_t> payload);

// The payload naming another block and sender, every other byte as it was;
// empty when the payload is no record.
[[nodiscard]] std::vector<uint8_t> RewrapAppBarRecord(std::span<const uint8_t> payload,
                                                      uint32_t sharedBlock, uint32_t processId);

enum class AppBarRoute {
    Forward,  // to Explorer as it came
    Relay,    // the block is opened and wrapped anew for Explorer
    Answer,   // by the host itself, with `reply`
};

struct AppBarDecision {
    AppBarRoute route = AppBarRoute::Forward;
    int64_t reply = 0;
};

// `dockHidesTaskbar`: the dock keeps Explorer's taskbar hidden through
// auto-hide. `fromHostThread`: sent by the host's own thread, where the dock
// asks for Explorer's real state before it switches auto-hide.
[[nodiscard]] AppBarDecision RouteAppBar(const std::optional<AppBarRecord>& record,
                                         bool dockHidesTaskbar, bool fromHostThread) noexcept;

}  // namespace corvane
