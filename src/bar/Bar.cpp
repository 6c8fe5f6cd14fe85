#include "bar/Bar.h"

#include "app/App.h"
#include "app/Backdrop.h"
#include "app/Commands.h"
#include "app/Lifecycle.h"
#include "bar/BarPainter.h"
#include "bar/BarWindows.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shellscalingapi.h>
#include <windowsx.h>

namespace corvane {
namespace {

constexpr unsigned kAutohideAfterCreateMs = 1500;
constexpr unsigned kAutohideAfterRevealMs = 1200;
constexpr unsigned kAutohideRecheckMs = 400;
constexpr unsigned kSlideStepMs = 15;
constexpr int kTooltipMaxWidth = 480;

PixelRect ToPixelRect(const RECT& r) noexcept { return {r.left, r.top, r.right, r.bottom}; }

APPBARDATA AppbarData(HWND hwnd) noexcept {
    APPBARDATA abd = {};
    abd.cbSize = sizeof(abd);
    abd.hWnd = hwnd;
    return abd;
}

}  // namespace

Bar::Bar(HMONITOR display, bool mainBar) : display_(display), mainBar_(mainBar) {}

Bar::~Bar() {
    batteryNotify_.Reset();
    powerSourceNotify_.Reset();
    RemoveAppbar();
    panels_.clear();
    if (tooltip_ != nullptr) {
        ::DestroyWindow(tooltip_);
        tooltip_ = nullptr;
    }
    edge_.reset();
    painter_.reset();
    DestroyBound();
}

BarStyle Bar::Style() const noexcept {
    return static_cast<BarStyle>(TheApp().settings.style);
}

BarMetrics Bar::Metrics() const noexcept {
    return ComputeBarMetrics(TheApp().settings.barHeight, Style(), dpi_);
}

PixelRect Bar::DisplayRect() const noexcept {
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    if (!::GetMonitorInfoW(display_, &mi)) {
        return {};
    }
    return ToPixelRect(mi.rcMonitor);
}

HWND Bar::EdgeHwnd() const noexcept { return edge_ ? edge_->Hwnd() : nullptr; }

bool Bar::Create() {
    App& app = TheApp();
    if (!RegisterBarClasses(app.instance)) {
        return false;
    }
    UINT dpiX = 96;
    UINT dpiY = 96;
    if (FAILED(::GetDpiForMonitor(display_, MDT_EFFECTIVE_DPI, &dpiX, &dpiY))) {
        dpiX = 96;
    }
    dpi_ = dpiX;
    const PixelRect display = DisplayRect();
    const int height = Metrics().height;
    if (CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kBarWindowClass,
                    L"Corvane", WS_POPUP, display.left, display.top, display.Width(), height,
                    nullptr, app.instance) == nullptr) {
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

    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Hwnd(), nullptr,
                                 app.instance, nullptr);
    if (tooltip_ != nullptr) {
        TOOLINFOW ti = {};
        ti.cbSize = sizeof(ti);
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = Hwnd();
        ti.uId = 1;
        ti.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
        ::SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidth);
        ::SendMessageW(tooltip_, TTM_ACTIVATE, FALSE, 0);
    }

    batteryNotify_.Reset(::RegisterPowerSettingNotification(
        Hwnd(), &GUID_BATTERY_PERCENTAGE_REMAINING, DEVICE_NOTIFY_WINDOW_HANDLE));
    powerSourceNotify_.Reset(::RegisterPowerSettingNotification(
        Hwnd(), &GUID_ACDC_POWER_SOURCE, DEVICE_NOTIFY_WINDOW_HANDLE));

    if (!app.settings.autohide) {
        RegisterAppbar();
        Reposition();
    } else {
        Reposition();
        ::SetTimer(Hwnd(), kTimerBarAutohide, kAutohideAfterCreateMs, nullptr);
    }
    ApplyShape();
    ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

void Bar::RegisterAppbar() noexcept {
    APPBARDATA abd = AppbarData(Hwnd());
    abd.uCallbackMessage = kWmBarAppbar;
    appbarRegistered_ = ::SHAppBarMessage(ABM_NEW, &abd) != FALSE;
}

