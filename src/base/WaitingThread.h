#pragma once
// A thread of our own that waits on kernel handles without a time limit and
// hands what it sees on to the GUI thread. A system pool wait would keep an
// idle worker waking every few seconds for as long as it is registered; this
// costs nothing while nothing happens.

#include "base/Win32Handles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace corvane {

class WaitingThread {
public:
    // One wait and what follows it, on the thread: it waits on `wake` among
    // its own handles and returns false to end the thread.
    using Step = std::function<bool(HANDLE wake)>;

    WaitingThread() = default;
    // Wakes the thread and waits for the step that runs: what the step
    // touches must outlive this object (declare it last).
    ~WaitingThread();
    WaitingThread(const WaitingThread&) = delete;
    WaitingThread& operator=(const WaitingThread&) = delete;

    // False without an event or a thread; nothing then runs.
    [[nodiscard]] bool Start(Step step) noexcept;
    // The current wait returns with `wake`, and the step runs again.
    void Wake() const noexcept;
    [[nodiscard]] bool Stopping() const noexcept { return stopping_; }

private:
    Step step_;
    UniqueHandle wake_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace corvane
