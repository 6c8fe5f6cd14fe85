#include "bar/Bar.h"

#include "bar/BarIslands.h"
#include "bar/BarLayoutInput.h"
#include "bar/BarPainter.h"
#include "bar/BarTextCompose.h"
#include "bar/BarWindows.h"
#include "bar/ClockText.h"
#include "bar/SystemStatus.h"
#include "base/Appbars.h"
#include "base/MissedDpiChange.h"
#include "base/Win32Geometry.h"
#include "toolkit/AccessibilityPrefs.h"
#include "toolkit/Backdrop.h"
#include "toolkit/EdgeStrip.h"
#include "toolkit/FocusKeyRouting.h"
#include "tray/TrayHost.h"

#include <shellapi.h>
#include <windowsx.h>

namespace corvane {
namespace {

constexpr unsigned kAutohideAfterCreateMs = 1500;
constexpr unsigned kAutohideAfterRevealMs = 1200;
constexpr unsigned kAutohideRecheckMs = 400;
constexpr unsigned kSlideStepMs = 15;

// Clears a flag however the scope is left.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) noexcept : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag_;
};

bool IsIslandStyle(BarStyle style) noexcept {
    return style == BarStyle::Islands || style == BarStyle::Separated;
}

// Any visible popup menu, ours or another program's: cached menu windows
// of the same class may be hidden and come first.
bool AnyPopupMenuVisible() noexcept {
    HWND menu = nullptr;
    while ((menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) != nullptr) {
        if (::IsWindowVisible(menu)) {
            return true;
        }
    }
    return false;
}

}  // namespace

Bar::Bar(const BarContext& context, HMONITOR display, bool mainBar)
    : context_(context),
      display_(display),
      mainBar_(mainBar),
      text_(context.graphics.dwrite.Get()) {}

Bar::~Bar() {
    batteryNotify_.Reset();
    powerSourceNotify_.Reset();
    RemoveAppbar();
    panels_.clear();
    tooltip_.Destroy();
    edge_.reset();
    painter_.reset();
    DestroyBound();
}

BarStyle Bar::Style() const noexcept {
    return static_cast<BarStyle>(context_.settings.style);
}

BarMetrics Bar::Metrics() const noexcept {
    // The bar holds a line of text, so Windows' text size makes it taller.
    return ComputeBarMetrics(
        TextScaledPoints(context_.settings.barHeight, context_.theme.textScale), Style(), dpi_);
}

PixelRect Bar::DisplayRect() const noexcept {
    return MonitorRect(display_);
}

HWND Bar::EdgeHwnd() const noexcept {
    return edge_ ? edge_->Hwnd() : nullptr;
}

bool Bar::Create() {
    const HINSTANCE instance = context_.instance;
    if (!RegisterBarClasses(instance)) {
        return false;
    }
    dpi_ = MonitorDpi(display_);
    const PixelRect display = DisplayRect();
    const int height = Metrics().height;
    if (CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kBarWindowClass,
                    L"Corvane", WS_POPUP, display.left, display.top, display.Width(), height,
                    nullptr, instance) == nullptr) {
        return false;
    }
    const UINT windowDpi = ::GetDpiForWindow(Hwnd());
    if (windowDpi != 0) {
        dpi_ = windowDpi;
    }
    painter_ = std::make_unique<BarPainter>(*this);

    SetExcludedFromPeek(Hwnd());
    SetWindowCorners(Hwnd(), false);
    SetWindowBorder(Hwnd(), false);
    ApplyBackdrops();

    tooltip_.Create(Hwnd(), instance, Tooltip::Placement::NearPointer);

    batteryNotify_.Reset(::RegisterPowerSettingNotification(
        Hwnd(), &GUID_BATTERY_PERCENTAGE_REMAINING, DEVICE_NOTIFY_WINDOW_HANDLE));
    powerSourceNotify_.Reset(::RegisterPowerSettingNotification(Hwnd(), &GUID_ACDC_POWER_SOURCE,
                                                                DEVICE_NOTIFY_WINDOW_HANDLE));

    if (!context_.settings.autohide) {
        RegisterAppbar();
        Reposition();
    } else {
        Reposition();
        ::SetTimer(Hwnd(), TIMER_BAR_AUTOHIDE, kAutohideAfterCreateMs, nullptr);
    }
    Relayout();
    ApplyShape();
    ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    // The island panels were placed while the bar was still hidden.
    SyncPanels();
    return true;
}

