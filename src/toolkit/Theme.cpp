#include "toolkit/Theme.h"

namespace corvane {
namespace {

ColorF AccentEntry(std::span<const uint8_t> palette, std::size_t entry) noexcept {
    const std::size_t at = entry * 4;
    return ColorF{palette[at] / 255.0f, palette[at + 1] / 255.0f, palette[at + 2] / 255.0f, 1.0f};
}

void UseLightPalette(Theme& theme) noexcept {
    theme.text = {0.0f, 0.0f, 0.0f, 0.90f};
    theme.selectedText = theme.text;
    theme.secondaryText = {0.0f, 0.0f, 0.0f, 0.45f};
    theme.hoverFill = {0.0f, 0.0f, 0.0f, 0.06f};
    theme.pressedFill = {0.0f, 0.0f, 0.0f, 0.035f};
    theme.hairline = {0.0f, 0.0f, 0.0f, 0.08f};
    theme.surface = {0.953f, 0.953f, 0.953f, 1.0f};
    theme.positive = {0.06f, 0.55f, 0.24f, 1.0f};
    theme.negative = {0.77f, 0.17f, 0.11f, 1.0f};
}

}  // namespace

Theme MakeTheme(uint32_t systemUsesLightTheme, std::span<const uint8_t> accentPalette) noexcept {
    Theme theme;
    theme.dark = systemUsesLightTheme == 0;
    if (accentPalette.size() >= kAccentPaletteBytes) {
        theme.accent =
            AccentEntry(accentPalette, theme.dark ? kDarkAccentEntry : kLightAccentEntry);
    }
    if (!theme.dark) {
        UseLightPalette(theme);
    }
    return theme;
}

}  // namespace corvane
