#include "bar/StatusGlyphs.h"
#include "bar/StatusRules.h"
#include "config/Language.h"
#include "bar/StatusText.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>
#include <utility>

namespace corvane {
namespace {

PowerReading Power(uint8_t ac, uint8_t flag, uint8_t percent) {
    return PowerReading{true, ac, flag, percent};
}

TEST(ApplyPowerReading, ValidReadingsSetTheBatteryInvalidOnesOnlyHideIt) {
    // The reading; has a battery, percent, on AC, charging. Every row starts from a battery at
    // 37 %, on battery power, not charging.
    const std::tuple<const char*, PowerReading, bool, int, bool, bool> rows[] = {
        {"on battery", Power(0, 2, 63), true, 63, false, false},
        {"on AC below full is charging", Power(1, 1, 99), true, 99, true, true},
        {"on AC and full is not charging", Power(1, 1, 100), true, 100, true, false},
        {"charging bit when full", Power(1, 1 | kBatteryFlagCharging, 100), true, 100, true, true},
        {"charging bit on battery", Power(0, kBatteryFlagCharging, 40), true, 40, false, true},
        {"unknown line status is not AC", Power(255, 0, 40), true, 40, false, false},
        {"empty", Power(0, 4, 0), true, 0, false, false},
        {"the call failed", PowerReading{false, 1, 8, 50}, false, 37, false, false},
        {"no system battery", Power(1, kBatteryFlagNoBattery, 50), false, 37, false, false},
        {"status unknown", Power(1, kBatteryFlagUnknown, 50), false, 37, false, false},
        {"percentage out of range", Power(1, 8, 101), false, 37, false, false},
    };
    for (const auto& [name, reading, hasBattery, percent, onAc, charging] : rows) {
        StatusModel m;
        ApplyPowerReading(m, Power(0, 2, 37));
        ApplyPowerReading(m, reading);
        EXPECT_EQ(std::tuple(m.hasBattery, m.batteryPercent, m.onAcPower, m.charging),
                  std::tuple(hasBattery, percent, onAc, charging))
            << name;
    }
    // A desktop's fresh record keeps assuming mains power.
    StatusModel desktop;
    ApplyPowerReading(desktop, Power(0, kBatteryFlagNoBattery, 255));
    EXPECT_TRUE(desktop.onAcPower);
    EXPECT_FALSE(desktop.charging);
}

TEST(VolumeStep, WheelNotchesMoveTwoPercentWithinZeroAndOne) {
    // Volume, wheel delta; the volume after. 30 is a high-resolution wheel's partial notch.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::tuple<float, int, float> rows[] = {
        {0.5f, 120, 0.52f}, {0.5f, -120, 0.48f}, {0.5f, 360, 0.56f}, {0.5f, 0, 0.5f},
        {0.5f, 30, 0.505f}, {0.99f, 120, 1.0f},  {1.0f, 120, 1.0f},  {0.01f, -120, 0.0f},
        {0.0f, -120, 0.0f}, {nan, 120, 0.0f}};
    for (const auto& [current, wheel, expected] : rows) {
        EXPECT_NEAR(SteppedVolume(current, WheelVolumeDelta(wheel)), expected, 1e-6f)
            << current << " + " << wheel;
    }
    EXPECT_FLOAT_EQ(SteppedVolume(0.4f, nan), 0.4f);
    // Only raising the volume of a muted device unmutes it.
    EXPECT_EQ(std::tuple(StepUnmutes(0.02f, true), StepUnmutes(-0.02f, true),
                         StepUnmutes(0.0f, true), StepUnmutes(0.02f, false)),
              std::tuple(true, false, false, false));
}

TEST(NetworkFromAdapters, EthernetWinsThenWifiAmongAdaptersThatAreUpWithAGateway) {
    const uint32_t wired = kIfTypeEthernetCsmacd;
    const uint32_t radio = kIfTypeIeee80211;
    const auto up = [](uint32_t type) { return AdapterFacts{true, true, type}; };
    const auto down = [](uint32_t type) { return AdapterFacts{false, true, type}; };
    const auto noRoute = [](uint32_t type) { return AdapterFacts{true, false, type}; };
    const AdapterFacts loopback = up(24);
    const AdapterFacts tunnel = up(131);
    const std::tuple<const char*, std::vector<AdapterFacts>, NetworkKind> rows[] = {
        {"no adapters", {}, NetworkKind::None},
        {"nothing usable",
         {down(wired), noRoute(wired), down(radio), noRoute(radio), loopback, tunnel},
         NetworkKind::None},
        {"wifi alone", {loopback, up(radio)}, NetworkKind::WiFi},
        {"ethernet after wifi", {up(radio), up(wired)}, NetworkKind::Ethernet},
        {"ethernet before wifi", {up(wired), up(radio)}, NetworkKind::Ethernet},
        {"ethernet without a route out", {noRoute(wired), up(radio)}, NetworkKind::WiFi},
    };
    for (const auto& [name, adapters, kind] : rows) {
        SCOPED_TRACE(name);
        const NetworkFacts facts = NetworkFromAdapters(adapters);
        EXPECT_EQ(facts.kind, kind);
        // Found by the adapter walk alone, Wi-Fi counts as full signal.
        if (kind != NetworkKind::Ethernet) {
            EXPECT_EQ(facts.signal, kind == NetworkKind::WiFi ? 100 : 0);
        }
    }
    // Sizes and signal bars from the system are bounded.
    EXPECT_EQ(AdapterRetryBufferBytes(0), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(20000), 32768u);
    EXPECT_EQ(AdapterRetryBufferBytes(50000), 50000u);
    const std::pair<uint32_t, int32_t> bars[] = {{0, 0}, {3, 60}, {5, 100}, {255, 100}};
    for (const auto& [count, percent] : bars) {
        EXPECT_EQ(SignalFromBars(count), percent) << count;
    }
}

constexpr StatusColour P = StatusColour::Primary;
constexpr StatusColour S = StatusColour::Secondary;
constexpr StatusColour Red = StatusColour::Negative;
constexpr StatusColour Green = StatusColour::Positive;

TEST(StatusGlyphs, NetworkAndSoundGlyphsFollowTheirBands) {
    using enum NetworkKind;
    const wchar_t fan = kGlyphWifi;
    const wchar_t plug = kGlyphEthernet;
    // Kind, signal; glyph, colour, alpha, lit radius (0: the whole fan at alpha). Not connected
    // stays grey whatever signal is left over.
    const std::tuple<NetworkKind, int, wchar_t, StatusColour, float, float> rows[] = {
        {None, 90, fan, S, 1, 0},        {Ethernet, 100, plug, P, 1, 0},
        {WiFi, 75, fan, P, 1, 0},        {WiFi, 74, fan, P, .35f, 9.36f},
        {WiFi, 50, fan, P, .35f, 9.36f}, {WiFi, 49, fan, P, .35f, 6.24f},
        {WiFi, 25, fan, P, .35f, 6.24f}, {WiFi, 24, fan, P, .35f, 3.38f}};
    for (const auto& [kind, signal, glyph, colour, alpha, litRadius] : rows) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(kind) << " at " << signal);
        const NetworkGlyph g = ChooseNetworkGlyph(kind, signal);
        EXPECT_EQ(std::pair(g.glyph, g.colour), std::pair(glyph, colour));
        EXPECT_FLOAT_EQ(g.alpha, alpha);
        EXPECT_FLOAT_EQ(g.litRadius, litRadius);
    }

    // The sound glyph follows the device, mute and the volume band.
    // Device, muted, volume; glyph, colour.
    const wchar_t mute = kGlyphMute;
    const wchar_t none = kGlyphVolumeSilent;
    const wchar_t low = kGlyphVolumeLow;
    const wchar_t mid = kGlyphVolumeMid;
    const wchar_t high = kGlyphVolumeHigh;
    const std::tuple<bool, bool, float, wchar_t, StatusColour> sounds[] = {
        {false, false, 0.5f, mute, S},  {false, true, 0.5f, mute, S},
        {true, true, 0.0f, mute, P},    {true, false, 0.001f, none, P},
        {true, false, 0.0011f, low, P}, {true, false, 0.339f, low, P},
        {true, false, 0.34f, mid, P},   {true, false, 0.669f, mid, P},
        {true, false, 0.67f, high, P}};
    for (const auto& [device, muted, volume, glyph, colour] : sounds) {
        const SoundGlyph s = ChooseSoundGlyph(device, muted, volume);
        EXPECT_EQ(std::pair(static_cast<int>(s.glyph), s.colour),
                  std::pair(static_cast<int>(glyph), colour))
            << device << muted << " at " << volume;
    }
}