void Bar::RegisterAppbar() noexcept {
    appbarRegistered_ = RegisterAppbarWindow(Hwnd(), kWmBarAppbar);
}

void Bar::RemoveAppbar() noexcept {
    if (appbarRegistered_ && Hwnd() != nullptr) {
        APPBARDATA abd = AppbarData(Hwnd());
        ::SHAppBarMessage(ABM_REMOVE, &abd);
    }
    appbarRegistered_ = false;
}

void Bar::ApplyBackdrops() noexcept {
    const Settings& settings = context_.settings;
    const Theme& theme = context_.theme;
    ApplyBackdrop(Hwnd(), settings.backdrop, theme, settings.barTint, IsIslandStyle(Style()));
    for (auto& panel : panels_) {
        ApplyBackdrop(panel->Hwnd(), settings.backdrop, theme, settings.barTint, false);
        ::InvalidateRect(panel->Hwnd(), nullptr, TRUE);
    }
}

void Bar::Reposition() {
    if (repositioning_ || Hwnd() == nullptr) {
        return;
    }
    const FlagGuard guard(repositioning_);
    const Settings& settings = context_.settings;
    const PixelRect display = DisplayRect();
    const BarMetrics m = Metrics();
    PixelRect strip = ProposedReservedStrip(display, m);

    if (settings.autohide && appbarRegistered_) {
        RemoveAppbar();
    } else if (!settings.autohide && appbarRegistered_) {
        APPBARDATA abd = AppbarData(Hwnd());
        abd.uEdge = ABE_TOP;
        abd.rc = ToRect(strip);
        ::SHAppBarMessage(ABM_QUERYPOS, &abd);
        strip = AdjustStripToTop(ToPixelRect(abd.rc), abd.rc.top, m);
        abd.rc = ToRect(strip);
        ::SHAppBarMessage(ABM_SETPOS, &abd);
        strip = ToPixelRect(abd.rc);
    }

    frame_ = FrameFromStrip(strip, m);
    const int y = SlideWindowTop(frame_.top, m, slide_.Position());
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, frame_.left, y, frame_.Width(), m.height, SWP_NOACTIVATE);
    if (TrayHost* host = Tray()) {
        host->SetHostRect(frame_);
    }

    if (settings.autohide) {
        if (!edge_) {
            edge_ = std::make_unique<EdgeStrip>([this] { OnEdgeTouched(); });
            if (!edge_->Create(context_.instance, kBarEdgeWindowClass)) {
                edge_.reset();
            }
        }
        if (edge_) {
            const PixelRect r = RevealEdgeRect(display);
            ::SetWindowPos(edge_->Hwnd(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                           SWP_NOACTIVATE);
            ShowEdge(!revealed_ && !fullscreenHidden_);
        }
    } else {
        edge_.reset();
    }
    Repaint();
}

