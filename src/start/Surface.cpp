#include "start/Surface.h"

#include "base/DynamicApis.h"
#include "base/Easing.h"
#include "base/ForeignWindows.h"
#include "config/Settings.h"
#include "start/QueryKeys.h"
#include "start/StartActions.h"
#include "toolkit/Backdrop.h"
#include "toolkit/BackdropPlan.h"

#include <d2d1helper.h>
#include <dwmapi.h>

#include <algorithm>

namespace corvane {
namespace {

constexpr UINT kFrameTimerMs = 50;
constexpr UINT kCaretBlinkMs = 530;
// The last mouse message a surface gets; WM_MOUSELAST differs between SDKs.
constexpr UINT kLastMouseMessage = 0x020E;

bool IsInputMessage(UINT message) noexcept {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= kLastMouseMessage);
}

// Brings `window` to the front even when another thread owns the foreground,
// which the system refuses unless our input is briefly joined to it.
void TakeForeground(HWND window) noexcept {
    ::SetForegroundWindow(window);
    HWND front = ::GetForegroundWindow();
    if (front == window || front == nullptr) {
        return;
    }
    const DWORD frontThread = ::GetWindowThreadProcessId(front, nullptr);
    const DWORD ownThread = ::GetCurrentThreadId();
    // Joined to a hung thread's input, taking the foreground waits for that
    // thread to let go of it: the surface then opens without the foreground.
    if (frontThread == 0 || frontThread == ownThread || !AnswersSoon(front) ||
        !::AttachThreadInput(ownThread, frontThread, TRUE)) {
        return;
    }
    struct Detach {
        DWORD own, front;
        ~Detach() { ::AttachThreadInput(own, front, FALSE); }
    } detach{ownThread, frontThread};
    ::BringWindowToTop(window);
    ::SetForegroundWindow(window);
}

}  // namespace

double SurfaceNowMs() noexcept {
    static const double frequency = [] {
        LARGE_INTEGER f = {};
        ::QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? static_cast<double>(f.QuadPart) : 1.0;
    }();
    LARGE_INTEGER now = {};
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1000.0 / frequency;
}

Surface::Surface(HINSTANCE instance, const GraphicsFactories& graphics)
    : instance_(instance), graphics_(graphics) {}

Surface::~Surface() {
    Destroy();
}

bool Surface::Create(const RECT& rect, HMONITOR monitor, UINT dpi) noexcept {
    Destroy();
    monitor_ = monitor;
    dpi_ = dpi != 0 ? dpi : 96;
    progress_ = 0.0f;
    closing_ = false;
    popupMenuOpen_ = false;
    query_.Clear();
    caretVisible_ = true;
    if (!RegisterWindowClass(instance_, ClassName(), 0, IDC_ARROW)) {
        return false;
    }
    if (CreateBound(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, ClassName(), L"Corvane", WS_POPUP, rect.left,
                    rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                    instance_) == nullptr) {
        return false;
    }
    SetExcludedFromPeek(Hwnd());
    return true;
}

void Surface::ApplySurfaceBackdrop(const Settings& settings, const Theme& theme, BYTE alpha,
                                   bool rounded) noexcept {
    ApplyPopupGlass(Hwnd(), settings, theme, alpha, rounded);
}

