#pragma once
// The rules that turn raw system readings into the status record: battery
// validity, volume steps and the adapter walk. Kept apart from the system
// calls so that every reading the system can give is checked without it.

#include "bar/StatusModel.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvane {

// ---- Battery

// The fields of the system power status the battery rule looks at.
struct PowerReading {
    bool succeeded = false;
    uint8_t acLineStatus = 255;        // 0 offline, 1 online, 255 unknown
    uint8_t batteryFlag = 255;         // bit mask; 128 no battery, 255 unknown
    uint8_t batteryLifePercent = 255;  // 0..100, 255 unknown
};

inline constexpr uint8_t kBatteryFlagCharging = 8;
inline constexpr uint8_t kBatteryFlagNoBattery = 128;
inline constexpr uint8_t kBatteryFlagUnknown = 255;

// A reading that is not valid only clears "has battery": the last good
// percentage, charging and power-source values stay as they were.
void ApplyPowerReading(StatusModel& model, const PowerReading& reading) noexcept;

// ---- Volume

// The bar's wheel: one notch (120) is two percent. Finer wheels give
// fractions of a step rather than nothing.
[[nodiscard]] float WheelVolumeDelta(int wheelDelta) noexcept;

// The new master volume after a step, kept within 0..1.
[[nodiscard]] float SteppedVolume(float current, float delta) noexcept;

// Turning a muted device up means the user wants to hear it; turning it
// down does not.
[[nodiscard]] bool StepUnmutes(float delta, bool muted) noexcept;

// ---- Network

inline constexpr uint32_t kIfTypeEthernetCsmacd = 6;
inline constexpr uint32_t kIfTypeIeee80211 = 71;

// One adapter of the adapter list, reduced to what the walk needs.
struct AdapterFacts {
    bool up = false;
    bool hasGateway = false;
    uint32_t ifType = 0;
};

struct NetworkFacts {
    NetworkKind kind = NetworkKind::None;
    int32_t signal = 0;
};

// Without a WLAN answer: a Wi-Fi adapter with a route out counts as full
// signal and the walk goes on; Ethernet with a route out wins and ends it.
[[nodiscard]] NetworkFacts NetworkFromAdapters(const std::vector<AdapterFacts>& adapters) noexcept;

inline constexpr uint32_t kAdapterBufferBytes = 16384;
inline constexpr uint32_t kAdapterRetryMinBytes = 32768;

// Size for the second and last attempt after the first buffer was too small.
[[nodiscard]] uint32_t AdapterRetryBufferBytes(uint32_t reportedBytes) noexcept;

// The signal bars the system shows (0..5) as a percentage within 0..100.
[[nodiscard]] int32_t SignalFromBars(uint32_t bars) noexcept;

}  // namespace corvane
