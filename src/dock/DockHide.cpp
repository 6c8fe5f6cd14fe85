// Where the dock stands: its place at the bottom of the display, the reveal
// strip under it, the reserved band, and smart hiding, which slides the dock
// off the display when the front window needs the room and brings it back
// when the pointer reaches the bottom edge.

#include "base/ImagePaths.h"
#include "base/Win32Geometry.h"
#include "dock/Dock.h"
#include "dock/DockGeometry.h"
#include "dock/DockHideRules.h"
#include "identity/ForegroundRules.h"
#include "identity/WindowFacts.h"
#include "toolkit/EdgeStrip.h"

#include <dwmapi.h>

#include <string>
#include <utility>

namespace corvane {
namespace {

// After the pointer touched the reveal strip, and between looks while it
// still keeps the dock up.
constexpr UINT kLeaveAfterEdgeMs = 1500;
constexpr UINT kLeaveRecheckMs = 400;

constexpr wchar_t kSettingsWindowClass[] = L"CorvaneSettings";

DockForeground DescribeForeground(HWND window, const std::wstring& className, DWORD process) {
    DockForeground front;
    front.exists = window != nullptr && ::IsWindow(window);
    if (!front.exists) {
        return front;
    }
    front.visible = ::IsWindowVisible(window) != FALSE;
    front.minimized = ::IsIconic(window) != FALSE;
    front.ownProcess = process == ::GetCurrentProcessId();
    front.settingsWindow = front.ownProcess && className == kSettingsWindowClass;
    front.desktop = !front.ownProcess && IsDesktopSurface(window);
    front.frame = VisibleFrameOf(window);
    return front;
}

}  // namespace

void Dock::Layout() noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    nowPlayingCell_ = context_.nowPlaying.InDock();
    if (!nowPlayingCell_) {
        SetNowPlayingHover(false);
    }
    DockLayout layout;
    try {
        layout = LayoutDock(items_, context_.settings.dockIconSize, nowPlayingCell_);
    } catch (...) {
        return;  // out of memory: the dock stays where it was
    }
    cells_ = std::move(layout.cells);
    nowPlayingRect_ = layout.nowPlaying;
    heightDips_ = layout.height;
    const PixelRect monitor = MonitorRect();
    windowRect_ = DockWindowRect(monitor, dpi_, layout.width, layout.height);
    PlaceWindow();
    edgeRect_ = DockEdgeRect(monitor, windowRect_, dpi_, context_.settings.revealWidth);
    if (edge_) {
        ::SetWindowPos(edge_->Hwnd(), HWND_TOPMOST, edgeRect_.left, edgeRect_.top,
                       edgeRect_.Width(), edgeRect_.Height(), SWP_NOACTIVATE);
    }
    UpdateAppBar();
    Repaint();
}

void Dock::PlaceWindow() noexcept {
    const int32_t top = DockWindowTop(windowRect_, dpi_, hide_.Position());
    // Below a Start or search surface the dock keeps its place in the z-order.
    const UINT zOrder = belowSystemUi_ ? SWP_NOZORDER : 0u;
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, windowRect_.left, top, windowRect_.Width(),
                   windowRect_.Height(), SWP_NOACTIVATE | zOrder);
}

void Dock::UpdateAppBar() noexcept {
    if (Hwnd() != nullptr) {
        appBar_.Update(Hwnd(), windowRect_, MonitorRect(), context_.settings.smartHide);
    }
}

