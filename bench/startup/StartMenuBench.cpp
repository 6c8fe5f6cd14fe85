// Time from the open command (what the Windows-key hook posts to the control
// window) to CorMenu's and to CorLauncher's first painted frame, next to a bare window's time
// from creation to its first paint, plain and with a Direct2D target, all
// in this one process on the primary display. Prints medians and spreads.
//
//   start_menu_bench [opens, default 30]
//
// The first open is timed apart: it makes the menu (the catalog is built on
// the worker and arrives after the first frame).
// The others follow the warm-up, as the Windows key usually finds them.

#include "BenchClock.h"
#include "RootBench.h"
#include "app/App.h"
#include "app/ControlWindow.h"
#include "identity/CachedIcons.h"
#include "identity/IconLoader.h"
#include "start/CatalogRules.h"
#include "start/CorMenu.h"
#include "start/Launcher.h"
#include "start/StartSurfaces.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/ThemeReader.h"

#include <d2d1.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

namespace {

using corvane::RootBench;

using corvane::bench::NowMs;

// Handles this thread's messages until one handled message satisfies
// `done`, or 5 s passed; the time it took, or a negative time.
double PumpUntil(const std::function<bool(const MSG&)>& done) {
    const double start = NowMs();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            if (done(msg)) {
                return NowMs() - start;
            }
        }
        if (NowMs() - start > 5000) {
            return -1;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void PumpFor(double ms) {
    const double end = NowMs() + ms;
    for (double now = NowMs(); now < end; now = NowMs()) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now) + 1,
                                    QS_ALLINPUT);
    }
}

bool IsPaintOf(const MSG& msg, const wchar_t* className) {
    wchar_t name[64] = {};
    return msg.message == WM_PAINT && ::GetClassNameW(msg.hwnd, name, 64) > 0 &&
           std::wcscmp(name, className) == 0;
}

// The bare windows: painted white, with GDI or with a Direct2D target made
// on the first paint as every Corvane surface makes its own.
bool g_direct2d = false;

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    PAINTSTRUCT ps;
    ::BeginPaint(hwnd, &ps);
    if (g_direct2d) {
        RECT client;
        ::GetClientRect(hwnd, &client);
        Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target;
        if (SUCCEEDED(RootBench().graphics.d2d->CreateHwndRenderTarget(
                D2D1::RenderTargetProperties(),
                D2D1::HwndRenderTargetProperties(hwnd,
                                                 D2D1::SizeU(static_cast<UINT32>(client.right),
                                                             static_cast<UINT32>(client.bottom))),
                &target))) {
            target->BeginDraw();
            target->Clear(D2D1::ColorF(D2D1::ColorF::White));
            (void)target->EndDraw();
        }
    } else {
        ::FillRect(ps.hdc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    ::EndPaint(hwnd, &ps);
    return 0;
}

constexpr wchar_t kBareClass[] = L"CorvaneBareWindow";

double BareWindowToFirstPaint() {
    const double start = NowMs();
    // Not activated: under Wine without a window manager, destroying a window
    // that was active takes 2 s.
    const HWND hwnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                        kBareClass, L"Bare", WS_POPUP, 650, 420, 620, 580, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    const double waited = PumpUntil([](const MSG& msg) { return IsPaintOf(msg, kBareClass); });
    const double ms = NowMs() - start;
    ::DestroyWindow(hwnd);
    PumpFor(50);
    return waited < 0 ? -1 : ms;
}

// The surface [Start] Menu names: its window class.
const wchar_t* g_surfaceClass = corvane::kCorMenuWindowClass;

double MenuToFirstFrame() {
    const HWND control = RootBench().control->Hwnd();
    const double start = NowMs();
    ::PostMessageW(control, corvane::WM_APP_COMMAND, corvane::CMD_TOGGLE_START_MENU, 0);
    const double waited = PumpUntil([](const MSG& msg) { return IsPaintOf(msg, g_surfaceClass); });
    const double ms = NowMs() - start;
    // Gone at once, without the closing animation.
    (void)RootBench().start->ApplyStartSettings();
    PumpFor(100);
    return waited < 0 ? -1 : ms;
}

struct Spread {
    double median;
    double p10;
    double p90;
};

Spread Measure(int runs, double (*once)()) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const double t = once();
        if (t >= 0) {
            ms.push_back(t);
        }
    }
    if (ms.empty()) {
        return {-1, -1, -1};
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10]};
}

