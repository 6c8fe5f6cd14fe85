#pragma once
// What may be stored as an entry of a settings list.

#include <cstddef>
#include <string_view>

namespace corvane {

// Whether text from elsewhere (another process, a catalog) can be kept as an
// entry of a "|" list: not empty, not implausibly long, and holding no
// control character and no "|" that would split it on the next load.
inline constexpr std::size_t kMaxStoredIdentifierChars = 2048;
[[nodiscard]] bool IsStorableIdentifier(std::wstring_view text) noexcept;

}  // namespace corvane
