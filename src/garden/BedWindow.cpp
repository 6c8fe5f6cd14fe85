#include "garden/BedWindow.h"

#include "base/DynamicApis.h"
#include "base/MissedDpiChange.h"
#include "base/Win32Geometry.h"
#include "base/Win32Handles.h"
#include "garden/BedGeometry.h"
#include "garden/DesktopIcons.h"
#include "garden/ItemMenu.h"
#include "identity/IconDrawing.h"
#include "toolkit/Backdrop.h"
#include "toolkit/BackdropPlan.h"
#include "toolkit/D2DValues.h"
#include "toolkit/FontFamilies.h"
#include "toolkit/TextFormats.h"

#include <d2d1helper.h>
#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace corvane {
namespace {

constexpr UINT_PTR kRollTimer = 1;
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

constexpr float kHeaderTextLeft = 14;
constexpr float kChevronWidth = 30;
constexpr float kChevronRightInset = 8;
constexpr float kSeparatorInset = 10;
constexpr float kHighlightInsetX = 4;
constexpr float kHighlightInsetY = 2;
constexpr float kHighlightRadius = 8;
constexpr float kSelectedAlpha = 0.22f;
constexpr float kDraggedOpacity = 0.35f;
constexpr int32_t kItemDragSlop = 6;
constexpr float kDropBarRadius = 1.5f;
constexpr float kOutlineInset = 1;
constexpr float kOutlineRadius = 7;
constexpr float kOutlineWidth = 1.5f;
constexpr float kOutlineAlpha = 0.8f;
constexpr float kIconTop = 6;
constexpr float kLabelLeft = 5;
constexpr float kLabelTop = 48;
constexpr float kLabelRight = 79;
constexpr float kLabelBottom = 78;
constexpr wchar_t kChevronExpanded = 0xE70E;
constexpr wchar_t kChevronCollapsed = 0xE70D;

// The tint over the glass, so that labels stay legible on any wallpaper.
D2D1_COLOR_F Tint(bool dark, int32_t percent) noexcept {
    const float alpha = static_cast<float>(percent) / 100.0f;
    return dark ? D2D1::ColorF(0.08f, 0.08f, 0.09f, alpha)
                : D2D1::ColorF(0.96f, 0.96f, 0.97f, alpha);
}

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
    const UINT dpi = ::GetDpiForWindow(Hwnd());
    dpi_ = dpi != 0 ? dpi : 96;
    if (bed->collapsed) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, r.Width(), ScalePoints(kBedCollapsedHeight, dpi_),
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
        ::KillTimer(Hwnd(), kRollTimer);
    }
    rolling_ = false;
    DestroyBound();
    DropDeviceResources();
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
    rollTo_ = bed->collapsed ? ScalePoints(kBedCollapsedHeight, dpi_) : bed->rect.Height();
    rollStart_ = ::GetTickCount64();
    rolling_ = ::SetTimer(Hwnd(), kRollTimer, kRollTickMs, nullptr) != 0;
    if (!rolling_) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, window.right - window.left, rollTo_,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Repaint();
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
        ::KillTimer(Hwnd(), kRollTimer);
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
    icons_.clear();
    brush_.Reset();
    target_.Reset();
}

void BedWindow::Repaint() noexcept {
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
                     bed == nullptr || bed->collapsed);
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
    if (LRESULT menuResult = 0; ItemMenu::HandleMenuMessage(message, wParam, lParam, menuResult)) {
        return menuResult;
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
            info->ptMinTrackSize.y = ScalePoints(kBedCollapsedHeight, dpi_);
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
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
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
            if (wParam == kRollTimer) {
                OnRollTimer();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, lParam);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (hovered_ >= 0 || headerHovered_) {
                hovered_ = -1;
                headerHovered_ = false;
                Repaint();
            }
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnLeftUp();
            return 0;
        case WM_LBUTTONDBLCLK:
            if (const int32_t hit = ItemAt(lParam); hit >= 0) {
                const std::wstring id = Visible()[static_cast<std::size_t>(hit)];
                context_.host.OpenItem(id);
            } else {
                // The second click of a quick pair on the header is a click of its own.
                OnLeftDown(lParam);
            }
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
            if (reinterpret_cast<HWND>(lParam) != Hwnd()) {
                EndHeaderPress(false);
                if (HoldsItemDrag()) {
                    EndItemDrag(false);
                }
            }
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
    *proposed = ToRect(KeepBedMinimum(ToPixelRect(*proposed), static_cast<BedEdge>(edge),
                                      bed != nullptr && bed->collapsed, dpi_));
}

