// The dock's life: its windows, hooks and timers from creation to
// destruction, and the window procedure that hands each message on.

#include "dock/Dock.h"

#include "base/MissedDpiChange.h"
#include "base/Win32Geometry.h"
#include "dock/DockPainter.h"
#include "identity/AppWindows.h"
#include "toolkit/Backdrop.h"
#include "toolkit/EdgeStrip.h"
#include "toolkit/FocusKeyRouting.h"

#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

namespace corvane {
namespace {

// Docks come and go with displays and reloads; the classes stay.
bool RegisterDockClasses(HINSTANCE instance) noexcept {
    return RegisterWindowClass(instance, kDockWindowClass, CS_DBLCLKS, IDC_ARROW) &&
           RegisterWindowClass(instance, kDockEdgeWindowClass, CS_DBLCLKS, IDC_ARROW);
}

// Shell hook codes (wParam & 0x7FFF); the high bit marks HSHELL_FLASH.
constexpr WPARAM kShellCodeMask = 0x7FFF;
constexpr WPARAM kShellHighBit = 0x8000;
constexpr WPARAM kShellLastCode = 16;
constexpr WPARAM kShellWindowCreated = 1;
constexpr WPARAM kShellWindowDestroyed = 2;
constexpr WPARAM kShellFlash = 6;
constexpr WPARAM kShellWindowReplaced = 13;
constexpr WPARAM kShellMonitorChanged = 16;

// Smart hide looks again once a new front window has settled, and soon
// after the front window moved or resized.
constexpr UINT kHideCheckAfterForegroundMs = 40;
constexpr UINT kHideCheckAfterMoveMs = 60;

}  // namespace

Dock::Dock(const DockContext& context, HMONITOR display, bool primary)
    : context_(context),
      display_(display != nullptr ? display
                                  : ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY)),
      primary_(primary),
      visualChannel_(context.worker.NewChannel()) {}

Dock::~Dock() {
    Destroy();
    context_.worker.Cancel(visualChannel_);
}

void Dock::Destroy() noexcept {
    if (Hwnd() != nullptr && appBar_.Registered()) {
        appBar_.Remove(Hwnd());
    }
    frontMoves_.Reset();
    cloaking_.Reset();
    shellNotices_.Reset();
    GiveTaskbarBack();
    tooltip_.Destroy();
    edge_.reset();
    DestroyBound();
    if (painter_) {
        painter_->ReleaseDeviceResources();
    }
    preview_.reset();
    previewKey_ = 0;
    previewWindows_.clear();
    visuals_.clear();
    items_.clear();
}

bool Dock::Create() {
    const HINSTANCE instance = context_.instance;
    if (Hwnd() != nullptr || !RegisterDockClasses(instance)) {
        return false;
    }
    if (CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kDockWindowClass,
                    L"Corvane Dock", WS_POPUP, 0, 0, 100, 60, nullptr, instance) == nullptr) {
        return false;
    }
    try {
        edge_ = std::make_unique<EdgeStrip>([this] { OnEdgeTouched(); });
        painter_ = std::make_unique<DockPainter>(context_.graphics.d2d.Get(), Hwnd());
        // Its window comes when it is first shown.
        preview_ = std::make_unique<DockPreview>(context_.instance, context_.settings,
                                                 context_.theme, context_.graphics);
    } catch (...) {
        Destroy();
        return false;
    }
    if (!edge_->Create(instance, kDockEdgeWindowClass)) {
        edge_.reset();
    }
    dpi_ = MonitorDpi(display_);

    SetExcludedFromPeek(Hwnd());
    SetWindowCorners(Hwnd(), true);
    ApplyDockBackdrop();
    tooltip_.Create(Hwnd(), context_.instance, Tooltip::Placement::Placed);

    try {
        SystemEvents& events = context_.events;
        shellNotices_ = events.SubscribeShell(*this);
        cloaking_ = events.Subscribe(
            {.first = EVENT_OBJECT_CLOAKED, .last = EVENT_OBJECT_UNCLOAKED, .skipOwnProcess = true},
            *this);
        frontMoves_ = events.SubscribeFrontLocation(*this);
    } catch (...) {
        // The dock still rebuilds on its own timers and foreground changes.
    }

    StepTaskbar(TaskbarHideEvent::DockCreated);
    SeedPinsOnFirstRun();
    RebuildDock();
    ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    ForegroundChanged(::GetForegroundWindow());
    return true;
}

void Dock::ApplyDockBackdrop() noexcept {
    // The dock has one glass: acrylic, unless the user asked for none.
    const Backdrop backdrop =
        context_.settings.backdrop == Backdrop::Solid ? Backdrop::Solid : Backdrop::Acrylic;
    ApplyBackdrop(Hwnd(), backdrop, context_.theme, context_.settings.tint, false);
}