void Bar::RemoveAppbar() noexcept {
    if (appbarRegistered_ && Hwnd() != nullptr) {
        APPBARDATA abd = AppbarData(Hwnd());
        ::SHAppBarMessage(ABM_REMOVE, &abd);
    }
    appbarRegistered_ = false;
}

void Bar::ApplyBackdrops() noexcept {
    const bool plain = Style() == BarStyle::Islands || Style() == BarStyle::Separated;
    ApplyBackdrop(Hwnd(), TheApp().settings.barTint, plain);
    for (auto& panel : panels_) {
        ApplyBackdrop(panel->Hwnd(), TheApp().settings.barTint, false);
        ::InvalidateRect(panel->Hwnd(), nullptr, TRUE);
    }
}

void Bar::Reposition() {
    if (repositioning_ || Hwnd() == nullptr) {
        return;
    }
    repositioning_ = true;
    const App& app = TheApp();
    const PixelRect display = DisplayRect();
    const BarMetrics m = Metrics();
    PixelRect strip = ProposedReservedStrip(display, m);

    if (app.settings.autohide && appbarRegistered_) {
        RemoveAppbar();
    } else if (!app.settings.autohide && appbarRegistered_) {
        APPBARDATA abd = AppbarData(Hwnd());
        abd.uEdge = ABE_TOP;
        abd.rc = {strip.left, strip.top, strip.right, strip.bottom};
        ::SHAppBarMessage(ABM_QUERYPOS, &abd);
        strip = AdjustStripToTop(ToPixelRect(abd.rc), abd.rc.top, m);
        abd.rc = {strip.left, strip.top, strip.right, strip.bottom};
        ::SHAppBarMessage(ABM_SETPOS, &abd);
        strip = ToPixelRect(abd.rc);
    }

    frame_ = FrameFromStrip(strip, m);
    const int y = SlideWindowTop(frame_.top, m, slidePosition_);
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, frame_.left, y, frame_.Width(), m.height,
                   SWP_NOACTIVATE);

    if (app.settings.autohide) {
        if (!edge_) {
            edge_ = std::make_unique<BarEdgeWindow>(*this);
            if (!edge_->Create(app.instance)) {
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
    repositioning_ = false;
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
    const bool islandStyle = style == BarStyle::Islands || style == BarStyle::Separated;
    if (islandStyle && !islands_.empty()) {
        UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        for (const IslandShape& s : IslandRegionShapes(islands_, dpi_)) {
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
        appliedIslands_ = islands_;
    } else {
        ::SetWindowRgn(Hwnd(), nullptr, TRUE);
        appliedIslands_.clear();
    }
    SyncPanels();
}

void Bar::SyncPanels() {
    const BarStyle style = Style();
    const bool islandStyle = style == BarStyle::Islands || style == BarStyle::Separated;
    const std::size_t wanted = islandStyle ? appliedIslands_.size() : 0;
    while (panels_.size() > wanted) {
        panels_.pop_back();
    }
    while (panels_.size() < wanted) {
        auto panel = std::make_unique<BarPanelWindow>();
        if (!panel->Create(TheApp().instance)) {
            break;
        }
        panels_.push_back(std::move(panel));
    }
    if (syncingPanels_) {
        return;
    }
    syncingPanels_ = true;
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
    syncingPanels_ = false;
}

void Bar::SetRevealed(bool reveal) {
    const bool wanted = TheApp().settings.autohide ? reveal : true;
    if (wanted == revealed_) {
        return;
    }
    revealed_ = wanted;
    slideTarget_ = wanted ? 0.0f : 1.0f;
    if (wanted) {
        ShowEdge(false);
        if (!fullscreenHidden_) {
            ::ShowWindow(Hwnd(), SW_SHOWNOACTIVATE);
        }
        ::SetTimer(Hwnd(), kTimerBarAutohide, kAutohideAfterRevealMs, nullptr);
    } else {
        hoverIndex_ = -1;
        pressedIndex_ = -1;
    }
    if (!sliding_) {
        sliding_ = true;
        ::SetTimer(Hwnd(), kTimerBarSlide, kSlideStepMs, nullptr);
    }
}

void Bar::OnSlideTimer() {
    const SlideStep step = StepSlide(slidePosition_, slideTarget_);
    slidePosition_ = step.position;
    const int y = SlideWindowTop(frame_.top, Metrics(), slidePosition_);
    ::SetWindowPos(Hwnd(), nullptr, frame_.left, y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (step.reached) {
        ::KillTimer(Hwnd(), kTimerBarSlide);
        sliding_ = false;
        if (!revealed_) {
            ::ShowWindow(Hwnd(), SW_HIDE);
            ShowEdge(!fullscreenHidden_);
        }
    }
}

void Bar::OnAutohideTimer() {
    ::KillTimer(Hwnd(), kTimerBarAutohide);
    if (!TheApp().settings.autohide) {
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
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    facts.systemMenuVisible = menu != nullptr && ::IsWindowVisible(menu);
    facts.ownPopupOpen = popupOpen_;
    if (AutoHideKeepsBar(facts)) {
        ::SetTimer(Hwnd(), kTimerBarAutohide, kAutohideRecheckMs, nullptr);
    } else {
        SetRevealed(false);
    }
}

void Bar::EndPopup() noexcept {
    popupOpen_ = false;
    App& app = TheApp();
    if (app.barSyncDeferred) {
        app.barSyncDeferred = false;
        ::PostMessageW(ControlHwnd(), WM_APP_COMMAND, CMD_DISPLAYS_CHANGED, 0);
    }
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
    ApplyBackdrops();
    ReleaseDeviceResources();
    Repaint();
}

void Bar::Repaint() noexcept {
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void Bar::ReleaseDeviceResources() noexcept {
    if (painter_) {
        painter_->ReleaseDeviceResources();
    }
}

void Bar::SetLayout(std::vector<BarItem> items, std::vector<PointRect> islands) {
    items_ = std::move(items);
    islands_ = std::move(islands);
    if (hoverIndex_ >= static_cast<int>(items_.size())) {
        hoverIndex_ = -1;
    }
}

void Bar::OnTaskbarCreated() {
    App& app = TheApp();
    if (::GetTickCount64() <= app.ignoreTaskbarCreatedUntil) {
        return;
    }
    RemoveAppbar();
    if (!app.settings.autohide) {
        RegisterAppbar();
    }
    Reposition();
}

LRESULT Bar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    App& app = TheApp();
    if (message == app.taskbarCreatedMessage && message != 0) {
        OnTaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            if (painter_) {
                painter_->Resize(LOWORD(lParam), HIWORD(lParam));
            }
            Repaint();
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
            if (text != nullptr && ::lstrcmpiW(text, L"ImmersiveColorSet") == 0) {
                ::PostMessageW(ControlHwnd(), WM_APP_COMMAND, CMD_THEME_CHANGED, 0);
            } else if (wParam == SPI_SETWORKAREA ||
                       (text != nullptr && ::lstrcmpiW(text, L"intl") == 0)) {
                Repaint();
            }
            return 0;
        }
        case WM_TIMECHANGE:
            Repaint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_WINDOWPOSCHANGED:
            if (appbarRegistered_) {
                APPBARDATA abd = AppbarData(Hwnd());
                ::SHAppBarMessage(ABM_WINDOWPOSCHANGED, &abd);
            }
            if (!(panels_.empty() && Style() < BarStyle::Islands)) {
                SyncPanels();
            }
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case WM_DISPLAYCHANGE:
            ::PostMessageW(ControlHwnd(), WM_APP_COMMAND, CMD_DISPLAYS_CHANGED, 0);
            return 0;
        case WM_DPICHANGED:
            dpi_ = HIWORD(wParam);
            ReleaseDeviceResources();
            Reposition();
            return 0;
        case WM_POWERBROADCAST:
            if (wParam == PBT_POWERSETTINGCHANGE || wParam == PBT_APMPOWERSTATUSCHANGE) {
                OnPowerStatusChanged();
            }
            return TRUE;
        case kWmBarAppbar:
            if (wParam == ABN_POSCHANGED) {
                Reposition();
            } else if (wParam == ABN_FULLSCREENAPP) {
                ::PostMessageW(ControlHwnd(), WM_APP_COMMAND, CMD_RECHECK_FULLSCREEN, 0);
            }
            return 0;
        case kWmBarReshape:
            ApplyShape();
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
            if (wParam == kTimerBarSlide) {
                OnSlideTimer();
            } else if (wParam == kTimerBarAutohide) {
                OnAutohideTimer();
            }
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
