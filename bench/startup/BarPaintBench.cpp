// Time of one bar paint: a real Bar on the primary display, repainted
// synchronously many times; prints the median and the spread.

#include "app/App.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/ThemeReader.h"
#include "base/Win32Handles.h"
#include "bar/Bar.h"

#include <algorithm>
#include <cstdio>
#include <vector>

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int repaints = argc > 1 ? std::max(10, _wtoi(argv[1])) : 300;
    ComApartment com;
    App& app = TheApp();
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
        LARGE_INTEGER frequency;
        ::QueryPerformanceFrequency(&frequency);
        std::vector<double> ms;
        for (int i = 0; i < repaints; ++i) {
            LARGE_INTEGER t0;
            LARGE_INTEGER t1;
            ::QueryPerformanceCounter(&t0);
            ::RedrawWindow(bar.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            ::QueryPerformanceCounter(&t1);
            ms.push_back(1000.0 * static_cast<double>(t1.QuadPart - t0.QuadPart) /
                         static_cast<double>(frequency.QuadPart));
            MSG msg;
            while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                ::DispatchMessageW(&msg);
            }
        }
        std::sort(ms.begin(), ms.end());
        std::wprintf(L"Bar paint, style %d: median %.3f ms, p10 %.3f ms, p90 %.3f ms (%d repaints)\n",
                     style, ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10], repaints);
    }
    app.graphics = GraphicsFactories{};
    return 0;
}
