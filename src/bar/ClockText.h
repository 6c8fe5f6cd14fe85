#pragma once

#include <string>

namespace corvane {

// Today's date in the picture dateFormat and the current time in the user's
// locale (seconds only when showSeconds), joined for the bar's clock. A part
// that Windows cannot format is left empty.
[[nodiscard]] std::wstring FormatClockText(const std::wstring& dateFormat, bool showSeconds);

}  // namespace corvane
