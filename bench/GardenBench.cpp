// The desktop beds' work on a crowded desktop: the assignment after every
// load and rescan, and what a bed does on every mouse move over thousands of
// items.

#include "garden/BedLayout.h"
#include "garden/GardenModel.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kItems = 5000;
constexpr int kBeds = 64;

std::wstring Id(int i) {
    return L"c:\\users\\kari nordmann\\desktop\\report " + std::to_wstring(i) + L".docx";
}

corvane::GardenItems Items() {
    corvane::GardenItems items;
    for (int i = 0; i < kItems; ++i) {
        items[Id(i)];
    }
    return items;
}

// Nine in ten items already have a bed, a few ids are listed twice and a
// few name files that are gone; the rest are new.
void BM_AssignItems(benchmark::State& state) {
    const corvane::GardenItems items = Items();
    std::vector<corvane::Bed> beds(kBeds);
    for (int i = 0; i < kItems * 9 / 10; ++i) {
        beds[static_cast<std::size_t>(i % kBeds)].items.push_back(Id(i % 50 == 0 ? i / 2 : i));
        if (i % 100 == 0) {
            beds[static_cast<std::size_t>(i % kBeds)].items.push_back(L"c:\\gone\\" + Id(i));
        }
    }
    beds[kBeds - 1].catchAll = true;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<corvane::Bed> copy = beds;
        state.ResumeTiming();
        benchmark::DoNotOptimize(corvane::AssignItems(copy, items));
    }
}
BENCHMARK(BM_AssignItems)->Unit(benchmark::kMicrosecond);

// A 372 x 300 bed scrolled halfway through 5,000 items: the layout, the item
// under the pointer and, while dragging, the insertion index.
void BM_BedPointerMove(benchmark::State& state) {
    float x = 20;
    for (auto _ : state) {
        const corvane::BedGrid grid = corvane::LayoutBed(372, 300, kItems, 40000, false);
        benchmark::DoNotOptimize(corvane::BedHitTest(grid, kItems, x, 150, false));
        benchmark::DoNotOptimize(corvane::BedInsertionIndex(grid, kItems, x, 150));
        x = x > 350 ? 20 : x + 7;
    }
}
BENCHMARK(BM_BedPointerMove);

// The bed's shown items, worked out again after a rescan, a drop, a sort or a
// deletion; mouse moves use the kept list.
void BM_BedVisibleItems(benchmark::State& state) {
    const corvane::GardenItems items = Items();
    corvane::Bed bed;
    for (const auto& [id, item] : items) {
        bed.items.push_back(id);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::VisibleItems(bed, items));
    }
}
BENCHMARK(BM_BedVisibleItems)->Unit(benchmark::kMicrosecond);

}  // namespace
