#include "base/Utf8Text.h"
#include "base/Utf16.h"
#include "base/TextHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
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

using List = std::vector<std::wstring>;

TEST(TextHelpers, SplitTrimsAndDropsEmptyPiecesAndJoinUndoesIt) {
    const struct {
        std::wstring_view text;
        wchar_t separator;
        List items;
    } cases[] = {
        {L"", L',', {}},
        {L" ,\t,,", L',', {}},
        {L" onedrive.exe,, Teams ,", L',', {L"onedrive.exe", L"Teams"}},
        {L"C:\\Program Files\\a.exe | b,c|", L'|', {L"C:\\Program Files\\a.exe", L"b,c"}},
    };
    for (const auto& c : cases) {
        const List items = SplitList(c.text, c.separator);
        EXPECT_EQ(items, c.items) << std::wstring(c.text);
        const std::wstring joined = JoinList(items, std::wstring(1, c.separator) + L" ");
        EXPECT_EQ(SplitList(joined, c.separator), items) << joined;
    }
    EXPECT_EQ(JoinList({}, L", "), L"");
    EXPECT_EQ(JoinList({L"a", L"b", L"c"}, L", "), L"a, b, c");
    EXPECT_EQ(SplitListUntrimmed(L"a| b ||", L'|'), (List{L"a", L" b "}));
}

TEST(TextHelpers, LowerCaseFoldsTheLettersOfEveryLocaleAlike) {
    const std::wstring_view upper = L"OneDrive.EXE ÆØÅ É Þ × ß Ĳ Ĺ Ŋ Ž Ÿ İ ĸ ΆΈΌΣ ЁЖ";
    const std::wstring_view lower = L"onedrive.exe æøå é þ × ß ĳ ĺ ŋ ž ÿ i ĸ άέόσ ёж";
    EXPECT_EQ(ToLower(upper), lower);
    EXPECT_TRUE(EqualsNoCase(upper, lower));
    EXPECT_FALSE(EqualsNoCase(L"Ø", L"o"));
}

}  // namespace
}  // namespace corvane
