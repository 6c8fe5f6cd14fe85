#pragma once
// Windows' accessibility preferences every surface follows: a high-contrast
// theme, the text size and the animation effects. Portable: the system's
// values arrive as plain numbers, and the theme carries the result to every
// painter.

#include "toolkit/Theme.h"

#include <cstdint>
#include <optional>

namespace corvane {

// COLORREF values (0x00BBGGRR) of the system colours a high-contrast theme
// sets; the defaults are Windows' own for its classic scheme.
struct SystemColors {
    uint32_t window = 0xFFFFFF;         // COLOR_WINDOW
    uint32_t windowText = 0x000000;     // COLOR_WINDOWTEXT
    uint32_t highlight = 0xD77800;      // COLOR_HIGHLIGHT
    uint32_t highlightText = 0xFFFFFF;  // COLOR_HIGHLIGHTTEXT
    uint32_t buttonFace = 0xF0F0F0;     // COLOR_BTNFACE
    uint32_t grayText = 0x6D6D6D;       // COLOR_GRAYTEXT
    uint32_t hotLight = 0xCC6600;       // COLOR_HOTLIGHT
};

// Windows' Text size (TextScaleFactor) runs from 100 to 225 percent.
inline constexpr uint32_t kMinTextScalePercent = 100;
inline constexpr uint32_t kMaxTextScalePercent = 225;

struct AccessibilityPrefs {
    bool highContrast = false;  // HCF_HIGHCONTRASTON
    SystemColors colors;
    uint32_t textScalePercent = kMinTextScalePercent;
    bool animate = true;  // SPI_GETCLIENTAREAANIMATION
};

// The registry's TextScaleFactor: 100 when missing, held to 100..225.
[[nodiscard]] uint32_t TextScalePercent(std::optional<uint32_t> registryValue) noexcept;

[[nodiscard]] ColorF FromColorRef(uint32_t colorRef) noexcept;

// The theme with the preferences applied: in high contrast the palette is
// made of the system colours and nothing is glass.
[[nodiscard]] Theme WithAccessibility(Theme theme, const AccessibilityPrefs& prefs) noexcept;

// A size in points that holds text, grown with the text scale and rounded
// to whole points so that layouts stay on the same grid.
[[nodiscard]] int32_t TextScaledPoints(int32_t points, float textScale) noexcept;

}  // namespace corvane
