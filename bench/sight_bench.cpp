// Visibility and light for a 60 x 34 cell view, as every redraw recomputes
// them, beside the floor of merely clearing the two layers.
#include "bench_game.h"
#include "map/sight.h"

#include <benchmark/benchmark.h>

namespace {

using namespace gf;

constexpr int32_t kRangeX = 30; // half of 1920 x 1080 in 32-pixel cells
constexpr int32_t kRangeY = 17;

void clearLayers(benchmark::State& state) {
    bench::BenchGame b;
    b.playLevel("murkhol1.map");
    for (auto _ : state) {
        b.game.level.visible.create();
        b.game.level.light.create();
        benchmark::ClobberMemory();
        benchmark::DoNotOptimize(b.game.level.light(50, 50));
    }
}
BENCHMARK(clearLayers)->Unit(benchmark::kMicrosecond);

void visibleAndLight(benchmark::State& state, bool open) {
    bench::BenchGame b;
    if (open)
        b.playOpenLevel();
    else
        b.playLevel("murkhol1.map");
    for (auto _ : state) {
        updateVisibility(b.game, kRangeX, kRangeY);
        updateLight(b.game);
        benchmark::DoNotOptimize(&b.game.level.visible(50, 50));
    }
}
BENCHMARK_CAPTURE(visibleAndLight, murkhol1, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(visibleAndLight, open, true)->Unit(benchmark::kMicrosecond);

} // namespace
