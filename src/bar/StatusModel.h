#pragma once
// What the bar's status cluster shows: network, sound and battery as plain
// values. The system status sources fill it on the GUI thread; painting,
// tooltips and layout only read it.

#include <cstdint>
#include <string>

namespace corvane {

enum class NetworkKind : int32_t { None = 0, WiFi = 1, Ethernet = 2 };

struct StatusModel {
    bool audioAvailable = false;  // a default render endpoint is bound
    float volume = 0.0f;          // master volume scalar, 0..1
    bool muted = false;
    NetworkKind networkKind = NetworkKind::None;
    int32_t wifiSignal = 0;  // percent, 0..100
    std::wstring ssid;       // empty without a Wi-Fi connection or without the WLAN service
    bool hasBattery = false;
    int32_t batteryPercent = 0;  // 0..100
    bool charging = false;
    bool onAcPower = true;
};

}  // namespace corvane
