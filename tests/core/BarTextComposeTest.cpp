#include "bar/BarTextCompose.h"

#include <gtest/gtest.h>

#include <tuple>

namespace corvane {
namespace {

TEST(BarTextCompose, ClockAndNowPlayingJoinTheirPartsOnlyWhenBothAreThere) {
    // Date or title, time or artist; the clock's text, Now Playing's text.
    using Row = std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, const wchar_t*>;
    for (const auto& [first, second, clock, nowPlaying] :
         {Row{L"Mon Jan 6", L"14:05", L"Mon Jan 6   14:05", L"Mon Jan 6  \u2014  14:05"},
          {L"", L"14:05", L"14:05", L"  \u2014  14:05"},
          {L"Blue", L"", L"Blue   ", L"Blue"},
          {L" ", L"9:00", L"    9:00", L"   \u2014  9:00"},  // white space is still text
          {L"", L"", L"", L""}}) {
        EXPECT_EQ(ComposeClockText(first, second), clock);
        EXPECT_EQ(ComposeNowPlayingText(first, second), nowPlaying);
    }
}

}  // namespace
}  // namespace corvane
