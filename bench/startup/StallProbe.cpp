// How long corvane.exe's GUI thread leaves its queue unserved while another
// program has stopped answering: a posted echo request is timed from post to
// reply, one at a time, for the whole run. Meanwhile a window of this
// process, maximised and in front, stops pumping messages, and the user
// clicks and right-clicks its dock item, tiling arranges it, CorMenu opens
// and closes, and the beds poll.
//
//   stall_probe <folder with corvane.exe> [seconds] [answering]
//
// With "answering" the program in front keeps serving its messages: the
// same run without a hung program, for comparison.
//
// A WM_NULL sent from outside would prove nothing: a thread stuck inside a
// cross-process send still answers sent messages while its queue stands
// still. The echo is posted and must be served by the queue.

#include "BenchClock.h"
#include "ProcessWindow.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using corvane::bench::FindProcessWindow;
using corvane::bench::NowMs;

constexpr UINT kWmAppCommand = WM_APP + 2;
constexpr WPARAM kCommandEcho = 22;
constexpr WPARAM kCommandToggleStart = 20;
constexpr int kIconSize = 48;
constexpr DWORD kEchoGapMs = 20;

bool g_echoed = false;
// The comparison run: the program in front keeps answering.
bool g_answering = false;

LRESULT CALLBACK EchoProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kWmAppCommand && wParam == kCommandEcho) {
        g_echoed = true;
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// Maximised and in front, then deaf: it sleeps inside its message loop.
DWORD WINAPI HungWindowThread(void* parameter) {
    auto* window = static_cast<HWND*>(parameter);
    *window = ::CreateWindowExW(0, L"STATIC", L"Not responding", WS_OVERLAPPEDWINDOW, 100, 100, 640,
                                480, nullptr, nullptr, nullptr, nullptr);
    ::ShowWindow(*window, SW_SHOWMAXIMIZED);
    ::SetForegroundWindow(*window);
    const ULONGLONG until = ::GetTickCount64() + 1000;
    MSG msg;
    while (::GetTickCount64() < until) {
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
    if (g_answering) {
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            ::DispatchMessageW(&msg);
        }
    }
    ::Sleep(INFINITE);
    return 0;
}

void MouseAt(POINT at, DWORD down, DWORD up) {
    ::SetCursorPos(at.x, at.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = down;
    input[1].mi.dwFlags = up;
    ::SendInput(2, input, sizeof(INPUT));
}

void Key(WORD vk) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = vk;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fwprintf(stderr, L"usage: stall_probe <folder with corvane.exe> [seconds]\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const double seconds = argc > 2 ? std::max(10, _wtoi(argv[2])) : 60;
    g_answering = argc > 3 && std::wcscmp(argv[3], L"answering") == 0;
    {
        std::wofstream ini((folder + L"\\corvane.ini").c_str());
        ini << L"[General]\nLanguage=en\n[Tiling]\nEnabled=1\nLayout=0\n[Dock]\nEnabled=1\n"
               L"Pinned=\nIconSize="
            << kIconSize << L"\nConfigVersion=2\n[Start]\nMenu=1\n[Garden]\nEnabled=1\n";
    }
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    std::wstring command = L"\"" + folder + L"\\corvane.exe\"";
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &si, &pi)) {
        std::fwprintf(stderr, L"stall_probe: corvane.exe did not start\n");
        return 1;
    }
    HWND control = nullptr;
    HWND dock = nullptr;
    for (int i = 0; i < 300 && (control == nullptr || dock == nullptr); ++i) {
        ::Sleep(50);
        control = FindProcessWindow(L"CorvaneCtl", true, pi.dwProcessId);
        dock = FindProcessWindow(L"CorvaneDock", false, pi.dwProcessId);
    }
    if (control == nullptr || dock == nullptr) {
        std::fwprintf(stderr, L"stall_probe: no control window or dock\n");
        ::TerminateProcess(pi.hProcess, 1);
        return 1;
    }
    ::Sleep(3000);  // start-up's own work is not what is measured

    WNDCLASSW wc = {};
    wc.lpfnWndProc = &EchoProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneStallProbe";
    ::RegisterClassW(&wc);
    const HWND echo = ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, wc.hInstance, nullptr);
    HWND hung = nullptr;
    const HANDLE hungThread = ::CreateThread(nullptr, 0, &HungWindowThread, &hung, 0, nullptr);
    ::Sleep(1500);
    // The shell would tell Corvane's session window, which hands it to the
    // dock; Wine has no shell hook.
    ::PostMessageW(FindProcessWindow(L"CorvaneSession", false, pi.dwProcessId),
                   ::RegisterWindowMessageW(L"SHELLHOOK"), HSHELL_WINDOWCREATED,
                   reinterpret_cast<LPARAM>(hung));

    // Start (cell 0) and the hung program (cell 1): cells of IconSize + 8
    // after an end of 6 points.
    const auto itemCentre = [&] {
        RECT r = {};
        ::GetWindowRect(dock, &r);
        const double dpi = static_cast<double>(::GetDpiForWindow(dock));
        const double centre = 6.0 + (kIconSize + 8) * 1.5;
        return POINT{r.left + static_cast<LONG>(dpi * centre / 96.0), (r.top + r.bottom) / 2};
    };
    // What the user does, by the second of each 20-second round.
    const auto act = [&](int second) {
        switch (second % 20) {
            case 2:
                MouseAt(itemCentre(), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
                break;
            case 6:
                MouseAt(itemCentre(), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
                break;
            case 8:
                Key(VK_ESCAPE);
                break;
            case 10:
            case 13:
                ::PostMessageW(control, kWmAppCommand, kCommandToggleStart, 1);
                break;
            default:
                break;
        }
    };

    std::vector<double> waits;
    // The longest waits and when they began, to tell what they waited for.
    std::vector<std::pair<double, int>> stalls;
    const double start = NowMs();
    int lastSecond = -1;
    while (NowMs() - start < seconds * 1000.0) {
        const int second = static_cast<int>((NowMs() - start) / 1000.0);
        if (second != lastSecond) {
            lastSecond = second;
            act(second);
        }
        g_echoed = false;
        const double posted = NowMs();
        if (!::PostMessageW(control, kWmAppCommand, kCommandEcho, reinterpret_cast<LPARAM>(echo))) {
            break;
        }
        MSG msg;
        while (!g_echoed && NowMs() - posted < 60000.0) {
            if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT) == WAIT_OBJECT_0) {
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::DispatchMessageW(&msg);
                }
            }
        }
        waits.push_back(NowMs() - posted);
        if (waits.back() > 100.0) {
            stalls.emplace_back(waits.back(), second);
        }
        ::Sleep(kEchoGapMs);
    }
    ::PostThreadMessageW(pi.dwThreadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(pi.hProcess, 5000);
    ::TerminateProcess(pi.hProcess, 0);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    if (waits.empty()) {
        std::fwprintf(stderr, L"stall_probe: no echo was posted\n");
        return 1;
    }
    std::sort(waits.begin(), waits.end());
    std::wprintf(
        L"GUI queue with a%ls program in front over %.0f s: %zu echoes, median %.1f ms, "
        L"p99 %.1f ms, longest stall %.1f ms\n",
        g_answering ? L"n answering" : L" hung", seconds, waits.size(), waits[waits.size() / 2],
        waits[waits.size() * 99 / 100], waits.back());
    std::sort(stalls.rbegin(), stalls.rend());
    for (std::size_t i = 0; i < stalls.size() && i < 5; ++i) {
        std::wprintf(L"  stall of %.1f ms at second %d (%d of its 20-second round)\n",
                     stalls[i].first, stalls[i].second, stalls[i].second % 20);
    }
    // The hung thread sleeps for ever; the process ends around it.
    (void)hungThread;
    ::ExitProcess(0);
}
