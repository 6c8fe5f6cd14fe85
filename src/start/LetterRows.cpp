#include "start/LetterRows.h"

#include <algorithm>

namespace corvane {
namespace {

bool IsAsciiCapital(wchar_t c) noexcept {
    return c >= L'A' && c <= L'Z';
}

struct ScriptRange {
    wchar_t first;
    wchar_t last;
    std::wstring_view code;
};

// The alphabets' letters in the Basic Multilingual Plane.
constexpr ScriptRange kAlphabets[] = {
    {L'\x00C0', L'\x024F', L"Latn"}, {L'\x1E00', L'\x1EFF', L"Latn"},
    {L'\x0370', L'\x03FF', L"Grek"}, {L'\x1F00', L'\x1FFF', L"Grek"},
    {L'\x0400', L'\x052F', L"Cyrl"}, {L'\x0530', L'\x058F', L"Armn"},
    {L'\x0590', L'\x05FF', L"Hebr"}, {L'\x0600', L'\x06FF', L"Arab"},
    {L'\x0900', L'\x097F', L"Deva"}, {L'\x0E00', L'\x0E7F', L"Thai"},
    {L'\x10A0', L'\x10FF', L"Geor"},
};

}  // namespace

bool LetterInScripts(wchar_t letter, std::wstring_view scripts) noexcept {
    if (IsAsciiCapital(letter) || (letter >= L'a' && letter <= L'z')) {
        return scripts.find(L"Latn") != std::wstring_view::npos;
    }
    for (const ScriptRange& range : kAlphabets) {
        if (letter < range.first || letter > range.last) {
            continue;
        }
        for (std::size_t at = scripts.find(range.code); at != std::wstring_view::npos;
             at = scripts.find(range.code, at + 1)) {
            // A whole code, not the start of a longer one.
            const std::size_t end = at + range.code.size();
            if ((at == 0 || scripts[at - 1] == L';') &&
                (end == scripts.size() || scripts[end] == L';')) {
                return true;
            }
        }
    }
    return false;
}

wchar_t LetterOf(std::wstring_view name, const LetterLocale& locale) {
    if (name.empty() || !locale.isLetter(name.front())) {
        return kOtherLetter;
    }
    const wchar_t letter = locale.upper(name.front());
    // É belongs with E, but Norwegian's Æ, Ø and Å come after Z as letters
    // of their own, and a locale says which is which.
    if (IsAsciiCapital(letter)) {
        return letter;
    }
    if (!locale.sortsAfterZ(letter)) {
        if (const wchar_t folded = locale.fold(letter); IsAsciiCapital(folded)) {
            return folded;
        }
    }
    return locale.inAlphabet(letter) ? letter : kForeignLetter;
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
    bool foreign = false;
    for (const LetterRow& row : rows) {
        if (!row.header || row.letter == kOtherLetter || IsAsciiCapital(row.letter)) {
            continue;
        }
        if (row.letter == kForeignLetter) {
            foreign = true;
        } else if (std::find(letters.begin(), letters.end(), row.letter) == letters.end()) {
            letters.push_back(row.letter);
        }
    }
    if (foreign) {
        letters.push_back(kForeignLetter);
    }
    return letters;
}

}  // namespace corvane
