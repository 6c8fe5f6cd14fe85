#pragma once
// The palette every painter uses, for the dark and the light app theme.
// Portable: the registry values arrive as plain numbers and bytes.

#include <cstdint>
#include <span>

namespace corvane {

struct ColorF {
    float r;
    float g;
    float b;
    float a;
};

inline constexpr bool operator==(const ColorF& x, const ColorF& y) noexcept {
    return x.r == y.r && x.g == y.g && x.b == y.b && x.a == y.a;
}

// #60CDFF: the accent when the system offers none.
inline constexpr ColorF kDefaultAccent{0.376f, 0.804f, 1.0f, 1.0f};

// A default-constructed Theme is the dark one with the default accent, which
// is also what a system without the registry values gets.
struct Theme {
    bool dark = true;
    ColorF text{1.0f, 1.0f, 1.0f, 0.92f};
    ColorF secondaryText{1.0f, 1.0f, 1.0f, 0.55f};
    ColorF hoverFill{1.0f, 1.0f, 1.0f, 0.08f};
    ColorF pressedFill{1.0f, 1.0f, 1.0f, 0.05f};
    ColorF hairline{1.0f, 1.0f, 1.0f, 0.07f};
    ColorF surface{0.125f, 0.125f, 0.125f, 1.0f};
    ColorF accent = kDefaultAccent;
    ColorF positive{0.42f, 0.82f, 0.46f, 1.0f};
    ColorF negative{1.0f, 0.36f, 0.36f, 1.0f};
    // See-through surfaces allowed: Transparency effects on, battery saver
    // off (BackdropPlan's GlassAllowed), no high-contrast theme.
    bool glass = true;
    // Windows' accessibility preferences (AccessibilityPrefs.h).
    // A high-contrast theme is on: the colours are the system's, and every
    // fill is drawn solid (Opacity).
    bool highContrast = false;
    // Text on a hover or selection fill.
    ColorF selectedText{1.0f, 1.0f, 1.0f, 0.92f};
    // Windows' Text size, 1 to 2.25: labels and the heights holding them grow.
    float textScale = 1.0f;
    // Animation effects on; off, every movement lands at once.
    bool animate = true;
};

// The alpha a painter draws a theme colour with: what it asks for, but
// always solid in high contrast, where nothing may be faint or see-through.
[[nodiscard]] inline constexpr float Opacity(const Theme& theme, float alpha) noexcept {
    return theme.highContrast ? 1.0f : alpha;
}

// AccentPalette holds eight 4-byte entries (R, G, B, unused); anything shorter
// is not a palette.
inline constexpr std::size_t kAccentPaletteBytes = 32;
inline constexpr std::size_t kDarkAccentEntry = 1;
inline constexpr std::size_t kLightAccentEntry = 5;

// `systemUsesLightTheme` is the registry DWORD (0 when missing); an empty
// palette stands for a missing value.
[[nodiscard]] Theme MakeTheme(uint32_t systemUsesLightTheme,
                              std::span<const uint8_t> accentPalette) noexcept;

}  // namespace corvane