void Surface::Show() noexcept {
    HWND window = Hwnd();
    if (window == nullptr) {
        return;
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // A program may take the foreground only right after input; an empty
    // mouse report counts as such.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    (void)::SendInput(1, &input, sizeof(input));
    TakeForeground(window);
    ::SetFocus(window);
    animationStart_ = SurfaceNowMs();
    ::SetTimer(window, TIMER_SURFACE_FRAME, kFrameTimerMs, nullptr);
    ::SetTimer(window, TIMER_SURFACE_CARET, kCaretBlinkMs, nullptr);
    ::InvalidateRect(window, nullptr, FALSE);
}

void Surface::Close(bool animated) noexcept {
    if (Hwnd() == nullptr || closing_) {
        return;
    }
    OnEnding();
    if (!animated) {
        Destroy();
        return;
    }
    closing_ = true;
    closeFrom_ = progress_;
    animationStart_ = SurfaceNowMs();
    ::SetTimer(Hwnd(), TIMER_SURFACE_FRAME, kFrameTimerMs, nullptr);
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

void Surface::Destroy() noexcept {
    if (Hwnd() != nullptr) {
        OnEnding();
    }
    accessible_.Disconnect();
    ReleaseTarget();
    DestroyBound();
    closing_ = false;
    popupMenuOpen_ = false;
}

void Surface::Repaint() noexcept {
    accessible_.Invalidate();
    if (Hwnd() != nullptr) {
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void Surface::ReleaseTarget() noexcept {
    bitmaps_.clear();
    brush_.Reset();
    target_.Reset();
}

ID2D1Bitmap* Surface::CachedBitmap(const std::wstring& key, IWICBitmapSource* source) {
    if (!target_) {
        return nullptr;
    }
    if (const auto it = bitmaps_.find(key); it != bitmaps_.end()) {
        return it->second.Get();
    }
    Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
    if (source == nullptr || FAILED(target_->CreateBitmapFromWicBitmap(source, nullptr, &bitmap))) {
        return nullptr;
    }
    return bitmaps_.emplace(key, bitmap).first->second.Get();
}

bool Surface::EnsureTarget() {
    if (target_) {
        return true;
    }
    if (!CreateTextTarget(graphics_.d2d.Get(), Hwnd(), dpi_, target_, brush_)) {
        return false;
    }
    bitmaps_.clear();
    OnTargetCreated();
    return true;
}

void Surface::OnPaint() {
    const double now = SurfaceNowMs();
    bool finalFrame = false;
    if (!closing_ && progress_ >= 1.0f) {
        Tick(1.0f, now);
        finalFrame = !IsAnimating();
    } else {
        const float duration =
            MotionDurationMs(closing_ ? CloseDurationMs() : OpenDurationMs(), Animates());
        const float t =
            duration > 0
                ? std::clamp(static_cast<float>((now - animationStart_) / duration), 0.0f, 1.0f)
                : 1.0f;
        if (closing_) {
            progress_ = ClosingProgress(closeFrom_, t);
            if (t >= 1.0f) {
                ::ValidateRect(Hwnd(), nullptr);
                Destroy();
                return;
            }
        } else {
            progress_ = OpeningProgress(t);
        }
        Tick(progress_, now);
    }

    PAINTSTRUCT ps = {};
    ::BeginPaint(Hwnd(), &ps);
    try {
        if (EnsureTarget()) {
            target_->BeginDraw();
            try {
                Paint();
            } catch (...) {
                // The frame is ended below; the next one starts afresh.
            }
            if (target_->EndDraw() == static_cast<HRESULT>(D2DERR_RECREATE_TARGET)) {
                ReleaseTarget();
            }
        }
    } catch (...) {
        ReleaseTarget();
    }
    ::EndPaint(Hwnd(), &ps);
    if (!closing_) {
        AnnounceChanges();
    }

    if (finalFrame) {
        ::KillTimer(Hwnd(), TIMER_SURFACE_FRAME);
    } else {
        // Paced by the compositor rather than the timer, which only keeps
        // frames coming should an invalidation get lost.
        (void)::DwmFlush();
        ::InvalidateRect(Hwnd(), nullptr, FALSE);
    }
}

void Surface::OnChar(wchar_t typed) {
    if (query_.Type(typed)) {
        QueryEdited(true);
    }
}

bool Surface::EditQueryKey(WPARAM key) {
    // AltGr holds Ctrl too; its characters come as WM_CHAR.
    const bool alt = ::GetKeyState(VK_MENU) < 0;
    const bool ctrl = ::GetKeyState(VK_CONTROL) < 0 && !alt;
    const bool shift = ::GetKeyState(VK_SHIFT) < 0;
    SystemClipboard clipboard(Hwnd());
    const QueryKeyResult result =
        HandleQueryKey(query_, static_cast<UINT>(key), ctrl, shift, clipboard);
    if (result == QueryKeyResult::CaretMoved || result == QueryKeyResult::TextChanged) {
        QueryEdited(result == QueryKeyResult::TextChanged);
    }
    return result != QueryKeyResult::Ignored;
}

void Surface::QueryEdited(bool textChanged) {
    caretVisible_ = true;
    ::SetTimer(Hwnd(), TIMER_SURFACE_CARET, kCaretBlinkMs, nullptr);
    if (textChanged) {
        OnQueryChanged();
    }
    Repaint();
}

LRESULT Surface::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answered = accessible_.HandleMessage(Hwnd(), message, wParam, lParam)) {
        return *answered;
    }
    if (closing_ && IsInputMessage(message)) {
        return 0;
    }
    switch (message) {
        case WM_SIZE:
            if (target_) {
                (void)target_->Resize(D2D1::SizeU(LOWORD(lParam), HIWORD(lParam)));
            }
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && !popupMenuOpen_) {
                Close(true);
            }
            return Handle(message, wParam, lParam);
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            Close(true);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_CHAR:
            OnChar(static_cast<wchar_t>(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == TIMER_SURFACE_CARET) {
                caretVisible_ = !caretVisible_;
                Repaint();
                return 0;
            }
            if (wParam == TIMER_SURFACE_FRAME) {
                Repaint();
                return 0;
            }
            return Handle(message, wParam, lParam);
        default:
            return Handle(message, wParam, lParam);
    }
}

void Surface::RunItemMenu(const AppEntry& entry, const ItemMenuOptions& options,
                          const StartContext& context) {
    SetPopupMenuOpen(true);
    const bool opened = ShowItemMenu(Hwnd(), entry, options, context);
    SetPopupMenuOpen(false);
    if (Hwnd() == nullptr) {
        return;
    }
    if (opened || ::GetForegroundWindow() != Hwnd()) {
        Close(true);
    } else {
        Repaint();
    }
}

HMONITOR SurfaceDisplay(HMONITOR asked) noexcept {
    if (asked != nullptr) {
        return asked;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    return ::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST);
}

}  // namespace corvane
