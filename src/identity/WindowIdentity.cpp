#include "identity/WindowIdentity.h"

#include "identity/AppTargets.h"
#include "identity/ForegroundRules.h"

namespace corvane {

const IdentityCache::Entry* IdentityCache::Find(WindowId window) const {
    const auto found = entries_.find(window);
    return found == entries_.end() ? nullptr : &found->second;
}

void IdentityCache::Store(WindowId window, Entry entry) {
    entries_.insert_or_assign(window, std::move(entry));
}

bool IsAppFrame(std::wstring_view className, std::wstring_view imagePath) {
    return className == kAppFrameClass && IsStoreAppHost(ExecutableNameOf(imagePath));
}

WindowIdentity IdentifyWindow(WindowId window, IdentityCache& cache, IdentitySource& source) {
    if (const IdentityCache::Entry* known = cache.Find(window)) {
        return WindowIdentity{window, known->appId, known->pathKey, known->exePath};
    }
    IdentityCache::Entry entry;
    entry.appId = source.WindowAppId(window);
    std::wstring image = source.ImagePath(window);
    // The window whose process is the application's.
    WindowId appWindow = window;
    const bool frame = IsAppFrame(source.ClassName(window), image);
    if (frame) {
        appWindow = source.CoreWindowOf(window);
        image = appWindow == 0 ? std::wstring() : source.ImagePath(appWindow);
    }
    entry.exePath = ApplySteamRule(image);
    entry.pathKey = NormalizePathKey(entry.exePath);
    if (entry.appId.empty() && appWindow != 0) {
        entry.appId = source.PackageAppId(appWindow);
    }
    WindowIdentity identity{window, entry.appId, entry.pathKey, entry.exePath};
    if (appWindow != 0) {
        cache.Store(window, std::move(entry));
    }
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