void BedWindow::OnMouseMove(WPARAM wParam, LPARAM lParam) {
    if (!tracking_) {
        TRACKMOUSEEVENT leave = {sizeof(leave), TME_LEAVE, Hwnd(), 0};
        tracking_ = ::TrackMouseEvent(&leave) != FALSE;
    }
    if (HoldsItemDrag()) {
        FollowItemDrag(ScreenPoint(lParam));
        return;
    }
    if ((wParam & MK_LBUTTON) == 0) {
        // Let go outside the bed, where its button-up never came.
        pressedItem_.clear();
    }
    if (!pressedItem_.empty() && !context_.drag.active) {
        if (std::max(std::abs(GET_X_LPARAM(lParam) - pressItemClient_.x),
                     std::abs(GET_Y_LPARAM(lParam) - pressItemClient_.y)) >
            ScalePoints(kItemDragSlop, dpi_)) {
            context_.drag = GardenDrag{true, bed_, std::move(pressedItem_), -1, -1};
            pressedItem_.clear();
            ::SetCapture(Hwnd());
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
            FollowItemDrag(ScreenPoint(lParam));
        }
        return;
    }
    if (headerPressed_) {
        const POINT p = ScreenPoint(lParam);
        const int dx = p.x - pressScreen_.x;
        const int dy = p.y - pressScreen_.y;
        const int slop = ::GetSystemMetrics(SM_CXDRAG);
        if (!moving_ && (std::abs(dx) > slop || std::abs(dy) > slop)) {
            moving_ = true;
            ApplyGlass(true);
            ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEALL));
        }
        if (moving_) {
            const PixelRect moved{pressRect_.left + dx, pressRect_.top + dy, pressRect_.right + dx,
                                  pressRect_.bottom + dy};
            const RECT movedRect = ToRect(moved);
            const std::vector<PixelRect> others = context_.host.OtherBedRects(bed_);
            const PixelRect snapped = SnapBed(
                moved, MonitorWorkArea(::MonitorFromRect(&movedRect, MONITOR_DEFAULTTONEAREST)),
                others, dpi_);
            ::SetWindowPos(Hwnd(), nullptr, snapped.left, snapped.top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    const bool header = Dips(GET_Y_LPARAM(lParam)) < kBedHeaderHeight;
    const int32_t hovered = ItemAt(lParam);
    if (header != headerHovered_ || hovered != hovered_) {
        headerHovered_ = header;
        hovered_ = hovered;
        Repaint();
    }
}

void BedWindow::OnLeftDown(LPARAM lParam) {
    if (Dips(GET_Y_LPARAM(lParam)) < kBedHeaderHeight) {
        RECT window = {};
        ::GetWindowRect(Hwnd(), &window);
        pressRect_ = ToPixelRect(window);
        pressScreen_ = ScreenPoint(lParam);
        headerPressed_ = true;
        moving_ = false;
        ::SetCapture(Hwnd());
        return;
    }
    const int32_t hit = ItemAt(lParam);
    if (hit != selected_) {
        selected_ = hit;
        Repaint();
    }
    if (hit >= 0) {
        pressedItem_ = Visible()[static_cast<std::size_t>(hit)];
        pressItemClient_ = POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        context_.host.SelectionChanged(bed_);
    }
}

void BedWindow::OnLeftUp() {
    pressedItem_.clear();
    if (headerPressed_) {
        EndHeaderPress(true);
    }
    if (HoldsItemDrag()) {
        EndItemDrag(true);
    }
}

bool BedWindow::HoldsItemDrag() const noexcept {
    return context_.drag.active && context_.drag.source == bed_;
}

void BedWindow::FollowItemDrag(POINT screen) {
    std::ptrdiff_t target = -1;
    int32_t index = -1;
    const HWND under = ::WindowFromPoint(screen);
    const HWND root = under != nullptr ? ::GetAncestor(under, GA_ROOT) : nullptr;
    if (const BedWindow* bed = root != nullptr ? context_.host.BedWindowOf(root) : nullptr) {
        const Bed* model = bed->CurrentBed();
        if (model != nullptr && !model->collapsed) {
            target = static_cast<std::ptrdiff_t>(bed->bed_);
            index = bed->InsertionIndexAt(screen);
        }
    }
    GardenDrag& drag = context_.drag;
    if (target != drag.target) {
        // The old target's bar and outline go, the new one's come.
        drag.target = target;
        drag.index = index;
        context_.host.RepaintBeds();
    } else if (index != drag.index) {
        drag.index = index;
        if (BedWindow* bed = context_.host.BedWindowOf(root)) {
            bed->Repaint();
        }
    }
}

void BedWindow::EndItemDrag(bool drop) {
    // Cleared before the capture goes, so that the capture change finds no drag.
    const GardenDrag drag = std::exchange(context_.drag, GardenDrag{});
    if (::GetCapture() == Hwnd()) {
        ::ReleaseCapture();
    }
    // Beds and items may have changed since the press: the drop checks again.
    const bool moved =
        drop && drag.target >= 0 &&
        DropItem(context_.beds, drag.source, drag.id, static_cast<std::size_t>(drag.target),
                 drag.index, context_.items) == DropResult::Moved;
    if (moved) {
        ++context_.itemsStamp;
        // The indices now point at other items, here and in the target.
        hovered_ = selected_ = -1;
        context_.host.SelectionChanged(bed_);
    }
    context_.host.RepaintBeds();
    if (moved) {
        context_.host.SaveSoon();
    }
}

void BedWindow::EndHeaderPress(bool released) noexcept {
    if (!headerPressed_) {
        return;
    }
    headerPressed_ = false;
    const bool moved = moving_;
    moving_ = false;
    if (::GetCapture() == Hwnd()) {
        // Clears the press first: the capture change this sends finds nothing to end.
        ::ReleaseCapture();
    }
    if (moved) {
        ApplyGlass(false);
        StoreWindowRect();
        context_.host.SaveSoon();
    } else if (released) {
        ToggleRoll();
    }
}

void BedWindow::OnRightUp(LPARAM lParam) {
    const POINT screen = ScreenPoint(lParam);
    if (const int32_t hit = ItemAt(lParam); hit >= 0) {
        // A copy: a rescan while the menu is open rebuilds the list.
        const std::wstring id = Visible()[static_cast<std::size_t>(hit)];
        selected_ = hit;
        Repaint();
        context_.host.SelectionChanged(bed_);
        context_.host.ItemMenu(bed_, id, screen);
    } else {
        context_.host.BedMenu(bed_, screen);
    }
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

bool BedWindow::EnsureTarget() {
    if (target_) {
        return true;
    }
    return CreateTextTarget(context_.graphics.d2d.Get(), Hwnd(), dpi_, target_, brush_);
}

bool BedWindow::EnsureFormats() {
    if (formats_[kHeader]) {
        return true;
    }
    IDWriteFactory* dwrite = context_.graphics.dwrite.Get();
    if (dwrite == nullptr) {
        return false;
    }
    const wchar_t* text = TextFontFamily().c_str();
    formats_[kHeader] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_SEMI_BOLD, 12.5f);
    formats_[kLabel] = MakeLineFormat(dwrite, text, DWRITE_FONT_WEIGHT_REGULAR, 11.5f);
    formats_[kChevron] =
        MakeLineFormat(dwrite, IconFontFamily().c_str(), DWRITE_FONT_WEIGHT_REGULAR, 10.0f);
    if (formats_[kLabel]) {
        // Two lines of a long name under the icon, then the ellipsis.
        (void)formats_[kLabel]->SetWordWrapping(DWRITE_WORD_WRAPPING_WRAP);
        (void)formats_[kLabel]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
        (void)formats_[kLabel]->SetParagraphAlignment(DWRITE_PARAGRAPH_ALIGNMENT_NEAR);
    }
    if (formats_[kChevron]) {
        (void)formats_[kChevron]->SetTextAlignment(DWRITE_TEXT_ALIGNMENT_CENTER);
    }
    return formats_[kHeader] && formats_[kLabel] && formats_[kChevron];
}

ID2D1Bitmap* BedWindow::IconBitmap(const GardenItem& item) {
    const std::wstring& key = item.entry.key;
    if (const auto found = icons_.find(key); found != icons_.end()) {
        return found->second.Get();
    }
    IWICBitmapSource* source = context_.host.ItemIcon(item, BedIconPixels(dpi_));
    if (source == nullptr) {
        return nullptr;
    }
    if (icons_.size() >= kBedIconBitmapLimit) {
        icons_.clear();
    }
    Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
    if (FAILED(target_->CreateBitmapFromWicBitmap(source, nullptr, &bitmap))) {
        return nullptr;
    }
    return icons_.emplace(key, std::move(bitmap)).first->second.Get();
}

void BedWindow::OnPaint() {
    const PaintScope paint(Hwnd());
    const Bed* bed = CurrentBed();
    if (bed == nullptr || !EnsureTarget() || !EnsureFormats()) {
        return;
    }
    target_->BeginDraw();
    try {
        RECT client = {};
        ::GetClientRect(Hwnd(), &client);
        const float width = Dips(client.right);
        const float height = Dips(client.bottom);
        const bool solid = DrawsOpaque(context_.settings.backdrop, context_.theme);
        target_->Clear(solid ? ToD2D(context_.theme.surface) : D2D1::ColorF(0, 0, 0, 0));
        if (!solid) {
            brush_->SetColor(Tint(context_.theme.dark, context_.settings.gardenTint));
            target_->FillRectangle(D2D1::RectF(0, 0, width, height), brush_.Get());
        }
        PaintHeader(*bed, width);
        if (!bed->collapsed) {
            const std::vector<std::wstring>& ids = Visible();
            const BedGrid grid =
                LayoutBed(width, height, static_cast<int32_t>(ids.size()), scroll_, false);
            scroll_ = grid.scroll;
            PaintCells(ids, grid, width, height);
        }
        if (context_.drag.active && context_.drag.target == static_cast<std::ptrdiff_t>(bed_)) {
            brush_->SetColor(ToD2D(context_.theme.accent, kOutlineAlpha));
            target_->DrawRoundedRectangle(
                D2D1::RoundedRect(D2D1::RectF(kOutlineInset, kOutlineInset, width - kOutlineInset,
                                              height - kOutlineInset),
                                  kOutlineRadius, kOutlineRadius),
                brush_.Get(), kOutlineWidth);
        }
    } catch (...) {
        // The frame is ended below; the next one starts afresh.
    }
    if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
        DropDeviceResources();
    }
}

