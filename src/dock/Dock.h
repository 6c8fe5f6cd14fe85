#pragma once
// One dock on one display: a floating, rounded glass strip centred at the
// bottom with Start, the pinned apps and the running ones, its reveal strip
// along the bottom edge, and a tooltip. Never takes the focus.

#include "base/Geometry.h"
#include "base/Win32Handles.h"
#include "base/WindowBase.h"
#include "dock/DockAppBar.h"
#include "dock/DockGeometry.h"
#include "dock/DockHost.h"
#include "dock/DockItemVisual.h"
#include "dock/DockModel.h"
#include "dock/DockPreview.h"
#include "dock/TaskbarHider.h"
#include "dock/TaskbarHidePlan.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/PointerGesture.h"
#include "toolkit/RevealAnimator.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/Tooltip.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace corvane {

class EdgeStrip;
class DockPainter;

inline constexpr wchar_t kDockWindowClass[] = L"CorvaneDock";
inline constexpr wchar_t kDockEdgeWindowClass[] = L"CorvaneDockEdge";

enum DockTimer : UINT_PTR {
    TIMER_DOCK_ANIMATE = 1,
    TIMER_DOCK_REBUILD = 2,
    TIMER_DOCK_HIDECHECK = 3,
    TIMER_DOCK_LEAVE = 4,
    TIMER_DOCK_APPBAR = 5,
    TIMER_DOCK_PREVIEW = 6,
    TIMER_DOCK_PREVIEW_CLOSE = 7,
    TIMER_DOCK_NOWPLAYING = 8,
    TIMER_DOCK_TASKBAR = 9,
};

namespace dockperiods {
inline constexpr UINT kAnimateMs = 15;
inline constexpr UINT kRebuildAfterSaveMs = 60;
inline constexpr UINT kRebuildAfterShellHookMs = 80;
inline constexpr UINT kRebuildAfterCloakMs = 120;
inline constexpr UINT kRebuildAfterDragMs = 200;
// A store app in front whose frame holds no core window yet is looked at
// again this often, this many times after it came to the front.
inline constexpr UINT kRebuildForFrontFrameMs = 250;
inline constexpr int kFrontFrameLooks = 20;
inline constexpr UINT kAppBarAfterExplorerMs = 1500;
}  // namespace dockperiods

