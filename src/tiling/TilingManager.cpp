#include "tiling/TilingManager.h"

#include "base/Geometry.h"
#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "identity/AppWindows.h"
#include "identity/WindowFacts.h"
#include "tiling/TileLayout.h"
#include "tiling/TileWindowFacts.h"
#include "tiling/TilingRules.h"
#include "toolkit/LayoutProbe.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace corvane {
namespace {

constexpr UINT kPlaceFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS;
static_assert(kPlaceFlags == 0x4214);

// The hotkey ids are one contiguous block; every one of them is released,
// whichever were taken.
constexpr int kHotkeyLast = kHotkeyRetile;
constexpr int kDirections = 4;

constexpr unsigned kFloatDelayMs = 10;

struct EventRange {
    DWORD first;
    DWORD last;
};
constexpr std::array<EventRange, 5> kEventRanges = {{
    {EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE},
    {EVENT_OBJECT_CLOAKED, EVENT_OBJECT_UNCLOAKED},
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE},
}};

std::optional<TilingEvent> TilingEventOf(DWORD event) noexcept {
    switch (event) {
        case EVENT_SYSTEM_MOVESIZESTART:
            return TilingEvent::MoveSizeStart;
        case EVENT_SYSTEM_MOVESIZEEND:
            return TilingEvent::MoveSizeEnd;
        case EVENT_OBJECT_LOCATIONCHANGE:
            return TilingEvent::LocationChange;
        case EVENT_OBJECT_SHOW:
            return TilingEvent::Show;
        case EVENT_SYSTEM_MINIMIZESTART:
        case EVENT_SYSTEM_MINIMIZEEND:
        case EVENT_OBJECT_DESTROY:
        case EVENT_OBJECT_HIDE:
        case EVENT_OBJECT_CLOAKED:
        case EVENT_OBJECT_UNCLOAKED:
            return TilingEvent::Hidden;
        default:
            return std::nullopt;
    }
}

uint64_t DisplayId(HMONITOR display) noexcept {
    return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(display));
}