void Dock::ShowEdge(bool show) noexcept {
    if (edge_) {
        ::ShowWindow(edge_->Hwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

void Dock::StartAnimation() noexcept {
    if (!animating_ && Hwnd() != nullptr) {
        animating_ = ::SetTimer(Hwnd(), TIMER_DOCK_ANIMATE, dockperiods::kAnimateMs, nullptr) != 0;
    }
}

void Dock::OnAnimate() noexcept {
    bool moving = false;
    const bool animate = context_.theme.animate;
    const Easing scaleEasing = MotionEasing(kDockScaleEasing, animate);
    for (DockItemVisual& visual : visuals_) {
        moving |= EaseTowards(visual.scale, visual.targetScale, scaleEasing);
    }
    moving |= EaseTowards(nowPlayingScale_, nowPlayingTargetScale_, scaleEasing);
    const float before = hide_.Position();
    const bool sliding = hide_.Step(animate);
    if (hide_.Position() != before) {
        PlaceWindow();
    }
    if (!sliding && hide_.OutOfSight() && ::IsWindowVisible(Hwnd())) {
        ::ShowWindow(Hwnd(), SW_HIDE);
        ShowEdge(!suppressed_);
    }
    if (!moving && !sliding) {
        ::KillTimer(Hwnd(), TIMER_DOCK_ANIMATE);
        animating_ = false;
    }
    Repaint();
}

bool Dock::PointerInRevealZone() const noexcept {
    POINT pointer = {};
    return ::GetCursorPos(&pointer) &&
           InRevealZone(pointer.x, pointer.y, MonitorRect(), windowRect_, edgeRect_);
}

bool Dock::KeepsShown() const noexcept {
    return !context_.settings.smartHide || keyboardFocus_ || pointerInside_ || press_.Dragging() ||
           PointerOverPreview() || NowPlayingPopupOpen() || (revealed_ && PointerInRevealZone());
}

void Dock::EvaluateSmartHide() noexcept {
    if (suppressed_ || Hwnd() == nullptr) {
        return;
    }
    try {
        const HWND front =
            foreground_ != nullptr && ::IsWindow(foreground_) ? foreground_ : nullptr;
        DWORD process = 0;
        std::wstring className;
        if (front != nullptr) {
            ::GetWindowThreadProcessId(front, &process);
            className = WindowClassName(front, kClassNameChars);
        }
        if (front != nullptr &&
            IsSystemSurface(ExecutableNameOf(ProcessImagePath(process)), className)) {
            // Start, search and the tray overflow open over the dock rather
            // than push it away.
            belowSystemUi_ = true;
            ::SetWindowPos(Hwnd(), HWND_NOTOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            ::SetWindowPos(Hwnd(), front, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            return;
        }
        if (belowSystemUi_) {
            belowSystemUi_ = false;
            ::SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
                           SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        if (KeepsShown()) {
            SetRevealed(true);
            return;
        }
        switch (DecideDockVisibility(DescribeForeground(front, className, process), windowRect_)) {
            case DockVisibility::Show:
                SetRevealed(true);
                break;
            case DockVisibility::Hide:
                SetRevealed(false);
                break;
            case DockVisibility::Keep:
            default:
                break;
        }
    } catch (...) {
        // Out of memory: the dock stays as it is until the next look.
    }
}

void Dock::SetRevealed(bool reveal) noexcept {
    if (reveal == revealed_) {
        return;
    }
    revealed_ = reveal;
    if (reveal) {
        hide_.Reveal(true);
        ShowEdge(false);
        ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    } else {
        hide_.Reveal(false);
        SetHover(-1);
        ClosePreview();
    }
    StartAnimation();
}

void Dock::OnEdgeTouched() noexcept {
    if (suppressed_) {
        return;
    }
    // A borderless full-screen game keeps the whole display, bottom edge
    // included; the desktop covers it too, but is no game.
    const HWND front = foreground_;
    RECT rect = {};
    if (front != nullptr && front != ::GetDesktopWindow() && ::IsWindow(front) &&
        ::IsIconic(front) == FALSE && ::GetWindowRect(front, &rect) &&
        IsFullscreenWindow(ToPixelRect(rect), MonitorRect(), ::IsZoomed(front) != FALSE)) {
        return;
    }
    SetRevealed(true);
    ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveAfterEdgeMs, nullptr);
}

void Dock::OnLeaveTimer() noexcept {
    if (!pointerInside_ && !PointerOverPreview() && !NowPlayingPopupOpen() &&
        !PointerInRevealZone()) {
        EvaluateSmartHide();
    } else {
        ::SetTimer(Hwnd(), TIMER_DOCK_LEAVE, kLeaveRecheckMs, nullptr);
    }
}

void Dock::Suppress(bool on) noexcept {
    if (on == suppressed_ || Hwnd() == nullptr) {
        return;
    }
    if (on) {
        suppressed_ = true;
        SetHover(-1);
        ClosePreview();
        revealed_ = false;
        hide_.HideNow();
        PlaceWindow();
        ::ShowWindow(Hwnd(), SW_HIDE);
        tooltip_.Hide();
        ShowEdge(false);
        return;
    }
    suppressed_ = false;
    EvaluateSmartHide();
    if (!revealed_) {
        ShowEdge(true);
    }
}

}  // namespace corvane
