#pragma once
// Whether another process is out of this one's reach. Windows isolates the
// user interface of a process whose integrity level is higher than the
// caller's: posted and sent messages are dropped without an error, keys
// injected while one of its windows is in front are thrown away, and its
// windows cannot be moved. Changing a window's show state through
// ShowWindowAsync is carried out by the system and still works.

#include <cstdint>

namespace corvane {

// Mandatory levels as the last sub-authority of a token's integrity label.
inline constexpr uint32_t kIntegrityLow = 0x1000;
inline constexpr uint32_t kIntegrityMedium = 0x2000;
inline constexpr uint32_t kIntegrityHigh = 0x3000;
inline constexpr uint32_t kIntegritySystem = 0x4000;

struct ProcessIntegrity {
    enum class Reading : uint8_t {
        Level,         // `level` was read from the process token
        TokenRefused,  // the process opened, but its token was refused to us
        Unreadable,    // the process could not be opened, or the label not read
    };
    Reading reading = Reading::Unreadable;
    uint32_t level = 0;
    bool uiAccess = false;  // the token may drive higher windows (own process only)
};

// True when windows of `target` ignore what this process (`own`) sends them.
// A process that guards its token from an unelevated one is treated as a
// higher one; when either side cannot be read, nothing is held back.
[[nodiscard]] bool IsBeyondReach(const ProcessIntegrity& own,
                                 const ProcessIntegrity& target) noexcept;

}  // namespace corvane
