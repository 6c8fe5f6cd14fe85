#include "config/SettingsText.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

using List = std::vector<std::wstring>;

TEST(SplitList, TrimsAndDropsEmptyPieces) {
    EXPECT_EQ(SplitList(L" onedrive.exe,, Teams ,", L','), (List{L"onedrive.exe", L"Teams"}));
    EXPECT_EQ(SplitList(L"", L','), List{});
    EXPECT_EQ(SplitList(L",,,", L','), List{});
    EXPECT_EQ(SplitList(L"  \t ,\t", L','), List{});
    EXPECT_EQ(SplitList(L"a", L','), List{L"a"});
}

TEST(SplitList, KeepsInnerBlanksAndOtherSeparators) {
    EXPECT_EQ(SplitList(L"C:\\Program Files\\a.exe | b c", L'|'),
              (List{L"C:\\Program Files\\a.exe", L"b c"}));
    // A separator other than the one asked for is part of the item.
    EXPECT_EQ(SplitList(L"a,b|c", L'|'), (List{L"a,b", L"c"}));
    EXPECT_EQ(SplitList(L"|||x|||", L'|'), List{L"x"});
}

TEST(SplitList, UntrimmedKeepsBlankItemsButNotEmptyOnes) {
    EXPECT_EQ(SplitListUntrimmed(L"a| b ||", L'|'), (List{L"a", L" b "}));
    EXPECT_EQ(SplitListUntrimmed(L"| |", L'|'), List{L" "});
}

TEST(JoinList, SeparatorOnlyBetweenItems) {
    EXPECT_EQ(JoinList({}, L", "), L"");
    EXPECT_EQ(JoinList({L"a"}, L", "), L"a");
    EXPECT_EQ(JoinList({L"a", L"b", L"c"}, L", "), L"a, b, c");
    EXPECT_EQ(JoinList({L"", L""}, L"|"), L"|");
}

TEST(JoinList, RoundTripsThroughSplit) {
    const List items{L"onedrive.exe", L"teams.exe", L"zoom"};
    EXPECT_EQ(SplitList(JoinList(items, L", "), L','), items);
    EXPECT_EQ(SplitList(JoinList(items, L"|"), L'|'), items);
}

TEST(TextRules, LowerAndCompareWithoutCase) {
    EXPECT_EQ(ToLower(L"OneDrive.EXE"), L"onedrive.exe");
    EXPECT_TRUE(EqualsNoCase(L"NO", L"no"));
    EXPECT_FALSE(EqualsNoCase(L"no ", L"no"));
    EXPECT_FALSE(EqualsNoCase(L"nob", L"no"));
}

}  // namespace
}  // namespace corvane
