#include "base/Worker.h"

#include <algorithm>
#include <deque>
#include <map>
#include <set>
#include <thread>
#include <unordered_map>
#include <vector>

namespace corvane {

namespace {

struct Job {
    WorkSlot slot;
    WorkUrgency urgency = WorkUrgency::Background;
    uint64_t sequence = 0;
    uint64_t channelGeneration = 0;
    // Fire-and-forget jobs neither replace others nor deliver anything.
    bool delivers = true;
    std::function<std::function<void()>()> run;
};

struct Finished {
    WorkSlot slot;
    uint64_t sequence = 0;
    uint64_t channelGeneration = 0;
    std::function<void()> done;
};

}  // namespace

// Held by the Worker and by every thread it started, so that a thread left
// behind in a stuck job still finds it when it wakes up.
struct WorkerShared {
    using Clock = std::chrono::steady_clock;
    std::mutex mutex;
    std::condition_variable jobsWaiting;
    std::condition_variable threadEnded;
    Worker::Wake wake;
    Worker::ThreadScope scope;
    std::chrono::milliseconds helpAfter{0};
    bool stopped = false;
    bool wakeOwed = false;
    int threads = 0;
    int idle = 0;
    int running = 0;
    uint64_t nextSequence = 1;
    uint32_t nextChannel = 1;
    // When each job now running started.
    std::multiset<Clock::time_point> runningSince;
    std::deque<Job> queue;
    std::vector<Finished> finished;
    // Bumped by Cancel: a result made for an older generation is dropped.
    std::unordered_map<uint32_t, uint64_t> channelGenerations;
    std::map<std::pair<uint32_t, uint64_t>, uint64_t> lastDelivered;

    uint64_t GenerationOf(uint32_t channel) const {
        const auto found = channelGenerations.find(channel);
        return found == channelGenerations.end() ? 0 : found->second;
    }

