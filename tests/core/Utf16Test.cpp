#include "base/Utf16.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

TEST(Utf16, EncodesLittleEndianWithBomAndDecodesBrokenInputWithoutReadingPastTheEnd) {
    EXPECT_EQ(EncodeUtf16LeWithBom(L"Aø\r\n"),
              (std::vector<uint8_t>{0xFF, 0xFE, 'A', 0, 0xF8, 0, '\r', 0, '\n', 0}));
    // Text outside the basic plane round-trips.
    const std::wstring text = L"a\U0001F600b";
    const auto bytes = EncodeUtf16LeWithBom(text);
    EXPECT_EQ(bytes.size(), 2u + (sizeof(wchar_t) == 4 ? 8u : 2u * text.size()));
    EXPECT_EQ(DecodeUtf16Le(bytes.data(), bytes.size()), text);
    // A lone high surrogate at the end, and an odd trailing byte.
    const std::vector<uint8_t> broken{0xFF, 0xFE, 'x', 0, 0x00, 0xD8, 'y'};
    EXPECT_EQ(DecodeUtf16Le(broken.data(), broken.size()), std::wstring(L"x\xFFFD"));
    EXPECT_EQ(DecodeUtf16Le(broken.data(), 0), L"");
}

TEST(Utf16, PrefixesNeverCutAPairInTwo) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};  // two halves, as on Windows
    const std::wstring wide = L"\U0001F600";  // the same character, one wchar_t under UTF-32
    const std::wstring lone(1, wchar_t(0xD800));
    // Text, most units; units kept.
    const std::tuple<std::wstring, std::size_t, std::size_t> rows[] = {
        {L"abc", 5, 3},
        {L"abc", 2, 2},
        {L"ab" + pair, 3, 2},
        {L"ab" + pair, 4, 4},
        {L"a" + wide + L"b", 2, 1},
        {L"a" + wide + L"b", 3, 1 + wide.size()},
        {lone + L"x", 1, 1},
        {pair, 0, 0},
    };
    for (const auto& [text, max, kept] : rows) {
        EXPECT_EQ(Utf16Prefix(text, max), kept) << text.size() << " " << max;
    }
}

}  // namespace
}  // namespace corvane
