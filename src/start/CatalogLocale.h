#pragma once
// The user's locale as the catalog and the letter index need it.

#include "start/LetterRows.h"

#include <string_view>

namespace corvane {

// CompareStringEx with the user's locale, ignoring case, digits as numbers:
// < 0, 0, > 0.
[[nodiscard]] int CompareNames(std::wstring_view a, std::wstring_view b) noexcept;

// CompareStringEx against "Z" and FoldStringW with MAP_COMPOSITE.
[[nodiscard]] const LetterLocale& UserLetterLocale();

}  // namespace corvane
