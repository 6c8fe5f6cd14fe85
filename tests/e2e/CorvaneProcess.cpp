#include "e2e/CorvaneProcess.h"

namespace corvane::test {

CorvaneProcess::CorvaneProcess(const std::wstring& folder) : exe_(folder + L"\\corvane.exe") {
    const std::wstring source = TestExecutableDirectory() + L"\\corvane.exe";
    ::CopyFileW(source.c_str(), exe_.c_str(), FALSE);
}

CorvaneProcess::~CorvaneProcess() {
    if (IsRunning()) {
        ::TerminateProcess(pi_.hProcess, 99);
        ::WaitForSingleObject(pi_.hProcess, 5000);
    }
    Close();
}

void CorvaneProcess::Close() {
    if (pi_.hProcess != nullptr) {
        ::CloseHandle(pi_.hProcess);
    }
    if (pi_.hThread != nullptr) {
        ::CloseHandle(pi_.hThread);
    }
    pi_ = {};
}

bool CorvaneProcess::Start() {
    Close();
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    std::wstring commandLine = L"\"" + exe_ + L"\"";
    return ::CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &pi_) != FALSE;
}

HWND CorvaneProcess::WaitForControlWindow(DWORD timeoutMs) const {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    do {
        HWND hwnd = nullptr;
        while ((hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, L"CorvaneCtl", nullptr)) != nullptr) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hwnd, &pid);
            if (pid == pi_.dwProcessId) {
                return hwnd;
            }
        }
        if (!IsRunning()) {
            return nullptr;
        }
        ::Sleep(5);
    } while (::GetTickCount64() < end);
    return nullptr;
}

DWORD CorvaneProcess::WaitForExit(DWORD timeoutMs) const {
    if (pi_.hProcess == nullptr) {
        return STILL_ACTIVE;
    }
    ::WaitForSingleObject(pi_.hProcess, timeoutMs);
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(pi_.hProcess, &code);
    return code;
}

bool CorvaneProcess::IsRunning() const {
    return pi_.hProcess != nullptr && ::WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

bool CorvaneProcess::PostQuit() const {
    return ::PostThreadMessageW(pi_.dwThreadId, WM_QUIT, 0, 0) != FALSE;
}

bool CorvaneProcess::WriteSettings(const std::wstring& iniText) const {
    return WriteUtf16File(IniPath(), iniText);
}

std::wstring CorvaneProcess::IniPath() const { return IniBeside(exe_); }

namespace {
struct WindowSearch {
    DWORD pid;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    wchar_t name[64] = {};
    ::GetClassNameW(hwnd, name, 64);
    if (pid == search->pid && ::lstrcmpW(name, search->className) == 0) {
        search->found.push_back(hwnd);
    }
    return TRUE;
}
}  // namespace

std::vector<HWND> FindProcessWindows(DWORD pid, const wchar_t* className) {
    WindowSearch search{pid, className, {}};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int CountControlWindows() {
    int n = 0;
    HWND hwnd = nullptr;
    while ((hwnd = ::FindWindowExW(HWND_MESSAGE, hwnd, L"CorvaneCtl", nullptr)) != nullptr) {
        ++n;
    }
    return n;
}

std::wstring IniBeside(const std::wstring& exePath) {
    return exePath.substr(0, exePath.find_last_of(L'\\')) + L"\\corvane.ini";
}

}  // namespace corvane::test