void Print(const wchar_t* what, const Spread& s, int runs) {
    std::wprintf(L"%ls: median %.1f ms, p10 %.1f ms, p90 %.1f ms (%d runs)\n", what, s.median,
                 s.p10, s.p90, runs);
}

std::wstring WindowsFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    ::GetWindowsDirectoryW(folder, MAX_PATH);
    return std::wstring(folder) + L"\\" + name;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int runs = argc > 1 ? std::max(5, _wtoi(argv[1])) : 30;
    ComApartment com;
    RootBench app;
    app.instance = ::GetModuleHandleW(nullptr);
    if (!CreateGraphicsFactories(app.graphics)) {
        std::fwprintf(stderr, L"no Direct2D\n");
        return 1;
    }
    SetThreadImagingFactory(app.graphics.wic.Get());
    app.theme = ReadTheme();
    // CorMenu without the hook, two pins on Home, and nothing written: the
    // settings have no file.
    app.settings.startMenu = 1;
    app.settings.winKey = false;
    app.settings.menuPinnedSet = true;
    app.settings.menuPinned = {WindowsFile(L"notepad.exe"), WindowsFile(L"regedit.exe")};
    app.control = std::make_unique<ControlWindow>(app.app);
    if (!app.control->Create(app.instance)) {
        std::fwprintf(stderr, L"no control window\n");
        return 1;
    }
    app.worker.SetWake([window = app.control->Hwnd()] {
        return ::PostMessageW(window, WM_APP_COMMAND, CMD_WORK_DONE, 0) != FALSE;
    });
    app.start = std::make_unique<StartSurfaces>(app.startContext);
    (void)app.start->ApplyStartSettings();

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &BareProc;
    wc.hInstance = app.instance;
    wc.lpszClassName = kBareClass;
    ::RegisterClassExW(&wc);
    Print(L"Bare window, creation to first paint (GDI)", Measure(runs, &BareWindowToFirstPaint),
          runs);
    g_direct2d = true;
    Print(L"Bare window, creation to first paint (Direct2D target)",
          Measure(runs, &BareWindowToFirstPaint), runs);

    const double first = MenuToFirstFrame();
    std::wprintf(
        L"CorMenu, command to first frame, first open (menu made, catalog asked for): %.1f ms\n",
        first);
    app.start->WarmUp();
    PumpFor(2000);  // the icons arrive
    Print(L"CorMenu, command to first frame, after the warm-up", Measure(runs, &MenuToFirstFrame),
          runs);

    // The launcher covers the display and draws a page of large icons: 120
    // apps, all with Notepad's icon, fill two pages and a bit.
    app.settings.startMenu = 2;
    app.start->Catalog().SetSource([] {
        std::vector<AppEntry> apps;
        for (int i = 0; i < 120; ++i) {
            apps.push_back(MakeAppEntry(L"App " + std::to_wstring(i),
                                        L"shell:AppsFolder\\Bench.App" + std::to_wstring(i),
                                        WindowsFile(L"notepad.exe")));
        }
        return apps;
    });
    g_surfaceClass = kLauncherWindowClass;
    app.start->WarmUp();
    PumpFor(2000);
    Print(L"CorLauncher, command to first frame, after the warm-up",
          Measure(runs, &MenuToFirstFrame), runs);

    app.start->StopStart();
    app.start.reset();
    app.control.reset();
    ClearIconCache();
    SetThreadImagingFactory(nullptr);
    app.graphics = GraphicsFactories{};
    return first < 0 ? 1 : 0;
}
