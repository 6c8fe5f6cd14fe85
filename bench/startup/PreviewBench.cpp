// Time of opening a window preview of six cards, as a dock does it: the
// cards read from six windows (one minimised), the popup placed and shown,
// the thumbnails asked for, and the first paint; then the popup hidden.
// Prints the median and the spread of each.
//
//   preview_bench [runs, default 200]

#include "BenchClock.h"
#include "base/Win32Handles.h"
#include "dock/DockPreview.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

void Pump() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageW(&msg);
    }
}

using corvane::bench::NowMs;

void Print(const wchar_t* what, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    std::wprintf(L"Preview %ls, six cards: median %.3f ms, p10 %.3f ms, p90 %.3f ms (%zu runs)\n",
                 what, ms[ms.size() / 2], ms[ms.size() / 10], ms[ms.size() * 9 / 10], ms.size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int runs = argc > 1 ? std::max(10, _wtoi(argv[1])) : 200;
    ComApartment com;
    GraphicsFactories graphics;
    if (!CreateGraphicsFactories(graphics)) {
        std::fwprintf(stderr, L"no Direct2D\n");
        return 1;
    }
    const Settings settings;
    const Theme theme;
    const std::array<SIZE, 6> sizes = {
        {{1280, 720}, {800, 600}, {300, 900}, {1600, 300}, {640, 480}, {1024, 768}}};
    std::vector<UniqueWindow> owned;
    std::vector<HWND> windows;
    for (const SIZE& size : sizes) {
        owned.emplace_back(::CreateWindowExW(0, L"STATIC", L"A window with a title", WS_POPUP, 50,
                                             50, size.cx, size.cy, nullptr, nullptr, nullptr,
                                             nullptr));
        windows.push_back(owned.back().Get());
        ::ShowWindow(windows.back(), windows.size() == 3 ? SW_SHOWMINNOACTIVE : SW_SHOWNOACTIVATE);
    }
    DockPreview preview(::GetModuleHandleW(nullptr), settings, theme, graphics);
    std::vector<double> show;
    std::vector<double> hide;
    for (int i = 0; i < runs; ++i) {
        const double t0 = NowMs();
        preview.Show(nullptr, windows, nullptr, 800, 700, 96);
        ::UpdateWindow(preview.Hwnd());
        const double t1 = NowMs();
        preview.Hide();
        show.push_back(t1 - t0);
        hide.push_back(NowMs() - t1);
        Pump();
    }
    if (preview.Hwnd() == nullptr) {
        std::fwprintf(stderr, L"no preview\n");
        return 1;
    }
    Print(L"show and first paint", show);
    Print(L"hide", hide);
    return 0;
}
