#include "bar/StatusText.h"

#include "config/Language.h"

#include <algorithm>
#include <cmath>

namespace corvane {

std::wstring NetworkStatusLine(const StatusModel& status) {
    switch (status.networkKind) {
        case NetworkKind::Ethernet:
            return Tr(L"Ethernet: tilkoblet", L"Ethernet: connected");
        case NetworkKind::WiFi:
            return L"Wi-Fi: " + status.ssid + L" (" + std::to_wstring(status.wifiSignal) + L" %)";
        case NetworkKind::None:
        default:
            return Tr(L"Ikke tilkoblet", L"Not connected");
    }
}

std::wstring SoundStatusLine(const StatusModel& status) {
    if (!status.audioAvailable) {
        return {};
    }
    if (status.muted) {
        return Tr(L"\nLyd: dempet", L"\nSound: muted");
    }
    return std::wstring(Tr(L"\nLyd: ", L"\nSound: ")) +
           std::to_wstring(VolumePercent(status.volume)) + L" %";
}

std::wstring BatteryStatusLine(const StatusModel& status) {
    if (!status.hasBattery) {
        return {};
    }
    std::wstring line = std::wstring(Tr(L"\nBatteri: ", L"\nBattery: ")) +
                        std::to_wstring(status.batteryPercent) + L" %";
    if (status.charging) {
        line += Tr(L" (lader)", L" (charging)");
    }
    return line;
}

std::wstring StatusTooltipText(const StatusModel& status) {
    return NetworkStatusLine(status) + SoundStatusLine(status) + BatteryStatusLine(status) +
           Tr(L"\nRull for å endre volum", L"\nScroll to change volume");
}

int VolumePercent(float volume) noexcept {
    if (std::isnan(volume)) {
        return 0;
    }
    const double clamped = std::clamp(static_cast<double>(volume), 0.0, 1.0);
    return static_cast<int>(std::lround(clamped * 100.0));
}

}  // namespace corvane
