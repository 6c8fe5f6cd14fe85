#include "garden/BedWindow.h"

#include "base/DynamicApis.h"
#include "base/MissedDpiChange.h"
#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "garden/BedAccessibleTree.h"
#include "garden/BedGeometry.h"
#include "garden/BedPainter.h"
#include "garden/DesktopIcons.h"
#include "garden/ItemMenu.h"
#include "toolkit/Backdrop.h"
#include "toolkit/BackdropPlan.h"

#include <dwmapi.h>
#include <windowsx.h>

#include <string_view>

namespace corvane {
namespace {

constexpr UINT kRollTickMs = 10;

// Accent states of the composition call, by [Garden] Glass.
constexpr int32_t kAccentTransparentGradient = 2;
constexpr int32_t kAccentBlurBehind = 3;
constexpr int32_t kAccentAcrylic = 4;
constexpr int32_t kGlassAcrylic = 0;
constexpr int32_t kGlassBlur = 1;
constexpr uint32_t kGlassGreyDark = 20;
constexpr uint32_t kGlassGreyLight = 240;
constexpr uint32_t kAcrylicAlpha = 0x10;

}  // namespace

bool IsGardenBedWindow(HWND window) noexcept {
    wchar_t name[32] = {};
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process == ::GetCurrentProcessId() && ::GetClassNameW(window, name, 32) > 0 &&
           std::wstring_view(name) == kGardenBedClass;
}

BedWindow::BedWindow(BedContext& context, std::size_t bedIndex) noexcept
    : context_(context), bed_(bedIndex) {}

BedWindow::~BedWindow() {
    Destroy();
}

Bed* BedWindow::CurrentBed() const noexcept {
    return bed_ < context_.beds.size() ? &context_.beds[bed_] : nullptr;
}

bool BedWindow::Create() noexcept {
    const Bed* bed = CurrentBed();
    if (Hwnd() != nullptr || bed == nullptr ||
        !RegisterWindowClass(context_.instance, kGardenBedClass, CS_DBLCLKS, IDC_ARROW)) {
        return false;
    }
    const PixelRect& r = bed->rect;
    if (CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kGardenBedClass, bed->name.c_str(),
                    WS_POPUP, r.left, r.top, r.Width(), r.Height(), nullptr,
                    context_.instance) == nullptr) {
        return false;
    }
    try {
        painter_ = std::make_unique<BedPainter>(context_, Hwnd());
    } catch (...) {
        Destroy();
        return false;
    }
    const UINT dpi = ::GetDpiForWindow(Hwnd());
    dpi_ = dpi != 0 ? dpi : 96;
    if (bed->collapsed) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, r.Width(),
                       ScalePoints(BedCollapsedHeight(context_.theme.textScale), dpi_),
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyGlass(false);
    DropDeviceResources();
    SetExcludedFromPeek(Hwnd());
    ::ShowWindow(Hwnd(), SW_SHOWNA);
    return true;
}

void BedWindow::Destroy() noexcept {
    if (rolling_ && Hwnd() != nullptr) {
        ::KillTimer(Hwnd(), TIMER_BED_ROLL);
    }
    rolling_ = false;
    DestroyBound();
    painter_.reset();
}

