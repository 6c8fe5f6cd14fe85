#include "base/TextHelpers.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

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
