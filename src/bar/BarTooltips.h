#pragma once
// Tooltip texts of the bar's items that are not looked up from the system.

#include "tray/TrayIcon.h"

#include <string>
#include <string_view>

namespace corvane {

// A hosted icon's tooltip; none when a version 4 program draws its own and
// did not ask for the standard one.
[[nodiscard]] std::wstring TrayTooltipText(const TrayIcon& icon);

// "Tiling: on/off" and how to use the button, in the current language.
[[nodiscard]] std::wstring TilingTooltipText(bool on);

// Title, artist and album on their own lines (when present), then the hint.
[[nodiscard]] std::wstring NowPlayingTooltipText(std::wstring_view title, std::wstring_view artist,
                                                 std::wstring_view album);

}  // namespace corvane
