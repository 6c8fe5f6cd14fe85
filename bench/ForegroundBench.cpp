// The decision EvaluateForeground makes on every foreground change, with the
// display-name cache warm: what remains once the version resources and icons
// of the running applications have been read.

#include "identity/DisplayNameCache.h"
#include "identity/ForegroundDecision.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using corvane::AppIdentity;
using corvane::CurrentAppView;
using corvane::DisplayNameCache;
using corvane::ForegroundFacts;
using corvane::ForegroundSources;
using corvane::IdentifyForeground;
using corvane::IsApplicationChange;
using corvane::kDisplayNameCacheCapacity;

// Stands in for the system; after warming it is never asked again.
class WarmSources final : public ForegroundSources {
public:
    std::optional<std::wstring> HostedAppPath(uint64_t) override {
        return L"C:\\Program Files\\WindowsApps\\Calculator\\CalculatorApp.exe";
    }
    std::wstring FileDescription(const std::wstring& path) override { return path.substr(3); }
    uint64_t ExtractFileIcon(const std::wstring& path) override { return path.size(); }
    uint64_t WindowIcon(uint64_t window) override { return window; }
    uint64_t CopyIcon(uint64_t icon) override { return icon; }
};

void NoDestroy(uint64_t) noexcept {}

std::vector<ForegroundFacts> TypicalSwitches() {
    std::vector<ForegroundFacts> facts;
    for (int i = 0; i < 24; ++i) {
        facts.push_back({static_cast<uint64_t>(0x10000 + i), L"Chrome_WidgetWin_1",
                         L"C:\\Program Files\\Vendor" + std::to_wstring(i) + L"\\app" +
                             std::to_wstring(i) + L".exe"});
    }
    facts.push_back(
        {0x20000, L"ApplicationFrameWindow", L"C:\\Windows\\System32\\ApplicationFrameHost.exe"});
    facts.push_back({0x20001, L"CabinetWClass", L"C:\\Windows\\explorer.exe"});
    facts.push_back({0x20002, L"#32768", L"C:\\Windows\\explorer.exe"});
    return facts;
}

void BM_IdentifyForegroundWarm(benchmark::State& state) {
    DisplayNameCache cache(kDisplayNameCacheCapacity, &NoDestroy);
    WarmSources sources;
    const std::vector<ForegroundFacts> switches = TypicalSwitches();
    for (const ForegroundFacts& f : switches) {
        (void)IdentifyForeground(f, cache, sources);
    }
    std::wstring shownName = L"Editor";
    uint64_t shownWindow = 0;
    uint64_t shownIcon = 0;
    std::size_t i = 0;
    for (auto _ : state) {
        const ForegroundFacts& f = switches[i++ % switches.size()];
        const std::optional<AppIdentity> id = IdentifyForeground(f, cache, sources);
        if (id &&
            IsApplicationChange(CurrentAppView{shownWindow, shownName, shownIcon}, f.window, *id)) {
            shownWindow = f.window;
            shownName = id->displayName;
            shownIcon = id->icon;
        }
        benchmark::DoNotOptimize(shownIcon);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_IdentifyForegroundWarm);

}  // namespace
