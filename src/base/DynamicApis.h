#pragma once
// The one home of everything the system headers or import libraries do not
// give us: functions looked up at run time (undocumented, by ordinal, or too
// new for every system) and Windows 10/11 constants that older SDK headers
// (mingw-w64 10) lack. Each function is looked up once; null means the
// system does not have it and the feature that needs it is simply absent.

#include <windows.h>
#include <wtypes.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace corvane {

// The export as a function pointer of type Fn, or null. The detour through a
// plain function-pointer type is the one conversion compilers accept without a
// cast-function-type warning.
template <typename Fn>
[[nodiscard]] Fn ProcAs(HMODULE module, const char* name) noexcept {
    if (module == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

// By ordinal: the low word of the "name" is the number.
template <typename Fn>
[[nodiscard]] Fn ProcAs(HMODULE module, WORD ordinal) noexcept {
    return ProcAs<Fn>(module, MAKEINTRESOURCEA(ordinal));
}

namespace dyn {

// user32!SetWindowCompositionAttribute (undocumented): the acrylic accent.
struct CompositionAttributeData {
    int32_t attribute;
    void* data;
    SIZE_T size;
};
using SetWindowCompositionAttributeFn = BOOL(WINAPI*)(HWND, CompositionAttributeData*);
[[nodiscard]] SetWindowCompositionAttributeFn SetWindowCompositionAttribute() noexcept;

// uxtheme ordinals 135 and 136: dark popup menus.
using SetPreferredAppModeFn = int(WINAPI*)(int mode);
using FlushMenuThemesFn = void(WINAPI*)();
[[nodiscard]] SetPreferredAppModeFn SetPreferredAppMode() noexcept;
[[nodiscard]] FlushMenuThemesFn FlushMenuThemes() noexcept;

// kernel32!GetApplicationUserModelId: older systems and some compatibility
// layers lack it.
using GetApplicationUserModelIdFn = LONG(WINAPI*)(HANDLE, UINT32*, PWSTR);
[[nodiscard]] GetApplicationUserModelIdFn GetApplicationUserModelId() noexcept;

// powrprof!SetSuspendState: loaded when first asked for, so that the program
// does not load the power library at start-up for a command rarely used.
using SetSuspendStateFn = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN noWake);
[[nodiscard]] SetSuspendStateFn SetSuspendState() noexcept;

}  // namespace dyn

namespace sdk {

// DwmSetWindowAttribute attributes.
inline constexpr DWORD kDwmwaExcludedFromPeek = 12;
inline constexpr DWORD kDwmwaUseImmersiveDarkMode = 20;
inline constexpr DWORD kDwmwaWindowCornerPreference = 33;
inline constexpr DWORD kDwmwaBorderColor = 34;
inline constexpr DWORD kDwmwaSystemBackdropType = 38;

// Values of kDwmwaWindowCornerPreference.
inline constexpr DWORD kDwmwcpDoNotRound = 1;
inline constexpr DWORD kDwmwcpRound = 2;

// Values of kDwmwaBorderColor.
inline constexpr DWORD kDwmwaColorDefault = 0xFFFFFFFF;
inline constexpr DWORD kDwmwaColorNone = 0xFFFFFFFE;

// WLAN_NOTIFICATION_MSM codes.
inline constexpr DWORD kMsmConnected = 4;
inline constexpr DWORD kMsmRoamingEnd = 6;
inline constexpr DWORD kMsmRadioStateChange = 7;
inline constexpr DWORD kMsmSignalQualityChange = 8;
inline constexpr DWORD kMsmDisconnected = 10;
inline constexpr DWORD kMsmAdapterRemoval = 13;

// WICBitmapInterpolationMode value (Windows 10).
inline constexpr int kWicInterpolationHighQualityCubic = 4;

// PKEY_Link_TargetParsingPath (propkey.h): where a shortcut item points.
inline constexpr PROPERTYKEY kLinkTargetParsingPath = {
    {0xB9B4B3FC, 0x2B51, 0x4A42, {0xB5, 0xD8, 0x32, 0x41, 0x46, 0xAF, 0xCF, 0x25}}, 2};

// GUID_POWER_SAVING_STATUS (winnt.h, Windows 10): battery saver switched on
// or off; the notification's data is a DWORD, 1 while it is on.
inline constexpr GUID kPowerSavingStatus = {
    0xE00958C0, 0xC213, 0x4ACE, {0xAC, 0x77, 0xFE, 0xCC, 0xED, 0x2E, 0xEE, 0xA5}};

// SYSTEM_POWER_STATUS's battery saver flag (SystemStatusFlag, named
// Reserved1 in older headers): the byte after BatteryLifePercent.
[[nodiscard]] inline BYTE BatterySaverFlag(const SYSTEM_POWER_STATUS& status) noexcept {
    BYTE flag = 0;
    static_assert(sizeof(SYSTEM_POWER_STATUS) >
                  offsetof(SYSTEM_POWER_STATUS, BatteryLifePercent) + 1);
    std::memcpy(&flag,
                reinterpret_cast<const BYTE*>(&status) +
                    offsetof(SYSTEM_POWER_STATUS, BatteryLifePercent) + 1,
                1);
    return flag;
}

}  // namespace sdk
}  // namespace corvane
