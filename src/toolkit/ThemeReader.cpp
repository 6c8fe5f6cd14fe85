#include "toolkit/ThemeReader.h"

#include "base/DynamicApis.h"
#include "toolkit/AccessibilityReader.h"
#include "toolkit/BackdropPlan.h"

#include <windows.h>

#include <array>
#include <cstdint>

namespace corvane {
namespace {

constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";
constexpr wchar_t kAccentKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Accent";

// A real palette is 32 bytes; a value too large for this buffer is not one.
constexpr DWORD kMaxAccentPaletteBytes = 1024;

uint32_t ReadPersonalizeValue(const wchar_t* name, uint32_t missing) noexcept {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegGetValueW(HKEY_CURRENT_USER, kPersonalizeKey, name, RRF_RT_REG_DWORD, nullptr, &value,
                       &size) != ERROR_SUCCESS) {
        return missing;
    }
    return value;
}

uint8_t ReadBatterySaverFlag() noexcept {
    SYSTEM_POWER_STATUS status = {};
    return ::GetSystemPowerStatus(&status) != FALSE ? sdk::BatterySaverFlag(status) : 0;
}

}  // namespace

Theme ReadTheme() noexcept {
    std::array<uint8_t, kMaxAccentPaletteBytes> palette = {};
    DWORD size = static_cast<DWORD>(palette.size());
    if (::RegGetValueW(HKEY_CURRENT_USER, kAccentKey, L"AccentPalette", RRF_RT_REG_BINARY, nullptr,
                       palette.data(), &size) != ERROR_SUCCESS) {
        size = 0;
    }
    Theme theme = MakeTheme(ReadPersonalizeValue(L"SystemUsesLightTheme", 0),
                            std::span<const uint8_t>(palette.data(), size));
    theme.glass =
        GlassAllowed(ReadPersonalizeValue(L"EnableTransparency", 1), ReadBatterySaverFlag());
    return WithAccessibility(theme, ReadAccessibilityPrefs());
}

}  // namespace corvane
