// The dock's work per rebuild (every window that opens, closes or changes
// app, and every shell hook): grouping a busy desktop's windows into items
// against the pinned list, then laying out the cells.

#include "dock/DockGeometry.h"
#include "dock/DockModel.h"
#include "dock/PreviewLayout.h"
#include "identity/AppTargets.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kWindows = 200;
constexpr int kApps = 40;
constexpr int kPinned = 8;

std::wstring ExePath(int app) {
    return L"C:\\Program Files\\Vendor " + std::to_wstring(app) + L"\\App" + std::to_wstring(app) +
           L".exe";
}

// Every fifth app is packaged and known by its AppUserModelID only.
std::vector<corvane::WindowIdentity> Windows() {
    std::vector<corvane::WindowIdentity> windows;
    windows.reserve(kWindows);
    for (int i = 0; i < kWindows; ++i) {
        const int app = (i * 7) % kApps;
        const std::wstring exe = ExePath(app);
        const std::wstring appId =
            app % 5 == 0 ? L"Vendor.App" + std::to_wstring(app) + L"_8wekyb3d8bbwe!App" : L"";
        windows.push_back({static_cast<corvane::WindowId>(0x10000 + i), appId,
                           corvane::NormalizePathKey(exe), exe});
    }
    return windows;
}

// Pinned entries as users write them: forward slashes and other case, and
// one AppsFolder entry.
std::vector<std::wstring> Pinned() {
    std::vector<std::wstring> pinned;
    for (int app = 1; app < kPinned; ++app) {
        pinned.push_back(L"c:/program files/vendor " + std::to_wstring(app * 3) + L"/APP" +
                         std::to_wstring(app * 3) + L".EXE");
    }
    pinned.push_back(L"shell:AppsFolder\\Vendor.App10_8wekyb3d8bbwe!App");
    return pinned;
}

void BM_RebuildDockItems(benchmark::State& state) {
    const std::vector<corvane::WindowIdentity> windows = Windows();
    const std::vector<std::wstring> pinned = Pinned();
    // The previous list, as the dock holds it between rebuilds.
    const std::vector<corvane::DockItem> old = corvane::RebuildDockItems({}, pinned, windows).items;
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::RebuildDockItems(old, pinned, windows));
    }
}
BENCHMARK(BM_RebuildDockItems);

void BM_LayoutDock(benchmark::State& state) {
    const std::vector<corvane::DockItem> items =
        corvane::RebuildDockItems({}, Pinned(), Windows()).items;
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::LayoutDock(items, 48, true));
    }
    state.counters["items"] = static_cast<double>(items.size());
}
BENCHMARK(BM_LayoutDock);

// Six windows of mixed shapes at 144 DPI: the cards, the popup's place, each
// thumbnail's destination in pixels and the titles as read (over-long ones cut).
void BM_ShowSixPreviewCards(benchmark::State& state) {
    const corvane::PixelSize windows[] = {{1920, 1040}, {800, 600}, {300, 1200},
                                          {2560, 400},  {160, 24},  {1280, 720}};
    const std::wstring title(300, L'x');
    for (auto _ : state) {
        const corvane::PreviewLayout layout = corvane::LayoutPreview(windows, 144);
        benchmark::DoNotOptimize(corvane::PreviewPopupRect(layout, 144, 1280, 1300, 0, 2560));
        for (const corvane::PreviewCardRects& card : layout.cards) {
            benchmark::DoNotOptimize(corvane::PreviewToPixels(card.thumbnail, 144));
            benchmark::DoNotOptimize(corvane::CapPreviewTitle(title));
        }
    }
}
BENCHMARK(BM_ShowSixPreviewCards);

}  // namespace
