#pragma once
// What the root's own windows hear and hand on to the root: the control
// window's commands, timers and shortcuts, and the session window's messages
// that must be handled before it returns.

#include <windows.h>

namespace corvane {

class RootEvents {
public:
    virtual ~RootEvents() = default;
    // WM_APP_COMMAND with its code (base/Commands.h) and argument.
    virtual void Command(WPARAM code, LPARAM lParam) = 0;
    // One of the control window's timers (ControlTimer) came due.
    virtual void Timer(UINT_PTR id) = 0;
    // WM_HOTKEY to the control window.
    virtual void Hotkey(int id) = 0;
    // The registered "TaskbarCreated" message.
    virtual void TaskbarCreated() = 0;
    // WM_ENDSESSION that ends the session.
    virtual void SessionEnding() noexcept = 0;
};

}  // namespace corvane
