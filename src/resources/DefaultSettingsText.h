#pragma once

#include <string_view>

namespace corvane {

// The commented corvane.ini written when none exists; every line ends in CR LF.
[[nodiscard]] std::wstring_view DefaultSettingsText(bool norwegian) noexcept;

}  // namespace corvane