bool Dock::IsShown() const noexcept {
    return Hwnd() != nullptr && ::IsWindowVisible(Hwnd()) != FALSE && !suppressed_;
}

PixelRect Dock::MonitorRect() const noexcept {
    return corvane::MonitorRect(display_);
}

void Dock::ScheduleRebuild(UINT milliseconds) noexcept {
    if (Hwnd() != nullptr) {
        ::SetTimer(Hwnd(), TIMER_DOCK_REBUILD, milliseconds, nullptr);
    }
}

void Dock::Relayout(bool force) noexcept {
    // Layout asks again whether the cell is there; a new track or a pause
    // only needs the cell drawn anew.
    if (force || nowPlayingCell_ != context_.nowPlaying.InDock()) {
        Layout();
    }
    Repaint();
}

void Dock::ApplyTheme() noexcept {
    ApplyDockBackdrop();
    ReleaseDeviceResources();
    if (preview_) {
        preview_->ApplyTheme();
    }
    Repaint();
}

void Dock::ExplorerRestarted() noexcept {
    if (Hwnd() != nullptr) {
        ::SetTimer(Hwnd(), TIMER_DOCK_APPBAR, dockperiods::kAppBarAfterExplorerMs, nullptr);
    }
}

void Dock::OnAppBarTimer() noexcept {
    // The new Explorer brought new taskbars and forgot every appbar.
    StepTaskbar(TaskbarHideEvent::ExplorerRestarted);
    appBar_.Forget();
    UpdateAppBar();
}

void Dock::TaskbarSettingChanged() noexcept {
    StepTaskbar(TaskbarHideEvent::SettingChanged);
}

void Dock::StepTaskbar(TaskbarHideEvent event) noexcept {
    if (!primary_ || Hwnd() == nullptr) {
        return;
    }
    switch (
        StepTaskbarHiding(taskbarHide_, event, context_.settings.hideTaskbar, taskbar_.Holds())) {
        case TaskbarHideStep::Hide:
            taskbar_.Hide(context_.events);
            if (RetryTaskbarHide(taskbarHide_, taskbar_.Holds())) {
                ::SetTimer(Hwnd(), TIMER_DOCK_TASKBAR, taskbarhide::kRetryMs, nullptr);
            } else {
                ::KillTimer(Hwnd(), TIMER_DOCK_TASKBAR);
            }
            break;
        case TaskbarHideStep::GiveBack:
            ::KillTimer(Hwnd(), TIMER_DOCK_TASKBAR);
            GiveTaskbarBack();
            break;
        case TaskbarHideStep::None:
            break;
    }
}

void Dock::GiveTaskbarBack() noexcept {
    // The watch goes first, or it would hide the taskbar again as it comes back.
    const bool hidTaskbar = taskbar_.HidTaskbar();
    taskbar_.Forget();
    if (hidTaskbar) {
        RestoreTaskbar();
    }
}

void Dock::ForgetTaskbarHook() noexcept {
    taskbar_.Forget();
}

void Dock::ReleaseDeviceResources() noexcept {
    if (painter_) {
        painter_->ReleaseDeviceResources();
    }
    for (DockItemVisual& visual : visuals_) {
        visual.bitmap.Reset();
        visual.largeBitmap.Reset();
    }
}

void Dock::Repaint() noexcept {
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    accessible_.Invalidate();
}

void Dock::Paint() noexcept {
    if (!painter_) {
        return;
    }
    const DockPaintInput input{
        .items = items_,
        .visuals = visuals_,
        .cells = cells_,
        .theme = context_.theme,
        .solid = DrawsOpaque(context_.settings.backdrop, context_.theme),
        .iconSize = static_cast<float>(context_.settings.dockIconSize),
        .height = heightDips_,
        // While the dock has the keyboard, the app it came from stays marked
        // as the one in front.
        .foreground = ToWindowId(keyboardFocus_ ? focusReturn_ : foreground_),
        .draggedOut = press_.Dragging() && dragOut_ ? press_.Target() : -1,
        .nowPlayingCell = nowPlayingCell_,
        .nowPlaying = nowPlayingRect_,
        .nowPlayingScale = nowPlayingScale_,
        .nowPlayingView = nowPlayingCell_ ? context_.nowPlaying.View() : NowPlayingWidgetView{},
        .focused = FocusedItem(),
    };
    painter_->Paint(dpi_, input);
}

void Dock::OnDpiChanged(uint32_t dpi) noexcept {
    dpi_ = dpi != 0 ? dpi : 96;
    // Icons are loaded at their drawn pixel size: all of them come again.
    ReleaseDeviceResources();
    for (DockItemVisual& visual : visuals_) {
        visual.icon.Reset();
        visual.largeIcon.Reset();
    }
    visualsAsked_.clear();
    LoadMissingVisuals();
    Layout();
}

