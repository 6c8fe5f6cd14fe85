#pragma once
// The real corvane.exe, copied into a fresh folder of its own (so that it
// writes its files there) and driven from outside.

#include "support/WinTestSupport.h"

#include <windows.h>

#include <string>
#include <vector>

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

    // corvane.ini beside the exe, written before the start (UTF-16 with BOM).
    bool WriteSettings(const std::wstring& iniText) const;
    [[nodiscard]] std::wstring IniPath() const;

    [[nodiscard]] const std::wstring& ExePath() const { return exe_; }
    [[nodiscard]] DWORD ProcessId() const { return pi_.dwProcessId; }
    [[nodiscard]] HANDLE Process() const { return pi_.hProcess; }

private:
    void Close();

    std::wstring exe_;
    PROCESS_INFORMATION pi_ = {};
};

// Top-level windows of a class that belong to a process, in z-order.
[[nodiscard]] std::vector<HWND> FindProcessWindows(DWORD pid, const wchar_t* className);

// Polls until the predicate holds or the time is up; true when it held.
template <typename Predicate>
bool WaitUntil(Predicate predicate, DWORD timeoutMs = 10000) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (predicate()) {
            return true;
        }
        if (::GetTickCount64() >= end) {
            return false;
        }
        ::Sleep(20);
    }
}

// Every "CorvaneCtl" among the message-only windows.
[[nodiscard]] int CountControlWindows();

// Path of corvane.ini next to a copied exe.
[[nodiscard]] std::wstring IniBeside(const std::wstring& exePath);

}  // namespace corvane::test
