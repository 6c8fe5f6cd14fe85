#pragma once
// A message-only window that carries one object's timers: WM_TIMER comes
// back to that object, where a thread timer's callback would carry nothing
// to find it by. The window is made when the first timer starts.

#include "base/WindowBase.h"

#include <windows.h>

#include <cstdint>

namespace corvane {

class TimerOwner {
public:
    virtual void OnTimer(UINT_PTR id) noexcept = 0;

protected:
    ~TimerOwner() = default;
};

class TimerWindow final : public WindowBase {
public:
    explicit TimerWindow(TimerOwner& owner) noexcept : owner_(owner) {}

    // (Re)starts timer `id` (1 to 31) from now; false when it cannot run.
    bool Start(UINT_PTR id, UINT milliseconds) noexcept;
    void Stop(UINT_PTR id) noexcept;
    [[nodiscard]] bool Running(UINT_PTR id) const noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    [[nodiscard]] static uint32_t Bit(UINT_PTR id) noexcept;

    TimerOwner& owner_;
    uint32_t running_ = 0;
};

}  // namespace corvane
