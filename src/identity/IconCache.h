#pragma once
// The process-wide memory of loaded icons, keyed by lower-cased path and
// pixel size. Failures are remembered like successes, so a missing file is
// not looked for again on every repaint. Instead of tracking use, the whole
// cache is dropped once it holds more than 200 entries.

#include "identity/AppTargets.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace corvane {

inline constexpr std::size_t kIconCacheClearAbove = 200;

template <typename Icon>
class IconCache {
public:
    using Key = std::pair<std::wstring, int32_t>;

    // The remembered icon (which may be an empty one), or load(path, size)
    // remembered under the key.
    template <typename Load>
    Icon Get(std::wstring_view path, int32_t size, Load&& load) {
        Key key{LowerCased(path), size};
        if (const auto found = entries_.find(key); found != entries_.end()) {
            return found->second;
        }
        if (entries_.size() > kIconCacheClearAbove) {
            entries_.clear();
        }
        Icon icon = load(path, size);
        entries_.emplace(std::move(key), icon);
        return icon;
    }

    [[nodiscard]] std::size_t Size() const { return entries_.size(); }
    [[nodiscard]] bool Contains(std::wstring_view path, int32_t size) const {
        return entries_.contains(Key{LowerCased(path), size});
    }
    void Clear() { entries_.clear(); }

private:
    std::map<Key, Icon> entries_;
};

}  // namespace corvane
