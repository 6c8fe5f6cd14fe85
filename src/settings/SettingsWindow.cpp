#include "settings/SettingsWindow.h"

#include "base/Commands.h"
#include "base/DynamicApis.h"
#include "base/Win32Geometry.h"
#include "settings/SettingsPages.h"
#include "settings/SettingsWindowImpl.h"
#include "toolkit/Backdrop.h"

#include <d2d1helper.h>
#include <dwmapi.h>
#include <windowsx.h>

#include <algorithm>
#include <limits>
#include <optional>

namespace corvane {
namespace {

constexpr int kMinTrackWidthDips = 700;
constexpr int kMinTrackHeightDips = 480;

}  // namespace

void SettingsWindow::Impl::Open(int32_t page) {
    page_ = std::clamp(page, 0, kSettingsPageCount - 1);
    scroll_ = 0;
    ResetPointerState();
    focusRow_ = -1;
    // Writes go where the settings now come from.
    store_ = SettingsFileStore(context_.settings.filePath, context_.host);
    if (Hwnd() == nullptr) {
        Create();
        return;
    }
    Rebuild();
    if (::IsIconic(Hwnd())) {
        ::ShowWindow(Hwnd(), SW_RESTORE);
    }
    ::SetForegroundWindow(Hwnd());
}

void SettingsWindow::Impl::Refresh() noexcept {
    if (Hwnd() != nullptr) {
        Rebuild();
    }
}

void SettingsWindow::Impl::ThemeChanged() noexcept {
    if (Hwnd() != nullptr) {
        ApplyGlass();
        Relayout();  // the text size may have changed the rows' heights
        Repaint();
    }
}

void SettingsWindow::Impl::Create() noexcept {
    if (!RegisterWindowClass(context_.instance, kSettingsWindowClass, 0, IDC_ARROW)) {
        return;
    }
    HMONITOR main = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    dpi_ = MonitorDpi(main);
    const PixelRect rect = SettingsWindowRect(MonitorWorkArea(main), dpi_);
    if (CreateBound(0, kSettingsWindowClass, SettingsWindowTitle(), WS_OVERLAPPEDWINDOW, rect.left,
                    rect.top, rect.Width(), rect.Height(), nullptr, context_.instance) == nullptr) {
        return;
    }
    if (const UINT windowDpi = ::GetDpiForWindow(Hwnd()); windowDpi != 0) {
        dpi_ = windowDpi;
    }
    // A shared icon belongs to the module; nothing to free.
    if (auto* icon =
            static_cast<HICON>(::LoadImageW(context_.instance, MAKEINTRESOURCEW(1), IMAGE_ICON, 0,
                                            0, LR_DEFAULTSIZE | LR_SHARED))) {
        ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
    ApplyGlass();
    Rebuild();
    ::ShowWindow(Hwnd(), SW_SHOWNORMAL);
    ::SetForegroundWindow(Hwnd());
}

void SettingsWindow::Impl::ApplyGlass() noexcept {
    // The one window here that becomes active: the main-window material
    // (Mica) suits it, and its inactive look is the system's own.
    const Backdrop backdrop =
        context_.settings.backdrop == Backdrop::Solid ? Backdrop::Solid : Backdrop::Mica;
    ApplyBackdrop(Hwnd(), backdrop, context_.theme, context_.settings.tint, false, true);
}

void SettingsWindow::Impl::Rebuild() noexcept {
    try {
        rows_ = BuildRows(page_, pageContext_);
    } catch (...) {
        rows_.clear();
    }
    Relayout();
    Repaint();
}

void SettingsWindow::Impl::Relayout() noexcept {
    try {
        (void)EnsureFormats();  // the choice boxes and buttons fit their texts
        boxes_ = LayoutRows(
            rows_, ClientDips().width, [this](const std::wstring& text) { return TextWidth(text); },
            context_.theme.textScale);
    } catch (...) {
        boxes_.clear();
    }
    const auto count = static_cast<int32_t>(std::min(rows_.size(), boxes_.size()));
    for (int32_t* index : {&hoverRow_, &focusRow_, &pressRow_}) {
        if (*index >= count) {
            *index = -1;
        }
    }
    if (dragRow_ >= count) {
        dragRow_ = -1;
    }
    scroll_ = ClampScroll(scroll_, ContentHeight(boxes_), ViewHeight());
}

void SettingsWindow::Impl::Repaint() noexcept {
    accessible_.Invalidate();
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void SettingsWindow::Impl::ResetPointerState() noexcept {
    hoverRow_ = -1;
    hoverEntry_ = -1;
    pressRow_ = -1;
    if (dragRow_ >= 0) {
        dragRow_ = -1;
        if (Hwnd() != nullptr && ::GetCapture() == Hwnd()) {
            ::ReleaseCapture();
        }
    }
}

void SettingsWindow::Impl::Arm(void (ReapplyTimers::*step)(uint64_t) noexcept) noexcept {
    (timers_.*step)(::GetTickCount64());
    ArmTimer();
}

void SettingsWindow::Impl::ArmTimer() noexcept {
    if (Hwnd() == nullptr) {
        return;
    }
    const std::optional<uint64_t> due = timers_.NextDue();
    if (!due) {
        ::KillTimer(Hwnd(), TIMER_SETTINGS_REAPPLY);
        return;
    }
    const uint64_t now = ::GetTickCount64();
    const uint64_t wait = *due > now ? *due - now : 0;
    ::SetTimer(Hwnd(), TIMER_SETTINGS_REAPPLY, static_cast<UINT>(std::min<uint64_t>(wait, 60000)),
               nullptr);
}

void SettingsWindow::Impl::OnTimer() noexcept {
    ::KillTimer(Hwnd(), TIMER_SETTINGS_REAPPLY);
    const ReapplyTimers::Due due = timers_.Take(::GetTickCount64());
    if (due.reapply) {
        PostCommand(context_.desktop, CMD_RELOAD_SETTINGS);
    }
    if (due.rebuild) {
        Rebuild();
    }
    ArmTimer();
}

void SettingsWindow::Impl::OnLanguageChanged() noexcept {
    if (Hwnd() != nullptr) {
        ::SetWindowTextW(Hwnd(), SettingsWindowTitle());
    }
    Arm(&ReapplyTimers::LanguageChanged);
}

SidebarSize SettingsWindow::Impl::Sidebar() const noexcept {
    return {context_.theme.textScale, ViewHeight()};
}

D2D1_SIZE_F SettingsWindow::Impl::ClientDips() const noexcept {
    RECT client = {};
    if (Hwnd() != nullptr) {
        ::GetClientRect(Hwnd(), &client);
    }
    const float scale = 96.0f / static_cast<float>(dpi_);
    return D2D1::SizeF(static_cast<float>(client.right) * scale,
                       static_cast<float>(client.bottom) * scale);
}

D2D1_POINT_2F SettingsWindow::Impl::ToDips(LPARAM lParam) const noexcept {
    const float scale = 96.0f / static_cast<float>(dpi_);
    return D2D1::Point2F(static_cast<float>(GET_X_LPARAM(lParam)) * scale,
                         static_cast<float>(GET_Y_LPARAM(lParam)) * scale);
}

LRESULT SettingsWindow::Impl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto handled = accessible_.HandleMessage(Hwnd(), message, wParam, lParam)) {
        return *handled;
    }
    switch (message) {
        case WM_SIZE:
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
            }
            Relayout();
            Repaint();
            return 0;
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            const int dpi = static_cast<int>(dpi_);
            // Never more than the work area: at 1366 x 768 and 150 % the
            // minimum alone would not fit.
            const PixelRect work =
                MonitorWorkArea(::MonitorFromWindow(Hwnd(), MONITOR_DEFAULTTONEAREST));
            info->ptMinTrackSize.x =
                std::min(::MulDiv(kMinTrackWidthDips, dpi, 96), std::max(work.Width(), 1));
            info->ptMinTrackSize.y =
                std::min(::MulDiv(kMinTrackHeightDips, dpi, 96), std::max(work.Height(), 1));
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wParam == TIMER_SETTINGS_REAPPLY) {
                OnTimer();
            }
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(lParam);
            return 0;
        case WM_MOUSELEAVE:
            tracking_ = false;
            if (dragRow_ < 0 && (hoverRow_ >= 0 || hoverEntry_ >= 0)) {
                hoverRow_ = -1;
                hoverEntry_ = -1;
                Repaint();
            }
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(lParam);
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(lParam);
            return 0;
        case WM_CAPTURECHANGED:
            // The drag ends without writing anything.
            if (dragRow_ >= 0) {
                dragRow_ = -1;
                Repaint();
            }
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(wParam);
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_DPICHANGED: {
            dpi_ = LOWORD(wParam) != 0 ? static_cast<UINT>(LOWORD(wParam)) : 96U;
            ReleaseTarget();
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            ::SetWindowPos(Hwnd(), nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
            Relayout();
            Repaint();
            return 0;
        }
        case WM_DESTROY:
            ::KillTimer(Hwnd(), TIMER_SETTINGS_REAPPLY);
            // A change made just before closing is still applied.
            if (timers_.Take(std::numeric_limits<uint64_t>::max()).reapply) {
                PostCommand(context_.desktop, CMD_RELOAD_SETTINGS);
            }
            timers_ = ReapplyTimers{};
            rows_.clear();
            rows_.shrink_to_fit();
            boxes_.clear();
            boxes_.shrink_to_fit();
            dragRow_ = -1;
            ReleaseTarget();
            (void)::SetProcessWorkingSetSize(::GetCurrentProcess(), static_cast<SIZE_T>(-1),
                                             static_cast<SIZE_T>(-1));
            return 0;
        default:
            return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
}

// --- the public face

SettingsWindow::SettingsWindow(const SettingsWindowContext& context)
    : impl_(std::make_unique<Impl>(context)) {}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::Open(int32_t page) {
    impl_->Open(page);
}

void SettingsWindow::Refresh() {
    impl_->Refresh();
}

void SettingsWindow::ThemeChanged() {
    impl_->ThemeChanged();
}

bool SettingsWindow::IsOpen() const noexcept {
    return impl_->Hwnd() != nullptr;
}

HWND SettingsWindow::Hwnd() const noexcept {
    return impl_->Hwnd();
}

}  // namespace corvane
