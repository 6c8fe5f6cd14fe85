#pragma once
// One top bar on one display: a borderless, topmost, never-activated window
// registered as a desktop toolbar, with its auto-hide edge strip, the glass
// panels of the island styles, and a tooltip.

#include "bar/BarGeometry.h"
#include "bar/BarHost.h"
#include "bar/BarItem.h"
#include "bar/BarLayout.h"
#include "bar/BarTextLayouts.h"
#include "bar/BarTrayRules.h"
#include "base/Win32Handles.h"
#include "base/WindowBase.h"
#include "toolkit/AccessibleWindow.h"
#include "toolkit/KeyboardFocus.h"
#include "toolkit/RevealAnimator.h"
#include "toolkit/Tooltip.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace corvane {

class BarPainter;
class EdgeStrip;
class BarPanelWindow;
enum class BarClickAction : uint32_t;

inline constexpr wchar_t kBarWindowClass[] = L"CorvaneBar";
inline constexpr wchar_t kBarEdgeWindowClass[] = L"CorvaneBarEdge";
inline constexpr wchar_t kBarPanelWindowClass[] = L"CorvaneBarPanel";

inline constexpr UINT kWmBarAppbar = WM_APP + 1;
enum BarTimer : UINT_PTR {
    TIMER_BAR_SLIDE = 0x5101,
    TIMER_BAR_AUTOHIDE = 0x5102,
};

class Bar final : public WindowBase, private AccessibleSource {
public:
    Bar(const BarContext& context, HMONITOR display, bool mainBar);
    ~Bar() override;

    [[nodiscard]] bool Create();
    void Reposition();
    void ApplyShape();
    void SyncPanels();
    void SetRevealed(bool reveal);
    void SetFullscreenHidden(bool hidden);
    void ApplyTheme();
    // Explorer made a new taskbar and forgot every appbar: the strip is
    // reserved anew.
    void ExplorerRestarted();
    // What the bar shows changed: lays it out again and repaints.
    void Relayout();
    // Only the look changed (hover, press, status colours): draws again.
    void Repaint() noexcept;

    [[nodiscard]] HMONITOR Display() const noexcept { return display_; }
    [[nodiscard]] bool IsMainBar() const noexcept { return mainBar_; }
    [[nodiscard]] uint32_t Dpi() const noexcept { return dpi_; }
    [[nodiscard]] bool IsAppbarRegistered() const noexcept { return appbarRegistered_; }
    [[nodiscard]] bool IsFullscreenHidden() const noexcept { return fullscreenHidden_; }
    [[nodiscard]] bool IsRevealed() const noexcept { return revealed_; }
    [[nodiscard]] const PixelRect& Frame() const noexcept { return frame_; }
    [[nodiscard]] HWND EdgeHwnd() const noexcept;
    [[nodiscard]] const std::vector<BarItem>& Items() const noexcept { return layout_.items; }
    [[nodiscard]] const BarContext& Context() const noexcept { return context_; }
    [[nodiscard]] BarTextLayouts& Text() noexcept { return text_; }
    [[nodiscard]] int HoverIndex() const noexcept { return hoverIndex_; }
    [[nodiscard]] int PressedIndex() const noexcept { return press_.Target(); }
    [[nodiscard]] int OpenMenuIndex() const noexcept { return openMenuIndex_; }
    [[nodiscard]] const TrayDrag& TrayDragState() const noexcept { return trayDrag_; }

    // Called by the edge strip when the pointer touches the top of the display.
    void OnEdgeTouched();

    // Shows the application menus, starting at this menu title item, and
    // follows the user from title to title until the menus close.
    void OpenMenus(int itemIndex, bool fromKeyboard = false);

