// The desktop beds with 5,000 files on the desktop: the scan, a save of
// garden.ini, a bed's full repaint with 12 and with 5,000 items, and the
// working set before and after scrolling through all of them.
//
//   garden_bench [runs, default 9]

#include "BenchClock.h"
#include "base/Win32Handles.h"
#include "garden/BedWindow.h"
#include "garden/DesktopScan.h"
#include "garden/GardenStore.h"
#include "garden/ItemMenu.h"
#include "support/WinTestSupport.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

using namespace corvane;
using corvane::bench::NowMs;
using corvane::bench::ProcessCpuMs;
constexpr int kFiles = 5000;

// No icons (every cell shows its placeholder) and no commands.
class QuietHost final : public BedHost {
public:
    IWICBitmapSource* ItemIcon(const GardenItem&, int32_t) override { return nullptr; }
    void SaveSoon() override {}
    std::vector<PixelRect> OtherBedRects(std::size_t) override { return {}; }
    void SelectionChanged(std::size_t) override {}
    void OpenItem(const std::wstring&) override {}
    void ItemMenu(std::size_t, const std::wstring&, POINT) override {}
    void BedMenu(std::size_t, POINT) override {}
    BedWindow* BedWindowOf(HWND) override { return nullptr; }
    void RepaintBeds() override {}
};

// The median wall time and the mean CPU time of a run.
struct Timing {
    double median;
    double cpu;
};
Timing Time(int runs, const std::function<void()>& work) {
    std::vector<double> ms;
    const double cpu0 = ProcessCpuMs();
    for (int i = 0; i < runs; ++i) {
        const double t0 = NowMs();
        work();
        ms.push_back(NowMs() - t0);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], (ProcessCpuMs() - cpu0) / runs};
}

double WorkingSetMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.WorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 1 ? std::max(3, _wtoi(argv[1])) : 9;
    ComApartment com;
    GraphicsFactories graphics;
    test::RedirectedDesktops desktops;
    if (!CreateGraphicsFactories(graphics) || !desktops.ready) {
        std::fwprintf(stderr, L"no Direct2D or no redirected desktop\n");
        return 1;
    }
    for (int i = 0; i < kFiles; ++i) {
        const std::wstring name = L"Report " + std::to_wstring(i) + L".docx";
        UniqueHandle file(::CreateFileW(desktops.user.File(name.c_str()).c_str(), GENERIC_WRITE, 0,
                                        nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    const double atStart = WorkingSetMb();
    GardenItems items;
    const auto print = [](const std::wstring& what, Timing t) {
        std::wprintf(L"Garden: %ls: median %.2f ms, CPU %.2f ms\n", what.c_str(), t.median, t.cpu);
    };
    print(L"scan of " + std::to_wstring(kFiles) + L" desktop files",
          Time(runs, [&] { items = ScanDesktop(); }));

    std::vector<Bed> beds(2);
    beds[1].catchAll = true;
    AssignItems(beds, items);
    test::TempFolder folder;
    const std::wstring path = folder.File(L"garden.ini");
    print(L"save of " + std::to_wstring(items.size()) + L" ids",
          Time(runs, [&] { SaveGardenBeds(beds, path); }));
    if (LoadGardenBeds(path).beds.size() != beds.size()) {
        std::fwprintf(stderr, L"the save failed\n");
        return 1;
    }

    std::wprintf(L"Garden: working set %.1f MB at start, %.1f MB after the scans and saves\n",
                 atStart, WorkingSetMb());
    const Settings settings;
    const Theme theme;
    QuietHost host;
    ItemMenu itemMenu;
    BedContext context{
        ::GetModuleHandleW(nullptr), settings, theme, graphics, items, beds, host, itemMenu};
    beds[1].rect = {100, 100, 472, 400};
    const std::vector<std::wstring> all = beds[1].items;
    beds[1].items.resize(12);
    BedWindow bed(context, 1);
    if (!bed.Create()) {
        std::fwprintf(stderr, L"no bed window\n");
        return 1;
    }
    const auto repaint = [&] {
        ::InvalidateRect(bed.Hwnd(), nullptr, FALSE);
        ::UpdateWindow(bed.Hwnd());
    };
    print(L"bed repaint, 12 items", Time(runs, repaint));
    beds[1].items = all;
    print(L"bed repaint, " + std::to_wstring(all.size()) + L" items", Time(runs, repaint));

    // 48 DIPs a notch, four columns of 80-DIP rows: past the last row. Painted
    // as a fast wheel is, every few notches.
    const int notches = static_cast<int>(all.size()) * 80 / 4 / 48 + 10;
    const double before = WorkingSetMb();
    const double t0 = NowMs();
    const double cpu0 = ProcessCpuMs();
    for (int i = 0; i < notches; ++i) {
        ::SendMessageW(bed.Hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA),
                       MAKELPARAM(200, 250));
        // Four notches move 2.4 rows, less than a bed shows: every row is drawn.
        if (i % 4 == 3) {
            ::UpdateWindow(bed.Hwnd());
        }
    }
    std::wprintf(
        L"Garden: scroll through %zu items, %d notches: %.2f ms a notch, CPU %.2f ms; "
        L"working set %.1f MB before, %.1f MB after\n",
        all.size(), notches, (NowMs() - t0) / notches, (ProcessCpuMs() - cpu0) / notches, before,
        WorkingSetMb());
    bed.Destroy();
    return 0;
}