TEST(StatusGlyphs, BatteryGaugeFillsFromASliverWarnsBelow21PercentAndStaysInItsSlot) {
    // Percent, charging; the fill's width (of 15 points, at least 1.5) and colour.
    const std::tuple<int, bool, float, StatusColour> rows[] = {
        {15, true, 2.25f, Green}, {20, false, 3.0f, Red},  {21, false, 3.15f, P},
        {10, false, 1.5f, Red},   {11, false, 1.65f, Red}, {180, false, 15.0f, P},
        {-4, false, 1.5f, Red}};
    for (const auto& [percent, charging, fillWidth, fill] : rows) {
        SCOPED_TRACE(testing::Message() << percent << "% charging " << charging);
        const BatteryGauge g = ChooseBatteryGauge(true, percent, charging);
        EXPECT_FLOAT_EQ(g.fillWidth, fillWidth);
        // A bolt while charging.
        EXPECT_EQ(std::tuple(g.visible, g.fillColour, g.bolt), std::tuple(true, fill, charging));
    }
    const BatteryGauge none = ChooseBatteryGauge(false, 80, true);
    EXPECT_FALSE(none.visible || none.bolt);

    // The shapes stay in their slot and the charge in the body.
    // Centred in the battery slot of a cluster at x = 0.
    const float cx = (kBatterySlotLeft + kBatterySlotRight) / 2;
    for (int percent = -10; percent <= 110; ++percent) {
        const BatteryShapes s = LayoutBattery(cx, 14.0f, ChooseBatteryGauge(true, percent, true));
        SCOPED_TRACE(percent);
        EXPECT_GT(s.charge.left, s.body.left);
        EXPECT_LT(s.charge.right, s.body.right);
        EXPECT_GT(s.charge.top, s.body.top);
        EXPECT_LT(s.charge.bottom, s.body.bottom);
        EXPECT_GT(s.charge.right, s.charge.left);
        EXPECT_GE(s.body.left, kBatterySlotLeft);
        EXPECT_GT(s.terminal.left, s.body.right);
        EXPECT_LE(s.terminal.right, kBatterySlotRight);
        for (const StatusPoint& p : s.bolt) {
            EXPECT_GE(p.x, s.body.left);
            EXPECT_LE(p.x, s.body.right);
        }
    }
}

