#pragma once
// What the tiling manager decides about windows, over plain facts: which
// windows take part, their order across passes, where a dragged window
// lands, which window lies in a direction, and how a target is applied to a
// window with invisible borders. Windows are opaque ids here.

#include "base/Geometry.h"
#include "config/Settings.h"
#include "identity/AppWindowFilter.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

using TileWindow = uint64_t;

// Window style bits the rules read, with their system values.
inline constexpr uint32_t kStyleSizeFrame = 0x00040000;
inline constexpr uint32_t kExStyleTopmost = 0x00000008;

struct TileWindowFacts {
    bool exists = false;
    bool visible = false;
    bool minimized = false;
    bool maximized = false;
    bool cloaked = false;
    bool floating = false;    // the user made it floating
    bool ownProcess = false;  // a window of this process
    bool hasOwner = false;
    bool managed = false;      // placed by an arrange since tiling started
    bool beyondReach = false;  // its process is above ours and cannot be moved
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::wstring title;
    std::wstring className;
    std::wstring exeName;  // lower case
    PixelRect windowRect;
    PixelRect monitorRect;
};

// Every rule must hold; `floatList` is [Tiling] Float (lower case).
[[nodiscard]] bool IsTileable(const TileWindowFacts& window,
                              const std::vector<std::wstring>& floatList);

// The windows of the old order that are still candidates, in their old
// order, then the new candidates from the bottom of the z-order upward, so
// that of several new windows the one nearest the top comes last.
[[nodiscard]] std::vector<TileWindow> NextTilingOrder(const std::vector<TileWindow>& oldOrder,
                                                      const std::vector<TileWindow>& topFirst);

struct AssignedTile {
    TileWindow window = 0;
    PixelRect rect;
    uint64_t display = 0;  // the display the window stands on
};

// The tile a window dragged by the user and released at (x, y) swaps with:
// the first other tile containing the point on the display under it.
[[nodiscard]] std::optional<TileWindow> FindSwapTarget(const std::vector<AssignedTile>& assigned,
                                                       TileWindow moved, int32_t x, int32_t y,
                                                       uint64_t displayUnderPoint);

// Whether a move/size loop that took the window from `atStart` to `atEnd`
// carried the whole window, which may swap it with the tile it was dropped
// on. A resize by an edge or corner changes the size and never swaps, even
// when the pointer ends over the neighbour.
[[nodiscard]] bool IsDragMove(const PixelRect& atStart, const PixelRect& atEnd) noexcept;

// Exchanges two windows' places in the order; nothing when one is missing.
void SwapInOrder(std::vector<TileWindow>& order, TileWindow a, TileWindow b);

// The nearest tile strictly in a direction (dx, dy: one of them 0, the
// other -1 or +1) from `from`'s tile, the cross axis counting double; ties
// go to the lower window id.
[[nodiscard]] std::optional<TileWindow> FindNeighbour(const std::vector<AssignedTile>& assigned,
                                                      TileWindow from, int dx, int dy);

// A window whose edges are all within 2 pixels of the target is not moved.
[[nodiscard]] bool CloseToTarget(const PixelRect& applied, const PixelRect& target) noexcept;

// The window rectangle that puts the visible frame on the target.
[[nodiscard]] PixelRect WindowRectForFrame(const PixelRect& target, const PixelRect& frame,
                                           const PixelRect& window) noexcept;

// The work area with its bottom lowered to the dock's top, never raised.
[[nodiscard]] PixelRect AreaAboveDock(const PixelRect& workArea,
                                      std::optional<int32_t> dockTop) noexcept;

enum class TilingEvent {
    MoveSizeStart,
    MoveSizeEnd,
    LocationChange,
    Show,
    Hidden,  // destroy, hide, cloak, uncloak, minimise start or end
};

struct TilingEventFacts {
    int32_t mode = 0;              // [Tiling] Mode
    bool moving = false;           // a window is being moved or resized
    bool inOrder = false;          // the window is tiled
    bool managedRestored = false;  // managed and not maximised
    bool rootWindow = false;
};

// The arrange delay an event asks for, in milliseconds; none when it asks
// for nothing.
[[nodiscard]] std::optional<unsigned> TilingEventDelay(TilingEvent event,
                                                       const TilingEventFacts& facts) noexcept;

// The shortcuts the settings switch on, their ids and keys (virtual-key
// codes; modifiers as RegisterHotKey takes them, with no-repeat).
struct TilingHotkey {
    int id;
    uint32_t modifiers;
    uint32_t key;
};
inline constexpr int kHotkeyToggle = 0x5100;
inline constexpr int kHotkeyFocusFirst = 0x5101;  // Left, Right, Up, Down
inline constexpr int kHotkeySwapFirst = 0x5105;   // Left, Right, Up, Down
inline constexpr int kHotkeyFloat = 0x5109;
inline constexpr int kHotkeyLayout = 0x510A;
inline constexpr int kHotkeyRetile = 0x510B;
[[nodiscard]] std::vector<TilingHotkey> TilingHotkeys(const Settings& settings);

// Direction of a focus or swap id (index 0..3 from its first id).
struct TileDirection {
    int dx;
    int dy;
};
[[nodiscard]] TileDirection DirectionOf(int indexFromFirst) noexcept;

}  // namespace corvane
