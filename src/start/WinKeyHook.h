#pragma once
// The Windows key opening a start surface: a low-level keyboard hook on a
// thread of its own that only watches keys and posts CMD_TOGGLE_START_MENU to
// the control window. Whether it acts is read atomically, so settings can
// switch it without restarting the thread.

#include "base/Win32Handles.h"

#include <windows.h>

#include <atomic>

namespace corvane {

class WinKeyHook {
public:
    WinKeyHook() = default;
    ~WinKeyHook();  // Stop
    WinKeyHook(const WinKeyHook&) = delete;
    WinKeyHook& operator=(const WinKeyHook&) = delete;

    // Starts the thread when it is not running; `commandWindow` gets the post.
    // A hook that fails to go in is tried again a few times a few seconds
    // apart; after that the thread ends and the next Start tries anew.
    void Start(HWND commandWindow) noexcept;
    void SetActive(bool active) noexcept;
    // The thread is alive: installing its hook or running it.
    [[nodiscard]] bool IsRunning() const noexcept;
    // WM_QUIT to the thread, waits at most 1 s.
    void Stop() noexcept;

private:
    static DWORD WINAPI ThreadMain(void* self) noexcept;

    UniqueHandle thread_;
    DWORD threadId_ = 0;
    HWND commandWindow_ = nullptr;
    std::atomic<bool> active_{false};
};

}  // namespace corvane
