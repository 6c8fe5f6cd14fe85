#include "base/Utf8Text.h"
#include "base/Utf16.h"
#include "base/TextHelpers.h"
#include "base/Worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

namespace corvane {
namespace {

std::wstring Decode(const std::string& bytes) {
    return DecodeUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

TEST(Utf8, IllFormedPiecesAndUnpairedSurrogatesAreReplacedEveryScalarValueRoundTrips) {
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

    // Every scalar value round-trips.
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

    // Unpaired surrogates are encoded as replacement characters.
    const std::wstring high(1, static_cast<wchar_t>(0xD800));
    const std::wstring low(1, static_cast<wchar_t>(0xDC00));
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(EncodeUtf8(high + L"a" + low + high), replacement + "a" + replacement + replacement);
}

TEST(Utf16, EncodesLittleEndianWithBomAndDecodesBrokenInputWithoutReadingPastTheEnd) {
    EXPECT_EQ(EncodeUtf16LeWithBom(L"Aø\r\n"),
              (std::vector<uint8_t>{0xFF, 0xFE, 'A', 0, 0xF8, 0, '\r', 0, '\n', 0}));
    // Text outside the basic plane round-trips.
    const std::wstring text = L"a\U0001F600b";
    const auto bytes = EncodeUtf16LeWithBom(text);
    EXPECT_EQ(bytes.size(), 2u + (sizeof(wchar_t) == 4 ? 8u : 2u * text.size()));
    EXPECT_EQ(DecodeUtf16Le(bytes.data(), bytes.size()), text);
    // A lone high surrogate at the end, and an odd trailing byte.
    const std::vector<uint8_t> broken{0xFF, 0xFE, 'x', 0, 0x00, 0xD8, 'y'};
    EXPECT_EQ(DecodeUtf16Le(broken.data(), broken.size()), std::wstring(L"x\xFFFD"));
    EXPECT_EQ(DecodeUtf16Le(broken.data(), 0), L"");
}

TEST(Utf16, PrefixesNeverCutAPairInTwo) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};  // two halves, as on Windows
    const std::wstring wide = L"\U0001F600";  // the same character, one wchar_t under UTF-32
    const std::wstring lone(1, wchar_t(0xD800));
    // Text, most units; units kept.
    const std::tuple<std::wstring, std::size_t, std::size_t> rows[] = {
        {L"abc", 5, 3},
        {L"abc", 2, 2},
        {L"ab" + pair, 3, 2},
        {L"ab" + pair, 4, 4},
        {L"a" + wide + L"b", 2, 1},
        {L"a" + wide + L"b", 3, 1 + wide.size()},
        {lone + L"x", 1, 1},
        {pair, 0, 0},
    };
    for (const auto& [text, max, kept] : rows) {
        EXPECT_EQ(Utf16Prefix(text, max), kept) << text.size() << " " << max;
    }
}

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

using namespace std::chrono_literals;

// A job that waits for the test to let it go.
class Gate {
public:
    void Open() { promise_.set_value(); }
    void Wait() const { future_.wait(); }
    // A job that counts itself in and holds its thread until the gate opens.
    std::function<void()> Hold(std::atomic<int>& entered) const {
        return [this, &entered] {
            ++entered;
            Wait();
        };
    }

private:
    std::promise<void> promise_;
    std::shared_future<void> future_ = promise_.get_future().share();
};

void AwaitCount(const std::atomic<int>& count, int at_least) {
    while (count < at_least) {
        std::this_thread::yield();
    }
}

// Stands in for the GUI thread: the wake only counts and signals, and the
// test calls RunFinished itself, as the control window would.
class WorkerTest : public ::testing::Test {
protected:
    WorkerTest()
        : worker_(
              [this] {
                  const std::lock_guard lock(mutex_);
                  ++wakes_;
                  woken_.notify_all();
                  return wakeAnswer_.load();
              },
              nullptr) {}