void Bar::ShowEdge(bool show) noexcept {
    if (edge_) {
        ::ShowWindow(edge_->Hwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

void Bar::ApplyShape() {
    if (Hwnd() == nullptr) {
        return;
    }
    const BarStyle style = Style();
    const bool floating = style == BarStyle::Floating;
    SetWindowCorners(Hwnd(), floating);
    SetWindowBorder(Hwnd(), floating);
    const std::vector<PointRect>& islands = layout_.islands;
    if (IsIslandStyle(style) && !islands.empty()) {
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        for (const IslandShape& s : IslandRegionShapes(islands, dpi_)) {
            UniqueRegion part(::CreateRoundRectRgn(s.rect.left, s.rect.top, s.rect.right,
                                                   s.rect.bottom, s.cornerEllipse,
                                                   s.cornerEllipse));
            if (region && part) {
                ::CombineRgn(region.Get(), region.Get(), part.Get(), RGN_OR);
            }
        }
        // The window owns the region once it is set.
        if (::SetWindowRgn(Hwnd(), region.Get(), TRUE)) {
            (void)region.Release();
        }
        appliedIslands_ = islands;
    } else {
        ::SetWindowRgn(Hwnd(), nullptr, TRUE);
        appliedIslands_.clear();
    }
    SyncPanels();
}

void Bar::SyncPanels() {
    const std::size_t wanted = IsIslandStyle(Style()) ? appliedIslands_.size() : 0;
    while (panels_.size() > wanted) {
        panels_.pop_back();
    }
    while (panels_.size() < wanted) {
        auto panel = std::make_unique<BarPanelWindow>();
        if (!panel->Create(context_.instance, context_.settings, context_.theme)) {
            break;
        }
        panels_.push_back(std::move(panel));
    }
    if (syncingPanels_) {
        return;
    }
    const FlagGuard guard(syncingPanels_);
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    const bool visible = ::IsWindowVisible(Hwnd()) != FALSE;
    bool shownNow = false;
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        shownNow |= panels_[i]->Place(PanelRect(appliedIslands_[i], dpi_, window.left, window.top),
                                      Hwnd(), visible);
    }
    if (shownNow) {
        // Some window managers map a newly shown window on top of its band;
        // the bar's content must stay above the glass under it.
        ::SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

void Bar::SetRevealed(bool reveal) {
    const bool wanted = context_.settings.autohide ? reveal : true;
    if (wanted == revealed_) {
        return;
    }
    revealed_ = wanted;
    slide_.Reveal(wanted);
    if (wanted) {
        ShowEdge(false);
        if (!fullscreenHidden_) {
            ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
        }
        ::SetTimer(Hwnd(), TIMER_BAR_AUTOHIDE, kAutohideAfterRevealMs, nullptr);
    } else {
        EndTrayHover();
        hoverIndex_ = -1;
        press_.Cancel();
    }
    if (!sliding_) {
        sliding_ = true;
        ::SetTimer(Hwnd(), TIMER_BAR_SLIDE, kSlideStepMs, nullptr);
    }
}

void Bar::OnSlideTimer() {
    const bool moving = slide_.Step(context_.theme.animate);
    const int y = SlideWindowTop(frame_.top, Metrics(), slide_.Position());
    ::SetWindowPos(Hwnd(), nullptr, frame_.left, y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!moving) {
        ::KillTimer(Hwnd(), TIMER_BAR_SLIDE);
        sliding_ = false;
        if (!revealed_) {
            ::ShowWindow(Hwnd(), SW_HIDE);
            ShowEdge(!fullscreenHidden_);
        }
    }
}

void Bar::OnAutohideTimer() {
    ::KillTimer(Hwnd(), TIMER_BAR_AUTOHIDE);
    if (!context_.settings.autohide) {
        return;
    }
    AutoHideFacts facts;
    POINT pt = {};
    ::GetCursorPos(&pt);
    facts.pointerX = pt.x;
    facts.pointerY = pt.y;
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    facts.barWindow = ToPixelRect(window);
    facts.display = DisplayRect();
    facts.frame = frame_;
    facts.systemMenuVisible = AnyPopupMenuVisible();
    facts.ownPopupOpen = popupOpen_ || keyboardFocus_;
    facts.trayDragging = trayDrag_.Dragging();
    if (AutoHideKeepsBar(facts)) {
        ::SetTimer(Hwnd(), TIMER_BAR_AUTOHIDE, kAutohideRecheckMs, nullptr);
    } else {
        SetRevealed(false);
    }
}

void Bar::EndPopup() noexcept {
    popupOpen_ = false;
}

void Bar::OnEdgeTouched() {
    if (!fullscreenHidden_) {
        SetRevealed(true);
    }
}

void Bar::SetFullscreenHidden(bool hidden) {
    if (hidden == fullscreenHidden_) {
        return;
    }
    fullscreenHidden_ = hidden;
    if (hidden) {
        ::ShowWindow(Hwnd(), SW_HIDE);
        ShowEdge(false);
    } else if (revealed_) {
        ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
        ::SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        ShowEdge(true);
    }
    SyncPanels();
}

void Bar::ApplyTheme() {
    // A new text size changes the height, which is reserved again, as on a
    // scale change.
    const bool resized = Metrics().height != frame_.Height();
    ApplyBackdrops();
    ReleaseDeviceResources();
    if (resized) {
        Reposition();
    }
    Relayout();
}

void Bar::Relayout() {
    if (Hwnd() == nullptr) {
        return;
    }
    try {
        RECT client = {};
        ::GetClientRect(Hwnd(), &client);
        const float scale = 96.0f / static_cast<float>(dpi_ == 0 ? 96 : dpi_);
        const Settings& settings = context_.settings;
        const std::wstring clock = FormatClockText(settings.dateFormat, settings.showSeconds);
        BarSources sources;
        sources.width = static_cast<float>(client.right) * scale;
        sources.height = static_cast<float>(client.bottom) * scale;
        sources.isMainBar = mainBar_;
        sources.appDisplayName = context_.current.displayName;
        sources.menus = &context_.menus;
        sources.hasBattery = context_.status != nullptr && context_.status->Model().hasBattery;
        sources.clockText = clock;
        sources.trayHostPresent = Tray() != nullptr;
        sources.buildTrayStrip = [this, height = sources.height](float right,
                                                                 std::vector<BarItem>& items) {
            return BuildTrayStrip(right, height, items);
        };
        NowPlayingWidgets& nowPlaying = context_.nowPlaying;
        sources.nowPlayingShown = mainBar_ && nowPlaying.InBar();
        if (sources.nowPlayingShown) {
            const NowPlayingWidgetView view = nowPlaying.View();
            nowPlayingText_ = ComposeNowPlayingText(view.title, view.artist);
            sources.nowPlayingNextToClock = nowPlaying.BarNextToClock();
            sources.nowPlayingText = nowPlayingText_;
        }
        trayNotifyRect_.reset();
        text_.Clear();
        text_.SetTextScale(context_.theme.textScale);
        LayoutBar(MakeBarLayoutInput(settings, sources), text_, layout_);
        NotifyNamesTurned(clock);
    } catch (...) {
        // Out of memory: nothing is shown rather than half a layout.
        text_.Clear();
        layout_ = BarLayoutResult{};
        trayNotifyRect_.reset();
    }
    if (hoverIndex_ >= static_cast<int>(layout_.items.size())) {
        hoverIndex_ = -1;
    }
    if (hoverIndex_ >= 0 && TrayKeyOf(layout_.items[static_cast<std::size_t>(hoverIndex_)])) {
        // Programs change their tooltips at any time.
        UpdateTooltip();
    }
    if (IsIslandStyle(Style()) && IslandsMoved(appliedIslands_, layout_.islands)) {
        ApplyShape();
    }
    Repaint();
}

void Bar::Repaint() noexcept {
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
    accessible_.Invalidate();
}

void Bar::ReleaseDeviceResources() noexcept {
    if (painter_) {
        painter_->ReleaseDeviceResources();
    }
}

void Bar::ExplorerRestarted() {
    RemoveAppbar();
    if (!context_.settings.autohide) {
        RegisterAppbar();
    }
    Reposition();
}

LRESULT Bar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
        case WM_SIZE:
            if (painter_) {
                painter_->Resize(LOWORD(lParam), HIWORD(lParam));
            }
            Relayout();
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            ::BeginPaint(Hwnd(), &ps);
            if (painter_) {
                painter_->Paint();
            }
            ::EndPaint(Hwnd(), &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTINGCHANGE: {
            const auto* text = reinterpret_cast<const wchar_t*>(lParam);
            // Theme changes reach the root's session window.
            if (wParam == SPI_SETWORKAREA || (text != nullptr && ::lstrcmpiW(text, L"intl") == 0)) {
                Relayout();
            }
            return 0;
        }
        case WM_TIMECHANGE:
            Relayout();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                EndKeyboardFocus(false);
            }
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case WM_WINDOWPOSCHANGED:
            if (appbarRegistered_) {
                APPBARDATA abd = AppbarData(Hwnd());
                ::SHAppBarMessage(ABM_WINDOWPOSCHANGED, &abd);
            }
            if (!(panels_.empty() && Style() < BarStyle::Islands)) {
                SyncPanels();
            }
            // Programs ask where their icons are; the answer moves with the bar.
            PublishTrayRects(Items());
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case WM_DISPLAYCHANGE:
            PostCommand(context_.desktop, CMD_DISPLAYS_CHANGED);
            return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            ReleaseDeviceResources();
            Reposition();
            Relayout();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_POWERSETTINGCHANGE || wParam == PBT_APMPOWERSTATUSCHANGE) {
                context_.host.PowerStatusChanged();
            }
            return TRUE;
        case kWmBarAppbar:
            if (wParam == ABN_POSCHANGED) {
                Reposition();
            } else if (wParam == ABN_FULLSCREENAPP) {
                PostCommand(context_.desktop, CMD_RECHECK_FULLSCREEN);
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            OnButton(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_WHEEL_DELTA_WPARAM(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_TIMER:
            if (wParam == TIMER_BAR_SLIDE) {
                OnSlideTimer();
            } else if (wParam == TIMER_BAR_AUTOHIDE) {
                OnAutohideTimer();
            }
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
