// Search as the start surfaces run it on every keystroke: a large catalog
// (10,000 apps, far beyond a real machine's few hundred), the settings
// pages and a full launch history, ranked for each prefix of typed queries. And CorLauncher's grid,
// built on every open from the stored order and the catalog.

#include "start/CatalogRules.h"
#include "start/LaunchRecords.h"
#include "start/LauncherGrid.h"
#include "start/Search.h"

#include <benchmark/benchmark.h>

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

// What a user types, each prefix one keystroke: "visual st", "code vis"
// (words in another order), "térm" (an accent) and "zzz" (no match: every
// entry scored to the end).
std::vector<std::wstring> Keystrokes() {
    std::vector<std::wstring> typed;
    for (const std::wstring word : {L"visual st", L"code vis", L"t\u00E9rm", L"zzz"}) {
        for (std::size_t n = 1; n <= word.size(); ++n) {
            typed.push_back(word.substr(0, n));
        }
    }
    return typed;
}

// The system's folding is a Win32 call; here ASCII lower case and the
// accents the queries use stand in for it (one call per keystroke for the
// query, the names are folded once when indexed).
std::wstring BenchFold(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
        c = c == L'\u00E9' ? L'e' : (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c;
    }
    return folded;
}

// 10,000 apps, settings pages and a full launch history (200 apps, spread
// over the catalog and over a month); reported as time per keystroke.
void BM_SearchKeystroke(benchmark::State& state) {
    static const std::vector<corvane::AppEntry> catalog = Catalog();
    static const std::vector<corvane::AppEntry> settingsPages = corvane::SettingsEntries(false);
    const corvane::SearchIndex apps(catalog, BenchFold);
    const corvane::SearchIndex settings(settingsPages, BenchFold);
    corvane::LaunchRecords history;
    for (std::size_t i = 0; i < corvane::LaunchRecords::kMaxRecords; ++i) {
        for (std::size_t start = 0; start <= i % 5; ++start) {
            history.Record(catalog[i * 47 % catalog.size()].key, static_cast<int64_t>(i) * 13000);
        }
    }
    const std::vector<std::wstring> typed = Keystrokes();
    for (auto _ : state) {
        for (const std::wstring& query : typed) {
            benchmark::DoNotOptimize(
                corvane::SearchEntries(apps, settings, history, query, kResults));
        }
    }
    state.counters["per_keystroke"] = benchmark::Counter(
        static_cast<double>(typed.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond);

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
