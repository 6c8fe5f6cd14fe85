#include "config/Language.h"
#include "bar/StatusText.h"

#include <gtest/gtest.h>

#include <limits>

namespace corvane {
namespace {

StatusModel Model(NetworkKind kind, const wchar_t* ssid, int32_t signal) {
    StatusModel m;
    m.networkKind = kind;
    m.ssid = ssid;
    m.wifiSignal = signal;
    return m;
}
StatusModel Sound(StatusModel m, bool device, bool muted, float volume) {
    m.audioAvailable = device;
    m.muted = muted;
    m.volume = volume;
    return m;
}
StatusModel Battery(StatusModel m, bool present, int32_t percent, bool charging) {
    m.hasBattery = present;
    m.batteryPercent = percent;
    m.charging = charging;
    return m;
}

TEST(StatusText, TooltipHasALineForEachPartInBothLanguages) {
    const bool saved = IsNorwegian();
    struct Row {
        StatusModel model;
        const wchar_t* english;
        const wchar_t* norwegian;
    };
    const StatusModel none = Model(NetworkKind::None, L"", 0);
    const StatusModel ethernet = Model(NetworkKind::Ethernet, L"", 0);
    const Row rows[] = {
        {Battery(Sound(none, false, true, 0.5f), false, 80, true),
         L"Not connected\nScroll to change volume", L"Ikke tilkoblet\nRull for å endre volum"},
        {Sound(ethernet, true, false, 0.337f),
         L"Ethernet: connected\nSound: 34 %\nScroll to change volume",
         L"Ethernet: tilkoblet\nLyd: 34 %\nRull for å endre volum"},
        {Sound(Model(NetworkKind::WiFi, L"Kaffebar Ø", 62), true, true, 0.5f),
         L"Wi-Fi: Kaffebar Ø (62 %)\nSound: muted\nScroll to change volume",
         L"Wi-Fi: Kaffebar Ø (62 %)\nLyd: dempet\nRull for å endre volum"},
        {Battery(Sound(Model(NetworkKind::WiFi, L"", 100), true, false, 0.25f), true, 15, true),
         L"Wi-Fi:  (100 %)\nSound: 25 %\nBattery: 15 % (charging)\nScroll to change volume",
         L"Wi-Fi:  (100 %)\nLyd: 25 %\nBatteri: 15 % (lader)\nRull for å endre volum"},
        {Battery(ethernet, true, 100, false),
         L"Ethernet: connected\nBattery: 100 %\nScroll to change volume",
         L"Ethernet: tilkoblet\nBatteri: 100 %\nRull for å endre volum"},
    };
    for (const Row& r : rows) {
        SetNorwegian(false);
        EXPECT_EQ(StatusTooltipText(r.model), r.english);
        SetNorwegian(true);
        EXPECT_EQ(StatusTooltipText(r.model), r.norwegian);
    }
    SetNorwegian(saved);
}

TEST(StatusText, VolumePercentRoundsAndStaysInRange) {
    struct Row {
        float volume;
        int percent;
    };
    const Row rows[] = {{0.0f, 0},    {0.004f, 0},   {0.006f, 1},
                        {0.333f, 33}, {0.995f, 100}, {1.0f, 100},
                        {1.5f, 100},  {-0.2f, 0},    {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const Row& r : rows) {
        EXPECT_EQ(VolumePercent(r.volume), r.percent) << r.volume;
    }
}

}  // namespace
}  // namespace corvane
