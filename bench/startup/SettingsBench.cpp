// The settings window under Wine: the open command to its first painted
// frame, a page switch (rows built again and painted), and the working set
// after closing next to before opening, beside a bare Direct2D window's
// creation to first paint in the same process.
//
//   settings_bench [opens, default 10]

#include "BenchClock.h"
#include "base/Win32Handles.h"
#include "config/SettingsLoader.h"
#include "config/Win32ProfileStore.h"
#include "identity/IconLoader.h"
#include "settings/SettingsWindow.h"
#include "toolkit/GraphicsFactories.h"
#include "toolkit/ThemeReader.h"

#include <d2d1.h>
#include <psapi.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <optional>
#include <vector>

namespace {

using corvane::bench::NowMs;

// Nothing the pages ask for acts: only the window's own work is timed.
class QuietHost final : public corvane::SettingsHost, public corvane::DesktopFacts {
public:
    std::optional<int32_t> DockTop(HMONITOR) const override { return std::nullopt; }
    bool TaskbarHiddenByDock() const override { return false; }
    HWND CommandWindow() const override { return command; }
    HWND command = nullptr;
    void ApplyCenterStart() override {}
    void ApplyTilingSettings() override {}
    void ApplyFocusShortcuts() override {}
    void RefreshBars() override {}
    void ApplyHotCorners() override {}
    void RefreshGardenGlass() override {}
    void NewBed() override {}
    void ResetGarden() override {}
    void UnhideTrayEntry(const std::wstring&) override {}
    void ResetTrayOrder() override {}
    void ShowStartSurface(int32_t) override {}
    void EditFile(const std::wstring&) override {}
    std::wstring MenusFilePath() override { return L""; }
    void ShowLicense() override {}
    void Quit() override {}
    void SettingsNotSaved() override {}
    bool StartsWithWindows() override { return false; }
    void SetStartWithWindows(bool) override {}
    std::vector<corvane::DisplaySize> Displays() override { return {{1920, 1080, true}}; }
    std::wstring TrayTooltip(const std::wstring&) override { return L""; }
    std::wstring FormatToday(const std::wstring& picture) override { return picture; }
    double WorkingSetMb() override { return 0; }
    std::wstring Version() override { return L"0.0.0"; }
    std::wstring TypedByShortcut(uint32_t, uint32_t) override { return L""; }
};

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

// Handles messages until one satisfies `done` (true) or 5 s passed (false).
bool PumpUntil(const std::function<bool(const MSG&)>& done) {
    const double end = NowMs() + 5000;
    while (NowMs() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
            if (done(msg)) {
                return true;
            }
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
    return false;
}

void PumpFor(double ms) {
    const double end = NowMs() + ms;
    (void)PumpUntil([&](const MSG&) { return NowMs() >= end; });
}

bool IsPaintOf(const MSG& msg, const wchar_t* className) {
    wchar_t name[64] = {};
    return msg.message == WM_PAINT && ::GetClassNameW(msg.hwnd, name, 64) > 0 &&
           std::wstring_view(name) == className;
}

ID2D1Factory* g_d2d = nullptr;

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_PAINT) {
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    PAINTSTRUCT ps;
    ::BeginPaint(hwnd, &ps);
    RECT client;
    ::GetClientRect(hwnd, &client);
    Microsoft::WRL::ComPtr<ID2D1HwndRenderTarget> target;
    if (SUCCEEDED(g_d2d->CreateHwndRenderTarget(
            D2D1::RenderTargetProperties(),
            D2D1::HwndRenderTargetProperties(hwnd, D2D1::SizeU(static_cast<UINT32>(client.right),
                                                               static_cast<UINT32>(client.bottom))),
            &target))) {
        target->BeginDraw();
        target->Clear(D2D1::ColorF(D2D1::ColorF::White));
        (void)target->EndDraw();
    }
    ::EndPaint(hwnd, &ps);
    return 0;
}

constexpr wchar_t kBareClass[] = L"CorvaneBareSettings";

// A window of the settings window's size, made and painted once.
double BareWindowToFirstPaint() {
    const double start = NowMs();
    const HWND hwnd =
        ::CreateWindowExW(WS_EX_NOACTIVATE, kBareClass, L"Bare", WS_OVERLAPPEDWINDOW, 500, 210, 920,
                          660, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    const bool painted = PumpUntil([](const MSG& msg) { return IsPaintOf(msg, kBareClass); });
    const double ms = NowMs() - start;
    ::DestroyWindow(hwnd);
    PumpFor(50);
    return painted ? ms : -1;
}

struct Spread {
    double median = -1;
    double p90 = -1;
};

Spread Of(std::vector<double> ms) {
    std::erase_if(ms, [](double t) { return t < 0; });
    if (ms.empty()) {
        return {};
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10]};
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    using namespace corvane;
    const int runs = argc > 1 ? std::max(3, _wtoi(argv[1])) : 10;
    ComApartment com;
    GraphicsFactories graphics;
    if (!CreateGraphicsFactories(graphics)) {
        std::fwprintf(stderr, L"no Direct2D\n");
        return 1;
    }
    SetThreadImagingFactory(graphics.wic.Get());
    g_d2d = graphics.d2d.Get();
    WNDCLASSW bare = {};
    bare.lpfnWndProc = BareProc;
    bare.hInstance = ::GetModuleHandleW(nullptr);
    bare.lpszClassName = kBareClass;
    ::RegisterClassW(&bare);

    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring ini = std::wstring(temp) + L"corvane-settings-bench.ini";
    ::DeleteFileW(ini.c_str());
    Win32ProfileStore store(ini);
    Settings settings = LoadSettings(store, ini);
    const Theme theme = ReadTheme();
    QuietHost host;
    const UniqueWindow command(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                                 nullptr, nullptr, nullptr));
    host.command = command.Get();
    SettingsWindow window({.instance = ::GetModuleHandleW(nullptr),
                           .settings = settings,
                           .theme = theme,
                           .graphics = graphics,
                           .host = host,
                           .desktop = host});

