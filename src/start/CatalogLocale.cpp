#include "start/CatalogLocale.h"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>

namespace corvane {
namespace {

int Length(std::wstring_view text) noexcept {
    return static_cast<int>(std::min<std::size_t>(text.size(), INT_MAX));
}

}  // namespace

int CompareNamesIn(const wchar_t* locale, std::wstring_view a, std::wstring_view b) noexcept {
    const int result = ::CompareStringEx(locale, NORM_IGNORECASE | SORT_DIGITSASNUMBERS, a.data(),
                                         Length(a), b.data(), Length(b), nullptr, nullptr, 0);
    // 0 is a failure; CSTR_LESS_THAN, CSTR_EQUAL and CSTR_GREATER_THAN are 1..3.
    return result == 0 ? 0 : result - CSTR_EQUAL;
}

int CompareNames(std::wstring_view a, std::wstring_view b) noexcept {
    return CompareNamesIn(LOCALE_NAME_USER_DEFAULT, a, b);
}

LetterLocale LetterLocaleFor(const wchar_t* locale) {
    // Held by the functions, so that the caller's text may go.
    const std::wstring name = locale != nullptr ? locale : L"";
    const auto localeName = [name]() noexcept {
        return name.empty() ? LOCALE_NAME_USER_DEFAULT : name.c_str();
    };
    LetterLocale rules;
    rules.sortsAfterZ = [localeName](wchar_t c) noexcept {
        return ::CompareStringEx(localeName(), NORM_IGNORECASE, &c, 1, L"Z", 1, nullptr, nullptr,
                                 0) > CSTR_EQUAL;
    };
    rules.fold = [](wchar_t c) noexcept {
        // A precomposed letter decomposes into its base letter and marks.
        wchar_t folded[8] = {};
        return ::FoldStringW(MAP_COMPOSITE, &c, 1, folded, 8) > 0 ? folded[0] : c;
    };
    rules.isLetter = [](wchar_t c) noexcept {
        WORD type = 0;
        return ::GetStringTypeW(CT_CTYPE1, &c, 1, &type) != FALSE && (type & C1_ALPHA) != 0;
    };
    rules.upper = [localeName](wchar_t c) noexcept {
        wchar_t upper = c;
        return ::LCMapStringEx(localeName(), LCMAP_UPPERCASE, &c, 1, &upper, 1, nullptr, nullptr,
                               0) == 1
                   ? upper
                   : c;
    };
    // Read once: the scripts of a locale do not change while it is in use.
    wchar_t buffer[128] = {};
    if (::GetLocaleInfoEx(localeName(), LOCALE_SSCRIPTS, buffer, 128) == 0) {
        // A system that cannot say writes the letters A..Z are part of.
        ::lstrcpynW(buffer, L"Latn;", 128);
    }
    rules.inAlphabet = [scripts = std::wstring(buffer)](wchar_t c) noexcept {
        return LetterInScripts(c, scripts);
    };
    return rules;
}

const LetterLocale& UserLetterLocale() {
    static const LetterLocale rules = LetterLocaleFor(nullptr);
    return rules;
}

}  // namespace corvane
