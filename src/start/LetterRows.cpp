#include "start/LetterRows.h"

#include <algorithm>

namespace corvane {
namespace {

bool IsAsciiCapital(wchar_t c) noexcept {
    return c >= L'A' && c <= L'Z';
}

}  // namespace

wchar_t LetterOf(std::wstring_view name, const LetterLocale& locale) {
    if (name.empty() || !locale.isLetter(name.front())) {
        return kOtherLetter;
    }
    const wchar_t letter = locale.upper(name.front());
    // É belongs with E, but Norwegian's Æ, Ø and Å come after Z as letters
    // of their own, and a locale says which is which.
    if (IsAsciiCapital(letter) || locale.sortsAfterZ(letter)) {
        return letter;
    }
    const wchar_t folded = locale.fold(letter);
    return IsAsciiCapital(folded) ? folded : letter;
}

std::vector<LetterRow> BuildLetterRows(const std::vector<AppEntry>& sortedCatalog,
                                       const LetterLocale& locale) {
    std::vector<LetterRow> rows;
    rows.reserve(sortedCatalog.size() + 30);
    for (std::size_t i = 0; i < sortedCatalog.size(); ++i) {
        const wchar_t letter = LetterOf(sortedCatalog[i].name, locale);
        if (rows.empty() || rows.back().letter != letter) {
            rows.push_back({true, letter, -1});
        }
        rows.push_back({false, letter, static_cast<int32_t>(i)});
    }
    return rows;
}

std::vector<wchar_t> IndexLetters(const std::vector<LetterRow>& rows) {
    std::vector<wchar_t> letters{kOtherLetter};
    for (wchar_t c = L'A'; c <= L'Z'; ++c) {
        letters.push_back(c);
    }
    std::vector<wchar_t> others;
    for (const LetterRow& row : rows) {
        if (row.header && row.letter != kOtherLetter && !IsAsciiCapital(row.letter)) {
            others.push_back(row.letter);
        }
    }
    std::sort(others.begin(), others.end());
    others.erase(std::unique(others.begin(), others.end()), others.end());
    letters.insert(letters.end(), others.begin(), others.end());
    return letters;
}

}  // namespace corvane
