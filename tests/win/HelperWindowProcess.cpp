#include "win/HelperWindowProcess.h"

#include "support/WinTestSupport.h"

namespace corvane::test {
namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindHelperWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(window, cls, 64);
    if (pid == search->pid && ::IsWindowVisible(window) &&
        std::wstring(cls) == L"WindowHelperFrame") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HelperWindowProcess::HelperWindowProcess(const wchar_t* mode)
    : exe_(TestExecutableDirectory() + L"\\windowHelper.exe") {
    std::wstring commandLine = L"\"" + exe_ + L"\" " + mode;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    if (!::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &si, &pi_)) {
        pi_ = {};
        return;
    }
    for (int i = 0; i < 200 && window_ == nullptr; ++i) {
        Search search{pi_.dwProcessId, nullptr};
        ::EnumWindows(&FindHelperWindow, reinterpret_cast<LPARAM>(&search));
        window_ = search.found;
        if (window_ == nullptr) {
            ::Sleep(50);
        }
    }
}

HelperWindowProcess::~HelperWindowProcess() {
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
}

bool HelperWindowProcess::WaitForForeground(DWORD timeoutMs) const {
    if (window_ == nullptr) {
        return false;
    }
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (::GetTickCount64() < end) {
        if (::GetForegroundWindow() == window_) {
            return true;
        }
        ::SetForegroundWindow(window_);
        ::Sleep(50);
    }
    return ::GetForegroundWindow() == window_;
}

}  // namespace corvane::test
