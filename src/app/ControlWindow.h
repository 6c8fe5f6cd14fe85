#pragma once
// The hidden message-only window "CorvaneCtl": the process-wide post box and
// the owner of the process-wide timers.

#include "base/Commands.h"
#include "base/WindowBase.h"

namespace corvane {

inline constexpr wchar_t kControlWindowClass[] = L"CorvaneCtl";

class RootEvents;

class ControlWindow final : public WindowBase {
public:
    explicit ControlWindow(RootEvents& events) noexcept : events_(events) {}
    [[nodiscard]] bool Create(HINSTANCE instance) noexcept;

    void StartTimer(ControlTimer id, unsigned milliseconds) noexcept;
    void StopTimer(ControlTimer id) noexcept;
    // Re-arms the clock for 20 ms past the next second or minute.
    void ArmClockTimer(bool showSeconds) noexcept;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    RootEvents& events_;
};

}  // namespace corvane
