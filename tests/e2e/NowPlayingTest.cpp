// The real corvane.exe following the media session of test_fakemedia.dll:
// the library's log shows how often it is read.

#include "base/MediaSessionApi.h"
#include "e2e/E2ESupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace corvane {
namespace {

class NowPlayingE2E : public test::CorvaneTest {
protected:
    void SetUp() override {
        test::CorvaneTest::SetUp();
        if (test::RegisteredRuntimeClass::SystemHasIt(sdk::kMediaSessionManagerClass)) {
            GTEST_SKIP() << "the system has its own media session manager";
        }
        // Corvane inherits it.
        ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", state_.c_str());
    }
    void TearDown() override {
        test::CorvaneTest::TearDown();
        ::SetEnvironmentVariableW(L"CORVANE_FAKE_MEDIA", nullptr);
    }
    void WriteState(const char* status) const {
        std::string text =
            std::string("app=Player\ntitle=Song\nstatus=") + status + "\npending=0\nlog=";
        for (const wchar_t c : folder_.File(L"calls.log")) {
            text += static_cast<char>(c);  // test paths are ASCII
        }
        text += "\n";
        ASSERT_TRUE(test::WriteFileBytes(state_, {text.begin(), text.end()}));
    }
    // The ticks of every poll logged so far (each reads the status once).
    [[nodiscard]] std::vector<uint32_t> Polls() const {
        const auto bytes = test::ReadFileBytes(folder_.File(L"calls.log"));
        std::istringstream in(std::string(bytes.begin(), bytes.end()));
        std::vector<uint32_t> ticks;
        uint32_t tick = 0;
        for (std::string call; in >> tick >> call;) {
            if (call == "GetPlaybackInfo") {
                ticks.push_back(tick);
            }
        }
        return ticks;
    }
    // Waits for `more` further polls; the gaps between them.
    [[nodiscard]] std::vector<uint32_t> NextGaps(std::size_t more) const {
        const std::size_t from = Polls().size();
        EXPECT_TRUE(test::WaitUntil([&] { return Polls().size() > from + more; }, 12000));
        const std::vector<uint32_t> ticks = Polls();
        std::vector<uint32_t> gaps;
        for (std::size_t i = from + 1; i < ticks.size() && gaps.size() < more; ++i) {
            gaps.push_back(ticks[i] - ticks[i - 1]);
        }
        return gaps;
    }

    std::wstring state_ = folder_.File(L"media.txt");
};

TEST_F(NowPlayingE2E, ReadsTheSessionEverySecondWhilePlayingAndEveryTwoOtherwise) {
    const test::RegisteredRuntimeClass registration(sdk::kMediaSessionManagerClass,
                                                    test::BuiltFile(L"test_fakemedia.dll"));
    ASSERT_TRUE(registration.Registered());
    WriteState("4");
    ASSERT_NE(StartCorvane(test::IniText() + L"[NowPlaying]\r\nEnabled=1\r\n"), nullptr);
    ASSERT_TRUE(test::WaitUntil([&] { return Polls().size() >= 2; }, 8000)) << "never polled";
    const struct {
        const char* status;
        uint32_t low;
        uint32_t high;
    } phases[] = {{"4", 700, 1500}, {"5", 1700, 2700}};
    for (const auto& phase : phases) {
        SCOPED_TRACE(phase.status);
        WriteState(phase.status);
        (void)NextGaps(1);  // the period follows the poll after the change
        for (const uint32_t gap : NextGaps(2)) {
            EXPECT_GE(gap, phase.low);
            EXPECT_LE(gap, phase.high);
        }
    }
    QuitCorvane();
}

}  // namespace
}  // namespace corvane