    // Waits until `wakes` wakes have come, then runs what finished.
    void DeliverAfterWake(int wakes) {
        std::unique_lock lock(mutex_);
        ASSERT_TRUE(woken_.wait_for(lock, 10s, [&] { return wakes_ >= wakes; }));
        lock.unlock();
        worker_.RunFinished();
    }

    void WaitUntilIdle() {
        for (int i = 0; i < 10000 && worker_.Pending() != 0; ++i) {
            std::this_thread::sleep_for(1ms);
        }
        ASSERT_EQ(worker_.Pending(), 0u);
    }

    int Wakes() {
        const std::lock_guard lock(mutex_);
        return wakes_;
    }

    std::function<std::string()> Value(std::string text) {
        return [text] { return text; };
    }
    std::function<void(std::string&&)> Into(std::vector<std::string>& seen) {
        return [&seen](std::string&& text) { seen.push_back(std::move(text)); };
    }

    std::mutex mutex_;
    std::condition_variable woken_;
    int wakes_ = 0;
    std::atomic<bool> wakeAnswer_{true};
    Worker worker_;
};

TEST_F(WorkerTest, HandsBackResultsUnlessCancelledOrSuperseded) {
    // Name, cancelled while running, a newer result delivered first; results handed back.
    const std::tuple<const char*, bool, bool, std::vector<std::string>> cases[] = {
        {"plain", false, false, {"old"}},
        {"closed surface", true, false, {}},
        {"newer result already shown", false, true, {"new"}}};
    for (const auto& [name, cancelWhileRunning, newerDeliveredFirst, expected] : cases) {
        SCOPED_TRACE(name);
        const uint32_t channel = worker_.NewChannel();
        std::vector<std::string> seen;
        Gate gate;
        std::atomic<int> running = 0;
        worker_.Submit<std::string>(
            {channel, 7}, WorkUrgency::Background,
            [hold = gate.Hold(running)] {
                hold();
                return std::string("old");
            },
            Into(seen));
        AwaitCount(running, 1);
        if (newerDeliveredFirst) {
            const int before = Wakes();
            worker_.Submit<std::string>({channel, 7}, WorkUrgency::Urgent, Value("new"),
                                        Into(seen));
            DeliverAfterWake(before + 1);
        }
        if (cancelWhileRunning) {
            worker_.Cancel(channel);
        }
        const int before = Wakes();
        gate.Open();
        WaitUntilIdle();
        if (!cancelWhileRunning) {
            DeliverAfterWake(before + 1);
        }
        worker_.RunFinished();
        EXPECT_EQ(seen, expected);
    }
}

TEST_F(WorkerTest, WaitingJobsAreReplacedCancelledAndTakenUrgentNewestFirst) {
    // One thread is let go, the others stay stuck: it works through the
    // queue alone, so the order is certain.
    std::vector<Gate> gates(Worker::kMaxThreads);
    std::atomic<int> started = 0;
    for (Gate& gate : gates) {
        worker_.Submit({99, 0}, WorkUrgency::Urgent, gate.Hold(started));
    }
    AwaitCount(started, static_cast<int>(gates.size()));
    std::vector<std::string> ran;
    std::mutex ranMutex;
    const auto job = [&](std::string name) {
        return std::function<std::string()>([&, name] {
            const std::lock_guard lock(ranMutex);
            ran.push_back(name);
            return name;
        });
    };
    std::vector<std::string> seen;
    const uint32_t mine = worker_.NewChannel();
    const uint32_t closed = worker_.NewChannel();
    worker_.Submit<std::string>({mine, 1}, WorkUrgency::Background, job("b1"), Into(seen));
    worker_.Submit<std::string>({mine, 2}, WorkUrgency::Background, job("b2-old"), Into(seen));
    worker_.Submit<std::string>({mine, 3}, WorkUrgency::Urgent, job("u1"), Into(seen));
    worker_.Submit<std::string>({mine, 2}, WorkUrgency::Background, job("b2"), Into(seen));
    worker_.Submit<std::string>({closed, 1}, WorkUrgency::Urgent, job("gone"), Into(seen));
    worker_.Submit<std::string>({mine, 4}, WorkUrgency::Urgent, job("u2"), Into(seen));
    worker_.Cancel(closed);
    EXPECT_EQ(worker_.Pending(), 4u + Worker::kMaxThreads);
    const int before = Wakes();
    gates[0].Open();
    while (worker_.Pending() > Worker::kMaxThreads - 1u) {
        std::this_thread::yield();
    }
    DeliverAfterWake(before + 1);
    EXPECT_EQ(ran, (std::vector<std::string>{"u2", "u1", "b2", "b1"}));
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"b1", "b2", "u1", "u2"}));
    for (std::size_t i = 1; i < gates.size(); ++i) {
        gates[i].Open();
    }
    WaitUntilIdle();
}

