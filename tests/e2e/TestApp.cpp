#include "e2e/TestApp.h"

#include "e2e/CorvaneProcess.h"
#include "support/WinTestSupport.h"

namespace corvane::test {

TestApp::TestApp(const std::wstring& folder, const std::wstring& exeName)
    : exe_(folder + L"\\" + exeName) {
    const std::wstring source = TestExecutableDirectory() + L"\\e2e_window_app.exe";
    ::CopyFileW(source.c_str(), exe_.c_str(), FALSE);
}

TestApp::~TestApp() { Close(); }

bool TestApp::Start(const std::wstring& mode, const std::wstring& title) {
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + exe_ + L"\" " + mode + L" \"" + title + L"\"";
    if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi_)) {
        return false;
    }
    const bool found = WaitUntil([&] {
        const auto windows = FindProcessWindows(pi_.dwProcessId, L"CorvaneTestWindow");
        window_ = windows.empty() ? nullptr : windows.front();
        return window_ != nullptr && ::IsWindowVisible(window_);
    });
    if (found) {
        BringToFront();
    }
    return found;
}

void TestApp::BringToFront() const {
    ::SetForegroundWindow(window_);
    // Wine 8 does not report foreground changes; say it as Windows would.
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window_, OBJID_WINDOW, CHILDID_SELF);
}

void TestApp::Close() {
    if (pi_.hProcess == nullptr) {
        return;
    }
    if (window_ != nullptr) {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
    }
    if (::WaitForSingleObject(pi_.hProcess, 5000) != WAIT_OBJECT_0) {
        ::TerminateProcess(pi_.hProcess, 1);
        ::WaitForSingleObject(pi_.hProcess, 5000);
    }
    ::CloseHandle(pi_.hThread);
    ::CloseHandle(pi_.hProcess);
    pi_ = {};
    window_ = nullptr;
}

}  // namespace corvane::test
