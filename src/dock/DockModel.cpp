#include "dock/DockModel.h"

#include "config/SettingsText.h"
#include "identity/AppTargets.h"

#include <algorithm>
#include <optional>

namespace corvane {
namespace {

constexpr std::wstring_view kAppsFolderPrefix = L"shell:AppsFolder\\";
constexpr uint32_t kDragOutDips = 50;

bool Holds(const DockItem& item, WindowId window) {
    return std::find(item.windows.begin(), item.windows.end(), window) != item.windows.end();
}

std::size_t LeadingPinnedCount(const std::vector<DockItem>& items) {
    const auto firstUnpinned =
        std::find_if(items.begin(), items.end(), [](const DockItem& item) { return !item.pinned; });
    return static_cast<std::size_t>(firstUnpinned - items.begin());
}

// Moves the item to the first place after the leading pinned run of the others.
void MoveToEndOfPinnedGroup(std::vector<DockItem>& items, std::size_t index) {
    DockItem item = std::move(items[index]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(index));
    const std::size_t place = LeadingPinnedCount(items);
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(place), std::move(item));
}

// Old items by lower-cased target, for carrying state over by target.
class OldTargets {
public:
    explicit OldTargets(const std::vector<DockItem>& old) : old_(old) {
        keys_.reserve(old.size());
        for (const DockItem& item : old) {
            keys_.push_back(LowerCased(item.target));
        }
    }

    [[nodiscard]] int Find(std::wstring_view target, bool includeStart) const {
        const std::wstring key = LowerCased(target);
        for (std::size_t i = 0; i < old_.size(); ++i) {
            if ((includeStart || !old_[i].start) && keys_[i] == key) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

private:
    const std::vector<DockItem>& old_;
    std::vector<std::wstring> keys_;
};

// Hands each old item's key to the first new item that follows it, and new
// keys to the rest.
class Keys {
public:
    explicit Keys(const std::vector<DockItem>& old) : given_(old.size(), false) {
        for (const DockItem& item : old) {
            next_ = std::max(next_, item.key + 1);
        }
    }

    [[nodiscard]] uint64_t For(const std::vector<DockItem>& old, int from) {
        const auto at = static_cast<std::size_t>(from);
        if (from >= 0 && old[at].key != 0 && !given_[at]) {
            given_[at] = true;
            return old[at].key;
        }
        return next_++;
    }

private:
    std::vector<bool> given_;
    uint64_t next_ = 1;
};

void Append(DockRebuild& result, DockItem item, const std::vector<DockItem>& old, int from,
            Keys& keys) {
    if (from >= 0) {
        const DockItem& source = old[static_cast<std::size_t>(from)];
        if (item.name.empty()) {
            item.name = source.name;
        }
        item.attention = source.attention;
    }
    item.key = keys.For(old, from);
    result.items.push_back(std::move(item));
}

// Whether the window's app id can stand in the pinned list as an entry.
bool StorableAppId(std::wstring_view appId) {
    return !appId.empty() &&
           IsStorableIdentifier(std::wstring(kAppsFolderPrefix) + std::wstring(appId));
}

// The pinned item the window belongs to (index into items), if any.
std::optional<std::size_t> PinnedOwner(const std::vector<DockItem>& items,
                                       const std::wstring& appId, const std::wstring& pathKey) {
    std::optional<std::size_t> byPath;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].start) {
            continue;
        }
        const PinMatch match = MatchPin(items[i], appId, pathKey);
        if (match == PinMatch::ByAppId) {
            return i;
        }
        if (match == PinMatch::ByPath && !byPath) {
            byPath = i;
        }
    }
    return byPath;
}

DockItem* RunningOwner(std::vector<DockItem>& running, const std::wstring& appId,
                       const std::wstring& pathKey) {
    for (DockItem& item : running) {
        if (appId.empty() ? item.appId.empty() && item.pathKey == pathKey : item.appId == appId) {
            return &item;
        }
    }
    return nullptr;
}