void BedWindow::ApplyGlass(bool moving) noexcept {
    HWND window = Hwnd();
    if (window == nullptr) {
        return;
    }
    const Settings& settings = context_.settings;
    const BOOL dark = context_.theme.dark ? TRUE : FALSE;
    (void)::DwmSetWindowAttribute(window, sdk::kDwmwaUseImmersiveDarkMode, &dark, sizeof(dark));
    const MARGINS margins{-1, -1, -1, -1};
    (void)::DwmExtendFrameIntoClientArea(window, &margins);
    SetWindowCorners(window, true);
    const DWORD noSystemBackdrop = kSystemBackdropNone;
    (void)::DwmSetWindowAttribute(window, sdk::kDwmwaSystemBackdropType, &noSystemBackdrop,
                                  sizeof(noSystemBackdrop));
    if (!DrawsOpaque(settings.backdrop, context_.theme)) {
        const bool acrylic = settings.gardenGlass == kGlassAcrylic;
        int32_t state = kAccentTransparentGradient;
        if (acrylic && !moving) {
            state = kAccentAcrylic;
        } else if (acrylic || settings.gardenGlass == kGlassBlur) {
            // Acrylic lags behind a moving window; plain blur keeps up.
            state = kAccentBlurBehind;
        }
        const uint32_t grey = context_.theme.dark ? kGlassGreyDark : kGlassGreyLight;
        const uint32_t alpha = acrylic ? kAcrylicAlpha : 0;
        const uint32_t color = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
        // A zeroed accent first, so that no state of the previous one lingers.
        if (SetAccentPolicy(window, kAccentDisabled, 0)) {
            (void)SetAccentPolicy(window, state, color);
        }
    } else {
        (void)SetAccentPolicy(window, kAccentDisabled, 0);
    }
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BedWindow::ToggleRoll() noexcept {
    Bed* bed = CurrentBed();
    if (bed == nullptr || Hwnd() == nullptr) {
        return;
    }
    bed->collapsed = !bed->collapsed;
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    rollFrom_ = window.bottom - window.top;
    rollTo_ = bed->collapsed ? ScalePoints(BedCollapsedHeight(context_.theme.textScale), dpi_)
                             : bed->rect.Height();
    rollStart_ = ::GetTickCount64();
    rolling_ =
        context_.theme.animate && ::SetTimer(Hwnd(), TIMER_BED_ROLL, kRollTickMs, nullptr) != 0;
    if (!rolling_) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left, rollTo_,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Repaint();
    accessible_.Notify(EVENT_OBJECT_STATECHANGE, kBedRollAction);
    accessible_.Notify(EVENT_OBJECT_NAMECHANGE, kBedRollAction);
    context_.host.SaveSoon();
}

void BedWindow::OnRollTimer() noexcept {
    const auto elapsed = static_cast<int64_t>(::GetTickCount64() - rollStart_);
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left,
                   RollHeight(rollFrom_, rollTo_, elapsed),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (elapsed >= kBedRollMs) {
        ::KillTimer(Hwnd(), TIMER_BED_ROLL);
        rolling_ = false;
    }
}

void BedWindow::ClearSelection() noexcept {
    if (selected_ >= 0) {
        selected_ = -1;
        Repaint();
    }
}

void BedWindow::ResetItemState() noexcept {
    hovered_ = selected_ = -1;
    Repaint();
}

void BedWindow::DropDeviceResources() noexcept {
    if (painter_) {
        painter_->ReleaseDeviceResources();
    }
}

void BedWindow::FitRolledUpHeight() noexcept {
    const Bed* bed = CurrentBed();
    if (Hwnd() == nullptr || bed == nullptr || !bed->collapsed || rolling_) {
        return;
    }
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    ::SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left,
                   ScalePoints(BedCollapsedHeight(context_.theme.textScale), dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void BedWindow::Repaint() noexcept {
    accessible_.Invalidate();
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

int32_t BedWindow::InsertionIndexAt(POINT screen) const {
    const Bed* bed = CurrentBed();
    if (bed == nullptr) {
        return -1;
    }
    ::ScreenToClient(Hwnd(), &screen);
    const auto count = static_cast<int32_t>(Visible().size());
    return BedInsertionIndex(Layout(count), count, Dips(screen.x), Dips(screen.y));
}

float BedWindow::Dips(int32_t pixels) const noexcept {
    return static_cast<float>(pixels) * 96.0f / static_cast<float>(dpi_);
}

BedGrid BedWindow::Layout(int32_t count) const noexcept {
    RECT client = {};
    ::GetClientRect(Hwnd(), &client);
    const Bed* bed = CurrentBed();
    return LayoutBed(Dips(client.right), Dips(client.bottom), count, scroll_,
                     bed == nullptr || bed->collapsed, context_.theme.textScale);
}

const std::vector<std::wstring>& BedWindow::Visible() const {
    const Bed* bed = CurrentBed();
    // Looked up on every mouse move: built again only after a change. The
    // list's size guards against a change that forgot the stamp.
    const std::size_t listed = bed != nullptr ? bed->items.size() : 0;
    if (visibleStamp_ != context_.itemsStamp || visibleBed_ != bed_ || visibleListed_ != listed) {
        visible_ =
            bed != nullptr ? VisibleItems(*bed, context_.items) : std::vector<std::wstring>{};
        visibleStamp_ = context_.itemsStamp;
        visibleBed_ = bed_;
        visibleListed_ = listed;
    }
    return visible_;
}

int32_t BedWindow::ItemAt(LPARAM lParam) const {
    const Bed* bed = CurrentBed();
    if (bed == nullptr) {
        return -1;
    }
    const auto count = static_cast<int32_t>(Visible().size());
    return BedHitTest(Layout(count), count, Dips(GET_X_LPARAM(lParam)), Dips(GET_Y_LPARAM(lParam)),
                      bed->collapsed);
}

POINT BedWindow::ScreenPoint(LPARAM lParam) const noexcept {
    POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ::ClientToScreen(Hwnd(), &p);
    return p;
}

LRESULT BedWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // An item's Explorer menu draws and fills its submenus through the bed.
    if (LRESULT menuResult = 0;
        context_.itemMenu.HandleMenuMessage(message, wParam, lParam, menuResult)) {
        return menuResult;
    }
    if (auto handled = accessible_.HandleMessage(Hwnd(), message, wParam, lParam)) {
        return *handled;
    }
    CatchMissedDpiChange(Hwnd(), message, lParam, dpi_);
    switch (message) {
        case WM_NCCALCSIZE:
            return wParam != FALSE ? 0 : ::DefWindowProcW(Hwnd(), message, wParam, lParam);
        case WM_NCHITTEST:
            return HitTest(lParam);
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize.x = ScalePoints(kBedMinWidth, dpi_);
            info->ptMinTrackSize.y =
                ScalePoints(BedCollapsedHeight(context_.theme.textScale), dpi_);
            return 0;
        }
        case WM_SIZING:
            OnSizing(wParam, reinterpret_cast<RECT*>(lParam));
            return TRUE;
        case WM_MOVING: {
            auto* proposed = reinterpret_cast<RECT*>(lParam);
            const std::vector<PixelRect> others = context_.host.OtherBedRects(bed_);
            *proposed = ToRect(
                SnapBed(ToPixelRect(*proposed),
                        MonitorWorkArea(::MonitorFromRect(proposed, MONITOR_DEFAULTTONEAREST)),
                        others, dpi_));
            return TRUE;
        }
        case WM_WINDOWPOSCHANGING: {
            // Whoever raises a bed (a click, the system) puts it back into the
            // desktop layer instead of above the applications.
            auto* pos = reinterpret_cast<WINDOWPOS*>(lParam);
            if ((pos->flags & SWP_NOZORDER) == 0) {
                pos->hwndInsertAfter = DesktopLayerAnchor(&IsGardenBedWindow);
            }
            return 0;
        }
        case WM_ENTERSIZEMOVE:
            sizing_ = true;
            ApplyGlass(true);
            return 0;
        case WM_EXITSIZEMOVE:
            sizing_ = false;
            ApplyGlass(false);
            StoreWindowRect();
            context_.host.SaveSoon();
            return 0;
        case WM_SIZE:
            if (painter_) {
                painter_->Resize(LOWORD(lParam), HIWORD(lParam));
            }
            Repaint();
            return 0;
        case WM_DPICHANGED:
            // Text and icons were made for the old scale; the bed keeps its pixels.
            dpi_ = LOWORD(wParam) != 0 ? LOWORD(wParam) : 96;
            DropDeviceResources();
            Repaint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wParam == TIMER_BED_ROLL) {
                OnRollTimer();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            OnDoubleClick(lParam);
            return 0;
        case WM_NCRBUTTONUP:
            context_.host.BedMenu(bed_, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_RBUTTONUP:
            OnRightUp(lParam);
            return 0;
        case WM_MOUSEWHEEL:
            scroll_ = WheelScroll(scroll_, GET_WHEEL_DELTA_WPARAM(wParam));
            Repaint();
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

LRESULT BedWindow::HitTest(LPARAM lParam) const noexcept {
    const Bed* bed = CurrentBed();
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    const BedEdge edge = BedEdgeAt(ToPixelRect(window), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam),
                                   bed != nullptr && bed->collapsed, dpi_);
    switch (edge) {
        case BedEdge::Outside:
            return HTNOWHERE;
        case BedEdge::Client:
            return HTCLIENT;
        default:
            // The edges are numbered like WMSZ_*, which are the HT* codes less 9.
            return static_cast<LRESULT>(edge) + (HTLEFT - WMSZ_LEFT);
    }
}

void BedWindow::OnSizing(WPARAM edge, RECT* proposed) const noexcept {
    const Bed* bed = CurrentBed();
    if (edge < WMSZ_LEFT || edge > WMSZ_BOTTOMRIGHT || proposed == nullptr) {
        return;
    }
    *proposed =
        ToRect(KeepBedMinimum(ToPixelRect(*proposed), static_cast<BedEdge>(edge),
                              bed != nullptr && bed->collapsed, dpi_, context_.theme.textScale));
}

void BedWindow::StoreWindowRect() noexcept {
    Bed* bed = CurrentBed();
    if (bed == nullptr) {
        return;
    }
    RECT window = {};
    ::GetWindowRect(Hwnd(), &window);
    const int32_t expandedHeight = bed->rect.Height();
    bed->rect = ToPixelRect(window);
    if (bed->collapsed) {
        // The header alone is on screen; the bed unrolls to its old height.
        bed->rect.bottom = bed->rect.top + expandedHeight;
    }
}

void BedWindow::OnPaint() {
    const PaintScope paint(Hwnd());
    const Bed* bed = CurrentBed();
    if (bed == nullptr || !painter_) {
        return;
    }
    const GardenDrag& drag = context_.drag;
    const bool dropTarget = drag.active && drag.target == static_cast<std::ptrdiff_t>(bed_);
    const BedPaintInput input{
        .bed = *bed,
        .ids = Visible(),
        .scroll = scroll_,
        .hovered = hovered_,
        .selected = selected_,
        .headerHovered = headerHovered_,
        .draggedId = HoldsItemDrag() ? std::wstring_view(drag.id) : std::wstring_view(),
        .dropTarget = dropTarget,
        .dropIndex = dropTarget ? drag.index : -1};
    scroll_ = painter_->Paint(dpi_, input);
}
}  // namespace corvane
