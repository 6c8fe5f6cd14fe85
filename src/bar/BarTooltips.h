#pragma once
// Tooltip texts of the bar's items that are not looked up from the system.

#include <string>
#include <string_view>

namespace corvane {

// "Tiling: on/off" and how to use the button, in the current language.
[[nodiscard]] std::wstring TilingTooltipText(bool on);

// Title, artist and album on their own lines (when present), then the hint.
[[nodiscard]] std::wstring NowPlayingTooltipText(std::wstring_view title, std::wstring_view artist,
                                                 std::wstring_view album);

}  // namespace corvane
