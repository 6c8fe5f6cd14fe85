#pragma once
// Lists in one line of text, and the small text rules every folder shares:
// one lower case, trimming, menu text.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Items with the separator between them; an empty list gives "".
[[nodiscard]] std::wstring JoinList(const std::vector<std::wstring>& items,
                                    std::wstring_view separator);

// Splits at every separator, trims white space at both ends of each piece
// and drops empty pieces.
[[nodiscard]] std::vector<std::wstring> SplitList(std::wstring_view text, wchar_t separator);

// Splits at every separator and drops empty pieces, keeping blanks.
[[nodiscard]] std::vector<std::wstring> SplitListUntrimmed(std::wstring_view text,
                                                           wchar_t separator);

// Lower case for the capitals of Latin-1, Latin Extended-A, Greek and
// Cyrillic, the same in every locale. Every lower-cased key of the program
// (executable names, paths, list entries) goes through it, so they agree.
[[nodiscard]] wchar_t LowerChar(wchar_t c) noexcept;
[[nodiscard]] std::wstring ToLower(std::wstring_view text);
[[nodiscard]] std::wstring Trim(std::wstring_view text);
[[nodiscard]] bool EqualsNoCase(std::wstring_view a, std::wstring_view b);

// A name or title from elsewhere as the text of a popup menu entry: each "&"
// doubled, so that the menu shows it instead of underlining the next letter.
[[nodiscard]] std::wstring EscapeMenuText(std::wstring_view text);

}  // namespace corvane
