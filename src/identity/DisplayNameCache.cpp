#include "identity/DisplayNameCache.h"

#include <utility>

namespace corvane {

DisplayNameCache::DisplayNameCache(std::size_t capacity, IconDeleter deleter) noexcept
    : capacity_(capacity == 0 ? 1 : capacity), deleter_(deleter) {}

DisplayNameCache::~DisplayNameCache() {
    for (const Node& node : recency_) {
        Destroy(node.entry.icon);
    }
}

DisplayNameCache::Entry* DisplayNameCache::Find(const std::wstring& path) {
    const auto found = index_.find(path);
    if (found == index_.end()) {
        return nullptr;
    }
    recency_.splice(recency_.begin(), recency_, found->second);
    return &found->second->entry;
}

DisplayNameCache::Entry& DisplayNameCache::Insert(const std::wstring& path,
                                                  std::wstring displayName, uint64_t icon) {
    if (const auto existing = index_.find(path); existing != index_.end()) {
        Erase(existing->second);
    }
    while (index_.size() >= capacity_) {
        Erase(std::prev(recency_.end()));
    }
    // Built before it is linked in, so that a failed allocation leaks nothing
    // the cache would have to own.
    Recency node;
    try {
        node.push_back(Node{path, Entry{std::move(displayName), icon}});
        index_.emplace(path, node.begin());
    } catch (...) {
        Destroy(icon);
        throw;
    }
    recency_.splice(recency_.begin(), node);
    return recency_.front().entry;
}

void DisplayNameCache::SetIcon(Entry& entry, uint64_t icon) noexcept {
    if (entry.icon != icon) {
        Destroy(entry.icon);
        entry.icon = icon;
    }
}

void DisplayNameCache::Destroy(uint64_t icon) const noexcept {
    if (icon != 0 && deleter_ != nullptr) {
        deleter_(icon);
    }
}

void DisplayNameCache::Erase(Recency::iterator node) noexcept {
    Destroy(node->entry.icon);
    index_.erase(node->path);
    recency_.erase(node);
}

}  // namespace corvane
