// Loading corvane.ini's rules over an in-memory file: the cost of every
// settings reload apart from the file I/O.

#include "config/SettingsLoader.h"
#include "core/FakeProfileStore.h"
#include "resources/DefaultSettingsText.h"

#include <benchmark/benchmark.h>

namespace {

void BM_LoadSettingsFromDefaultFile(benchmark::State& state) {
    const std::wstring text(corvane::DefaultSettingsText(false));
    for (auto _ : state) {
        corvane::test::FakeProfileStore store(text);
        benchmark::DoNotOptimize(corvane::LoadSettings(store, L"C:\\corvane.ini"));
    }
}
BENCHMARK(BM_LoadSettingsFromDefaultFile);

}  // namespace
