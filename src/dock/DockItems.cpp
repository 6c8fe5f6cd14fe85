// The dock's items on its window: rebuilt from the pinned list and the app
// windows, with each item's icons and animation following it by its key
// through every rebuild and move, and the pinned list handed to the host
// when it changes.

#include "dock/Win32DefaultPinProbes.h"
#include "dock/DefaultPins.h"
#include "dock/Dock.h"
#include "dock/DockGeometry.h"
#include "identity/AppPaths.h"
#include "identity/AppWindows.h"
#include "identity/WindowFacts.h"

#include <algorithm>
#include <utility>

namespace corvane {

void Dock::SeedPinsOnFirstRun() noexcept {
    if (context_.settings.pinnedPresent) {
        return;
    }
    try {
        Win32DefaultPinProbes probes;
        context_.pins.SaveDockPinned(SeedDefaultPins(probes), this);
    } catch (...) {
        // Out of memory: the dock starts without pins and seeds next time.
    }
}

void Dock::RebuildDock() noexcept {
    if (press_.Dragging()) {
        // The list under a held item must not change; try once it is dropped.
        ScheduleRebuild(dockperiods::kRebuildAfterDragMs);
        return;
    }
    try {
        PruneIdentityCache();
        items_ = RebuildDockItems(items_, context_.settings.pinned, EnumerateAppWindows(),
                                  [this](std::wstring_view target) {
                                      return context_.host.PinProgramPath(target);
                                  })
                     .items;
    } catch (...) {
        // Out of memory: the old list stays as it was.
    }
    FollowItems();
    LoadMissingVisuals();
    const int count = static_cast<int>(items_.size());
    if (hoveredIndex_ >= count) {
        hoveredIndex_ = -1;
    }
    if (press_.Target() >= count) {
        press_.Cancel();
    }
    // Another item may now stand under the pointer.
    ApplyScaleTargets();
    UpdateTooltip();
    Layout();
    PreviewFollowsItems();
    if (frontFrameLooks_ < dockperiods::kFrontFrameLooks && FrontFrameUnlisted()) {
        ++frontFrameLooks_;
        ScheduleRebuild(dockperiods::kRebuildForFrontFrameMs);
    }
}

bool Dock::FrontFrameUnlisted() const noexcept {
    // One character more than the frame's class, so that a longer name differs.
    if (foreground_ == nullptr ||
        WindowClassName(foreground_, kAppFrameClass.size() + 1) != kAppFrameClass) {
        return false;
    }
    return !ListsWindow(foreground_);
}

bool Dock::ListsWindow(HWND window) const noexcept {
    const WindowId id = ToWindowId(window);
    return std::any_of(items_.begin(), items_.end(), [id](const DockItem& item) {
        return std::find(item.windows.begin(), item.windows.end(), id) != item.windows.end();
    });
}

void Dock::LoadMissingVisuals() noexcept {
    struct Loaded {
        IconSourceBitmap icon;
        IconSourceBitmap largeIcon;
        std::wstring name;
    };
    const int32_t iconSize = context_.settings.dockIconSize;
    const int32_t normal = DockIconPixels(iconSize, dpi_);
    const int32_t large = DockLargeIconPixels(iconSize, dpi_);
    for (std::size_t i = 0; i < items_.size() && i < visuals_.size(); ++i) {
        const DockItem& item = items_[i];
        if (item.start || (visuals_[i].icon && !item.name.empty())) {
            continue;
        }
        try {
            if (!visualsAsked_.emplace(item.target, normal).second) {
                continue;
            }
            const bool pathKey = !item.pathKey.empty();
            context_.worker.Submit<Loaded>(
                {visualChannel_,
                 std::hash<std::wstring>{}(item.target) + static_cast<uint64_t>(normal)},
                WorkUrgency::Background,
                [target = item.target, pathKey, normal, large] {
                    return Loaded{LoadIconBitmap(target, normal), LoadIconBitmap(target, large),
                                  ResolveDisplayName(target, pathKey)};
                },
                [this, target = item.target, normal](Loaded&& loaded) {
                    VisualLoaded(target, normal, std::move(loaded.icon),
                                 std::move(loaded.largeIcon), loaded.name);
                });
        } catch (...) {
            // Out of memory: the item goes without an icon and a tooltip.
        }
    }
}

void Dock::VisualLoaded(const std::wstring& target, int32_t normalPx, IconSourceBitmap icon,
                        IconSourceBitmap largeIcon, const std::wstring& name) noexcept {
    if (normalPx != DockIconPixels(context_.settings.dockIconSize, dpi_)) {
        return;  // for a size no longer drawn; the new one was asked for
    }
    // Without an icon the mark stays: a target that failed is not asked
    // again on every rebuild (the next DPI change tries once more).
    if (icon) {
        visualsAsked_.erase({target, normalPx});
    }
    bool named = false;
    for (std::size_t i = 0; i < items_.size() && i < visuals_.size(); ++i) {
        DockItem& item = items_[i];
        if (item.start || item.target != target) {
            continue;
        }
        DockItemVisual& visual = visuals_[i];
        if (!visual.icon && icon) {
            visual.icon = icon;
            visual.largeIcon = largeIcon;
            visual.bitmap.Reset();
            visual.largeBitmap.Reset();
        }
        if (item.name.empty() && !name.empty()) {
            try {
                item.name = name;
                named = true;
            } catch (...) {
                // Out of memory: the item goes without a tooltip.
            }
        }
    }
    if (named) {
        UpdateTooltip();
    }
    Repaint();
}

void Dock::SavePinned() noexcept {
    try {
        // An empty list means the dock was never built: the old pins stay.
        if (!items_.empty()) {
            context_.pins.SaveDockPinned(PinnedTargets(items_), this);
        }
    } catch (...) {
        // Out of memory: the pins are saved with the next change.
    }
}

void Dock::FollowItems() noexcept {
    try {
        std::vector<uint64_t> keys;
        keys.reserve(visuals_.size());
        for (const DockItemVisual& visual : visuals_) {
            keys.push_back(visual.key);
        }
        const std::vector<int> places = PlacesOfKeys(keys, items_);
        std::vector<DockItemVisual> visuals(items_.size());
        for (std::size_t i = 0; i < visuals.size(); ++i) {
            if (places[i] >= 0) {
                visuals[i] = std::move(visuals_[static_cast<std::size_t>(places[i])]);
            }
            visuals[i].key = items_[i].key;
        }
        visuals_ = std::move(visuals);
    } catch (...) {
        // Out of memory: nothing drawn until the next rebuild is better
        // than another item's icon.
        visuals_.clear();
    }
}

}  // namespace corvane