    // A global shortcut gave the bar's titles the keyboard; Escape gives it
    // back to `previous`. Losing the activation ends it.
    void TakeKeyboardFocus(HWND previous);
    [[nodiscard]] bool HasKeyboardFocus() const noexcept { return keyboardFocus_; }
    // The item drawn with the focus cue, -1 for none.
    [[nodiscard]] int KeyboardFocusIndex() const noexcept;
    // Clears the popup mark the auto-hide reads.
    void EndPopup() noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] BarStyle Style() const noexcept;
    [[nodiscard]] BarMetrics Metrics() const noexcept;
    [[nodiscard]] PixelRect DisplayRect() const noexcept;
    void RegisterAppbar() noexcept;
    void RemoveAppbar() noexcept;
    void ApplyBackdrops() noexcept;
    void OnSlideTimer();
    void OnAutohideTimer();
    // Mouse input from the window procedure: button points are client
    // pixels, wheel points screen pixels.
    void OnMouseMove(int x, int y);
    void OnMouseLeave();
    void OnCaptureChanged(HWND newCapture);
    void OnButton(UINT message, int x, int y);
    void OnWheel(int delta, int screenX, int screenY);
    // The tray strip (BarTray.cpp): its part of the layout, where its icons
    // stand on the screen, and the mouse on its icons.
    [[nodiscard]] TrayHost* Tray() const noexcept;
    float BuildTrayStrip(float rightEdge, float height, std::vector<BarItem>& items);
    [[nodiscard]] TrayStripLayout CurrentTrayStrip() const;
    void PublishTrayRects(std::span<const BarItem> items) noexcept;
    [[nodiscard]] bool OnTrayMove(int x, int y);
    void UpdateTrayHover(int hit, POINT screen) noexcept;
    void EndTrayHover() noexcept;
    void OnTrayPress(int hit, UINT message, int x, int y);
    void OnTrayRelease(int x, int y);
    void OnTrayCaptureLost();
    void SendTrayMouse(const TrayIconKey& key, UINT message, POINT screen) noexcept;
    [[nodiscard]] POINT ToScreen(int x, int y) const noexcept;
    void UpdateTooltip();
    [[nodiscard]] std::wstring TooltipText(const BarItem& item) const;
    void AppNameMenu(const BarItem& item);
    void ToggleTiling();
    void ShowEdge(bool show) noexcept;
    void ReleaseDeviceResources() noexcept;
    // The keyboard on the titles (BarKeyboard.cpp).
    void OnFocusKey(FocusKey key);
    void FocusItem(int itemIndex) noexcept;
    void EndKeyboardFocus(bool giveBack) noexcept;
    // What a left click on item `hit` does, also asked for by screen readers
    // (BarAccessible.cpp); tray icons excepted, which ClickTrayIcon clicks.
    void RunClickAction(BarClickAction action, int hit, bool fromKeyboard);
    void ClickTrayIcon(int hit);
    AccessibleNode BuildAccessibleTree() override;
    void RunAccessibleAction(int32_t actionId) override;
    // Tells screen readers where the keyboard focus cue is.
    void NotifyKeyboardFocus() noexcept;
    // Readers hear of the minute turning and of a new track (never of the
    // first text), as a name change without the focus moving.
    void NotifyNamesTurned(const std::wstring& clock) noexcept;
    void NotifyNameTurned(std::wstring& heard, const std::wstring& now, BarItemKind kind) noexcept;

    const BarContext context_;
    HMONITOR display_;
    bool mainBar_;
    uint32_t dpi_ = 96;
    bool appbarRegistered_ = false;
    bool fullscreenHidden_ = false;
    PixelRect frame_;
    bool revealed_ = true;
    RevealAnimator slide_{kBarSlideEasing};
    bool sliding_ = false;
    bool popupOpen_ = false;
    bool repositioning_ = false;
    bool syncingPanels_ = false;
    bool mouseTracked_ = false;
    int hoverIndex_ = -1;
    // The item a button went down on; a tray icon's left press is trayDrag_'s.
    PointerGesture press_;
    int openMenuIndex_ = -1;
    // The keyboard walks the titles: which stop (BarFocusStops) it is on,
    // and the window that had the keyboard before.
    bool keyboardFocus_ = false;
    int focusStop_ = -1;
    HWND focusReturn_ = nullptr;
    // A pressed tray icon that may turn into a drag, and the icon it is.
    TrayDrag trayDrag_;
    TrayIconKey trayPressed_;
    // The icon that was last told the pointer is over it.
    std::optional<TrayIconKey> trayHovered_;
    // Where the strip stood at the last layout; nothing when it was not laid out.
    std::optional<PointRect> trayNotifyRect_;
    float trayRightEdge_ = 0;
    float trayHeight_ = 0;
    // The media widget's label the last layout measured; its text layout
    // is made from this copy, not from the session's short-lived view.
    std::wstring nowPlayingText_;
    BarTextLayouts text_;
    BarLayoutResult layout_;
    std::vector<PointRect> appliedIslands_;

    Tooltip tooltip_;
    std::unique_ptr<EdgeStrip> edge_;
    std::vector<std::unique_ptr<BarPanelWindow>> panels_;
    UniquePowerNotify batteryNotify_;
    UniquePowerNotify powerSourceNotify_;
    std::unique_ptr<BarPainter> painter_;
    std::wstring accessibleClock_;
    std::wstring accessibleNowPlaying_;
    AccessibleWindow accessible_{*this};
};

}  // namespace corvane
