// The bytes of menus.txt: UTF-8 with a byte-order mark and CR LF, and when
// a file counts as an untouched default.

#include "appmenus/MenusFileText.h"
#include "appmenus/Utf8Text.h"
#include "resources/DefaultMenusText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;

std::wstring Decode(const std::string& bytes) {
    return DecodeUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::wstring DecodeFile(const std::string& bytes) {
    return DecodeMenusFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        out += c == L'\n' ? L"\r\n" : std::wstring(1, c);
    }
    return out;
}

TEST(Utf8, DecodingReplacesEachIllFormedPieceWithOneReplacementCharacter) {
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
}

TEST(Utf8, EveryScalarValueRoundTrips) {
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
}

TEST(Utf8, EncodingReplacesUnpairedSurrogates) {
    const std::wstring high(1, static_cast<wchar_t>(0xD800));
    const std::wstring low(1, static_cast<wchar_t>(0xDC00));
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(EncodeUtf8(high + L"a" + low + high), replacement + "a" + replacement + replacement);
}

TEST(MenusFileBytes, MarkIsSkippedOnlyAtTheStartAndWrittenWithCrLf) {
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF[a.exe]"), L"[a.exe]");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF\xEF\xBB\xBFx"), L"\uFEFFx");
    EXPECT_EQ(DecodeFile("x\xEF\xBB\xBF"), L"x\uFEFF");
    EXPECT_EQ(DecodeFile(std::string("\xEF\xBB") + "a"), L"\uFFFDa");  // half a mark is broken
    EXPECT_EQ(EncodeMenusFileBytes(L"F\u00E5\n  x\n"),
              (Bytes{0xEF, 0xBB, 0xBF, 'F', 0xC3, 0xA5, 0x0D, 0x0A, ' ', ' ', 'x', 0x0D, 0x0A}));
}

TEST(MenusTextChoice, EmptyFallsBackUntouchedOtherDefaultIsReplacedAnyEditStays) {
    for (const bool otherIsNorwegian : {false, true}) {
        const std::wstring other(DefaultMenusText(otherIsNorwegian));
        std::wstring oneChar = other;
        oneChar[oneChar.find(L"Ctrl+T")] = L'c';
        const struct {
            std::wstring file;
            MenusTextChoice choice;
        } cases[] = {
            {L"", {true, false}},
            {other, {true, true}},
            {L"\uFEFF" + WithCrLf(other), {true, true}},
            {other + L"\n\n   \r\n \n", {true, true}},
            {other.substr(0, other.size() - 1), {true, true}},
            // Carriage returns, trailing spaces and line feeds and one
            // leading mark are all that the comparison leaves out.
            {oneChar, {false, false}},
            {L" " + other, {false, false}},
            {other + L"\t", {false, false}},
            {other + L"\u00A0", {false, false}},
            {L"\uFEFF\uFEFF" + other, {false, false}},
            {other.substr(0, other.size() - 2), {false, false}},
            {std::wstring(DefaultMenusText(!otherIsNorwegian)), {false, false}},
            {L"\n", {false, false}},  // blank but not empty: parsed as it is
        };
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const MenusTextChoice choice = ChooseMenusText(cases[i].file, other);
            EXPECT_EQ(choice.useCurrentDefault, cases[i].choice.useCurrentDefault) << "case " << i;
            EXPECT_EQ(choice.rewriteFile, cases[i].choice.rewriteFile) << "case " << i;
        }
    }
}

}  // namespace
}  // namespace corvane