// Through the record overloads, so each field they read is a row.
TEST(StatusLooksSame, OnlyWhatTheClusterDrawsCounts) {
    StatusModel base;
    base.audioAvailable = true;
    base.volume = 0.5f;
    base.networkKind = NetworkKind::WiFi;
    base.wifiSignal = 60;
    base.ssid = L"home";
    base.hasBattery = true;
    base.batteryPercent = 55;
    // The change; whether it looks the same.
    const std::tuple<const char*, void (*)(StatusModel&), bool> rows[] = {
        {"volume within its band", [](StatusModel& m) { m.volume = 0.52f; }, true},
        {"another network name", [](StatusModel& m) { m.ssid = L"work"; }, true},
        {"muted", [](StatusModel& m) { m.muted = true; }, false},
        {"volume to zero", [](StatusModel& m) { m.volume = 0.0f; }, false},
        {"signal into another band", [](StatusModel& m) { m.wifiSignal = 5; }, false},
        {"cable instead of radio", [](StatusModel& m) { m.networkKind = NetworkKind::Ethernet; },
         false},
        {"charging", [](StatusModel& m) { m.charging = true; }, false},
        {"battery nearly empty", [](StatusModel& m) { m.batteryPercent = 5; }, false},
        {"battery gone", [](StatusModel& m) { m.hasBattery = false; }, false},
    };
    for (const auto& [change, apply, same] : rows) {
        StatusModel changed = base;
        apply(changed);
        EXPECT_EQ(std::pair(StatusLooksSame(base, changed), StatusLooksSame(changed, base)),
                  std::pair(same, same))
            << change;
    }
}

TEST(StatusText, TooltipHasALineForEachPartAndAVolumePercentInRange) {
    const bool saved = IsNorwegian();
    SetNorwegian(false);
    using enum NetworkKind;
    // Sound device, volume, muted; network, signal, its name; battery, percent, charging.
    const std::pair<StatusModel, const wchar_t*> rows[] = {
        {{false, 0.5f, true, None, 0, L"", false, 80, true},
         L"Not connected\nScroll to change volume"},
        {{true, 0.337f, false, Ethernet, 0, L""},
         L"Ethernet: connected\nSound: 34 %\nScroll to change volume"},
        {{true, 0.5f, true, WiFi, 62, L"Kaffebar Ø"},
         L"Wi-Fi: Kaffebar Ø (62 %)\nSound: muted\nScroll to change volume"},
        {{true, 0.25f, false, WiFi, 100, L"", true, 15, true},
         L"Wi-Fi:  (100 %)\nSound: 25 %\nBattery: 15 % (charging)\nScroll to change volume"},
        {{false, 0, false, Ethernet, 0, L"", true, 100, false},
         L"Ethernet: connected\nBattery: 100 %\nScroll to change volume"},
    };
    for (const auto& [model, text] : rows) {
        EXPECT_EQ(StatusTooltipText(model), text);
    }
    SetNorwegian(true);
    EXPECT_EQ(StatusTooltipText(rows[3].first),
              L"Wi-Fi:  (100 %)\nLyd: 25 %\nBatteri: 15 % (lader)\nRull for å endre volum");
    SetNorwegian(saved);

    // The volume percent rounds and stays in range.
    const std::pair<float, int> volumes[] = {
        {0.0f, 0},    {0.004f, 0},   {0.006f, 1},
        {0.333f, 33}, {0.995f, 100}, {1.0f, 100},
        {1.5f, 100},  {-0.2f, 0},    {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& [volume, percent] : volumes) {
        EXPECT_EQ(VolumePercent(volume), percent) << volume;
    }
}

}  // namespace
}  // namespace corvane
