#pragma once
// What the GUI thread and the icon worker share: the queue of icons to load,
// newest first, the keys queued or being loaded, the stop flag; and the
// results handed out and not yet delivered, so that a pointer arriving with
// a posted message is only trusted when the worker made it. Portable; one
// mutex each.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

struct IconRequest {
    std::wstring key;
    std::wstring target;
    std::wstring exePath;
    bool hasExe = false;
    bool isSetting = false;
    uint32_t size = 0;
};

class IconRequestQueue {
public:
    // False when the request was already pending and not urgent (nothing
    // changed). Urgent moves a queued request to the front; one being loaded
    // is not queued again. Clears the stop flag when it queues.
    bool Push(IconRequest request, bool urgent);
    // Blocks until a request is queued or Stop; nothing after Stop.
    [[nodiscard]] std::optional<IconRequest> WaitPop();
    // The result for (key, size) arrived: no longer pending.
    void Finished(const std::wstring& key, uint32_t size);
    // Sets the stop flag, empties the queue, forgets every pending key (a
    // result still on its way is no longer waited for) and wakes every waiter.
    void Stop();
    [[nodiscard]] bool IsStopped() const;
    [[nodiscard]] bool HasQueued() const;
    [[nodiscard]] bool IsPending(const std::wstring& key, uint32_t size) const;

private:
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<IconRequest> queue_;
    std::set<std::pair<std::wstring, uint32_t>> pending_;
    bool stop_ = false;
};

// Addresses of results in flight between the worker and the GUI thread.
class OutstandingResults {
public:
    void Add(const void* result);
    // True exactly once for an address that was added: the caller owns it.
    [[nodiscard]] bool Take(const void* result);
    // Everything added and not yet taken, now the caller's.
    [[nodiscard]] std::vector<const void*> TakeAll();
    [[nodiscard]] std::size_t Count() const;

private:
    mutable std::mutex mutex_;
    std::set<const void*> results_;
};

}  // namespace corvane
