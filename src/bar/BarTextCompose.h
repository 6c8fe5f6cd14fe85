#pragma once
// The strings the bar shows besides the application's own: composed here so
// that their exact spacing does not depend on the Windows formatting calls.

#include <string>
#include <string_view>

namespace corvane {

// The date, three spaces and the time; only the time when the date is empty
// (an empty [Clock] DateFormat).
[[nodiscard]] std::wstring ComposeClockText(std::wstring_view date, std::wstring_view time);

// The Now Playing widget's label: the title, then a spaced dash and the
// artist when there is one.
[[nodiscard]] std::wstring ComposeNowPlayingText(std::wstring_view title, std::wstring_view artist);

}  // namespace corvane
