// Time of one bar paint and of one clock tick: a real Bar on the primary
// display, painted synchronously many times; prints the median and the
// spread of each.
//
//   bar_paint_bench [repaints, default 300]
//
// "paint" redraws what is laid out (hover, press); "layout" is Relayout alone,
// which builds the text layouts again (what a clock tick or a new
// application costs before drawing); "tick" is both, as the minute clock
// does it.

#include "BenchClock.h"
#include "RootBench.h"
#include "app/App.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/ThemeReader.h"
#include "base/Win32Handles.h"
#include "bar/Bar.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
}

struct Spread {
    double median;
    double p10;
    double p90;
    // Process CPU time per run, every thread included: under load the wall
    // times above grow, this does not.
    double cpu;
};

using corvane::bench::ProcessCpuMs;

Spread Time(int runs, const std::function<void()>& work) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    std::vector<double> ms;
    const double cpu0 = ProcessCpuMs();
    for (int i = 0; i < runs; ++i) {
        LARGE_INTEGER t0;
        LARGE_INTEGER t1;
        ::QueryPerformanceCounter(&t0);
        work();
        ::QueryPerformanceCounter(&t1);
        ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                     static_cast<double>(frequency.QuadPart));
        Pump();
    }
    const double cpu = (ProcessCpuMs() - cpu0) / runs;
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10], cpu};
}

void Print(int style, const wchar_t* what, const Spread& s, int runs) {
    std::wprintf(
        L"Bar %ls, style %d: median %.3f ms, p10 %.3f ms, p90 %.3f ms, CPU %.3f ms (%d runs)\n",
        what, style, s.median, s.p10, s.p90, s.cpu, runs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int repaints = argc > 1 ? std::max(10, _wtoi(argv[1])) : 300;
    ComApartment com;
    RootBench app;
    app.instance = ::GetModuleHandleW(nullptr);
    if (!CreateGraphicsFactories(app.graphics)) {
        std::fwprintf(stderr, L"no Direct2D\n");
        return 1;
    }
    app.theme = ReadTheme();
    app.current.displayName = L"File Explorer";

    for (int style = 0; style <= 3; ++style) {
        app.settings.style = style;
        Bar bar(app.barContext, ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), true);
        if (!bar.Create()) {
            std::fwprintf(stderr, L"no bar\n");
            return 1;
        }
        const HWND hwnd = bar.Hwnd();
        Print(style, L"paint",
              Time(repaints,
                   [&] { ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); }),
              repaints);
        Print(style, L"layout",
              Time(repaints,
                   [&] {
                       bar.Relayout();
                       ::ValidateRect(hwnd, nullptr);
                   }),
              repaints);
        Print(style, L"tick",
              Time(repaints,
                   [&] {
                       bar.Relayout();
                       ::UpdateWindow(hwnd);
                   }),
              repaints);
    }
    app.graphics = GraphicsFactories{};
    return 0;
}