// The effective DPI of the display nearest to the area; 96 when the system
// cannot tell.
int32_t EffectiveDpiNear(const PixelRect& area) noexcept {
    const RECT rect = ToRect(area);
    return static_cast<int32_t>(MonitorDpi(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST)));
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) noexcept {
    try {
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

struct TilingManager::Impl final : WinEventSink {
    const Settings& settings;
    const DesktopFacts& desktop;
    TilingHost& host;
    SystemEvents& events;

    bool started = false;
    std::vector<EventSubscription> hooks;
    std::vector<TileWindow> order;
    std::set<TileWindow> floating;
    std::set<TileWindow> managed;
    std::set<TileWindow> maximizedManaged;
    std::map<TileWindow, std::wstring> exeNames;
    std::map<TileWindow, PixelRect> lastApplied;
    // Ascending by window, so that ties between tiles go the same way on
    // every pass.
    std::vector<AssignedTile> assigned;
    HWND hotkeyWindow = nullptr;
    bool hotkeysRegistered = false;
    bool arranging = false;
    // Set between a move/size start and end: no pass pulls a window away
    // from the user's pointer.
    HWND movingWindow = nullptr;
    // Where that window stood when its move/size loop began.
    std::optional<PixelRect> moveStart;

    explicit Impl(const TilingContext& context)
        : settings(context.settings),
          desktop(context.desktop),
          host(context.host),
          events(context.events) {}
    ~Impl() = default;
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    [[nodiscard]] bool InOrder(TileWindow window) const noexcept {
        return std::find(order.begin(), order.end(), window) != order.end();
    }

    void RegisterHotkeys() noexcept {
        const HWND target = desktop.CommandWindow();
        if (target == nullptr) {
            return;
        }
        // A shortcut another program holds stays unavailable; the rest work.
        // One that types a character in any of the user's layouts is left
        // to typing: the settings window shows it as taken.
        for (const TilingHotkey& hotkey : TilingHotkeys(settings)) {
            if (TypedByInstalledLayouts(hotkey.modifiers, hotkey.key).empty()) {
                (void)::RegisterHotKey(target, hotkey.id, hotkey.modifiers, hotkey.key);
            }
        }
        hotkeyWindow = target;
        hotkeysRegistered = true;
    }

    void UnregisterHotkeys() noexcept {
        if (!hotkeysRegistered) {
            return;
        }
        for (int id = kHotkeyToggle; id <= kHotkeyLast; ++id) {
            (void)::UnregisterHotKey(hotkeyWindow, id);
        }
        hotkeyWindow = nullptr;
        hotkeysRegistered = false;
    }

    void Start() noexcept {
        if (started) {
            return;
        }
        started = true;
        try {
            hooks.clear();
            for (const EventRange& range : kEventRanges) {
                hooks.push_back(events.Subscribe(
                    {.first = range.first, .last = range.last, .skipOwnProcess = true}, *this));
            }
        } catch (...) {
            // Without every hook the shortcuts and explicit passes still work.
        }
        managed.clear();
        Arrange();
    }

    void Stop() noexcept {
        if (!started) {
            return;
        }
        started = false;
        hooks.clear();
        host.StopRetileTimer();
        order.clear();
        lastApplied.clear();
        assigned.clear();
        // The end of a drag in progress would never be reported now.
        movingWindow = nullptr;
        moveStart.reset();
    }

    void ArrangeSoon(unsigned milliseconds) noexcept {
        if (started) {
            host.StartRetileTimer(milliseconds);
        }
    }

    [[nodiscard]] std::wstring ExeNameOf(TileWindow window) {
        const auto found = exeNames.find(window);
        if (found != exeNames.end()) {
            return found->second;
        }
        return exeNames.emplace(window, ExeNameOfWindow(ToHwnd(window))).first->second;
    }

    [[nodiscard]] TileWindowFacts FactsOf(TileWindow window) {
        TileWindowFacts facts = ReadTileWindowFacts(ToHwnd(window));
        facts.floating = floating.contains(window);
        facts.managed = managed.contains(window);
        if (facts.visible && !facts.minimized) {
            facts.exeName = ExeNameOf(window);
        }
        return facts;
    }

    // Candidates, top of the z-order first.
    [[nodiscard]] std::vector<TileWindow> Candidates() {
        std::vector<HWND> all;
        (void)::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&all));
        std::vector<TileWindow> candidates;
        for (const HWND hwnd : all) {
            const TileWindow window = ToWindowId(hwnd);
            if (IsTileable(FactsOf(window), settings.floatingApps)) {
                candidates.push_back(window);
            }
        }
        return candidates;
    }

    // A tiled window the user maximised drops out of the candidates; once it
    // is restored it is placed again like a new one.
    void TrackMaximized(const std::vector<TileWindow>& candidates) {
        for (const TileWindow window : managed) {
            const HWND hwnd = ToHwnd(window);
            if (::IsWindow(hwnd) && ::IsZoomed(hwnd)) {
                maximizedManaged.insert(window);
            }
        }
        for (const TileWindow window : candidates) {
            if (maximizedManaged.contains(window) && !::IsZoomed(ToHwnd(window))) {
                maximizedManaged.erase(window);
                lastApplied.erase(window);
            }
        }
        std::erase_if(maximizedManaged,
                      [](TileWindow window) { return !::IsWindow(ToHwnd(window)); });
    }

    void ForgetDeadWindows() {
        const auto dead = [](TileWindow window) { return !::IsWindow(ToHwnd(window)); };
        std::erase_if(lastApplied, [&](const auto& entry) { return dead(entry.first); });
        std::erase_if(exeNames, [&](const auto& entry) { return dead(entry.first); });
        std::erase_if(floating, dead);
        std::erase_if(managed, dead);
    }

    // Whether the window holds the slot: it stands there already, or the
    // system took the move. A refused move (the window's process is above
    // ours, the window is going away) is not remembered as done.
    bool Place(HWND window, const PixelRect& target) {
        const TileWindow id = ToWindowId(window);
        if (::IsZoomed(window)) {
            // Queued for the window's own thread, ahead of the move below. The
            // frame is measured while still maximised, so the slot is not
            // remembered: the restore's location change places it again.
            (void)::ShowWindowAsync(window, SW_RESTORE);
            lastApplied.erase(id);
            return MoveInto(window, target);
        }
        const auto applied = lastApplied.find(id);
        if (applied != lastApplied.end() && CloseToTarget(applied->second, target)) {
            return true;
        }
        if (!MoveInto(window, target)) {
            lastApplied.erase(id);
            return false;
        }
        lastApplied[id] = target;
        return true;
    }

    static bool MoveInto(HWND window, const PixelRect& target) noexcept {
        RECT windowRect = {};
        if (!::GetWindowRect(window, &windowRect)) {
            return false;
        }
        const PixelRect rect =
            WindowRectForFrame(target, VisibleFrameOf(window), ToPixelRect(windowRect));
        return ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                              kPlaceFlags) != FALSE;
    }

    void ArrangeDisplay(HMONITOR display, std::vector<HWND> windows) {
        PixelRect area = MonitorWorkArea(display);
        // A display that went away in the middle of the pass: its windows
        // wait for the next one rather than being squeezed into nothing.
        if (area.Width() <= 0 || area.Height() <= 0) {
            return;
        }
        if (settings.dockSpace) {
            area = AreaAboveDock(area, desktop.DockTop(display));
        }
        const int32_t gap = MulDivRound(settings.tilingGap, EffectiveDpiNear(area), 96);
        // A window that refuses its move gives its slot up for this pass and
        // the others are laid out again without it, so that no slot stays
        // empty. It keeps its place in the order and is tried again at the
        // next pass, which only a window event or a shortcut starts: nothing
        // retries on its own. Each round drops at least one window.
        std::vector<std::pair<HWND, PixelRect>> placed;
        for (;;) {
            const std::vector<PixelRect> targets = ComputeTileLayout(
                area, static_cast<int32_t>(windows.size()), settings.tilingLayout, gap);
            const std::size_t count = std::min(targets.size(), windows.size());
            placed.clear();
            std::vector<HWND> refused;
            for (std::size_t i = 0; i < count; ++i) {
                if (Place(windows[i], targets[i])) {
                    placed.emplace_back(windows[i], targets[i]);
                } else {
                    refused.push_back(windows[i]);
                }
            }
            if (refused.empty()) {
                break;
            }
            std::erase_if(windows, [&](HWND w) {
                return std::find(refused.begin(), refused.end(), w) != refused.end();
            });
        }
        for (const auto& [window, target] : placed) {
            const TileWindow id = ToWindowId(window);
            assigned.push_back({id, target, DisplayId(display)});
            managed.insert(id);
        }
    }

    void ArrangePass() {
        const std::vector<TileWindow> candidates = Candidates();
        TrackMaximized(candidates);
        order = NextTilingOrder(order, candidates);
        ForgetDeadWindows();
        assigned.clear();

        // Displays in the order their first window appears; the order is
        // kept inside each.
        std::vector<std::pair<HMONITOR, std::vector<HWND>>> groups;
        for (const TileWindow window : order) {
            const HWND hwnd = ToHwnd(window);
            const HMONITOR display = ::MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& g) { return g.first == display; });
            if (group == groups.end()) {
                groups.emplace_back(display, std::vector<HWND>{});
                group = std::prev(groups.end());
            }
            group->second.push_back(hwnd);
        }
        for (const auto& [display, windows] : groups) {
            ArrangeDisplay(display, windows);
        }
        std::sort(assigned.begin(), assigned.end(),
                  [](const AssignedTile& a, const AssignedTile& b) { return a.window < b.window; });
    }

    void Arrange() noexcept {
        // A window destroyed in the middle of a drag never reports its end.
        if (movingWindow != nullptr && !::IsWindow(movingWindow)) {
            movingWindow = nullptr;
        }
        if (!started || arranging || movingWindow != nullptr) {
            return;
        }
        arranging = true;
        try {
            ArrangePass();
        } catch (...) {
            // Out of memory mid-pass: windows placed so far stay placed; the
            // next event tries again.
        }
        arranging = false;
    }

    static std::optional<PixelRect> WindowRectOf(HWND window) noexcept {
        RECT rect = {};
        return ::GetWindowRect(window, &rect) ? std::optional(ToPixelRect(rect)) : std::nullopt;
    }

    // The end of the user's move/size loop on a tiled window: dropped on
    // another tile after a move, the two swap places.
    void EndMoveSize(TileWindow moved, HWND window, std::optional<PixelRect> atStart) {
        const std::optional<PixelRect> atEnd = WindowRectOf(window);
        POINT cursor = {};
        if (atStart && atEnd && IsDragMove(*atStart, *atEnd) && ::GetCursorPos(&cursor)) {
            const uint64_t display =
                DisplayId(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST));
            const std::optional<TileWindow> target =
                FindSwapTarget(assigned, moved, cursor.x, cursor.y, display);
            if (target && InOrder(*target)) {
                SwapInOrder(order, moved, *target);
            }
        }
        // Moved anywhere or resized, the window goes back into a slot.
        lastApplied.erase(moved);
    }

    void OnWinEvent(const WinEvent& winEvent) noexcept override {
        if (winEvent.window == nullptr || winEvent.object != OBJID_WINDOW ||
            winEvent.child != CHILDID_SELF) {
            return;
        }
        OnWindowEvent(winEvent.event, winEvent.window);
    }

    void OnWindowEvent(DWORD event, HWND hwnd) noexcept {
        const std::optional<TilingEvent> kind = TilingEventOf(event);
        if (!started || !kind) {
            return;
        }
        try {
            const TileWindow window = ToWindowId(hwnd);
            const bool inOrder = InOrder(window);
            if (*kind == TilingEvent::MoveSizeStart) {
                movingWindow = hwnd;
                moveStart = WindowRectOf(hwnd);
            } else if (*kind == TilingEvent::MoveSizeEnd) {
                const bool sameLoop = std::exchange(movingWindow, nullptr) == hwnd;
                if (inOrder) {
                    EndMoveSize(window, hwnd, sameLoop ? moveStart : std::nullopt);
                }
                moveStart.reset();
            }
            TilingEventFacts facts;
            facts.mode = settings.tilingMode;
            facts.moving = movingWindow != nullptr;
            facts.inOrder = inOrder;
            facts.managedRestored = managed.contains(window) && !::IsZoomed(hwnd);
            // A destroyed window has no ancestor any more by the time an
            // out-of-context event arrives; one that was tiled was a root.
            facts.rootWindow = inOrder || ::GetAncestor(hwnd, GA_ROOT) == hwnd;
            if (const std::optional<unsigned> delay = TilingEventDelay(*kind, facts)) {
                ArrangeSoon(*delay);
            }
        } catch (...) {
            // Nothing to arrange for this event.
        }
    }

    void ToggleFloating(HWND hwnd) noexcept {
        const TileWindow window = ToWindowId(hwnd);
        try {
            if (floating.erase(window) == 0) {
                floating.insert(window);
                std::erase(order, window);
                lastApplied.erase(window);
            }
        } catch (...) {
            return;
        }
        ArrangeSoon(kFloatDelayMs);
    }

    void Retile() noexcept {
        lastApplied.clear();
        Arrange();
    }

    void OnHotkey(int id) noexcept {
        if (id == kHotkeyToggle) {
            host.ToggleTiling();
            return;
        }
        if (!started) {
            return;
        }
        const HWND foreground = ::GetForegroundWindow();
        if (id >= kHotkeyFocusFirst && id < kHotkeyFocusFirst + kDirections) {
            const TileDirection direction = DirectionOf(id - kHotkeyFocusFirst);
            if (const auto next =
                    FindNeighbour(assigned, ToWindowId(foreground), direction.dx, direction.dy)) {
                (void)::SetForegroundWindow(ToHwnd(*next));
            }
        } else if (id >= kHotkeySwapFirst && id < kHotkeySwapFirst + kDirections) {
            const TileDirection direction = DirectionOf(id - kHotkeySwapFirst);
            if (const auto next =
                    FindNeighbour(assigned, ToWindowId(foreground), direction.dx, direction.dy)) {
                SwapInOrder(order, ToWindowId(foreground), *next);
                Retile();
            }
        } else if (id == kHotkeyFloat) {
            if (foreground != nullptr) {
                ToggleFloating(foreground);
            }
        } else if (id == kHotkeyLayout) {
            host.SetTilingLayout((settings.tilingLayout + 1) % 4);
            Retile();
        } else if (id == kHotkeyRetile) {
            Retile();
        }
    }
};

