#pragma once
// UTF-8 to and from wide text (UTF-16 on Windows, UTF-32 elsewhere).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// Invalid input never stops decoding: each maximal ill-formed subsequence
// (an unexpected byte, a truncated sequence, an over-long form, an encoded
// surrogate, a value above U+10FFFF) becomes one U+FFFD.
[[nodiscard]] std::wstring DecodeUtf8(const uint8_t* data, std::size_t size);

// Unpaired surrogates (and on UTF-32 values above U+10FFFF) become U+FFFD.
[[nodiscard]] std::string EncodeUtf8(std::wstring_view text);

}  // namespace corvane
