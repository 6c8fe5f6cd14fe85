// The bytes of menus.txt and when a file counts as an untouched default.

#include "appmenus/MenusFileText.h"
#include "resources/DefaultMenusText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

using Bytes = std::vector<uint8_t>;

std::wstring DecodeFile(const std::string& bytes) {
    return DecodeMenusFileBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

std::wstring WithCrLf(std::wstring_view text) {
    std::wstring out;
    for (const wchar_t c : text) {
        if (c == L'\n') {
            out += L'\r';
        }
        out += c;
    }
    return out;
}

TEST(MenusFileBytes, ByteOrderMarkIsSkippedOnlyAtTheStart) {
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF[a.exe]"), L"[a.exe]");
    EXPECT_EQ(DecodeFile("[a.exe]"), L"[a.exe]");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF"), L"");
    EXPECT_EQ(DecodeFile("\xEF\xBB\xBF\xEF\xBB\xBFx"), L"\uFEFFx");
    EXPECT_EQ(DecodeFile("x\xEF\xBB\xBF"), L"x\uFEFF");
    // Half a mark is broken UTF-8, not a mark.
    EXPECT_EQ(DecodeFile("\xEF\xBB"
                         "a"),
              L"\uFFFD"
              L"a");
}

TEST(MenusFileBytes, WrittenWithMarkUtf8AndCrLf) {
    EXPECT_EQ(EncodeMenusFileBytes(L"F\u00E5\n  x\n"),
              (Bytes{0xEF, 0xBB, 0xBF, 'F', 0xC3, 0xA5, 0x0D, 0x0A, ' ', ' ', 'x', 0x0D, 0x0A}));
    EXPECT_EQ(EncodeMenusFileBytes(L""), (Bytes{0xEF, 0xBB, 0xBF}));
}

TEST(MenusFileBytes, DefaultTextsSurviveTheRoundTripWithCarriageReturns) {
    for (const bool norwegian : {false, true}) {
        const std::wstring_view text = DefaultMenusText(norwegian);
        const Bytes bytes = EncodeMenusFileBytes(text);
        EXPECT_EQ(DecodeMenusFileBytes(bytes.data(), bytes.size()), WithCrLf(text));
    }
}

TEST(MenusNormalise, CarriageReturnsTrailingBlanksAndLeadingMarkGo) {
    EXPECT_EQ(NormaliseMenusText(L"a\r\nb\r\n"), L"a\nb");
    EXPECT_EQ(NormaliseMenusText(L"a\rb"), L"ab");
    EXPECT_EQ(NormaliseMenusText(L"x \n \n\r\n  "), L"x");
    EXPECT_EQ(NormaliseMenusText(L"\uFEFF  x"), L"  x");
    EXPECT_EQ(NormaliseMenusText(L"\uFEFF\uFEFFx"), L"\uFEFFx");
    EXPECT_EQ(NormaliseMenusText(L"\uFEFF \n"), L"");
    // Only spaces and line feeds are trailing blanks.
    EXPECT_EQ(NormaliseMenusText(L"x\t\n"), L"x\t");
    EXPECT_EQ(NormaliseMenusText(L"x\u00A0"), L"x\u00A0");
    EXPECT_EQ(NormaliseMenusText(L" x"), L" x");
}

TEST(MenusTextChoice, EmptyFileFallsBackWithoutBeingRewritten) {
    const MenusTextChoice choice = ChooseMenusText(L"", DefaultMenusText(true));
    EXPECT_TRUE(choice.useCurrentDefault);
    EXPECT_FALSE(choice.rewriteFile);
}

TEST(MenusTextChoice, UntouchedOtherDefaultIsReplacedHoweverItsLinesEnd) {
    for (const bool otherIsNorwegian : {false, true}) {
        const std::wstring other(DefaultMenusText(otherIsNorwegian));
        const std::wstring variants[] = {
            other,
            WithCrLf(other),
            L"\uFEFF" + WithCrLf(other),
            other + L"\n\n   \r\n \n",
            other.substr(0, other.size() - 1),
        };
        for (const std::wstring& file : variants) {
            const MenusTextChoice choice = ChooseMenusText(file, other);
            EXPECT_TRUE(choice.useCurrentDefault);
            EXPECT_TRUE(choice.rewriteFile);
        }
    }
}

TEST(MenusTextChoice, AnyRealEditKeepsTheFile) {
    const std::wstring other(DefaultMenusText(false));
    std::wstring oneChar = other;
    oneChar[oneChar.find(L"Ctrl+T")] = L'c';
    std::wstring indented = other;
    indented.insert(0, L" ");
    const std::wstring edits[] = {
        oneChar,
        indented,
        other + L"x",
        other + L"\t",
        L"\n" + other,
        other.substr(0, other.size() - 2),
        std::wstring(DefaultMenusText(true)),  // the current language's own default
        L"\n",                                 // blank but not empty: parsed as it is
    };
    for (const std::wstring& file : edits) {
        const MenusTextChoice choice = ChooseMenusText(file, other);
        EXPECT_FALSE(choice.useCurrentDefault);
        EXPECT_FALSE(choice.rewriteFile);
    }
}

}  // namespace
}  // namespace corvane
