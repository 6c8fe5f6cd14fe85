#include "tiling/TilingRules.h"

#include "identity/ForegroundRules.h"
#include "toolkit/ShortcutTyping.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <string_view>

namespace corvane {
namespace {

// Dialogs, the desktop, the taskbars and the shell's own pop-up surfaces:
// tiling them would tear the shell apart.
constexpr std::array<std::wstring_view, 9> kNeverTiledClasses = {
    L"#32770",
    L"Progman",
    L"WorkerW",
    L"Shell_TrayWnd",
    L"Shell_SecondaryTrayWnd",
    L"Windows.UI.Core.CoreWindow",
    L"XamlExplorerHostIslandWindow",
    L"TopLevelWindowForOverflowXamlIsland",
    L"ForegroundStaging"};

constexpr std::array<std::wstring_view, 6> kNeverTiledExes = {L"startmenuexperiencehost.exe",
                                                              L"searchhost.exe",
                                                              L"shellexperiencehost.exe",
                                                              L"shellhost.exe",
                                                              L"lockapp.exe",
                                                              L"textinputhost.exe"};

// RegisterHotKey's modifiers and the virtual keys of the shortcuts.
constexpr uint32_t kModShift = kShortcutShift;
constexpr uint32_t kModNoRepeat = 0x4000;
constexpr uint32_t kVkSpace = 0x20;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkDown = 0x28;

// Left, Right, Up, Down: the order of the focus and swap ids.
constexpr std::array<TileDirection, 4> kDirections = {{{-1, 0}, {1, 0}, {0, -1}, {0, 1}}};
constexpr std::array<uint32_t, 4> kDirectionKeys = {kVkLeft, kVkRight, kVkUp, kVkDown};

// Within 2 pixels counts as already there: windows that round their size to
// a character cell must not be pushed again on every pass.
constexpr int64_t kCloseEnough = 2;

bool ExcludedByStyles(const TileWindowFacts& w) noexcept {
    const bool appWindow = (w.exStyle & kExStyleAppWindow) != 0;
    if ((w.exStyle & (kExStyleNoActivate | kExStyleTopmost)) != 0) {
        return true;
    }
    if ((w.exStyle & kExStyleToolWindow) != 0 && !appWindow) {
        return true;
    }
    if (w.hasOwner && !appWindow) {
        return true;
    }
    return (w.style & kStyleSizeFrame) == 0;
}

bool ExcludedByName(const TileWindowFacts& w, const std::vector<std::wstring>& floatList) {
    const auto contains = [](const auto& list, std::wstring_view name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    // An empty Float entry names no program; it must not catch every window
    // whose process could not be read.
    const bool floated = !w.exeName.empty() && contains(floatList, w.exeName);
    return contains(kNeverTiledClasses, w.className) || contains(kNeverTiledExes, w.exeName) ||
           floated;
}

struct Centre {
    int64_t x;
    int64_t y;
};

// In 64 bits so that no rectangle from outside can overflow the sums.
Centre CentreOf(const PixelRect& r) noexcept {
    return {(int64_t{r.left} + r.right) / 2, (int64_t{r.top} + r.bottom) / 2};
}

int32_t Clamp32(int64_t v) noexcept {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

bool WithinClose(int32_t a, int32_t b) noexcept {
    return std::abs(int64_t{a} - b) <= kCloseEnough;
}

}  // namespace

bool IsTileable(const TileWindowFacts& window, const std::vector<std::wstring>& floatList) {
    if (!window.exists || !window.visible || window.minimized || window.cloaked ||
        window.floating || window.ownProcess || window.beyondReach) {
        return false;
    }
    if (ExcludedByStyles(window) || window.title.empty() || ExcludedByName(window, floatList)) {
        return false;
    }
    if (IsFullscreenWindow(window.windowRect, window.monitorRect, window.maximized)) {
        return false;
    }
    // A tiled window the user maximised stays out until restored; one that
    // was maximised before we ever placed it is taken in and restored.
    return !(window.maximized && window.managed);
}

std::vector<TileWindow> NextTilingOrder(const std::vector<TileWindow>& oldOrder,
                                        const std::vector<TileWindow>& topFirst) {
    std::vector<TileWindow> candidates = topFirst;
    std::sort(candidates.begin(), candidates.end());
    std::vector<TileWindow> placed;
    placed.reserve(topFirst.size());
    std::vector<TileWindow> order;
    order.reserve(topFirst.size());
    const auto take = [&](TileWindow w) {
        const auto at = std::lower_bound(placed.begin(), placed.end(), w);
        if (at != placed.end() && *at == w) {
            return;
        }
        placed.insert(at, w);
        order.push_back(w);
    };
    for (TileWindow w : oldOrder) {
        if (std::binary_search(candidates.begin(), candidates.end(), w)) {
            take(w);
        }
    }
    for (auto it = topFirst.rbegin(); it != topFirst.rend(); ++it) {
        take(*it);
    }
    return order;
}

std::optional<TileWindow> FindSwapTarget(const std::vector<AssignedTile>& assigned,
                                         TileWindow moved, int32_t x, int32_t y,
                                         uint64_t displayUnderPoint) {
    std::optional<TileWindow> found;
    for (const AssignedTile& tile : assigned) {
        if (tile.window == moved || !Contains(tile.rect, x, y) ||
            tile.display != displayUnderPoint) {
            continue;
        }
        // Tiles do not overlap, but stale ones might: the lowest id decides,
        // whatever order the caller holds them in.
        if (!found || tile.window < *found) {
            found = tile.window;
        }
    }
    return found;
}

bool IsDragMove(const PixelRect& atStart, const PixelRect& atEnd) noexcept {
    const bool sameSize =
        int64_t{atStart.right} - atStart.left == int64_t{atEnd.right} - atEnd.left &&
        int64_t{atStart.bottom} - atStart.top == int64_t{atEnd.bottom} - atEnd.top;
    return sameSize && (atStart.left != atEnd.left || atStart.top != atEnd.top);
}

void SwapInOrder(std::vector<TileWindow>& order, TileWindow a, TileWindow b) {
    const auto first = std::find(order.begin(), order.end(), a);
    const auto second = std::find(order.begin(), order.end(), b);
    if (first != order.end() && second != order.end()) {
        std::iter_swap(first, second);
    }
}

std::optional<TileWindow> FindNeighbour(const std::vector<AssignedTile>& assigned, TileWindow from,
                                        int dx, int dy) {
    const bool horizontal = dx != 0 && dy == 0;
    const bool vertical = dy != 0 && dx == 0;
    if (!horizontal && !vertical) {
        return std::nullopt;
    }
    const auto origin = std::find_if(assigned.begin(), assigned.end(),
                                     [from](const AssignedTile& t) { return t.window == from; });
    if (origin == assigned.end()) {
        return std::nullopt;
    }
    const Centre c = CentreOf(origin->rect);
    std::optional<TileWindow> best;
    int64_t bestScore = 0;
    for (const AssignedTile& tile : assigned) {
        if (tile.window == from) {
            continue;
        }
        const Centre w = CentreOf(tile.rect);
        const int64_t ex = w.x - c.x;
        const int64_t ey = w.y - c.y;
        if ((horizontal && ex * dx < 1) || (vertical && ey * dy < 1)) {
            continue;
        }
        const int64_t score =
            horizontal ? std::abs(ex) + 2 * std::abs(ey) : std::abs(ey) + 2 * std::abs(ex);
        if (!best || score < bestScore || (score == bestScore && tile.window < *best)) {
            best = tile.window;
            bestScore = score;
        }
    }
    return best;
}

bool CloseToTarget(const PixelRect& applied, const PixelRect& target) noexcept {
    return WithinClose(applied.left, target.left) && WithinClose(applied.top, target.top) &&
           WithinClose(applied.right, target.right) && WithinClose(applied.bottom, target.bottom);
}

PixelRect WindowRectForFrame(const PixelRect& target, const PixelRect& frame,
                             const PixelRect& window) noexcept {
    // The frame must lie inside the window; anything else is not a frame we
    // can trust, and the window rectangle itself is placed instead.
    const bool frameInside = frame.left >= window.left && frame.top >= window.top &&
                             frame.right <= window.right && frame.bottom <= window.bottom &&
                             frame.left <= frame.right && frame.top <= frame.bottom;
    if (!frameInside) {
        return target;
    }
    const int64_t dl = int64_t{frame.left} - window.left;
    const int64_t dt = int64_t{frame.top} - window.top;
    const int64_t dr = int64_t{window.right} - frame.right;
    const int64_t db = int64_t{window.bottom} - frame.bottom;
    return {Clamp32(target.left - dl), Clamp32(target.top - dt), Clamp32(target.right + dr),
            Clamp32(target.bottom + db)};
}

PixelRect AreaAboveDock(const PixelRect& workArea, std::optional<int32_t> dockTop) noexcept {
    PixelRect area = workArea;
    if (dockTop && *dockTop > workArea.top && *dockTop < workArea.bottom) {
        area.bottom = *dockTop;
    }
    return area;
}

std::optional<unsigned> TilingEventDelay(TilingEvent event,
                                         const TilingEventFacts& facts) noexcept {
    // Hotkeys-only: windows move when the user asks, never on their own.
    if (facts.mode == 2) {
        return std::nullopt;
    }
    switch (event) {
        case TilingEvent::MoveSizeStart:
            return std::nullopt;
        case TilingEvent::MoveSizeEnd:
            return 30u;
        case TilingEvent::LocationChange:
            if (!facts.moving && (facts.inOrder || facts.managedRestored)) {
                return 120u;
            }
            return std::nullopt;
        case TilingEvent::Show:
            return facts.rootWindow ? std::optional<unsigned>(120u) : std::nullopt;
        case TilingEvent::Hidden:
            return facts.rootWindow ? std::optional<unsigned>(60u) : std::nullopt;
    }
    return std::nullopt;
}

std::vector<TilingHotkey> TilingHotkeys(const Settings& settings) {
    std::vector<TilingHotkey> list;
    const auto add = [&list](int id, int32_t choice, uint32_t extra, uint32_t key) {
        const uint32_t modifiers = ShortcutModifiers(choice);
        if (modifiers != 0) {
            list.push_back({id, modifiers | extra | kModNoRepeat, key});
        }
    };
    add(kHotkeyToggle, settings.tilingToggleKeys, 0, 'T');
    for (std::size_t i = 0; i < kDirectionKeys.size(); ++i) {
        add(kHotkeyFocusFirst + static_cast<int>(i), settings.tilingArrowKeys, 0,
            kDirectionKeys[i]);
    }
    for (std::size_t i = 0; i < kDirectionKeys.size(); ++i) {
        add(kHotkeySwapFirst + static_cast<int>(i), settings.tilingArrowKeys, kModShift,
            kDirectionKeys[i]);
    }
    add(kHotkeyFloat, settings.tilingFloatKeys, 0, 'F');
    add(kHotkeyLayout, settings.tilingLayoutKeys, 0, 'L');
    add(kHotkeyRetile, settings.tilingArrangeKeys, 0, kVkSpace);
    return list;
}

TileDirection DirectionOf(int indexFromFirst) noexcept {
    if (indexFromFirst < 0 || indexFromFirst >= static_cast<int>(kDirections.size())) {
        return {0, 0};
    }
    return kDirections[static_cast<std::size_t>(indexFromFirst)];
}

}  // namespace corvane
