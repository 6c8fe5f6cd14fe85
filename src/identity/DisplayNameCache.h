#pragma once
// Display names and icons of executables, keyed by image path (ordinal).
// Reading a version resource and extracting an icon costs milliseconds, and
// the foreground changes often; so each path is resolved once.
//
// Bounded: a session that runs thousands of distinct executables (build
// tools, installers, portable apps) would otherwise keep an icon handle per
// path for ever, and GDI handles are a limited per-process quota. The least
// recently used entry goes first, so the entry of the application in front
// (just looked up) is never the one evicted while the capacity is above one.

#include <cstddef>
#include <cstdint>
#include <list>
#include <map>
#include <string>

namespace corvane {

inline constexpr std::size_t kDisplayNameCacheCapacity = 256;

class DisplayNameCache {
public:
    // Destroys an icon the cache owns; icons are opaque ids (HICON on Windows).
    using IconDeleter = void (*)(uint64_t icon) noexcept;

    struct Entry {
        std::wstring displayName;
        uint64_t icon = 0;  // owned; 0 = none
    };

    DisplayNameCache(std::size_t capacity, IconDeleter deleter) noexcept;
    ~DisplayNameCache();
    DisplayNameCache(const DisplayNameCache&) = delete;
    DisplayNameCache& operator=(const DisplayNameCache&) = delete;

    // The entry of `path`, now the most recently used one; null on a miss.
    // The pointer stays valid until the next Insert.
    [[nodiscard]] Entry* Find(const std::wstring& path);

    // Takes ownership of `icon`. Evicts the least recently used entry when full
    // and replaces an entry of the same path.
    Entry& Insert(const std::wstring& path, std::wstring displayName, uint64_t icon);

    // Takes ownership of `icon`; the entry's previous icon is destroyed.
    void SetIcon(Entry& entry, uint64_t icon) noexcept;

    [[nodiscard]] std::size_t Size() const noexcept { return index_.size(); }

private:
    struct Node {
        std::wstring path;
        Entry entry;
    };
    using Recency = std::list<Node>;  // front = most recently used

    void Destroy(uint64_t icon) const noexcept;
    void Erase(Recency::iterator node) noexcept;

    std::size_t capacity_;
    IconDeleter deleter_;
    Recency recency_;
    std::map<std::wstring, Recency::iterator, std::less<>> index_;
};

}  // namespace corvane