std::vector<DockItem> GroupRunning(std::vector<DockItem>& items,
                                   const std::vector<WindowIdentity>& windows) {
    std::vector<DockItem> running;
    for (const WindowIdentity& window : windows) {
        // An id the pinned list could not hold is no id: the window is
        // known by its program, as one without an id is.
        const std::wstring appId =
            StorableAppId(window.appId) ? LowerCased(window.appId) : std::wstring();
        if (const auto pinned = PinnedOwner(items, appId, window.pathKey)) {
            items[*pinned].windows.push_back(window.window);
        } else if (DockItem* item = RunningOwner(running, appId, window.pathKey)) {
            item->windows.push_back(window.window);
        } else {
            DockItem created;
            created.target = RunningTarget(window);
            created.appId = appId;
            created.pathKey = window.pathKey;
            created.windows.push_back(window.window);
            running.push_back(std::move(created));
        }
    }
    return running;
}

// Running items that were already running keep their old order; newcomers
// follow in the order their windows were found.
std::vector<DockItem> OrderRunning(std::vector<DockItem> running,
                                   const std::vector<DockItem>& old) {
    std::vector<std::wstring> keys;
    keys.reserve(running.size());
    for (const DockItem& item : running) {
        keys.push_back(LowerCased(item.target));
    }
    std::vector<bool> taken(running.size(), false);
    std::vector<DockItem> ordered;
    for (const DockItem& was : old) {
        if (was.start || was.pinned) {
            continue;
        }
        const std::wstring key = LowerCased(was.target);
        for (std::size_t i = 0; i < running.size(); ++i) {
            if (!taken[i] && keys[i] == key) {
                taken[i] = true;
                ordered.push_back(std::move(running[i]));
                break;
            }
        }
    }
    for (std::size_t i = 0; i < running.size(); ++i) {
        if (!taken[i] && !running[i].target.empty()) {
            ordered.push_back(std::move(running[i]));
        }
    }
    return ordered;
}

}  // namespace

std::wstring RunningTarget(const WindowIdentity& window) {
    if (StorableAppId(window.appId)) {
        return std::wstring(kAppsFolderPrefix) + window.appId;
    }
    return IsStorableIdentifier(window.exePath) ? window.exePath : std::wstring();
}

DockItem MakePinnedItem(std::wstring_view entry, std::wstring_view programPath) {
    DockItem item;
    item.target = std::wstring(entry);
    item.pinned = true;
    if (IsAppsFolderTarget(entry)) {
        item.appId = LowerCased(entry.substr(kAppsFolderPrefix.size()));
        item.pathKey = NormalizePathKey(programPath);
    } else {
        // A shortcut's windows are its program's.
        item.pathKey = NormalizePathKey(programPath.empty() ? entry : programPath);
    }
    return item;
}

PinMatch MatchPin(const DockItem& item, std::wstring_view appId, std::wstring_view pathKey) {
    if (!item.appId.empty() && item.appId == appId) {
        return PinMatch::ByAppId;
    }
    const bool otherIds = !item.appId.empty() && !appId.empty();
    if (!otherIds && !item.pathKey.empty() && item.pathKey == pathKey) {
        return PinMatch::ByPath;
    }
    return PinMatch::None;
}

DockRebuild RebuildDockItems(const std::vector<DockItem>& old,
                             const std::vector<std::wstring>& pinned,
                             const std::vector<WindowIdentity>& windows,
                             const ProgramPathOf& programPathOf) {
    const OldTargets oldTargets(old);
    Keys keys(old);
    DockRebuild result;

    DockItem start;
    start.name = L"Start";
    start.pinned = true;
    start.start = true;
    const auto oldStart =
        std::find_if(old.begin(), old.end(), [](const DockItem& item) { return item.start; });
    const int startFrom = oldStart == old.end() ? -1 : static_cast<int>(oldStart - old.begin());
    Append(result, std::move(start), old, startFrom, keys);

    for (const std::wstring& entry : pinned) {
        const bool startsProgram = IsAppsFolderTarget(entry) || IsShortcutPath(entry);
        const std::wstring programPath =
            programPathOf && startsProgram ? programPathOf(entry) : std::wstring();
        Append(result, MakePinnedItem(entry, programPath), old, oldTargets.Find(entry, true), keys);
    }

    std::vector<DockItem> running = OrderRunning(GroupRunning(result.items, windows), old);
    for (DockItem& item : running) {
        const int from = oldTargets.Find(item.target, false);
        Append(result, std::move(item), old, from, keys);
    }
    return result;
}

