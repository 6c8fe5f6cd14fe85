// The tiling manager's work per arrange pass, which runs after every burst
// of window events: the layouts for a full display, and the decisions over a
// busy desktop's top-level windows.

#include "tiling/TileLayout.h"
#include "tiling/TilingRules.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kWindows = 50;
const corvane::PixelRect kWorkArea{0, 0, 2560, 1392};

void BM_TileLayout8(benchmark::State& state) {
    const auto layout = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ComputeTileLayout(kWorkArea, 8, layout, 12));
    }
}
BENCHMARK(BM_TileLayout8)->DenseRange(corvane::kLayoutBsp, corvane::kLayoutMonocle);

// A mix as EnumWindows sees it: most windows fail a rule (tool windows,
// untitled, shell surfaces, a floated program), a dozen are tiled.
std::vector<corvane::TileWindowFacts> Desktop() {
    std::vector<corvane::TileWindowFacts> facts(kWindows);
    for (int i = 0; i < kWindows; ++i) {
        corvane::TileWindowFacts& w = facts[static_cast<std::size_t>(i)];
        w.exists = w.visible = true;
        w.style = corvane::kStyleSizeFrame;
        w.title = L"Document " + std::to_wstring(i) + L" - Editor";
        w.className = L"EditorWindowClass" + std::to_wstring(i % 7);
        w.exeName = L"app" + std::to_wstring(i % 11) + L".exe";
        w.windowRect = {100 + i, 100 + i, 1200 + i, 900 + i};
        w.monitorRect = {0, 0, 2560, 1440};
        switch (i % 4) {
            case 0:
                break;
            case 1:
                w.exStyle = corvane::kExStyleToolWindow;
                break;
            case 2:
                w.title.clear();
                break;
            default:
                w.className = i % 8 == 3 ? L"Windows.UI.Core.CoreWindow" : L"TextEditorClass";
                w.exeName = i % 8 == 3 ? L"searchhost.exe" : w.exeName;
                break;
        }
    }
    return facts;
}

void BM_ArrangeDecisions50(benchmark::State& state) {
    const std::vector<corvane::TileWindowFacts> facts = Desktop();
    const std::vector<std::wstring> floatList = {L"app5.exe", L"calc.exe"};
    // Last pass's order: the tiled windows, every third one now closed.
    std::vector<corvane::TileWindow> oldOrder;
    for (int i = 0; i < kWindows; i += 3) {
        oldOrder.push_back(static_cast<corvane::TileWindow>(0x20000 + i));
    }
    std::vector<corvane::PixelRect> lastApplied(kWindows);
    for (auto _ : state) {
        std::vector<corvane::TileWindow> candidates;
        for (int i = 0; i < kWindows; ++i) {
            if (corvane::IsTileable(facts[static_cast<std::size_t>(i)], floatList)) {
                candidates.push_back(static_cast<corvane::TileWindow>(0x20000 + i));
            }
        }
        const auto order = corvane::NextTilingOrder(oldOrder, candidates);
        const auto targets = corvane::ComputeTileLayout(
            kWorkArea, static_cast<int32_t>(order.size()), corvane::kLayoutBsp, 12);
        int moves = 0;
        for (std::size_t i = 0; i < targets.size(); ++i) {
            moves += corvane::CloseToTarget(lastApplied[i], targets[i]) ? 0 : 1;
        }
        benchmark::DoNotOptimize(moves);
    }
}
BENCHMARK(BM_ArrangeDecisions50);

}  // namespace
