// The pixel scan of icon trimming on a 256 x 256 canvas: the part of
// TrimAndScale that runs on the CPU for every icon loaded at a new size.

#include "identity/IconTrim.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kEdge = 256;

// Transparent canvas with an opaque square of the given side in its middle.
std::vector<uint8_t> Canvas(int contentSide) {
    std::vector<uint8_t> bytes(static_cast<std::size_t>(kEdge) * kEdge * 4, 0);
    const int from = (kEdge - contentSide) / 2;
    for (int y = from; y < from + contentSide; ++y) {
        for (int x = from; x < from + contentSide; ++x) {
            bytes[(static_cast<std::size_t>(y) * kEdge + static_cast<std::size_t>(x)) * 4 + 3] =
                255;
        }
    }
    return bytes;
}

void BM_ComputeIconCrop256(benchmark::State& state) {
    const std::vector<uint8_t> bytes = Canvas(static_cast<int>(state.range(0)));
    const corvane::PixelView view{bytes, kEdge, kEdge, static_cast<std::size_t>(kEdge) * 4};
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::ComputeIconCrop(view));
    }
    state.SetItemsProcessed(state.iterations() * kEdge * kEdge);
}
// Content side 0: blank (every pixel read); 100: small content (cropped);
// 240: an icon that fills its canvas.
BENCHMARK(BM_ComputeIconCrop256)->Arg(0)->Arg(100)->Arg(240);

}  // namespace
