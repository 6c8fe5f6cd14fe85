#include "start/IconRequests.h"

#include <algorithm>

namespace corvane {

bool IconRequestQueue::Push(IconRequest request, bool urgent) {
    {
        const std::lock_guard lock(mutex_);
        auto id = std::make_pair(request.key, request.size);
        if (pending_.contains(id)) {
            const auto queued = std::find_if(queue_.begin(), queue_.end(), [&](const auto& r) {
                return r.size == request.size && r.key == request.key;
            });
            // Not queued means it is being loaded: the result is on its way.
            if (!urgent || queued == queue_.end()) {
                return false;
            }
            queue_.erase(queued);
        } else {
            pending_.insert(std::move(id));
        }
        // Newest first: what is on screen now wins over older prefetches.
        queue_.push_front(std::move(request));
        stop_ = false;
    }
    wake_.notify_one();
    return true;
}

std::optional<IconRequest> IconRequestQueue::WaitPop() {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (stop_) {
        return std::nullopt;
    }
    IconRequest request = std::move(queue_.front());
    queue_.pop_front();
    return request;
}

void IconRequestQueue::Finished(const std::wstring& key, uint32_t size) {
    const std::lock_guard lock(mutex_);
    pending_.erase(std::make_pair(key, size));
}

void IconRequestQueue::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stop_ = true;
        queue_.clear();
        pending_.clear();
    }
    wake_.notify_all();
}

bool IconRequestQueue::IsStopped() const {
    const std::lock_guard lock(mutex_);
    return stop_;
}

bool IconRequestQueue::HasQueued() const {
    const std::lock_guard lock(mutex_);
    return !queue_.empty();
}

bool IconRequestQueue::IsPending(const std::wstring& key, uint32_t size) const {
    const std::lock_guard lock(mutex_);
    return pending_.contains(std::make_pair(key, size));
}

void OutstandingResults::Add(const void* result) {
    const std::lock_guard lock(mutex_);
    results_.insert(result);
}

bool OutstandingResults::Take(const void* result) {
    const std::lock_guard lock(mutex_);
    return results_.erase(result) == 1;
}

std::vector<const void*> OutstandingResults::TakeAll() {
    const std::lock_guard lock(mutex_);
    std::vector<const void*> all(results_.begin(), results_.end());
    results_.clear();
    return all;
}

std::size_t OutstandingResults::Count() const {
    const std::lock_guard lock(mutex_);
    return results_.size();
}

}  // namespace corvane
