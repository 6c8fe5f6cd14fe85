#pragma once
// Windows 10/11 names that older SDK headers (mingw-w64 10) lack. They are
// given as constants of our own, so they never clash with an SDK that has them.

#include <windows.h>

namespace corvane::sdk {

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

// WICBitmapInterpolationMode value (Windows 10).
inline constexpr int kWicInterpolationHighQualityCubic = 4;

}  // namespace corvane::sdk
