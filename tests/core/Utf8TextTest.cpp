#include "base/Utf8Text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace corvane {
namespace {

std::wstring Decode(const std::string& bytes) {
    return DecodeUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(Utf8, IllFormedPiecesAndUnpairedSurrogatesAreReplacedEveryScalarValueRoundTrips) {
    // In the expected texts "?" stands for U+FFFD.
    const std::pair<std::string, std::wstring> cases[] = {
        {"\xC3\xA5pne a\xE2\x80\x93", L"\u00E5pne a\u2013"},
        {"\xF0\x9F\x98\x80!\xEF\xBF\xBF\xF4\x8F\xBF\xBF", L"\U0001F600!\uFFFF\U0010FFFF"},
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
        {"", L""},
        {"a\x80\xBFz", L"a??z"},
        {"\xFF\xFE\xF5\x80", L"????"},
        // Over-long forms, encoded surrogates and values past U+10FFFF: the
        // lead byte cannot start them, so every byte is replaced.
        {"\xC0\x80\xC1\xBF\xE0\x80\x80\xF0\x80\x80\x80", L"???????????"},
        {"\xED\xA0\x80\xED\xBF\xBF\xF4\x90\x80\x80", L"??????????"},
        // A truncated sequence ends at the byte that breaks it.
        {"\xE2\x80Z\xF0\x9F\x98\xF0\x9F\x98\x80", L"?Z?\U0001F600"},
        {"\xC3\xC3\xA5x\xF0", L"?\u00E5x?"},
        {"\xE2\n", L"?\n"},
    };
    for (auto [bytes, text] : cases) {
        std::replace(text.begin(), text.end(), L'?', L'\uFFFD');
        EXPECT_EQ(Decode(bytes), text) << testing::PrintToString(bytes);
    }

    // Every scalar value round-trips.
    std::wstring all;
    for (uint32_t cp = 1; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        if (sizeof(wchar_t) == 2 && cp >= 0x10000) {
            const uint32_t v = cp - 0x10000;
            all.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
            all.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
        } else {
            all.push_back(static_cast<wchar_t>(cp));
        }
    }
    const std::string bytes = EncodeUtf8(all);
    // 127 one-byte, 1920 two-byte, 61440 three-byte, 1048576 four-byte values.
    EXPECT_EQ(bytes.size(), 127u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
    EXPECT_EQ(Decode(bytes), all);

    // Unpaired surrogates are encoded as replacement characters.
    const std::wstring high(1, static_cast<wchar_t>(0xD800));
    const std::wstring low(1, static_cast<wchar_t>(0xDC00));
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(EncodeUtf8(high + L"a" + low + high), replacement + "a" + replacement + replacement);
}

}  // namespace
}  // namespace corvane
