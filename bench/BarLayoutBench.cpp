// One layout of a typical main bar, as every paint (clock tick, hover,
// application change) runs it: name, eight menus, six tray icons, status and
// clock. Text is measured at a fixed advance, so this is the layout's own
// cost without DirectWrite.

#include "bar/BarLayout.h"
#include "core/BarLayoutFakes.h"

#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

namespace {

using corvane::BarLayoutInput;
using corvane::BarLayoutResult;
using corvane::BarStyle;

BarLayoutInput TypicalInput(corvane::test::FakeTrayStrip& strip, BarStyle style) {
    BarLayoutInput input;
    input.width = 1920;
    input.height = 28;
    input.style = style;
    input.clockText = L"Mon Jan 6   14:05";
    input.hasBattery = true;
    input.trayHostPresent = true;
    input.buildTrayStrip = strip.Builder();
    input.appDisplayName = L"File Explorer";
    input.menuTitles = {L"File",   L"Edit",  L"View",      L"Go",
                        L"Window", L"Tools", L"Bookmarks", L"Help"};
    return input;
}

void BM_LayoutBarTypical(benchmark::State& state) {
    corvane::test::FakeTrayStrip strip(6, 28);
    const BarLayoutInput input = TypicalInput(strip, static_cast<BarStyle>(state.range(0)));
    corvane::test::FakeBarTextMeasurer measurer;
    BarLayoutResult result;
    for (auto _ : state) {
        // The fake keeps every request; cleared, its storage is reused.
        measurer.requests.clear();
        measurer.discarded.clear();
        corvane::LayoutBar(input, measurer, result);
        benchmark::DoNotOptimize(result.items.data());
    }
    if (result.placedMenuTitles != 8) {
        state.SkipWithError("not every menu title was placed");
    }
}
BENCHMARK(BM_LayoutBarTypical)->Arg(0)->Arg(2)->Arg(3);

void BM_HitTestBarTypical(benchmark::State& state) {
    corvane::test::FakeTrayStrip strip(6, 28);
    const BarLayoutInput input = TypicalInput(strip, BarStyle::Classic);
    corvane::test::FakeBarTextMeasurer measurer;
    const BarLayoutResult result = corvane::LayoutBar(input, measurer);
    float x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(corvane::HitTestBar(result.items, x, 20, 144));
        x = x < 2880 ? x + 37 : 0;
    }
}
BENCHMARK(BM_HitTestBarTypical);

}  // namespace
