#pragma once
// The font families for text and for icon glyphs, chosen once per process
// from the families the system has.

#include <string>

namespace corvane {

// "Segoe UI Variable Text", else "Segoe UI".
[[nodiscard]] const std::wstring& TextFontFamily();
// "Segoe Fluent Icons", else "Segoe MDL2 Assets".
[[nodiscard]] const std::wstring& IconFontFamily();

}  // namespace corvane
