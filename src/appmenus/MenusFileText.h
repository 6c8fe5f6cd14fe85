#pragma once
// The bytes of menus.txt and the choice between the file and the built-in
// default text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// More of the file than this is never read.
inline constexpr std::size_t kMaxMenusFileBytes = 4u * 1024u * 1024u;

// File bytes as text: a UTF-8 byte-order mark is skipped, invalid UTF-8
// becomes U+FFFD.
[[nodiscard]] std::wstring DecodeMenusFileBytes(const uint8_t* data, std::size_t size);

// What the default file holds: the byte-order mark, then the text as UTF-8
// with every line feed preceded by a carriage return.
[[nodiscard]] std::vector<uint8_t> EncodeMenusFileBytes(std::wstring_view text);

// The form in which a file is compared with a default text: no carriage
// returns, no trailing spaces or line feeds, no leading U+FEFF.
[[nodiscard]] std::wstring NormaliseMenusText(std::wstring_view text);

struct MenusTextChoice {
    bool useCurrentDefault = false;  // parse the built-in text of the UI language
    bool rewriteFile = false;        // replace the file with that text
};

// An empty file falls back to the current default and stays as it is; an
// untouched default of the other language is replaced, so that a language
// switch also switches the menus of a user who never edited them.
[[nodiscard]] MenusTextChoice ChooseMenusText(std::wstring_view fileText,
                                              std::wstring_view otherDefault);

}  // namespace corvane