    // Urgent jobs first; within each, the newest: what the user looks at
    // now matters more than what was asked for a while ago.
    Job TakeNext() {
        auto pick = std::find_if(queue.rbegin(), queue.rend(),
                                 [](const Job& job) { return job.urgency == WorkUrgency::Urgent; });
        if (pick == queue.rend()) {
            pick = queue.rbegin();
        }
        Job job = std::move(*pick);
        queue.erase(std::next(pick).base());
        return job;
    }
};

namespace {

void ThreadMain(std::shared_ptr<WorkerShared> shared) noexcept {
    std::shared_ptr<void> scope;
    try {
        if (shared->scope) {
            scope = shared->scope();
        }
    } catch (...) {
        // Without its scope the thread still runs jobs that need none.
    }
    std::unique_lock lock(shared->mutex);
    for (;;) {
        ++shared->idle;
        shared->jobsWaiting.wait(lock, [&] { return shared->stopped || !shared->queue.empty(); });
        --shared->idle;
        if (shared->stopped) {
            break;
        }
        Job job = shared->TakeNext();
        ++shared->running;
        const auto started = shared->runningSince.insert(WorkerShared::Clock::now());
        lock.unlock();
        std::function<void()> done;
        try {
            done = job.run();
        } catch (...) {
            // A job that failed delivers nothing.
        }
        job.run = nullptr;
        lock.lock();
        --shared->running;
        shared->runningSince.erase(started);
        if (!done || !job.delivers || shared->stopped) {
            // Dropped outside the lock: a result's destructor may be slow.
            lock.unlock();
            done = nullptr;
            lock.lock();
            continue;
        }
        const bool tell = shared->finished.empty() || shared->wakeOwed;
        try {
            shared->finished.push_back(
                {job.slot, job.sequence, job.channelGeneration, std::move(done)});
        } catch (...) {
            continue;
        }
        if (tell) {
            Worker::Wake wake = shared->wake;
            lock.unlock();
            bool told = false;
            try {
                told = wake && wake();
            } catch (...) {
                told = false;
            }
            lock.lock();
            shared->wakeOwed = !told;
        }
    }
    --shared->threads;
    shared->threadEnded.notify_all();
    lock.unlock();
    scope.reset();
}

}  // namespace

Worker::Worker(Wake wake, ThreadScope scope, std::chrono::milliseconds helpAfter)
    : shared_(std::make_shared<WorkerShared>()) {
    shared_->wake = std::move(wake);
    shared_->scope = std::move(scope);
    shared_->helpAfter = helpAfter;
}

Worker::~Worker() {
    (void)Stop(kStopBound);
}

void Worker::SetWake(Wake wake) {
    const std::lock_guard lock(shared_->mutex);
    shared_->wake = std::move(wake);
}

uint32_t Worker::NewChannel() noexcept {
    const std::lock_guard lock(shared_->mutex);
    return shared_->nextChannel++;
}

void Worker::Submit(WorkSlot slot, WorkUrgency urgency, std::function<void()> work) {
    SubmitErased(
        slot, urgency,
        [work = std::move(work)]() -> std::function<void()> {
            work();
            return nullptr;
        },
        false);
}

void Worker::SubmitErased(WorkSlot slot, WorkUrgency urgency,
                          std::function<std::function<void()>()> run, bool delivers) {
    std::vector<Job> replaced;
    std::unique_lock lock(shared_->mutex);
    if (shared_->stopped) {
        return;
    }
    Job job{slot,     urgency,       shared_->nextSequence++, shared_->GenerationOf(slot.channel),
            delivers, std::move(run)};
    // Only a job that delivers has a slot to replace in; a launch is never
    // replaced by the next one.
    for (auto it = shared_->queue.begin(); it != shared_->queue.end();) {
        if (delivers && it->delivers && it->slot == slot) {
            replaced.push_back(std::move(*it));
            it = shared_->queue.erase(it);
        } else {
            ++it;
        }
    }
    shared_->queue.push_back(std::move(job));
    // Background work gets a second thread only for a first that has been
    // busy a while: parallel icon loads would take the processor from the
    // GUI thread for nothing.
    const bool allStuck =
        shared_->running == shared_->threads && !shared_->runningSince.empty() &&
        WorkerShared::Clock::now() - *shared_->runningSince.rbegin() >= shared_->helpAfter;
    if (shared_->idle == 0 && shared_->threads < kMaxThreads &&
        (shared_->threads == 0 || urgency == WorkUrgency::Urgent || allStuck)) {
        try {
            std::thread(ThreadMain, shared_).detach();
            ++shared_->threads;
        } catch (...) {
            // No thread now: the job waits for one that is running, or for
            // the next Submit.
        }
    } else {
        shared_->jobsWaiting.notify_one();
    }
    lock.unlock();
}

void Worker::Cancel(uint32_t channel) {
    std::vector<Job> dropped;
    const std::lock_guard lock(shared_->mutex);
    ++shared_->channelGenerations[channel];
    for (auto it = shared_->queue.begin(); it != shared_->queue.end();) {
        if (it->slot.channel == channel) {
            dropped.push_back(std::move(*it));
            it = shared_->queue.erase(it);
        } else {
            ++it;
        }
    }
    std::erase_if(shared_->lastDelivered,
                  [channel](const auto& entry) { return entry.first.first == channel; });
}

void Worker::RunFinished() noexcept {
    std::vector<Finished> batch;
    {
        const std::lock_guard lock(shared_->mutex);
        batch.swap(shared_->finished);
        shared_->wakeOwed = false;
    }
    for (Finished& result : batch) {
        try {
            bool wanted = false;
            {
                const std::lock_guard lock(shared_->mutex);
                // Checked item by item: an earlier done closure may have
                // cancelled a later one's channel.
                uint64_t& last = shared_->lastDelivered[{result.slot.channel, result.slot.key}];
                wanted = !shared_->stopped &&
                         result.channelGeneration == shared_->GenerationOf(result.slot.channel) &&
                         result.sequence > last;
                if (wanted) {
                    last = result.sequence;
                }
            }
            if (wanted) {
                result.done();
            }
        } catch (...) {
            // Out of memory, or the receiver failed: this result is lost.
        }
    }
}

bool Worker::Stop(std::chrono::milliseconds bound) noexcept {
    std::deque<Job> dropped;
    std::vector<Finished> undelivered;
    bool ended = false;
    {
        std::unique_lock lock(shared_->mutex);
        shared_->stopped = true;
        dropped.swap(shared_->queue);
        undelivered.swap(shared_->finished);
        shared_->jobsWaiting.notify_all();
        ended = shared_->threadEnded.wait_for(lock, bound, [&] { return shared_->threads == 0; });
    }
    return ended;
}

std::size_t Worker::Pending() const {
    const std::lock_guard lock(shared_->mutex);
    return shared_->queue.size() + static_cast<std::size_t>(shared_->running);
}

}  // namespace corvane