class Dock final : public WindowBase,
                   private AccessibleSource,
                   private WinEventSink,
                   private ShellHookSink {
public:
    // `display` null means the primary display; only the primary dock hides
    // the Windows taskbar.
    Dock(const DockContext& context, HMONITOR display, bool primary);
    // Undoes what the dock changed: its reserved band, its hooks, the
    // taskbar it hid.
    ~Dock() override;

    // Creates both windows hidden, seeds and builds the items, shows the dock.
    [[nodiscard]] bool Create();

    // The model changed elsewhere (pins saved by another dock, windows came
    // and went): rebuild after `milliseconds`; a newer request replaces it.
    void ScheduleRebuild(UINT milliseconds) noexcept;
    void ForegroundChanged(HWND window) noexcept;
    // A full-screen window covers this display: the dock and its strip hide.
    void Suppress(bool on) noexcept;
    // Lays out again when forced or when the Now Playing cell came or went.
    void Relayout(bool force) noexcept;
    void ApplyTheme() noexcept;
    // Explorer made a new taskbar: the appbar and the taskbar hiding are
    // redone 1.5 s later.
    void ExplorerRestarted() noexcept;
    // [Dock] HideTaskbar changed (from any dock): the primary dock hides the
    // taskbar or gives it back at once.
    void TaskbarSettingChanged() noexcept;
    // Drops the taskbar watch so that destroying this dock shows nothing.
    void ForgetTaskbarHook() noexcept;
    [[nodiscard]] bool HidesTaskbar() const noexcept { return taskbar_.HidTaskbar(); }

    [[nodiscard]] HMONITOR Display() const noexcept { return display_; }
    [[nodiscard]] bool IsPrimary() const noexcept { return primary_; }
    [[nodiscard]] uint32_t Dpi() const noexcept { return dpi_; }
    // The fully shown dock in screen pixels.
    [[nodiscard]] const PixelRect& WindowRect() const noexcept { return windowRect_; }
    // Shown and not suppressed (a hidden dock leaves the screen to others).
    [[nodiscard]] bool IsShown() const noexcept;
    [[nodiscard]] const std::vector<DockItem>& Items() const noexcept { return items_; }

    // A global shortcut gave the dock the keyboard: the dock comes up and
    // the arrows walk its items; Escape gives the keyboard back to
    // `previous`. Losing the activation ends it.
    void TakeKeyboardFocus(HWND previous) noexcept;
    [[nodiscard]] bool HasKeyboardFocus() const noexcept { return keyboardFocus_; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // ---- the rest of the class is the dock window's own business ----
    // The tooltip's one tool, moved from item to item.

    // Windows (Dock.cpp).
    void Destroy() noexcept;
    void ApplyDockBackdrop() noexcept;
    // Cloaking and the front window's moves.
    void OnWinEvent(const WinEvent& event) noexcept override;
    void OnShellHook(WPARAM wParam, LPARAM lParam) noexcept override;
    void OnTimer(UINT_PTR id) noexcept;
    void OnDpiChanged(uint32_t dpi) noexcept;
    void OnAppBarTimer() noexcept;
    // Shows the taskbar again when this dock hid it.
    void GiveTaskbarBack() noexcept;
    // Hides the taskbar or gives it back as the setting and `event` ask
    // (primary dock only), and looks again later when a hide did not hold.
    void StepTaskbar(TaskbarHideEvent event) noexcept;
    void ReleaseDeviceResources() noexcept;
    void Repaint() noexcept;
    void Paint() noexcept;
    [[nodiscard]] PixelRect MonitorRect() const noexcept;

    // Items (DockItems.cpp).
    void SeedPinsOnFirstRun() noexcept;
    void RebuildDock() noexcept;
    // The window in front is a store app's frame that no item holds: its app
    // is starting or coming back from suspension, and its identity follows
    // once its core window has joined the frame.
    [[nodiscard]] bool FrontFrameUnlisted() const noexcept;
    // Whether an item holds the window.
    [[nodiscard]] bool ListsWindow(HWND window) const noexcept;
    // Icons and names come from the worker: a pin on a share that is gone
    // must not hold the dock up. Asked once per target and size.
    void LoadMissingVisuals() noexcept;
    void VisualLoaded(const std::wstring& target, int32_t normalPx, IconSourceBitmap icon,
                      IconSourceBitmap largeIcon, const std::wstring& name) noexcept;
    void SavePinned() noexcept;
    // Puts each visual beside its item again after items_ changed order or
    // membership; an item new to the dock gets an empty one.
    void FollowItems() noexcept;

    // Placement and smart hiding (DockHide.cpp).
    void Layout() noexcept;
    void PlaceWindow() noexcept;
    void UpdateAppBar() noexcept;
    void ShowEdge(bool show) noexcept;
    void StartAnimation() noexcept;
    void OnAnimate() noexcept;
    void EvaluateSmartHide() noexcept;
    void SetRevealed(bool reveal) noexcept;
    void OnEdgeTouched() noexcept;
    void OnLeaveTimer() noexcept;
    [[nodiscard]] bool PointerInRevealZone() const noexcept;
    [[nodiscard]] bool KeepsShown() const noexcept;

    // Mouse (DockInput.cpp).
    void OnMouseMove(int x, int y) noexcept;
    void OnMouseLeave() noexcept;
    void OnLeftDown(int x, int y) noexcept;
    void OnLeftUp(int x, int y) noexcept;
    void OnRightUp(int x, int y) noexcept;
    void OnMiddleUp(int x) noexcept;
    void OnCaptureLost() noexcept;
    void DragTo(int x, int y) noexcept;
    void EndDrag() noexcept;
    void SetHover(int index) noexcept;
    void ApplyScaleTargets() noexcept;
    void UpdateTooltip() noexcept;
    [[nodiscard]] int HitTest(int clientX) const noexcept;
    [[nodiscard]] int ItemCentreOnScreen(int index) const noexcept;
    // Truncated, as the dock places its tooltip and menus.
    [[nodiscard]] int ToPixels(float points) const noexcept;

    // The window preview (DockInput.cpp).
    void PreviewFollowsHover() noexcept;
    void OpenPreview(int index) noexcept;
    // After the items changed: the open preview follows its item or closes.
    void PreviewFollowsItems() noexcept;
    // Hides the popup and stops both preview timers.
    void ClosePreview() noexcept;
    void OnPreviewLeft() noexcept;
    void OnPreviewCloseTimer() noexcept;
    [[nodiscard]] bool PreviewShown() const noexcept;
    [[nodiscard]] bool PointerOverPreview() const noexcept;
    // The card is up and the pointer is on it or on its cell.
    [[nodiscard]] bool NowPlayingPopupOpen() const noexcept;

    // The Now Playing cell (DockNowPlaying.cpp).
    [[nodiscard]] bool OverNowPlaying(int clientX) const noexcept;
    void SetNowPlayingHover(bool hovered) noexcept;
    void OnNowPlayingTimer() noexcept;

    // The keyboard on the items (DockKeyboard.cpp).
    void OnFocusKey(FocusKey key) noexcept;
    void EndKeyboardFocus(bool giveBack) noexcept;
    [[nodiscard]] int FocusedItem() const noexcept;

    // Screen readers (DockAccessible.cpp): the tree from the current cells,
    // a click as the default action, and where the keyboard is.
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    void NotifyKeyboardFocus() noexcept;

    // Clicks and menus (DockActions.cpp).
    void Activate(int index) noexcept;
    void MiddleClick(int index) noexcept;
    void OpenItemMenu(int index, int screenX) noexcept;
    void OpenDockMenu(POINT screen) noexcept;
    [[nodiscard]] uint32_t TrackMenu(HMENU menu, int screenX) noexcept;
    void ToggleHideTaskbar() noexcept;

    const DockContext context_;
    HMONITOR display_;
    bool primary_;
    uint32_t dpi_ = 96;
    PixelRect windowRect_;
    PixelRect edgeRect_;
    std::vector<DockItem> items_;
    std::vector<DockItemVisual> visuals_;  // items_' order, by key
    uint32_t visualChannel_ = 0;
    // Asked of the worker, or failed: (target, normal pixel size).
    std::set<std::pair<std::wstring, int32_t>> visualsAsked_;
    std::vector<PointRect> cells_;  // DIPs, from the last layout
    float heightDips_ = 0;
    bool nowPlayingCell_ = false;
    PointRect nowPlayingRect_;
    bool nowPlayingHovered_ = false;
    float nowPlayingScale_ = 1.0f;
    float nowPlayingTargetScale_ = 1.0f;

    HWND foreground_ = nullptr;
    int frontFrameLooks_ = 0;
    EventSubscription shellNotices_;
    EventSubscription frontMoves_;
    EventSubscription cloaking_;
    TaskbarHider taskbar_;
    TaskbarHideState taskbarHide_;
    DockAppBar appBar_{context_.appBarPlacing};

    int hoveredIndex_ = -1;
    // The item the keyboard is on while the dock has it, and the window
    // that had the keyboard before.
    bool keyboardFocus_ = false;
    int focusIndex_ = -1;
    HWND focusReturn_ = nullptr;
    // The left button on an item (client pixels); a drag reorders, pins
    // and unpins.
    PointerGesture press_;
    bool dragOut_ = false;
    bool pointerTracked_ = false;
    bool pointerInside_ = false;
    bool belowSystemUi_ = false;
    bool suppressed_ = false;
    bool revealed_ = true;
    RevealAnimator hide_{kDockHideEasing};
    bool animating_ = false;

    Tooltip tooltip_;
    std::unique_ptr<EdgeStrip> edge_;
    std::unique_ptr<DockPainter> painter_;
    std::unique_ptr<DockPreview> preview_;
    // What the open preview shows, by the item's key: the items may shift
    // under it while it is open.
    uint64_t previewKey_ = 0;
    int32_t previewAnchorX_ = 0;
    std::vector<HWND> previewWindows_;
    AccessibleWindow accessible_{*this};
};

}  // namespace corvane
