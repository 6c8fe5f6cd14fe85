// Measures a program's start-up: time from CreateProcess until a window of a
// given class exists, and the working set a moment after (as the About page
// reports it). Prints medians over several runs.
//
//   startup_probe <exe> <window class> <message-only 0|1> [runs] [settle ms]
//
// Idle CPU is measured from outside (scripts/bench.sh): Wine answers
// GetProcessTimes for another process with zero.

#include "ProcessWindow.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

template <typename T>
T Median(std::vector<T> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(
            stderr, L"usage: startup_probe <exe> <class> <message-only 0|1> [runs] [settle ms]\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    const wchar_t* className = argv[2];
    const bool messageOnly = std::wcscmp(argv[3], L"1") == 0;
    const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 5;
    const DWORD settleMs = argc > 5 ? static_cast<DWORD>(_wtoi(argv[5])) : 2000;

    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> startMs;
    std::vector<SIZE_T> workingSet;

    for (int run = 0; run < runs; ++run) {
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi = {};
        std::wstring commandLine = L"\"" + exe + L"\"";
        LARGE_INTEGER t0;
        ::QueryPerformanceCounter(&t0);
        if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                              nullptr, &si, &pi)) {
            std::fwprintf(stderr, L"cannot start %ls\n", exe.c_str());
            return 1;
        }
        HWND found = nullptr;
        const ULONGLONG deadline = ::GetTickCount64() + 30000;
        while ((found = corvane::bench::FindProcessWindow(className, messageOnly,
                                                          pi.dwProcessId)) == nullptr &&
               ::GetTickCount64() < deadline &&
               ::WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) {
            ::Sleep(1);
        }
        LARGE_INTEGER t1;
        ::QueryPerformanceCounter(&t1);
        if (found != nullptr) {
            startMs.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                              static_cast<double>(frequency.QuadPart));
            ::Sleep(settleMs);
            PROCESS_MEMORY_COUNTERS pmc = {};
            pmc.cb = sizeof(pmc);
            if (::K32GetProcessMemoryInfo(pi.hProcess, &pmc, sizeof(pmc))) {
                workingSet.push_back(pmc.WorkingSetSize);
            }
        }
        ::PostThreadMessageW(pi.dwThreadId, WM_QUIT, 0, 0);
        if (::WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) {
            ::TerminateProcess(pi.hProcess, 1);
        }
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        if (found == nullptr) {
            std::fwprintf(stderr, L"no window of class %ls appeared\n", className);
            return 1;
        }
    }
    std::wprintf(
        L"%ls: start-up to window %.1f ms (median of %d), working set %.1f MB\n",
        exe.substr(exe.find_last_of(L"\\/") + 1).c_str(), Median(startMs), runs,
        workingSet.empty() ? 0.0 : static_cast<double>(Median(workingSet)) / (1024.0 * 1024.0));
    return 0;
}
