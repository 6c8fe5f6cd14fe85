#include "identity/WindowIdentity.h"

#include "identity/AppTargets.h"

namespace corvane {

const IdentityCache::Entry* IdentityCache::Find(WindowId window) const {
    const auto found = entries_.find(window);
    return found == entries_.end() ? nullptr : &found->second;
}

void IdentityCache::Store(WindowId window, Entry entry) {
    entries_.insert_or_assign(window, std::move(entry));
}

WindowIdentity IdentifyWindow(WindowId window, IdentityCache& cache, IdentitySource& source) {
    if (const IdentityCache::Entry* known = cache.Find(window)) {
        return WindowIdentity{window, known->appId, known->pathKey, known->exePath};
    }
    IdentityCache::Entry entry;
    entry.appId = source.WindowAppId(window);
    entry.exePath = ApplySteamRule(source.ImagePath(window));
    entry.pathKey = NormalizePathKey(entry.exePath);
    if (entry.appId.empty()) {
        entry.appId = source.PackageAppId(window);
    }
    WindowIdentity identity{window, entry.appId, entry.pathKey, entry.exePath};
    cache.Store(window, std::move(entry));
    return identity;
}

std::vector<WindowIdentity> IdentifyWindows(const std::vector<WindowId>& windows,
                                            IdentityCache& cache, IdentitySource& source) {
    std::vector<WindowIdentity> identities;
    identities.reserve(windows.size());
    for (const WindowId window : windows) {
        identities.push_back(IdentifyWindow(window, cache, source));
    }
    return identities;
}

}  // namespace corvane
