#include "start/AppIconCache.h"

#include <utility>

namespace corvane {
namespace {

std::wstring IconSource(const AppEntry& entry) {
    if (entry.isSetting) {
        return kSettingsAppTarget;
    }
    return entry.hasExe ? entry.exePath : entry.target;
}

}  // namespace

AppIconCache::AppIconCache(Worker& worker, std::function<void()> loaded)
    : worker_(worker), channel_(worker.NewChannel()), onLoaded_(std::move(loaded)) {}

AppIconCache::~AppIconCache() {
    StopLoading();
}

void AppIconCache::RequestIcon(const AppEntry& entry, uint32_t sizePx, bool urgent) {
    Key key{entry.key, sizePx};
    if (loaded_.contains(key)) {
        return;
    }
    // A second urgent request replaces the waiting one in the worker's queue
    // (same slot) and only moves it forward.
    const auto asked = pending_.find(key);
    if (asked != pending_.end() && (asked->second || !urgent)) {
        return;
    }
    pending_.insert_or_assign(key, urgent);
    worker_.Submit<IconSourceBitmap>(
        {channel_, std::hash<std::wstring>{}(key.first) ^ (uint64_t{sizePx} << 48)},
        urgent ? WorkUrgency::Urgent : WorkUrgency::Background,
        [source = IconSource(entry), sizePx] {
            return LoadIconBitmap(source, static_cast<int32_t>(sizePx));
        },
        [this, key](IconSourceBitmap&& bitmap) {
            pending_.erase(key);
            // A failed load is stored too, so that it is not tried again.
            loaded_.insert_or_assign(key, std::move(bitmap));
            if (onLoaded_) {
                onLoaded_();
            }
        });
}

IconSourceBitmap AppIconCache::GetIcon(const AppEntry& entry, uint32_t sizePx) const {
    const auto found = loaded_.find({entry.key, sizePx});
    return found == loaded_.end() ? IconSourceBitmap{} : found->second;
}

bool AppIconCache::HasIcon(const AppEntry& entry, uint32_t sizePx) const {
    return loaded_.contains({entry.key, sizePx});
}

void AppIconCache::PrefetchIcons(const std::vector<AppEntry>& catalog, uint32_t sizePx) {
    for (const AppEntry& entry : catalog) {
        RequestIcon(entry, sizePx, false);
    }
}

void AppIconCache::ClearLoadedIcons() {
    if (pending_.empty()) {
        loaded_.clear();
    }
}

void AppIconCache::StopLoading() noexcept {
    try {
        worker_.Cancel(channel_);
    } catch (...) {
        // The lock failed: what is still on its way may yet arrive.
    }
    pending_.clear();
}

void AppIconCache::TrimIfIdle(uint32_t now) {
    // Unsigned: the tick count wraps after 49.7 days.
    if (lastUse_ == 0 || now - lastUse_ <= kIconIdleTrimMs || !pending_.empty()) {
        return;
    }
    ClearLoadedIcons();
    lastUse_ = 0;
}

}  // namespace corvane
