#include "tray/TrayIconStore.h"

#include "tray/TrayExplorerRoute.h"

#include <algorithm>
#include <atomic>

namespace corvane {
namespace {

// One count for every icon of every store the process has had: a host that
// starts again, or an icon deleted and added again, never repeats a number
// that a painter may still hold a bitmap for.
uint64_t NewIconGeneration() noexcept {
    static std::atomic<uint64_t> last{0};
    return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

// The icon a request refers to: the first one with the request's GUID, or
// with its owner window and id.
template <typename Icons>
auto FindIcon(Icons& icons, bool requestHasGuid, const TrayGuid& guid, uint32_t ownerWindow,
              uint32_t id) {
    return std::find_if(icons.begin(), icons.end(), [&](const TrayIcon& icon) {
        if (requestHasGuid && icon.hasGuid && icon.guid == guid) {
            return true;
        }
        return ownerWindow != 0 && icon.ownerWindow == ownerWindow && icon.id == id;
    });
}

TrayReaction Forward() {
    TrayReaction r;
    r.forward = true;
    return r;
}

TrayReaction Taken() {
    TrayReaction r;
    r.reply = 1;
    r.changed = true;
    return r;
}

}  // namespace

TrayIconStore::~TrayIconStore() {
    Clear();
}

TrayReaction TrayIconStore::Handle(uint32_t dataKind, std::span<const uint8_t> payload) {
    if (dataKind == kTrayDataPosition) {
        return HandlePosition(payload);
    }
    if (dataKind == kTrayDataNotify) {
        return HandleNotification(payload);
    }
    return Forward();
}

TrayReaction TrayIconStore::HandlePosition(std::span<const uint8_t> payload) const {
    const std::optional<TrayPositionQuery> q = DecodeTrayPositionQuery(payload);
    if (!q || (q->corner != 1 && q->corner != 2)) {
        return Forward();
    }
    const auto it = FindIcon(icons_, !q->guid.IsZero(), q->guid, q->ownerWindow, q->id);
    if (it == icons_.end()) {
        return Forward();
    }
    const PixelRect& r = it->screenRect;
    TrayReaction reaction;
    reaction.reply =
        q->corner == 1 ? PackTrayPoint(r.left, r.top) : PackTrayPoint(r.right, r.bottom);
    return reaction;
}

TrayReaction TrayIconStore::HandleNotification(std::span<const uint8_t> payload) {
    const std::optional<TrayNotification> n = DecodeTrayNotification(payload);
    if (!n) {
        return Forward();
    }
    const auto it = FindIcon(icons_, n->HasGuid(), n->guid, n->ownerWindow, n->id);
    const bool explorerHolds = it != icons_.end() && !it->explorerDelete.empty();
    TrayReaction reaction = Change(*n);
    if (!reaction.forward) {
        reaction.toExplorer = CopiesForExplorer(*n, payload, explorerHolds);
    }
    return reaction;
}

TrayReaction TrayIconStore::Change(const TrayNotification& n) {
    const auto it = FindIcon(icons_, n.HasGuid(), n.guid, n.ownerWindow, n.id);
    const bool found = it != icons_.end();
    switch (static_cast<TrayCommand>(n.command)) {
        case TrayCommand::Add:
            if (found) {
                Apply(*it, n);
                return Taken();
            }
            return AddIcon(n) ? Taken() : Forward();
        case TrayCommand::Modify:
            if (!found) {
                return Forward();
            }
            Apply(*it, n);
            return Taken();
        case TrayCommand::Delete:
            if (!found) {
                return Forward();
            }
            DestroyCopy(*it);
            icons_.erase(it);
            return Taken();
        case TrayCommand::SetFocus:
            return found ? Taken() : Forward();
        case TrayCommand::SetVersion:
            if (!found) {
                return Forward();
            }
            it->version = n.version;
            return Taken();
    }
    return Forward();
}

std::vector<std::vector<uint8_t>> TrayIconStore::CopiesForExplorer(const TrayNotification& n,
                                                                   std::span<const uint8_t> payload,
                                                                   bool explorerHolds) {
    const bool balloon =
        (n.flags & trayflags::kInfo) != 0 && payload.size() >= kTrayBalloonMinBytes;
    const ExplorerRoute route = RouteToExplorer(n.command, balloon, explorerHolds);
    // Gone after a delete.
    const auto it = FindIcon(icons_, n.HasGuid(), n.guid, n.ownerWindow, n.id);
    std::vector<std::vector<uint8_t>> copies;
    switch (route.step) {
        case ExplorerStep::None:
            break;
        case ExplorerStep::DeleteCopy:
            copies.push_back(TrayDeleteCopy(payload));
            break;
        case ExplorerStep::PassOn:
            copies.emplace_back(payload.begin(),
                                payload.begin() + std::min(payload.size(), kTrayNotifyMaxBytes));
            break;
        case ExplorerStep::AddHidden:
        case ExplorerStep::ModifyHidden:
            if (it == icons_.end()) {
                break;
            }
            copies.push_back(TrayHiddenCopy(
                payload,
                route.step == ExplorerStep::AddHidden ? TrayCommand::Add : TrayCommand::Modify,
                *it));
            // A new copy in Explorer starts at version 0 whatever the
            // program asked of the host.
            if (route.step == ExplorerStep::AddHidden && it->version != 0) {
                copies.push_back(TrayVersionCopy(payload, it->version));
            }
            break;
    }
    if (it != icons_.end()) {
        if (!route.holdsAfter) {
            it->explorerDelete.clear();
        } else if (it->explorerDelete.empty()) {
            it->explorerDelete = TrayDeleteCopy(payload);
        }
    }
    return copies;
}

bool TrayIconStore::AddIcon(const TrayNotification& n) {
    // Only a live window can own an icon (it gets the callbacks and is how a
    // dead icon is found again), and the list stays bounded.
    if (n.ownerWindow == 0 || icons_.size() >= kMaxTrayIcons || !system_.IsWindow(n.ownerWindow)) {
        return false;
    }
    TrayIcon icon;
    icon.ownerWindow = n.ownerWindow;
    icon.id = n.id;
    icon.ownerProcessId = system_.ProcessOfWindow(n.ownerWindow);
    if (icon.ownerProcessId != 0) {
        icon.exeName = system_.ExeNameOfProcess(icon.ownerProcessId);
    }
    // In the list before its icon is copied, so that the copy always has an
    // owner that destroys it.
    icons_.push_back(std::move(icon));
    Apply(icons_.back(), n);
    return true;
}

void TrayIconStore::Apply(TrayIcon& icon, const TrayNotification& n) {
    if ((n.flags & trayflags::kMessage) != 0) {
        icon.callbackMessage = n.callbackMessage;
    }
    if ((n.flags & trayflags::kIcon) != 0) {
        DestroyCopy(icon);
        icon.icon = n.iconHandle != 0 ? system_.CopyIcon(n.iconHandle) : 0;
        icon.iconGeneration = NewIconGeneration();
    }
    if ((n.flags & trayflags::kTip) != 0) {
        icon.tooltip = n.tooltip;
    }
    if ((n.flags & trayflags::kState) != 0 && (n.stateMask & kTrayStateHidden) != 0) {
        icon.hiddenByState = (n.state & kTrayStateHidden) != 0;
    }
    icon.showTip = (n.flags & trayflags::kShowTip) != 0;
    if (n.HasGuid()) {
        icon.guid = n.guid;
        icon.hasGuid = true;
    }
    if (n.ownerWindow != 0) {
        icon.ownerWindow = n.ownerWindow;
    }
}

void TrayIconStore::DestroyCopy(TrayIcon& icon) noexcept {
    if (icon.icon != 0) {
        system_.DestroyIcon(icon.icon);
        icon.icon = 0;
    }
}

bool TrayIconStore::HasOwner(uint32_t ownerWindow) const noexcept {
    return ownerWindow != 0 && std::ranges::any_of(icons_, [ownerWindow](const TrayIcon& icon) {
               return icon.ownerWindow == ownerWindow;
           });
}

bool TrayIconStore::PurgeDead() {
    bool any = false;
    for (auto it = icons_.begin(); it != icons_.end();) {
        if (system_.IsWindow(it->ownerWindow)) {
            ++it;
            continue;
        }
        DestroyCopy(*it);
        it = icons_.erase(it);
        any = true;
    }
    return any;
}

void TrayIconStore::Clear() noexcept {
    for (TrayIcon& icon : icons_) {
        DestroyCopy(icon);
    }
    icons_.clear();
}

void TrayIconStore::BumpGenerations() noexcept {
    for (TrayIcon& icon : icons_) {
        icon.iconGeneration = NewIconGeneration();
    }
}

std::vector<std::vector<uint8_t>> TrayIconStore::ReleaseExplorerCopies() {
    std::vector<std::vector<uint8_t>> deletes;
    for (TrayIcon& icon : icons_) {
        if (!icon.explorerDelete.empty()) {
            deletes.push_back(std::move(icon.explorerDelete));
            icon.explorerDelete.clear();
        }
    }
    return deletes;
}

void TrayIconStore::ForgetExplorerCopies() noexcept {
    for (TrayIcon& icon : icons_) {
        icon.explorerDelete.clear();
    }
}

TrayIcon* TrayIconStore::Find(uint32_t ownerWindow, uint32_t id) noexcept {
    const auto it = std::find_if(icons_.begin(), icons_.end(), [&](const TrayIcon& icon) {
        return icon.ownerWindow == ownerWindow && icon.id == id;
    });
    return it == icons_.end() ? nullptr : &*it;
}

}  // namespace corvane
