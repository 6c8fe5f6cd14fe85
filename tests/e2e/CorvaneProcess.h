#pragma once
// The real corvane.exe, copied into a fresh folder of its own (so that it
// writes its files there) and driven from outside.

#include "support/WinTestSupport.h"

#include <windows.h>

#include <string>

namespace corvane::test {

class CorvaneProcess {
public:
    // Copies corvane.exe from beside the test executable into `folder`.
    explicit CorvaneProcess(const std::wstring& folder);
    ~CorvaneProcess();
    CorvaneProcess(const CorvaneProcess&) = delete;
    CorvaneProcess& operator=(const CorvaneProcess&) = delete;

    [[nodiscard]] bool Start();
    // The control window of this process, waited for up to timeoutMs.
    [[nodiscard]] HWND WaitForControlWindow(DWORD timeoutMs = 20000) const;
    // Exit code, or STILL_ACTIVE when it did not end in time.
    [[nodiscard]] DWORD WaitForExit(DWORD timeoutMs = 20000) const;
    [[nodiscard]] bool IsRunning() const;
    // WM_QUIT to the GUI thread, as the quit item does it.
    bool PostQuit() const;

    [[nodiscard]] const std::wstring& ExePath() const { return exe_; }
    [[nodiscard]] DWORD ProcessId() const { return pi_.dwProcessId; }
    [[nodiscard]] HANDLE Process() const { return pi_.hProcess; }

private:
    void Close();

    std::wstring exe_;
    PROCESS_INFORMATION pi_ = {};
};

// Every "CorvaneCtl" among the message-only windows.
[[nodiscard]] int CountControlWindows();

// Path of corvane.ini next to a copied exe.
[[nodiscard]] std::wstring IniBeside(const std::wstring& exePath);

}  // namespace corvane::test
