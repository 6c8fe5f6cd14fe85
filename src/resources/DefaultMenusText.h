#pragma once

#include <string_view>

namespace corvane {

// The built-in menus.txt of one language: every line ends in a bare line
// feed (the file gets carriage returns when it is written).
[[nodiscard]] std::wstring_view DefaultMenusText(bool norwegian);

}  // namespace corvane
