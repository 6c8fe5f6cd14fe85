#include "bar/StatusGlyphs.h"

#include <algorithm>

namespace corvane {

NetworkGlyph ChooseNetworkGlyph(NetworkKind kind, int32_t wifiSignal) noexcept {
    switch (kind) {
        case NetworkKind::Ethernet:
            return {kGlyphEthernet, StatusColour::Primary, 1.0f, 0.0f};
        case NetworkKind::WiFi:
            if (wifiSignal >= 75) {
                return {kGlyphWifi, StatusColour::Primary, 1.0f, 0.0f};
            }
            if (wifiSignal >= 50) {
                return {kGlyphWifi, StatusColour::Primary, kWeakWifiAlpha, 9.36f};
            }
            if (wifiSignal >= 25) {
                return {kGlyphWifi, StatusColour::Primary, kWeakWifiAlpha, 6.24f};
            }
            return {kGlyphWifi, StatusColour::Primary, kWeakWifiAlpha, 3.38f};
        case NetworkKind::None:
        default:
            return {kGlyphWifi, StatusColour::Secondary, 1.0f, 0.0f};
    }
}

SoundGlyph ChooseSoundGlyph(bool audioAvailable, bool muted, float volume) noexcept {
    if (!audioAvailable) {
        return {kGlyphMute, StatusColour::Secondary};
    }
    if (muted) {
        return {kGlyphMute, StatusColour::Primary};
    }
    if (volume <= 0.001f) {
        return {kGlyphVolumeSilent, StatusColour::Primary};
    }
    if (volume < 0.34f) {
        return {kGlyphVolumeLow, StatusColour::Primary};
    }
    if (volume < 0.67f) {
        return {kGlyphVolumeMid, StatusColour::Primary};
    }
    return {kGlyphVolumeHigh, StatusColour::Primary};
}

BatteryGauge ChooseBatteryGauge(bool hasBattery, int32_t percent, bool charging) noexcept {
    BatteryGauge gauge;
    if (!hasBattery) {
        return gauge;
    }
    gauge.visible = true;
    const int32_t level = std::clamp(percent, 0, 100);
    gauge.fillWidth = std::max(15.0f * static_cast<float>(level) / 100.0f, 1.5f);
    if (charging) {
        gauge.fillColour = StatusColour::Positive;
    } else if (percent < 21) {
        gauge.fillColour = StatusColour::Negative;
    } else {
        gauge.fillColour = StatusColour::Primary;
    }
    gauge.bolt = charging;
    return gauge;
}

NetworkGlyph ChooseNetworkGlyph(const StatusModel& status) noexcept {
    return ChooseNetworkGlyph(status.networkKind, status.wifiSignal);
}

SoundGlyph ChooseSoundGlyph(const StatusModel& status) noexcept {
    return ChooseSoundGlyph(status.audioAvailable, status.muted, status.volume);
}

BatteryGauge ChooseBatteryGauge(const StatusModel& status) noexcept {
    return ChooseBatteryGauge(status.hasBattery, status.batteryPercent, status.charging);
}

BatteryShapes LayoutBattery(float cx, float cy, const BatteryGauge& gauge) noexcept {
    BatteryShapes s;
    s.body = {cx - 10.0f, cy - 5.0f, cx + 8.0f, cy + 5.0f, 2.5f};
    s.terminal = {cx + 9.0f, cy - 2.0f, cx + 10.5f, cy + 2.0f, 0.7f};
    s.charge = {cx - 8.5f, cy - 3.5f, cx - 8.5f + gauge.fillWidth, cy + 3.5f, 1.2f};
    s.bolt = {{{cx + 0.5f, cy - 6.0f},
               {cx - 3.5f, cy + 0.8f},
               {cx - 1.2f, cy + 0.8f},
               {cx - 2.5f, cy + 6.0f},
               {cx + 1.5f, cy - 0.8f},
               {cx - 0.8f, cy - 0.8f}}};
    return s;
}

float BoltGrey(bool darkTheme) noexcept {
    return darkTheme ? 0.08f : 1.0f;
}

bool StatusLooksSame(const StatusModel& a, const StatusModel& b) noexcept {
    return a.hasBattery == b.hasBattery && ChooseNetworkGlyph(a) == ChooseNetworkGlyph(b) &&
           ChooseSoundGlyph(a) == ChooseSoundGlyph(b) &&
           ChooseBatteryGauge(a) == ChooseBatteryGauge(b);
}

}  // namespace corvane