std::vector<std::wstring> PinnedTargets(const std::vector<DockItem>& items) {
    std::vector<std::wstring> targets;
    for (const DockItem& item : items) {
        if (item.pinned && !item.start) {
            targets.push_back(item.target);
        }
    }
    return targets;
}

void SetPinned(std::vector<DockItem>& items, std::size_t index, bool pin) {
    // Start belongs to no pinned entry, and its empty target names no app.
    if (index >= items.size() || items[index].start) {
        return;
    }
    const std::wstring key = LowerCased(items[index].target);
    for (DockItem& item : items) {
        if (!item.start && LowerCased(item.target) == key) {
            item.pinned = pin;
        }
    }
    if (pin && LeadingPinnedCount(items) <= index) {
        MoveToEndOfPinnedGroup(items, index);
    }
}

bool DockDragIsOut(int pointerY, int dockTop, uint32_t dpi, bool pinned) noexcept {
    const auto limit = static_cast<int>(dpi * kDragOutDips / 96);
    return pinned && dockTop - pointerY > limit;
}

bool MoveDraggedItem(std::vector<DockItem>& items, int& pressedIndex, int slot) {
    const auto size = static_cast<int>(items.size());
    if (pressedIndex < 1 || pressedIndex >= size || slot < 1 || slot >= size ||
        slot == pressedIndex) {
        return false;
    }
    DockItem item = std::move(items[static_cast<std::size_t>(pressedIndex)]);
    items.erase(items.begin() + pressedIndex);
    items.insert(items.begin() + slot, std::move(item));
    pressedIndex = slot;
    return true;
}

void DropDraggedItem(std::vector<DockItem>& items, int index, bool dragOut) {
    if (index < 1 || index >= static_cast<int>(items.size())) {
        return;
    }
    const auto at = static_cast<std::size_t>(index);
    DockItem& item = items[at];
    if (dragOut) {
        item.pinned = false;
    } else if (!item.pinned) {
        item.pinned = std::any_of(items.begin() + index + 1, items.end(),
                                  [](const DockItem& after) { return after.pinned; });
    } else if (LeadingPinnedCount(items) <= at) {
        MoveToEndOfPinnedGroup(items, at);
    }
}

std::vector<int> PlacesOfKeys(const std::vector<uint64_t>& keys,
                              const std::vector<DockItem>& items) {
    std::vector<int> places;
    places.reserve(items.size());
    for (const DockItem& item : items) {
        const auto found = std::find(keys.begin(), keys.end(), item.key);
        places.push_back(
            item.key == 0 || found == keys.end() ? -1 : static_cast<int>(found - keys.begin()));
    }
    return places;
}

int FirstDockFocus(const std::vector<DockItem>& items, WindowId previous) noexcept {
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::vector<WindowId>& windows = items[i].windows;
        if (previous != 0 && std::find(windows.begin(), windows.end(), previous) != windows.end()) {
            return static_cast<int>(i);
        }
    }
    return items.empty() ? -1 : 0;
}

bool ItemHasPreview(const DockItem& item) noexcept {
    return !item.start && !item.windows.empty();
}

int PreviewItemAfterChange(const std::vector<DockItem>& items, uint64_t shownKey,
                           int hoveredIndex) noexcept {
    int index = -1;
    if (hoveredIndex >= 0) {
        index = hoveredIndex < static_cast<int>(items.size()) ? hoveredIndex : -1;
    } else if (shownKey != 0) {
        const auto found = std::find_if(items.begin(), items.end(), [shownKey](const DockItem& i) {
            return i.key == shownKey;
        });
        index = found == items.end() ? -1 : static_cast<int>(found - items.begin());
    }
    return index >= 0 && ItemHasPreview(items[static_cast<std::size_t>(index)]) ? index : -1;
}

void MarkAttention(std::vector<DockItem>& items, WindowId flashing, WindowId foreground) {
    if (flashing == foreground) {
        return;
    }
    for (DockItem& item : items) {
        if (Holds(item, flashing)) {
            item.attention = true;
        }
    }
}

void ClearAttention(std::vector<DockItem>& items, WindowId foreground) {
    for (DockItem& item : items) {
        if (Holds(item, foreground)) {
            item.attention = false;
        }
    }
}

}  // namespace corvane
