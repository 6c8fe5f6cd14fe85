#pragma once
// The user's locale as the catalog and the letter index need it.

#include "start/LetterRows.h"

#include <string_view>

namespace corvane {

// CompareStringEx ignoring case, digits as numbers ("App 2" before
// "App 10"): < 0, 0, > 0. `locale` null is the user's.
[[nodiscard]] int CompareNamesIn(const wchar_t* locale, std::wstring_view a,
                                 std::wstring_view b) noexcept;
[[nodiscard]] int CompareNames(std::wstring_view a, std::wstring_view b) noexcept;

// The letter rules of a locale: CompareStringEx against "Z", FoldStringW
// with MAP_COMPOSITE, the system's letter class and upper case, and the
// locale's scripts (LOCALE_SSCRIPTS) for its alphabet. `locale`
// null is the user's, as it is at each call.
[[nodiscard]] LetterLocale LetterLocaleFor(const wchar_t* locale);
[[nodiscard]] const LetterLocale& UserLetterLocale();

}  // namespace corvane
