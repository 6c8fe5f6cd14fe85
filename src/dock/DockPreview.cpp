// The preview popup's life: its window, the cards and their thumbnails, and
// what the pointer does on it.

#include "dock/DockPreview.h"

#include "base/ForeignWindows.h"
#include "base/Win32Geometry.h"
#include "identity/ElevatedWindows.h"
#include "identity/WindowFacts.h"
#include "toolkit/Backdrop.h"
#include "toolkit/BackdropPlan.h"

#include <windowsx.h>

namespace corvane {
namespace {

// Minimised windows keep their restored size in the placement; everything
// else is measured by its visible frame.
PixelSize MeasuredSize(HWND window, bool minimised) noexcept {
    PixelRect rect;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof(placement);
    if (minimised && ::GetWindowPlacement(window, &placement)) {
        rect = ToPixelRect(placement.rcNormalPosition);
    } else {
        rect = VisibleFrameOf(window);
    }
    return {rect.Width(), rect.Height()};
}

std::wstring TitleOf(HWND window) {
    return CapPreviewTitle(ForeignWindowTitle(window, kPreviewTitleChars));
}

DWORD ProcessOf(HWND window) noexcept {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    return process;
}

}  // namespace

DockPreview::DockPreview(HINSTANCE instance, const Settings& settings, const Theme& theme,
                         const GraphicsFactories& graphics, ThumbnailHost& thumbnails) noexcept
    : instance_(instance),
      settings_(settings),
      theme_(theme),
      graphics_(graphics),
      thumbnails_(thumbnails) {}

DockPreview::~DockPreview() {
    // The thumbnails belong to the window: they go before it.
    ReleaseCards();
    ReleaseDeviceResources();
    DestroyBound();
}

bool DockPreview::EnsureWindow() noexcept {
    if (Hwnd() != nullptr) {
        return true;
    }
    if (!RegisterWindowClass(instance_, kDockPreviewWindowClass, 0, IDC_HAND) ||
        CreateBound(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kDockPreviewWindowClass,
                    L"", WS_POPUP, 0, 0, 10, 10, nullptr, instance_) == nullptr) {
        return false;
    }
    SetExcludedFromPeek(Hwnd());
    SetWindowCorners(Hwnd(), true);
    ApplyPreviewBackdrop();
    return true;
}

void DockPreview::ApplyPreviewBackdrop() noexcept {
    const bool solid = DrawsOpaque(settings_.backdrop, theme_);
    ApplyBackdrop(Hwnd(), solid ? Backdrop::Solid : Backdrop::Acrylic, theme_, settings_.tint,
                  false);
    if (!solid) {
        (void)SetAccentPolicy(Hwnd(), kAccentAcrylicBlurBehind,
                              PreviewAccentColor(settings_.tint, theme_.dark));
    }
}

void DockPreview::ApplyTheme() noexcept {
    if (Hwnd() != nullptr) {
        ApplyPreviewBackdrop();
        Repaint();
    }
}

bool DockPreview::IsVisible() const noexcept {
    return Hwnd() != nullptr && ::IsWindowVisible(Hwnd()) != FALSE;
}

void DockPreview::ReleaseCards() noexcept {
    cards_.clear();  // each card lets its thumbnail go
    layout_ = {};
}

bool DockPreview::StillSame(const PreviewCard& card) const noexcept {
    return ::IsWindow(card.window) != FALSE && ProcessOf(card.window) == card.process;
}

void DockPreview::Show(HWND owner, std::span<const HWND> windows, IconSourceBitmap icon,
                       int32_t anchorX, int32_t anchorBottom, uint32_t dpi) noexcept {
    if (!EnsureWindow()) {
        return;
    }
    owner_ = owner;
    anchorX_ = anchorX;
    anchorBottom_ = anchorBottom;
    if (dpi != dpi_) {
        ReleaseDeviceResources();
        dpi_ = dpi;
    }
    ReleaseCards();
    icon_ = std::move(icon);
    iconBitmap_.Reset();
    bool any = false;
    try {
        any = MakeCards(windows);
    } catch (...) {
        ReleaseCards();  // out of memory: no popup
    }
    if (!any) {
        Hide();
        return;
    }
    Place();
    ShowThumbnails();
    // Cards moved under a pointer that stays where it was.
    hoveredCard_ = -1;
    overClose_ = false;
    POINT pointer = {};
    if (pointerInside_ && ::GetCursorPos(&pointer) && ::ScreenToClient(Hwnd(), &pointer)) {
        SetHit(HitTestPreview(layout_, pointer.x, pointer.y, dpi_));
    }
    Repaint();
}

bool DockPreview::MakeCards(std::span<const HWND> windows) {
    std::vector<PixelSize> sizes;
    for (const HWND window : windows) {
        if (cards_.size() >= kPreviewMaxCards) {
            break;
        }
        if (window == nullptr || ::IsWindow(window) == FALSE) {
            continue;
        }
        PreviewCard card;
        card.window = window;
        card.process = ProcessOf(window);
        card.minimised = ::IsIconic(window) != FALSE;
        card.closable = !IsWindowBeyondReach(window);
        card.title = TitleOf(window);
        sizes.push_back(MeasuredSize(window, card.minimised));
        cards_.push_back(std::move(card));
    }
    layout_ = LayoutPreview(sizes, dpi_);
    return !cards_.empty();
}

void DockPreview::Place() noexcept {
    const HMONITOR monitor =
        ::MonitorFromPoint(POINT{anchorX_, anchorBottom_}, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(monitor, &mi);
    const PixelRect r = PreviewPopupRect(layout_, dpi_, anchorX_, anchorBottom_, mi.rcWork.left,
                                         mi.rcMonitor.right);
    ::SetWindowPos(Hwnd(), HWND_TOPMOST, r.left, r.top, r.Width(), r.Height(),
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void DockPreview::ShowThumbnails() noexcept {
    for (std::size_t i = 0; i < cards_.size(); ++i) {
        PreviewCard& card = cards_[i];
        card.thumbnail = UniqueThumbnail(thumbnails_, thumbnails_.Register(Hwnd(), card.window));
        card.thumbnailVisible = false;
        if (!card.thumbnail) {
            continue;  // the card keeps its title, and a minimised one its icon
        }
        bool visible = true;
        if (card.minimised) {
            SIZE source = {};
            const bool known = thumbnails_.QuerySourceSize(card.thumbnail.Get(), source);
            visible = MinimisedThumbnailUsable(known, {source.cx, source.cy});
        }
        card.thumbnailVisible = visible;
        (void)thumbnails_.SetProperties(card.thumbnail.Get(),
                                        PreviewToPixels(layout_.cards[i].thumbnail, dpi_), visible);
    }
}

void DockPreview::Hide() noexcept {
    ReleaseCards();
    hoveredCard_ = -1;
    overClose_ = false;
    if (pointerTracked_) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE | TME_CANCEL, Hwnd(), 0};
        ::TrackMouseEvent(&tme);
        pointerTracked_ = false;
    }
    if (pointerInside_) {
        // The pointer is no longer over the popup: the dock decides afresh.
        pointerInside_ = false;
        if (owner_ != nullptr) {
            ::PostMessageW(owner_, kWmDockPreviewLeft, 0, 0);
        }
    }
    if (Hwnd() != nullptr) {
        ::ShowWindow(Hwnd(), SW_HIDE);
    }
}

void DockPreview::SetHit(PreviewHit hit) noexcept {
    if (hit.card >= 0 && static_cast<std::size_t>(hit.card) < cards_.size() &&
        !cards_[static_cast<std::size_t>(hit.card)].closable) {
        hit.overClose = false;
    }
    if (hit.card == hoveredCard_ && hit.overClose == overClose_) {
        return;
    }
    hoveredCard_ = hit.card;
    overClose_ = hit.overClose;
    Repaint();
}

void DockPreview::OnMouseMove(int x, int y) noexcept {
    if (!pointerTracked_) {
        TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, Hwnd(), 0};
        pointerTracked_ = ::TrackMouseEvent(&tme) != FALSE;
    }
    pointerInside_ = true;
    SetHit(HitTestPreview(layout_, x, y, dpi_));
}

void DockPreview::OnMouseLeave() noexcept {
    pointerInside_ = false;
    pointerTracked_ = false;
    SetHit({});
    if (owner_ != nullptr) {
        ::PostMessageW(owner_, kWmDockPreviewLeft, 0, 0);
    }
}

void DockPreview::OnLeftUp(int x, int y) noexcept {
    const PreviewHit hit = HitTestPreview(layout_, x, y, dpi_);
    if (hit.card < 0) {
        return;
    }
    const PreviewCard& card = cards_[static_cast<std::size_t>(hit.card)];
    if (hit.card == hoveredCard_ && hit.overClose && card.closable) {
        CloseCardWindow(hit.card);
        return;
    }
    const HWND window = card.window;
    const bool same = StillSame(card);
    Hide();
    if (same) {
        BringForeignToFront(window);
    }
}

void DockPreview::OnMiddleUp(int x, int y) noexcept {
    const PreviewHit hit = HitTestPreview(layout_, x, y, dpi_);
    if (hit.card >= 0) {
        CloseCardWindow(hit.card);
    }
}

void DockPreview::CloseCardWindow(int index) noexcept {
    if (index < 0 || static_cast<std::size_t>(index) >= cards_.size() ||
        !cards_[static_cast<std::size_t>(index)].closable) {
        return;
    }
    std::vector<HWND> remaining;
    try {
        for (std::size_t i = 0; i < cards_.size(); ++i) {
            const PreviewCard& card = cards_[i];
            if (!StillSame(card)) {
                continue;
            }
            if (static_cast<int>(i) == index) {
                // Posted, never sent: the app may ask to save first, and a
                // hung one must not hang the dock.
                ::PostMessageW(card.window, WM_SYSCOMMAND, SC_CLOSE, 0);
            } else {
                remaining.push_back(card.window);
            }
        }
    } catch (...) {
        remaining.clear();  // out of memory: the popup goes
    }
    if (remaining.empty()) {
        Hide();
        return;
    }
    Show(owner_, remaining, icon_, anchorX_, anchorBottom_, dpi_);
}

LRESULT DockPreview::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
            }
            Repaint();
            return 0;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MBUTTONUP:
            OnMiddleUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CLOSE:
            // Only its dock ends the popup.
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

}  // namespace corvane
