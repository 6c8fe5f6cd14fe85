#pragma once
// Wide strings are UTF-16 on Windows and UTF-32 elsewhere; files are always
// UTF-16 little endian. These helpers keep the core independent of that.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Byte-order mark followed by the text as UTF-16 little endian.
[[nodiscard]] std::vector<uint8_t> EncodeUtf16LeWithBom(std::wstring_view text);

// How many wchar_t of `text` fit in `maxUnits` UTF-16 units without cutting
// a surrogate pair in two. Counted in UTF-16 for either width of wchar_t, so
// a cap is the same on Windows and in the native tests.
[[nodiscard]] std::size_t Utf16Prefix(std::wstring_view text, std::size_t maxUnits) noexcept;

// The reverse of EncodeUtf16LeWithBom; a leading byte-order mark is skipped, a trailing odd byte
// ignored and an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::wstring DecodeUtf16Le(const uint8_t* data, std::size_t size);

}  // namespace corvane
