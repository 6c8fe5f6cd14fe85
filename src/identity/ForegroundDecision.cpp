#include "identity/ForegroundDecision.h"

#include "identity/ForegroundRules.h"

#include <utility>

namespace corvane {
namespace {

// The icon of an application: the cached one, else the window's own. A
// borrowed window icon of a cached application is copied into the cache, and
// the copy is what the bar shows from then on: showing the borrowed handle now
// and the copy on the next visit would count as a change and rebuild menus of
// an application that did not change.
uint64_t IconFor(uint64_t window, DisplayNameCache::Entry* entry, DisplayNameCache& cache,
                 ForegroundSources& sources) {
    if (entry != nullptr && entry->icon != 0) {
        return entry->icon;
    }
    const uint64_t borrowed = sources.WindowIcon(window);
    if (borrowed == 0 || entry == nullptr) {
        return borrowed;
    }
    const uint64_t copy = sources.CopyIcon(borrowed);
    if (copy == 0) {
        return borrowed;
    }
    cache.SetIcon(*entry, copy);
    return copy;
}

DisplayNameCache::Entry& Resolve(const AppIdentity& id, DisplayNameCache& cache,
                                 ForegroundSources& sources) {
    if (DisplayNameCache::Entry* hit = cache.Find(id.exePath)) {
        return *hit;
    }
    std::wstring name = sources.FileDescription(id.exePath);
    if (name.empty()) {
        name = NameFromFileName(FileNameOf(id.exePath));
    }
    return cache.Insert(id.exePath, std::move(name), sources.ExtractFileIcon(id.exePath));
}

}  // namespace

std::optional<AppIdentity> IdentifyForeground(const ForegroundFacts& facts, DisplayNameCache& cache,
                                              ForegroundSources& sources) {
    if (facts.window == 0) {
        return std::nullopt;
    }
    AppIdentity id;
    id.exePath = facts.exePath;
    id.exeName = ExecutableNameOf(id.exePath);
    if (IsShellSurface(facts.className, id.exeName)) {
        return std::nullopt;
    }
    if (IsStoreAppHost(id.exeName)) {
        if (std::optional<std::wstring> hosted = sources.HostedAppPath(facts.window)) {
            id.exePath = std::move(*hosted);
            id.exeName = ExecutableNameOf(id.exePath);
        }
    }

    DisplayNameCache::Entry* entry = nullptr;
    if (IsDesktopWindow(id.exeName, facts.className)) {
        id.displayName = DesktopName();
    } else if (!id.exePath.empty()) {
        entry = &Resolve(id, cache, sources);
        id.displayName = entry->displayName;
    }
    if (id.displayName.empty() && id.exeName == kExplorerExe) {
        id.displayName = FileExplorerName();
    }
    id.icon = IconFor(facts.window, entry, cache, sources);
    if (id.displayName.empty()) {
        id.displayName = kFallbackAppName;
    }
    return id;
}

bool IsApplicationChange(const CurrentAppView& current, uint64_t window,
                         const AppIdentity& next) noexcept {
    return next.displayName != current.displayName || next.icon != current.icon ||
           window != current.window;
}

}  // namespace corvane
