#pragma once
// What the menu reader library writes for a test: one line per entry of the
// open popup menu, a mark and then the entry's text.

#include <cstddef>

namespace corvane::test {

inline constexpr std::size_t kMenuReaderChars = 4096;
inline constexpr std::size_t kMenuEntryChars = 128;
inline constexpr wchar_t kMenuSeparatorMark = L'-';
inline constexpr wchar_t kMenuCheckedMark = L'*';
inline constexpr wchar_t kMenuPlainMark = L' ';

}  // namespace corvane::test