void BedWindow::PaintHeader(const Bed& bed, float width) {
    const Theme& theme = context_.theme;
    if (headerHovered_) {
        brush_->SetColor(ToD2D(theme.hoverFill));
        target_->FillRectangle(D2D1::RectF(0, 0, width, kBedHeaderHeight), brush_.Get());
    }
    brush_->SetColor(ToD2D(theme.text));
    target_->DrawText(bed.name.data(), static_cast<UINT32>(bed.name.size()),
                      formats_[kHeader].Get(),
                      D2D1::RectF(kHeaderTextLeft, 0, width - kChevronWidth, kBedHeaderHeight),
                      brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
    const wchar_t chevron = bed.collapsed ? kChevronCollapsed : kChevronExpanded;
    brush_->SetColor(ToD2D(headerHovered_ ? theme.text : theme.secondaryText));
    target_->DrawText(
        &chevron, 1, formats_[kChevron].Get(),
        D2D1::RectF(width - kChevronWidth, 0, width - kChevronRightInset, kBedHeaderHeight),
        brush_.Get());
    if (!bed.collapsed) {
        brush_->SetColor(ToD2D(theme.hairline));
        target_->FillRectangle(D2D1::RectF(kSeparatorInset, kBedHeaderHeight - 0.5f,
                                           width - kSeparatorInset, kBedHeaderHeight + 0.5f),
                               brush_.Get());
    }
}

void BedWindow::PaintCells(const std::vector<std::wstring>& ids, const BedGrid& grid, float width,
                           float height) {
    const Theme& theme = context_.theme;
    const auto count = static_cast<int32_t>(ids.size());
    const BedCellRange range = VisibleBedCells(grid, count, height, false);
    const GardenDrag& drag = context_.drag;
    const bool dragSource = HoldsItemDrag();
    target_->PushAxisAlignedClip(D2D1::RectF(0, kBedHeaderHeight + 1, width, height),
                                 D2D1_ANTIALIAS_MODE_ALIASED);
    for (int32_t i = range.first; i < range.end; ++i) {
        const PointRect cell = BedCellRect(grid, i);
        const bool dragged = dragSource && ids[static_cast<std::size_t>(i)] == drag.id;
        if (!dragged && (i == selected_ || i == hovered_)) {
            brush_->SetColor(i == selected_ ? ToD2D(theme.accent, kSelectedAlpha)
                                            : ToD2D(theme.hoverFill));
            const D2D1_RECT_F area =
                D2D1::RectF(cell.left + kHighlightInsetX, cell.top + kHighlightInsetY,
                            cell.right - kHighlightInsetX, cell.bottom - kHighlightInsetY);
            target_->FillRoundedRectangle(
                D2D1::RoundedRect(area, kHighlightRadius, kHighlightRadius), brush_.Get());
        }
        const auto found = context_.items.find(ids[static_cast<std::size_t>(i)]);
        if (found == context_.items.end()) {
            continue;
        }
        const float iconLeft = (cell.left + cell.right - static_cast<float>(kBedIconSize)) / 2;
        D2D1_RECT_F iconRect =
            D2D1::RectF(iconLeft, cell.top + kIconTop, iconLeft + static_cast<float>(kBedIconSize),
                        cell.top + kIconTop + static_cast<float>(kBedIconSize));
        DrawIconBitmap(target_.Get(), IconBitmap(found->second), iconRect,
                       dragged ? kDraggedOpacity : 1.0f);
        const std::wstring name = GardenItemName(found->second);
        brush_->SetColor(ToD2D(theme.text));
        target_->DrawText(name.data(), static_cast<UINT32>(name.size()), formats_[kLabel].Get(),
                          D2D1::RectF(cell.left + kLabelLeft, cell.top + kLabelTop,
                                      cell.left + kLabelRight, cell.top + kLabelBottom),
                          brush_.Get(), D2D1_DRAW_TEXT_OPTIONS_CLIP);
    }
    if (drag.active && drag.target == static_cast<std::ptrdiff_t>(bed_) && drag.index >= 0) {
        brush_->SetColor(ToD2D(theme.accent));
        target_->FillRoundedRectangle(
            D2D1::RoundedRect(ToD2D(DropBarRect(grid, drag.index)), kDropBarRadius, kDropBarRadius),
            brush_.Get());
    }
    target_->PopAxisAlignedClip();
}

}  // namespace corvane
