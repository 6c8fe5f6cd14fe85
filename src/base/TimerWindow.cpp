#include "base/TimerWindow.h"

namespace corvane {
namespace {

constexpr wchar_t kTimerWindowClass[] = L"CorvaneTimers";
constexpr UINT_PTR kLastTimerId = 31;

}  // namespace

uint32_t TimerWindow::Bit(UINT_PTR id) noexcept {
    return id >= 1 && id <= kLastTimerId ? 1u << id : 0u;
}

bool TimerWindow::Start(UINT_PTR id, UINT milliseconds) noexcept {
    if (Bit(id) == 0) {
        return false;
    }
    if (Hwnd() == nullptr) {
        const HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (!RegisterWindowClass(instance, kTimerWindowClass, 0, nullptr) ||
            CreateBound(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, instance) ==
                nullptr) {
            return false;
        }
    }
    if (::SetTimer(Hwnd(), id, milliseconds, nullptr) == 0) {
        running_ &= ~Bit(id);
        return false;
    }
    running_ |= Bit(id);
    return true;
}

void TimerWindow::Stop(UINT_PTR id) noexcept {
    if ((running_ & Bit(id)) != 0) {
        ::KillTimer(Hwnd(), id);
        running_ &= ~Bit(id);
    }
}

bool TimerWindow::Running(UINT_PTR id) const noexcept {
    return (running_ & Bit(id)) != 0;
}

LRESULT TimerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) {
        return ::DefWindowProcW(Hwnd(), message, wParam, lParam);
    }
    if (Running(wParam)) {
        owner_.OnTimer(wParam);
    } else {
        // Queued before it was stopped.
        ::KillTimer(Hwnd(), wParam);
    }
    return 0;
}

}  // namespace corvane
