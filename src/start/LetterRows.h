#pragma once
// The All apps list: a header row before each letter's first app, and the
// letters of the index grid. Portable: the locale's answers come in as
// functions.

#include "identity/AppEntry.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace corvane {

inline constexpr wchar_t kOtherLetter = L'#';
// Every letter of another alphabet (Cyrillic names on a Norwegian system,
// Han names anywhere) files under this one header, last in the index, so
// that the index stays as small as the user's own alphabet.
inline constexpr wchar_t kForeignLetter = L'\x2026';

// Whether `letter` is written in one of `scripts`, a locale's ISO 15924
// codes separated by ";" ("Latn;", "Cyrl;Latn;"). Only alphabets count:
// a script of thousands of signs (Han, kana, Hangul syllables) has no index
// of its own.
[[nodiscard]] bool LetterInScripts(wchar_t letter, std::wstring_view scripts) noexcept;

// All five are required. The C library's character classes and case
// mapping differ between platforms and locales (on Windows its "C" locale
// upper-cases ASCII only), so they come from the locale too.
struct LetterLocale {
    // Whether the user's locale sorts this upper-case letter after "Z".
    std::function<bool(wchar_t)> sortsAfterZ;
    // The letter with its accents folded away (first character), or itself.
    std::function<wchar_t(wchar_t)> fold;
    std::function<bool(wchar_t)> isLetter;
    std::function<wchar_t(wchar_t)> upper;
    // Whether an upper-case letter outside A..Z belongs to the alphabet of
    // the user's locale.
    std::function<bool(wchar_t)> inAlphabet;
};

// The header a name files under: upper-cased first letter, '#' for names
// that do not start with a letter; a letter outside A..Z that the locale
// does not sort after Z files under its folded letter when that is A..Z;
// one of another alphabet under kForeignLetter.
[[nodiscard]] wchar_t LetterOf(std::wstring_view name, const LetterLocale& locale);

struct LetterRow {
    bool header = false;
    wchar_t letter = 0;
    int32_t entry = -1;  // index into the catalog; -1 for headers
};

[[nodiscard]] std::vector<LetterRow> BuildLetterRows(const std::vector<AppEntry>& sortedCatalog,
                                                     const LetterLocale& locale);

// '#', 'A'..'Z', the other header letters of the rows in the rows' order
// (the locale's), and kForeignLetter when the rows have it.
[[nodiscard]] std::vector<wchar_t> IndexLetters(const std::vector<LetterRow>& rows);

}  // namespace corvane
