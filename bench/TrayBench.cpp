// The tray's work per program message and per bar layout: a tooltip change
// on a busy tray (programs update their tooltips every few seconds), and the
// strip of a tray with many icons, some hidden, in a remembered order.

#include "tray/TrayIconStore.h"
#include "tray/TrayStrip.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kIcons = 24;

class QuietSystem final : public corvane::TraySystem {
public:
    uint64_t CopyIcon(uint32_t handle) override { return handle; }
    void DestroyIcon(uint64_t) override {}
    bool IsWindow(uint32_t) override { return true; }
    uint32_t ProcessOfWindow(uint32_t window) override { return window; }
    std::wstring ExeNameOfProcess(uint32_t pid) override {
        return L"program" + std::to_wstring(pid % 8) + L".exe";
    }
};

std::vector<uint8_t> Record(uint32_t command, uint32_t owner, uint32_t id, uint32_t flags,
                            const std::wstring& tip) {
    std::vector<uint8_t> bytes(964, 0);
    auto put = [&](std::size_t at, uint32_t value) { std::memcpy(&bytes[at], &value, 4); };
    put(4, command);
    put(12, owner);
    put(16, id);
    put(20, flags);
    put(24, 0x8001);
    put(28, 0x1000 + id);
    for (std::size_t i = 0; i < tip.size() && i < 127; ++i) {
        const auto unit = static_cast<uint16_t>(tip[i]);
        std::memcpy(&bytes[32 + 2 * i], &unit, 2);
    }
    return bytes;
}

void Fill(corvane::TrayIconStore& store) {
    for (int i = 0; i < kIcons; ++i) {
        const auto id = static_cast<uint32_t>(i);
        (void)store.Handle(corvane::kTrayDataNotify,
                           Record(0, 0x100 + id, id, 0x07, L"Icon " + std::to_wstring(i)));
    }
}

void BM_TrayTooltipChange(benchmark::State& state) {
    QuietSystem system;
    corvane::TrayIconStore store(system);
    Fill(store);
    // The last icon: the match walks the whole list.
    const std::vector<uint8_t> modify =
        Record(1, 0x100 + kIcons - 1, kIcons - 1, 0x04, L"Syncing 3 files - 42 % done");
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.Handle(corvane::kTrayDataNotify, modify));
    }
}
BENCHMARK(BM_TrayTooltipChange);

void BM_LayoutTrayStrip(benchmark::State& state) {
    QuietSystem system;
    corvane::TrayIconStore store(system);
    Fill(store);
    const std::vector<std::wstring> order = {L"program5.exe", L"program2.exe", L"program7.exe"};
    const std::vector<std::wstring> hidden = {L"program3.exe", L"icon 1"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            corvane::LayoutTrayStrip(store.Icons(), order, hidden, L"", 1500.0f, 32.0f));
    }
}
BENCHMARK(BM_LayoutTrayStrip);

}  // namespace