TilingManager::TilingManager(const TilingContext& context)
    : impl_(std::make_unique<Impl>(context)) {}

TilingManager::~TilingManager() {
    impl_->Stop();
    impl_->UnregisterHotkeys();
}

void TilingManager::ApplyTilingSettings() noexcept {
    // Registered afresh each time: the chosen keys and the installed
    // layouts may have changed since.
    impl_->UnregisterHotkeys();
    if (impl_->settings.tilingMode >= 1) {
        impl_->RegisterHotkeys();
    }
    if (impl_->settings.tilingEnabled) {
        // Already running, the layout, gap, dock space or list of untiled
        // programs may have changed: the windows move now, not at the next
        // window event. Windows whose slot stayed are not touched.
        if (impl_->started) {
            impl_->Arrange();
        } else {
            impl_->Start();
        }
    } else {
        impl_->Stop();
    }
}

void TilingManager::StartTiling() noexcept {
    impl_->Start();
}

void TilingManager::StopTiling() noexcept {
    impl_->Stop();
}

void TilingManager::ArrangeSoon(unsigned milliseconds) noexcept {
    impl_->ArrangeSoon(milliseconds);
}

void TilingManager::Arrange() noexcept {
    impl_->Arrange();
}

void TilingManager::ToggleFloating(HWND window) noexcept {
    impl_->ToggleFloating(window);
}

bool TilingManager::IsFloating(HWND window) const noexcept {
    return impl_->floating.contains(ToWindowId(window));
}

bool TilingManager::Started() const noexcept {
    return impl_->started;
}

void TilingManager::OnHotkey(int id) noexcept {
    impl_->OnHotkey(id);
}

}  // namespace corvane
