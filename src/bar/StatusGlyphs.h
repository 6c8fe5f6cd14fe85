#pragma once
// What the status cluster draws for a given status: which glyph, in which
// palette colour, how much of the Wi-Fi fan is lit and how the battery is
// filled. Painting turns these answers into Direct2D calls; all lengths are
// points, relative to the cluster's left edge or the battery's centre.

#include "bar/StatusModel.h"

#include <array>
#include <cstdint>

namespace corvane {

// Palette entries of the theme by their number (1 = primary text).
enum class StatusColour : uint8_t { Primary = 1, Secondary = 2, Positive = 8, Negative = 9 };

// Code points of the icon font.
inline constexpr wchar_t kGlyphWifi = 0xE701;
inline constexpr wchar_t kGlyphEthernet = 0xE839;
inline constexpr wchar_t kGlyphMute = 0xE74F;
inline constexpr wchar_t kGlyphVolumeSilent = 0xE992;
inline constexpr wchar_t kGlyphVolumeLow = 0xE993;
inline constexpr wchar_t kGlyphVolumeMid = 0xE994;
inline constexpr wchar_t kGlyphVolumeHigh = 0xE995;

// Horizontal slots of the cluster, from its left edge.
inline constexpr float kNetworkSlotLeft = 6.0f;
inline constexpr float kNetworkSlotRight = 30.0f;
inline constexpr float kSoundSlotLeft = 30.0f;
inline constexpr float kSoundSlotRight = 54.0f;
inline constexpr float kBatterySlotLeft = 54.0f;
inline constexpr float kBatterySlotRight = 86.0f;

struct NetworkGlyph {
    wchar_t glyph = kGlyphWifi;
    StatusColour colour = StatusColour::Secondary;
    // Multiplies the colour's alpha for the glyph drawn first.
    float alpha = 1.0f;
    // When above zero, the glyph is drawn a second time in full colour
    // through a circular mask of this radius, which lights the inner part of
    // the fan.
    float litRadius = 0.0f;
    bool operator==(const NetworkGlyph&) const = default;
};

// The dimmed fan and its lit circle, for a weak Wi-Fi signal.
inline constexpr float kWeakWifiAlpha = 0.35f;
// The lit circle's centre lies this far below the centre of the glyph slot,
// where the fan's point is.
inline constexpr float kLitCircleDrop = 6.0f;

[[nodiscard]] NetworkGlyph ChooseNetworkGlyph(NetworkKind kind, int32_t wifiSignal) noexcept;

struct SoundGlyph {
    wchar_t glyph = kGlyphMute;
    StatusColour colour = StatusColour::Secondary;
    bool operator==(const SoundGlyph&) const = default;
};

[[nodiscard]] SoundGlyph ChooseSoundGlyph(bool audioAvailable, bool muted, float volume) noexcept;

struct BatteryGauge {
    bool visible = false;
    float fillWidth = 0.0f;
    StatusColour fillColour = StatusColour::Primary;
    bool bolt = false;
    bool operator==(const BatteryGauge&) const = default;
};

[[nodiscard]] BatteryGauge ChooseBatteryGauge(bool hasBattery, int32_t percent,
                                              bool charging) noexcept;

// Convenience over the whole record.
[[nodiscard]] NetworkGlyph ChooseNetworkGlyph(const StatusModel& status) noexcept;
[[nodiscard]] SoundGlyph ChooseSoundGlyph(const StatusModel& status) noexcept;
[[nodiscard]] BatteryGauge ChooseBatteryGauge(const StatusModel& status) noexcept;

// Whether the status cluster draws the same for both records. Sources report
// far more than it shows (every percent of signal or volume, background
// scans); the exact values are read when a tooltip opens, so only another
// glyph, colour or gauge is worth laying the bars out again.
[[nodiscard]] bool StatusLooksSame(const StatusModel& a, const StatusModel& b) noexcept;

struct StatusRoundRect {
    float left = 0;
    float top = 0;
    float right = 0;
    float bottom = 0;
    float radius = 0;
};

struct StatusPoint {
    float x = 0;
    float y = 0;
};

// The battery's outline and terminal are primary colour at this alpha.
inline constexpr float kBatteryOutlineAlpha = 0.8f;
inline constexpr float kBatteryOutlineStroke = 1.0f;

struct BatteryShapes {
    StatusRoundRect body;             // outlined
    StatusRoundRect terminal;         // filled
    StatusRoundRect charge;           // filled in the gauge's colour
    std::array<StatusPoint, 6> bolt;  // closed polygon, only drawn while charging
};

// The battery drawn around its centre (cx, cy).
[[nodiscard]] BatteryShapes LayoutBattery(float cx, float cy, const BatteryGauge& gauge) noexcept;

// The bolt is an opaque grey: almost black on the dark theme's light
// glyphs, white on the light theme's dark ones.
[[nodiscard]] float BoltGrey(bool darkTheme) noexcept;

}  // namespace corvane