TEST_F(WorkerTest, WakesOncePerBatchAgainAfterAFailedWakeAndNeverForAFailedJob) {
    std::vector<std::string> seen;
    const uint32_t channel = worker_.NewChannel();
    worker_.Submit<std::string>(
        {channel, 9}, WorkUrgency::Urgent,
        []() -> std::string { throw std::runtime_error("no disk"); }, Into(seen));
    WaitUntilIdle();
    EXPECT_EQ(Wakes(), 0);
    wakeAnswer_ = false;
    worker_.Submit<std::string>({channel, 1}, WorkUrgency::Background, Value("a"), Into(seen));
    WaitUntilIdle();
    // The first wake failed, so the next result asks again though the
    // first still waits.
    worker_.Submit<std::string>({channel, 2}, WorkUrgency::Background, Value("b"), Into(seen));
    WaitUntilIdle();
    EXPECT_EQ(Wakes(), 2);
    wakeAnswer_ = true;
    worker_.Submit<std::string>({channel, 3}, WorkUrgency::Background, Value("c"), Into(seen));
    DeliverAfterWake(3);
    worker_.Submit<std::string>({channel, 4}, WorkUrgency::Background, Value("d"), Into(seen));
    worker_.Submit<std::string>({channel, 5}, WorkUrgency::Background, Value("e"), Into(seen));
    WaitUntilIdle();
    DeliverAfterWake(4);
    EXPECT_EQ(Wakes(), 4);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"a", "b", "c", "d", "e"}));
    // Idle threads end at once.
    EXPECT_TRUE(worker_.Stop(5s));
}

TEST_F(WorkerTest, OnlyUrgentWorkGetsAThreadBesideABusyOne) {
    Gate gate;
    std::atomic<int> blocked = 0;
    worker_.Submit({1, 1}, WorkUrgency::Background, gate.Hold(blocked));
    AwaitCount(blocked, 1);
    std::atomic<bool> background = false;
    std::atomic<int> urgent = 0;
    worker_.Submit({1, 2}, WorkUrgency::Background,
                   std::function<void()>([&] { background = true; }));
    // It waits for the busy thread, which was not busy long enough to look
    // stuck; a launch does not.
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(background);
    worker_.Submit({1, 3}, WorkUrgency::Urgent, std::function<void()>([&] { ++urgent; }));
    AwaitCount(urgent, 1);
    gate.Open();
    WaitUntilIdle();
    EXPECT_TRUE(background);
}

TEST(WorkerStop, AStuckJobIsLeftBehindWithinTheBound) {
    Gate gate;
    {
        Worker worker(nullptr, nullptr);
        std::atomic<int> running = 0;
        worker.Submit({1, 1}, WorkUrgency::Urgent, gate.Hold(running));
        AwaitCount(running, 1);
        EXPECT_FALSE(worker.Stop(20ms));
    }
    // The worker is gone; the thread it left behind wakes up to shared state
    // that is still there (the sanitizers would see anything else).
    gate.Open();
    std::this_thread::sleep_for(50ms);
}

}  // namespace
}  // namespace corvane
