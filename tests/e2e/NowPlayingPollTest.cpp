// How often the real corvane.exe reads the media session: every second while
// something plays, every two seconds otherwise, as the stand-in session's
// log of calls shows.

#include "e2e/E2ESupport.h"

#include <algorithm>
#include <string>
#include <vector>

namespace corvane {
namespace {

using test::WaitUntil;

// The median of the gaps between the polls that came in after `from` (four
// of them, waited for).
uint32_t MedianGap(const test::FakeMediaSession& media, std::size_t from) {
    std::vector<uint32_t> ticks;
    (void)WaitUntil(
        [&] {
            ticks = media.Ticks("GetPlaybackInfo");
            return ticks.size() >= from + 4;
        },
        15000);
    if (ticks.size() < from + 4) {
        return 0;
    }
    std::vector<uint32_t> gaps;
    for (std::size_t i = from + 1; i < ticks.size(); ++i) {
        gaps.push_back(ticks[i] - ticks[i - 1]);
    }
    std::sort(gaps.begin(), gaps.end());
    return gaps[gaps.size() / 2];
}

class NowPlayingPollE2E : public test::CorvaneTest {};

TEST_F(NowPlayingPollE2E, EverySecondWhilePlayingAndEveryTwoOtherwise) {
    const test::FakeMediaSession media;
    ASSERT_TRUE(media.Registered());
    media.Play();
    ASSERT_NE(StartCorvane(test::IniText({.nowPlaying = true})), nullptr);
    const uint32_t playing = MedianGap(media, 1);
    EXPECT_GE(playing, 900u);
    EXPECT_LE(playing, 1300u);

    media.Play("status=5\n");
    ::Sleep(2500);  // the interval changes on the next poll
    const uint32_t paused = MedianGap(media, media.Ticks("GetPlaybackInfo").size());
    EXPECT_GE(paused, 1900u);
    EXPECT_LE(paused, 2400u);
}

}  // namespace
}  // namespace corvane
