#include "bar/BarTextCompose.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(BarTextCompose, ClockAndNowPlayingJoinTheirPartsOnlyWhenBothAreThere) {
    struct Row {
        const wchar_t* first;
        const wchar_t* second;
        const wchar_t* clock;       // date, time
        const wchar_t* nowPlaying;  // title, artist
    };
    for (const Row& r :
         {Row{L"Mon Jan 6", L"14:05", L"Mon Jan 6   14:05", L"Mon Jan 6  \u2014  14:05"},
          {L"", L"14:05", L"14:05", L"  \u2014  14:05"},
          {L"Blue", L"", L"Blue   ", L"Blue"},
          {L" ", L"9:00", L"    9:00", L"   \u2014  9:00"},  // white space is still text
          {L"", L"", L"", L""}}) {
        EXPECT_EQ(ComposeClockText(r.first, r.second), r.clock);
        EXPECT_EQ(ComposeNowPlayingText(r.first, r.second), r.nowPlaying);
    }
}

}  // namespace
}  // namespace corvane
