#pragma once
// The dock's items without a window: which apps it shows in which order,
// how windows group into them, and how pinning and dragging change the list.

#include "identity/WindowIdentity.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct DockItem {
    // Which item this is on its dock, kept through rebuilds, pinning and
    // drags, so that what is drawn for it goes where it goes; never 0 once built.
    uint64_t key = 0;
    std::wstring target;  // launch text; a pinned item's exact list entry; empty for Start
    std::wstring appId;   // lower case; only for "shell:AppsFolder\" targets
    // NormalizePathKey of an executable target, or of the program an
    // Applications-folder pin starts when the catalog knows it.
    std::wstring pathKey;
    std::wstring name;
    bool pinned = false;
    bool start = false;
    std::vector<WindowId> windows;  // front-most first
    bool attention = false;
};

// A pinned list entry as an item, without windows. `programPath` is the
// program an Applications-folder or shortcut (.lnk) entry starts, or empty.
[[nodiscard]] DockItem MakePinnedItem(std::wstring_view entry, std::wstring_view programPath = {});

// How a window's keys (its app id lower-cased, its path key) name an item.
// The id decides when both have one: a window that names another id of its
// own never joins by path (a web app of a browser is not the browser).
enum class PinMatch { None, ByPath, ByAppId };
[[nodiscard]] PinMatch MatchPin(const DockItem& item, std::wstring_view appId,
                                std::wstring_view pathKey);

// The program file an Applications-folder or shortcut target starts; empty
// when unknown.
using ProgramPathOf = std::function<std::wstring(std::wstring_view target)>;

// The pinned-list entry a running window's item launches: its app's
// Applications-folder entry, else its program's path, else empty (the window
// gets no item). Text that another process reported is kept only when the
// pinned list can hold it.
[[nodiscard]] std::wstring RunningTarget(const WindowIdentity& window);

struct DockRebuild {
    // An item that follows an old one (same target) takes its key, name and
    // attention; each old key goes to one new item at most.
    std::vector<DockItem> items;
};

// Start, then the pinned entries, then the apps with windows but no pin.
// Running apps keep their old places so that the dock does not reshuffle
// whenever one app starts or quits. A window joins the first pin its id
// matches, else the first its path matches.
[[nodiscard]] DockRebuild RebuildDockItems(const std::vector<DockItem>& old,
                                           const std::vector<std::wstring>& pinned,
                                           const std::vector<WindowIdentity>& windows,
                                           const ProgramPathOf& programPathOf = {});

// The pinned list as the items hold it. Empty items mean the dock has not
// been built yet: the caller then keeps its old list instead of erasing it.
[[nodiscard]] std::vector<std::wstring> PinnedTargets(const std::vector<DockItem>& items);

// Pins or unpins every item launching the same target (any case) as the
// chosen one; a newly pinned item joins the end of the pinned group.
void SetPinned(std::vector<DockItem>& items, std::size_t index, bool pin);

// Releasing a pinned item held far enough above the dock unpins it.
[[nodiscard]] bool DockDragIsOut(int pointerY, int dockTop, uint32_t dpi, bool pinned) noexcept;
// Moves the dragged item to `slot` (never before Start); pressedIndex follows.
// False when nothing moved.
bool MoveDraggedItem(std::vector<DockItem>& items, int& pressedIndex, int slot);
// Settles the pinned state of the item released at `index`: a drop inside the
// pinned group pins, and a pinned item never stays among running ones.
void DropDraggedItem(std::vector<DockItem>& items, int index, bool dragOut);

// Per item, the place in `keys` of its own key, or -1: how a list kept
// beside the items follows them after any change.
[[nodiscard]] std::vector<int> PlacesOfKeys(const std::vector<uint64_t>& keys,
                                            const std::vector<DockItem>& items);

// Hovering an item opens its windows' preview: never Start, an app only
// while it has windows.
[[nodiscard]] bool ItemHasPreview(const DockItem& item) noexcept;

// The item an open window preview belongs to after the items changed, or -1
// to close it. With the pointer on the dock (`hoveredIndex` >= 0) it goes
// with the item now under the pointer; otherwise it stays with the item it
// showed (`shownKey`) wherever that went, so that it never shows one app's
// windows over another's place.
[[nodiscard]] int PreviewItemAfterChange(const std::vector<DockItem>& items, uint64_t shownKey,
                                         int hoveredIndex) noexcept;

// Where the keyboard starts when a shortcut gives it to the dock: on the
// item of the window that had it, else on the first item; -1 for none.
[[nodiscard]] int FirstDockFocus(const std::vector<DockItem>& items, WindowId previous) noexcept;

// A window asked for attention; ignored while it is in front.
void MarkAttention(std::vector<DockItem>& items, WindowId flashing, WindowId foreground);
// The user got to the window: its items stop asking.
void ClearAttention(std::vector<DockItem>& items, WindowId foreground);

}  // namespace corvane