    // The running program has drawn text long before: the first window of the
    // process loads the fonts and the Direct2D stack, timed apart.
    std::vector<double> bareMs;
    for (int i = 0; i < runs; ++i) {
        bareMs.push_back(BareWindowToFirstPaint());
    }
    const auto openOnce = [&] {
        const double start = NowMs();
        window.Open(0);
        const bool painted =
            PumpUntil([](const MSG& msg) { return IsPaintOf(msg, kSettingsWindowClass); });
        return painted ? NowMs() - start : -1;
    };
    const auto close = [&] {
        ::SendMessageW(window.Hwnd(), WM_CLOSE, 0, 0);
        PumpFor(100);
    };
    const double first = openOnce();
    close();
    PumpFor(300);
    const double before = WorkingSetMb();
    std::vector<double> openMs;
    std::vector<double> switchMs;
    std::vector<double> paintMs;
    for (int i = 0; i < runs; ++i) {
        openMs.push_back(openOnce());
        for (int32_t page = 1; page < 9; ++page) {
            const double start = NowMs();
            window.Open(page);
            ::UpdateWindow(window.Hwnd());
            switchMs.push_back(NowMs() - start);
            const double repaint = NowMs();
            ::InvalidateRect(window.Hwnd(), nullptr, FALSE);
            ::UpdateWindow(window.Hwnd());
            paintMs.push_back(NowMs() - repaint);
        }
        close();
    }
    PumpFor(300);
    const double after = WorkingSetMb();
    ::DeleteFileW(ini.c_str());

    const Spread bareSpread = Of(bareMs);
    const Spread openSpread = Of(openMs);
    const Spread switchSpread = Of(switchMs);
    const Spread paintSpread = Of(paintMs);
    std::wprintf(L"Bare Direct2D window, creation to first paint: median %.1f ms, p90 %.1f ms\n",
                 bareSpread.median, bareSpread.p90);
    std::wprintf(L"Settings window, first open in the process to first paint: %.1f ms\n", first);
    std::wprintf(L"Settings window, open to first paint: median %.1f ms, p90 %.1f ms (%d opens)\n",
                 openSpread.median, openSpread.p90, runs);
    std::wprintf(
        L"Settings window, page switch with rows and paint: median %.2f ms, p90 %.2f ms "
        L"(%zu switches)\n",
        switchSpread.median, switchSpread.p90, switchMs.size());
    std::wprintf(L"Settings window, repaint of the same page: median %.2f ms, p90 %.2f ms\n",
                 paintSpread.median, paintSpread.p90);
    std::wprintf(
        L"Working set before opening %.1f MB, after %d opens and closes %.1f MB (%+.1f MB)\n",
        before, runs, after, after - before);
    return 0;
}
