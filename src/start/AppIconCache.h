#pragma once
// Catalog icons, loaded at a pixel size on the shared worker, urgent and
// newest requests first. The loaded icons are the GUI thread's; the worker
// sees copies of strings.

#include "base/Worker.h"
#include "identity/IconLoader.h"
#include "identity/AppEntry.h"
#include "identity/AppTargets.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

inline constexpr uint32_t kIconIdleTrimMs = 1800000;

class AppIconCache {
public:
    // Loads on `worker`; `loaded` runs on the GUI thread after each stored
    // result.
    AppIconCache(Worker& worker, std::function<void()> loaded);
    ~AppIconCache();  // nothing more is delivered
    AppIconCache(const AppIconCache&) = delete;
    AppIconCache& operator=(const AppIconCache&) = delete;

    // Urgent ones are loaded before the prefetched; asking again for one
    // still waiting makes it urgent, one being loaded is not asked twice.
    void RequestIcon(const AppEntry& entry, uint32_t sizePx, bool urgent);
    // The loaded bitmap (null for a failed load or none yet).
    [[nodiscard]] IconSourceBitmap GetIcon(const AppEntry& entry, uint32_t sizePx) const;
    // Loaded, with or without a bitmap.
    [[nodiscard]] bool HasIcon(const AppEntry& entry, uint32_t sizePx) const;
    void PrefetchIcons(const std::vector<AppEntry>& catalog, uint32_t sizePx);
    // Does nothing while requests are pending.
    void ClearLoadedIcons();
    // Drops every request not yet delivered; later ones are loaded again.
    void StopLoading() noexcept;

    // The idle trim: surfaces store the tick on use; `TrimIfIdle` drops every
    // loaded icon once 30 minutes passed and resets the tick to 0 (while
    // requests are pending it tries again on the next call).
    void MarkUsed(uint32_t tick) noexcept { lastUse_ = tick; }
    void TrimIfIdle(uint32_t now);

    [[nodiscard]] std::size_t LoadedCount() const noexcept { return loaded_.size(); }

private:
    using Key = std::pair<std::wstring, uint32_t>;

    Worker& worker_;
    uint32_t channel_;
    std::function<void()> onLoaded_;
    std::map<Key, IconSourceBitmap> loaded_;
    // Asked for and not delivered yet, with whether it was asked urgently.
    std::map<Key, bool> pending_;
    uint32_t lastUse_ = 0;
};

}  // namespace corvane
