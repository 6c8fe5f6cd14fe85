#include "bar/StatusRules.h"

#include <algorithm>
#include <cmath>

namespace corvane {

void ApplyPowerReading(StatusModel& model, const PowerReading& reading) noexcept {
    const bool valid = reading.succeeded && reading.batteryFlag != kBatteryFlagUnknown &&
                       reading.batteryFlag != kBatteryFlagNoBattery &&
                       reading.batteryLifePercent <= 100;
    model.hasBattery = valid;
    if (!valid) {
        return;
    }
    model.batteryPercent = reading.batteryLifePercent;
    model.onAcPower = reading.acLineStatus == 1;
    model.charging = (model.batteryPercent < 100 && model.onAcPower) ||
                     (reading.batteryFlag & kBatteryFlagCharging) != 0;
}

float WheelVolumeDelta(int wheelDelta) noexcept {
    return static_cast<float>(wheelDelta) / 120.0f * 0.02f;
}

float SteppedVolume(float current, float delta) noexcept {
    const float next = current + delta;
    if (std::isnan(next)) {
        return std::isnan(current) ? 0.0f : std::clamp(current, 0.0f, 1.0f);
    }
    return std::clamp(next, 0.0f, 1.0f);
}

bool StepUnmutes(float delta, bool muted) noexcept {
    return muted && delta > 0.0f;
}

NetworkFacts NetworkFromAdapters(const std::vector<AdapterFacts>& adapters) noexcept {
    NetworkFacts facts;
    for (const AdapterFacts& adapter : adapters) {
        if (!adapter.up || !adapter.hasGateway) {
            continue;
        }
        if (adapter.ifType == kIfTypeIeee80211) {
            facts.kind = NetworkKind::WiFi;
            facts.signal = 100;
        } else if (adapter.ifType == kIfTypeEthernetCsmacd) {
            facts.kind = NetworkKind::Ethernet;
            break;
        }
    }
    return facts;
}

uint32_t AdapterRetryBufferBytes(uint32_t reportedBytes) noexcept {
    return std::max(reportedBytes, kAdapterRetryMinBytes);
}

int32_t SignalFromBars(uint32_t bars) noexcept {
    constexpr uint32_t kMostBars = 5;
    return static_cast<int32_t>(std::min(bars, kMostBars) * 100 / kMostBars);
}

}  // namespace corvane