void Dock::ForegroundChanged(HWND window) noexcept {
    foreground_ = window;
    ClearAttention(items_, ToWindowId(window));
    if (Hwnd() != nullptr) {
        ::SetTimer(Hwnd(), TIMER_DOCK_HIDECHECK, kHideCheckAfterForegroundMs, nullptr);
    }
    frontFrameLooks_ = 0;
    // The shell does not announce every window (nor does every system send
    // shell notices): a program's window first heard of in front is listed
    // now.
    if (FrontFrameUnlisted() ||
        (window != nullptr && !ListsWindow(window) && IsDockAppWindow(window))) {
        ScheduleRebuild(dockperiods::kRebuildAfterShellHookMs);
    }
    Repaint();
}

void Dock::OnShellHook(WPARAM wParam, LPARAM lParam) noexcept {
    const WPARAM code = wParam & kShellCodeMask;
    if (code > kShellLastCode) {
        return;
    }
    if ((wParam & kShellHighBit) != 0) {
        if (code == kShellFlash) {
            MarkAttention(items_, ToWindowId(reinterpret_cast<HWND>(lParam)),
                          ToWindowId(foreground_));
            Repaint();
        }
        return;
    }
    switch (code) {
        case kShellWindowCreated:
        case kShellWindowDestroyed:
        case kShellWindowReplaced:
        case kShellMonitorChanged:
            ScheduleRebuild(dockperiods::kRebuildAfterShellHookMs);
            break;
        default:
            break;
    }
}

void Dock::OnWinEvent(const WinEvent& event) noexcept {
    if (event.object != OBJID_WINDOW || Hwnd() == nullptr) {
        return;
    }
    if (event.event == EVENT_OBJECT_LOCATIONCHANGE) {
        if (event.window != nullptr && event.window == foreground_) {
            ::SetTimer(Hwnd(), TIMER_DOCK_HIDECHECK, kHideCheckAfterMoveMs, nullptr);
        }
        return;
    }
    ScheduleRebuild(dockperiods::kRebuildAfterCloakMs);
}

void Dock::OnTimer(UINT_PTR id) noexcept {
    switch (id) {
        case TIMER_DOCK_ANIMATE:
            OnAnimate();
            break;
        case TIMER_DOCK_REBUILD:
            ::KillTimer(Hwnd(), id);
            RebuildDock();
            break;
        case TIMER_DOCK_HIDECHECK:
            ::KillTimer(Hwnd(), id);
            EvaluateSmartHide();
            break;
        case TIMER_DOCK_LEAVE:
            ::KillTimer(Hwnd(), id);
            OnLeaveTimer();
            break;
        case TIMER_DOCK_APPBAR:
            ::KillTimer(Hwnd(), id);
            OnAppBarTimer();
            break;
        case TIMER_DOCK_TASKBAR:
            ::KillTimer(Hwnd(), id);
            StepTaskbar(TaskbarHideEvent::RetryDue);
            break;
        case TIMER_DOCK_PREVIEW:
            ::KillTimer(Hwnd(), id);
            if (hoveredIndex_ >= 0 && revealed_ && !press_.Dragging()) {
                OpenPreview(hoveredIndex_);
            }
            break;
        case TIMER_DOCK_PREVIEW_CLOSE:
            ::KillTimer(Hwnd(), id);
            OnPreviewCloseTimer();
            break;
        case TIMER_DOCK_NOWPLAYING:
            ::KillTimer(Hwnd(), id);
            OnNowPlayingTimer();
            break;
        default:
            ::KillTimer(Hwnd(), id);
            break;
    }
}

LRESULT Dock::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    CatchMissedDpiChange(Hwnd(), message, lParam, dpi_);
    if (const std::optional<LRESULT> taken =
            accessible_.HandleMessage(Hwnd(), message, wParam, lParam)) {
        return *taken;
    }
    if (const RoutedFocusKey routed = RouteFocusKey(keyboardFocus_, message, wParam);
        routed.taken) {
        OnFocusKey(routed.key);
        return 0;
    }
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(Hwnd(), &ps);
            Paint();
            ::EndPaint(Hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (painter_) {
                painter_->Resize(LOWORD(lParam), HIWORD(lParam));
            }
            Repaint();
            return 0;
        case WM_TIMER:
            OnTimer(wParam);
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                EndKeyboardFocus(false);
            }
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnLeftDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_RBUTTONUP:
            OnRightUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MBUTTONUP:
            OnMiddleUp(GET_X_LPARAM(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != Hwnd()) {
                OnCaptureLost();
            }
            return 0;
        case WM_DISPLAYCHANGE:
            Layout();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            appBar_.WindowPosChanged(Hwnd());
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case kWmDockPreviewLeft:
            OnPreviewLeft();
            return 0;
        case kWmDockAppbar:
            if (wParam == ABN_POSCHANGED) {
                UpdateAppBar();
            }
            return 0;
        case WM_CLOSE:
            // Only the program ends its docks.
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
