// The bytes of menus.txt: UTF-8 with a byte-order mark and CR LF, and when
// a file counts as an untouched default.

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
        out += c == L'\n' ? L"\r\n" : std::wstring(1, c);
    }
    return out;
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
        // The file; whether the current default is used and the file rewritten.
        const std::pair<std::wstring, MenusTextChoice> cases[] = {
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
            {L"\n", {false, false}}};  // blank but not empty: parsed as it is
        for (const auto& [file, expected] : cases) {
            const MenusTextChoice choice = ChooseMenusText(file, other);
            EXPECT_EQ(std::pair(choice.useCurrentDefault, choice.rewriteFile),
                      std::pair(expected.useCurrentDefault, expected.rewriteFile))
                << file.size() << (otherIsNorwegian ? " after Norwegian" : "");
        }
    }
}

}  // namespace
}  // namespace corvane
