#include "bar/StatusText.h"

#include "config/Texts.h"

#include <algorithm>
#include <cmath>

namespace corvane {

std::wstring NetworkStatusLine(const StatusModel& status) {
    switch (status.networkKind) {
        case NetworkKind::Ethernet:
            return Text(TextId::EthernetConnected);
        case NetworkKind::WiFi:
            return L"Wi-Fi: " + status.ssid + L" (" + std::to_wstring(status.wifiSignal) + L" %)";
        case NetworkKind::None:
        default:
            return Text(TextId::NotConnected);
    }
}

std::wstring SoundStatusLine(const StatusModel& status) {
    if (!status.audioAvailable) {
        return {};
    }
    if (status.muted) {
        return Text(TextId::SoundMutedLine);
    }
    return std::wstring(Text(TextId::SoundLine)) + std::to_wstring(VolumePercent(status.volume)) +
           L" %";
}

std::wstring BatteryStatusLine(const StatusModel& status) {
    if (!status.hasBattery) {
        return {};
    }
    std::wstring line =
        std::wstring(Text(TextId::BatteryLine)) + std::to_wstring(status.batteryPercent) + L" %";
    if (status.charging) {
        line += Text(TextId::Charging);
    }
    return line;
}

std::wstring StatusTooltipText(const StatusModel& status) {
    return NetworkStatusLine(status) + SoundStatusLine(status) + BatteryStatusLine(status) +
           Text(TextId::ScrollForVolumeLine);
}

int VolumePercent(float volume) noexcept {
    if (std::isnan(volume)) {
        return 0;
    }
    const double clamped = std::clamp(static_cast<double>(volume), 0.0, 1.0);
    return static_cast<int>(std::lround(clamped * 100.0));
}

}  // namespace corvane
