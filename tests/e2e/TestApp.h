#pragma once
// Starts e2e_window_app (copied under a chosen file name) and finds its window.

#include <windows.h>

#include <string>

namespace corvane::test {

class TestApp {
public:
    // Copies e2e_window_app.exe from beside the tests to folder\exeName.
    TestApp(const std::wstring& folder, const std::wstring& exeName);
    ~TestApp();
    TestApp(const TestApp&) = delete;
    TestApp& operator=(const TestApp&) = delete;

    // mode: normal, maximized or fullscreen. Waits for the window.
    [[nodiscard]] bool Start(const std::wstring& mode, const std::wstring& title);
    [[nodiscard]] HWND Window() const { return window_; }
    void BringToFront() const;
    void Close();

private:
    std::wstring exe_;
    PROCESS_INFORMATION pi_ = {};
    HWND window_ = nullptr;
};

}  // namespace corvane::test
