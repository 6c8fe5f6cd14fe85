#pragma once
// windowHelper.exe (built beside the tests) with its one window, started in a
// process of its own and closed again at the end.

#include <windows.h>

#include <string>

namespace corvane::test {

class HelperWindowProcess {
public:
    // `mode` is "borderless", "maximised" or "normal".
    explicit HelperWindowProcess(const wchar_t* mode);
    ~HelperWindowProcess();
    HelperWindowProcess(const HelperWindowProcess&) = delete;
    HelperWindowProcess& operator=(const HelperWindowProcess&) = delete;

    // The helper's window, or null when it did not appear in time.
    [[nodiscard]] HWND Window() const { return window_; }
    [[nodiscard]] DWORD ProcessId() const { return pi_.dwProcessId; }
    [[nodiscard]] const std::wstring& ExePath() const { return exe_; }
    // Waits until the window is the foreground window.
    [[nodiscard]] bool WaitForForeground(DWORD timeoutMs = 10000) const;

private:
    std::wstring exe_;
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr;
};

}  // namespace corvane::test
