#pragma once
// The one place for slow work: reading files on paths that users or other
// programs chose, asking the network or the shell, decoding images,
// launching. Jobs run on a few background threads and their results come
// back to the GUI thread, which is woken through `wake` (a post to the
// control window) and then calls RunFinished.
//
// Work closures run on a worker thread: they capture values, never the
// surfaces that asked. Done closures run on the GUI thread inside
// RunFinished and may touch anything the GUI thread owns, as long as its
// owner cancels its channel before it goes.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

namespace corvane {

// Who asked (a surface, a feature) and, within that, for what. A newer job
// on the same slot replaces one still waiting, and a result older than one
// already delivered for the slot is dropped.
struct WorkSlot {
    uint32_t channel = 0;
    uint64_t key = 0;
    friend bool operator==(const WorkSlot&, const WorkSlot&) = default;
};

enum class WorkUrgency : uint8_t {
    // The user waits for it (a launch, a name on screen): before the rest.
    Urgent,
    Background,
};

struct WorkerShared;

class Worker {
public:
    // Called on a worker thread when results are waiting and none were
    // before; answers false when the GUI thread could not be told (they
    // stay until the next RunFinished). Set before the first job.
    using Wake = std::function<bool()>;
    // Run on each worker thread before its first job; what it returns is
    // released after the thread's last one (a COM apartment, say).
    using ThreadScope = std::function<std::shared_ptr<void>()>;

    static constexpr int kMaxThreads = 3;
    static constexpr std::chrono::milliseconds kStopBound{500};
    // An urgent job gets a thread of its own when every thread is busy, so
    // that a launch never waits behind a job stuck on a dead share; for
    // background work another thread starts only when every thread has been
    // in its job this long.
    static constexpr std::chrono::milliseconds kHelpAfter{400};

    Worker(Wake wake, ThreadScope scope, std::chrono::milliseconds helpAfter = kHelpAfter);
    ~Worker();  // Stop(kStopBound)
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void SetWake(Wake wake);

    // A channel of its own for one asker; never 0.
    [[nodiscard]] uint32_t NewChannel() noexcept;

    // `work` returns what `done` is handed on the GUI thread. A work closure
    // that throws delivers nothing. Ignored after Stop.
    template <typename Result>
    void Submit(WorkSlot slot, WorkUrgency urgency, std::function<Result()> work,
                std::function<void(Result&&)> done) {
        SubmitErased(
            slot, urgency,
            [work = std::move(work), done = std::move(done)]() -> std::function<void()> {
                // Shared, so that a move-only result fits a std::function.
                auto result = std::make_shared<Result>(work());
                return [result, done] { done(std::move(*result)); };
            },
            true);
    }
    // Fire and forget: nothing comes back.
    void Submit(WorkSlot slot, WorkUrgency urgency, std::function<void()> work);

    // Drops the channel's waiting jobs and every result of it not yet
    // delivered, including those of jobs running now.
    void Cancel(uint32_t channel);

    // On the GUI thread: hands each waiting result to its done closure,
    // unless cancelled or older than one already delivered for its slot.
    void RunFinished() noexcept;

    // Drops waiting jobs and waits up to `bound` for running ones; a thread
    // stuck in a job is left behind and ends on its own (it only holds the
    // shared state). Answers whether every thread ended in time.
    bool Stop(std::chrono::milliseconds bound) noexcept;

    // Jobs waiting or running; for tests and the idle trim.
    [[nodiscard]] std::size_t Pending() const;

private:
    void SubmitErased(WorkSlot slot, WorkUrgency urgency,
                      std::function<std::function<void()>()> run, bool delivers);

    std::shared_ptr<WorkerShared> shared_;
};

}  // namespace corvane
