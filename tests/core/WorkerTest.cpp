#include "base/Worker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <future>
#include <stdexcept>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace corvane {
namespace {

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
