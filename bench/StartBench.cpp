// Search as the start surfaces run it on every keystroke: a large catalog
// (10,000 apps, far beyond a real machine's few hundred) and the settings
// pages, ranked for each prefix of a typed word. And CorLauncher's grid,
// built on every open from the stored order and the catalog.

#include "start/CatalogRules.h"
#include "start/LauncherGrid.h"
#include "start/Search.h"

#include <benchmark/benchmark.h>

#include <cwchar>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kApps = 10000;
constexpr std::size_t kResults = 9;

std::vector<corvane::AppEntry> Catalog(int apps = kApps) {
    const wchar_t* const words[] = {L"Studio", L"Visual", L"Paint", L"Office", L"Player",
                                    L"Notes",  L"Code",   L"Photo", L"Mail",   L"Terminal"};
    std::vector<corvane::AppEntry> catalog;
    catalog.reserve(static_cast<std::size_t>(apps));
    for (int i = 0; i < apps; ++i) {
        const std::wstring name =
            std::wstring(words[i % 10]) + L" " + words[(i / 10) % 10] + L" " + std::to_wstring(i);
        catalog.push_back(
            corvane::MakeAppEntry(name, L"shell:AppsFolder\\Vendor.App" + std::to_wstring(i),
                                  L"C:\\Program Files\\Vendor " + std::to_wstring(i / 7) +
                                      L"\\app" + std::to_wstring(i) + L".exe"));
    }
    return catalog;
}

// The query after each keystroke of "visual st", "terminal" and "zzz" (no
// match: every entry scored to the end).
const wchar_t* const kQueries[] = {L"v",  L"vi",       L"visual", L"visual st", L"t",
                                   L"te", L"terminal", L"z",      L"zzz"};

void BM_SearchKeystroke(benchmark::State& state) {
    static const std::vector<corvane::AppEntry> catalog = Catalog();
    static const std::vector<corvane::AppEntry> settings = corvane::SettingsEntries(false);
    const wchar_t* query = kQueries[state.range(0)];
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::SearchEntries(catalog, settings, query, kResults));
    }
    state.SetLabel(std::string(query, query + std::wcslen(query)));
    state.SetItemsProcessed(state.iterations() * kApps);
}
BENCHMARK(BM_SearchKeystroke)
    ->DenseRange(0, std::size(kQueries) - 1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// 1,000 apps, the stored order naming every second one from the end
// backwards (a user's arrangement) plus keys of apps that are gone.
void BM_BuildLauncherGrid(benchmark::State& state) {
    constexpr int kGridApps = 1000;
    const std::vector<corvane::AppEntry> catalog = Catalog(kGridApps);
    std::wstring stored;
    for (int i = kGridApps - 1; i >= 0; i -= 2) {
        stored += catalog[static_cast<std::size_t>(i)].key + L"|";
    }
    for (int i = 0; i < 50; ++i) {
        stored += L"shell:appsfolder\\gone.app" + std::to_wstring(i) + L"|";
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ArrangeLauncher(stored, catalog));
    }
    state.SetItemsProcessed(state.iterations() * kGridApps);
}
BENCHMARK(BM_BuildLauncherGrid)->Unit(benchmark::kMicrosecond);

}  // namespace
