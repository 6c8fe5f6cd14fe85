#include "toolkit/AccessibilityPrefs.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

float Channel(uint32_t colorRef, int shift) noexcept {
    return static_cast<float>((colorRef >> shift) & 0xFFu) / 255.0f;
}

float Luminance(const ColorF& c) noexcept {
    return 0.2126f * c.r + 0.7152f * c.g + 0.0722f * c.b;
}

void UseSystemColors(Theme& theme, const SystemColors& colors) noexcept {
    theme.surface = FromColorRef(colors.window);
    theme.text = FromColorRef(colors.windowText);
    theme.secondaryText = FromColorRef(colors.grayText);
    // Hover and selection are the system's highlight with its own text
    // colour over it; a pressed control shows the button face.
    theme.hoverFill = FromColorRef(colors.highlight);
    theme.pressedFill = FromColorRef(colors.buttonFace);
    theme.selectedText = FromColorRef(colors.highlightText);
    theme.accent = theme.hoverFill;
    // Borders must stand out from the background as much as the text does.
    theme.hairline = theme.text;
    theme.positive = theme.accent;
    theme.negative = FromColorRef(colors.hotLight);
    // The system-drawn parts (menus, frames) follow a dark or light window.
    theme.dark = Luminance(theme.surface) < 0.5f;
    theme.glass = false;
    theme.highContrast = true;
}

}  // namespace

uint32_t TextScalePercent(std::optional<uint32_t> registryValue) noexcept {
    return std::clamp(registryValue.value_or(kMinTextScalePercent), kMinTextScalePercent,
                      kMaxTextScalePercent);
}

ColorF FromColorRef(uint32_t colorRef) noexcept {
    return ColorF{Channel(colorRef, 0), Channel(colorRef, 8), Channel(colorRef, 16), 1.0f};
}

Theme WithAccessibility(Theme theme, const AccessibilityPrefs& prefs) noexcept {
    if (prefs.highContrast) {
        UseSystemColors(theme, prefs.colors);
    }
    theme.textScale = static_cast<float>(TextScalePercent(prefs.textScalePercent)) / 100.0f;
    theme.animate = prefs.animate;
    return theme;
}

int32_t TextScaledPoints(int32_t points, float textScale) noexcept {
    return static_cast<int32_t>(std::lround(static_cast<float>(points) * textScale));
}

}  // namespace corvane
