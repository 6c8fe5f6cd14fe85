#include "bar/BarTextCompose.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ComposeClockText, DateAndTimeAreSeparatedByThreeSpaces) {
    EXPECT_EQ(ComposeClockText(L"Mon Jan 6", L"14:05"), L"Mon Jan 6   14:05");
    EXPECT_EQ(ComposeClockText(L"man. 6. jan.", L"14:05:09"), L"man. 6. jan.   14:05:09");
}

TEST(ComposeClockText, EmptyDateLeavesOnlyTheTimeWithoutLeadingSpaces) {
    EXPECT_EQ(ComposeClockText(L"", L"14:05"), L"14:05");
    EXPECT_EQ(ComposeClockText(L"", L""), L"");
    // A date that is only white space is still a date.
    EXPECT_EQ(ComposeClockText(L" ", L"9:00"), L"    9:00");
}

TEST(ComposeNowPlayingText, ArtistFollowsAfterASpacedEmDash) {
    EXPECT_EQ(ComposeNowPlayingText(L"Blue", L"Joni Mitchell"), L"Blue  \u2014  Joni Mitchell");
    // The dash is the em dash, two spaces on either side.
    const std::wstring text = ComposeNowPlayingText(L"A", L"B");
    ASSERT_EQ(text.size(), 7u);
    EXPECT_EQ(text[3], L'\u2014');
}

TEST(ComposeNowPlayingText, NoArtistLeavesTheTitleAlone) {
    EXPECT_EQ(ComposeNowPlayingText(L"Podcast episode 12", L""), L"Podcast episode 12");
    EXPECT_EQ(ComposeNowPlayingText(L"", L""), L"");
    EXPECT_EQ(ComposeNowPlayingText(L"", L"Artist"), L"  \u2014  Artist");
}

}  // namespace
}  // namespace corvane
