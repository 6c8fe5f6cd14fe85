// UTF-8 as menus.txt is read and written.

#include "appmenus/Utf8Text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr wchar_t kBad = static_cast<wchar_t>(0xFFFD);

std::wstring Decode(const std::string& bytes) {
    return DecodeUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::wstring Bad(std::size_t n) {
    return std::wstring(n, kBad);
}

TEST(Utf8, WellFormedTextOfEveryLength) {
    EXPECT_EQ(Decode("Fil"), L"Fil");
    EXPECT_EQ(Decode("\xC3\xA5pne"), L"\u00E5pne");
    EXPECT_EQ(Decode("a\xE2\x80\x93"
                     "b\xE2\x80\xA6"),
              L"a\u2013b\u2026");
    EXPECT_EQ(Decode("\xF0\x9F\x98\x80!"), L"\U0001F600!");
    EXPECT_EQ(Decode("\xEF\xBF\xBF\xF4\x8F\xBF\xBF"), L"\uFFFF\U0010FFFF");
    EXPECT_EQ(Decode(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(Decode(""), L"");
}

TEST(Utf8, EachIllFormedPieceBecomesOneReplacementCharacter) {
    EXPECT_EQ(Decode("\x80"), Bad(1));
    EXPECT_EQ(Decode("a\x80\xBF"
                     "b"),
              L"a" + Bad(2) + L"b");
    EXPECT_EQ(Decode("\xFF\xFE"), Bad(2));
    EXPECT_EQ(Decode("\xF5\x80"), Bad(2));
    // Over-long forms: the lead byte cannot start them.
    EXPECT_EQ(Decode("\xC0\x80"), Bad(2));
    EXPECT_EQ(Decode("\xC1\xBF"), Bad(2));
    EXPECT_EQ(Decode("\xE0\x80\x80"), Bad(3));
    EXPECT_EQ(Decode("\xF0\x80\x80\x80"), Bad(4));
    // Encoded surrogates and values past U+10FFFF.
    EXPECT_EQ(Decode("\xED\xA0\x80"), Bad(3));
    EXPECT_EQ(Decode("\xED\xBF\xBF"), Bad(3));
    EXPECT_EQ(Decode("\xF4\x90\x80\x80"), Bad(4));
}

TEST(Utf8, TruncatedSequencesEndAtTheByteThatBreaksThem) {
    EXPECT_EQ(Decode("\xE2\x80"), Bad(1));
    EXPECT_EQ(Decode("\xE2\x80"
                     "A"),
              Bad(1) + L"A");
    EXPECT_EQ(Decode("\xF0\x9F\x98"
                     "\xF0\x9F\x98\x80"),
              Bad(1) + L"\U0001F600");
    EXPECT_EQ(Decode("\xC3"
                     "\xC3\xA5"),
              Bad(1) + L"\u00E5");
    EXPECT_EQ(Decode("x\xF0"), L"x" + Bad(1));
    // A line feed inside a broken sequence still ends the line.
    EXPECT_EQ(Decode("\xE2\n"), Bad(1) + L"\n");
}

TEST(Utf8, EveryScalarValueRoundTrips) {
    std::wstring all;
    for (uint32_t cp = 1; cp <= 0x10FFFF; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            continue;
        }
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                const uint32_t v = cp - 0x10000;
                all.push_back(static_cast<wchar_t>(0xD800 + (v >> 10)));
                all.push_back(static_cast<wchar_t>(0xDC00 + (v & 0x3FF)));
                continue;
            }
        }
        all.push_back(static_cast<wchar_t>(cp));
    }
    const std::string bytes = EncodeUtf8(all);
    // 127 one-byte, 1920 two-byte, 61440 three-byte, 1048576 four-byte values.
    EXPECT_EQ(bytes.size(), 127u + 1920u * 2 + 61440u * 3 + 1048576u * 4);
    EXPECT_EQ(Decode(bytes), all);
}

TEST(Utf8, EncodingReplacesWhatIsNotAScalarValue) {
    EXPECT_EQ(EncodeUtf8(L"\u00E5\u2026"), "\xC3\xA5\xE2\x80\xA6");
    const std::wstring loneHigh(1, static_cast<wchar_t>(0xD800));
    const std::wstring loneLow(1, static_cast<wchar_t>(0xDC00));
    EXPECT_EQ(EncodeUtf8(loneHigh + L"a"),
              "\xEF\xBF\xBD"
              "a");
    EXPECT_EQ(EncodeUtf8(L"a" + loneLow), "a\xEF\xBF\xBD");
    EXPECT_EQ(EncodeUtf8(loneLow + loneHigh), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace corvane
