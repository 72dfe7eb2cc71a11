// Filling a level with items: a random level adds about 2,100 walls and
// carves some away again, all through the lowest-free search.
#include "items/item_table.h"
#include "scripted_platform.h"

#include <benchmark/benchmark.h>

namespace {

using namespace gf;

void BM_RandomLevelWalls(benchmark::State& state) {
    ScriptedPlatform io;
    Game g(io.platform(), "/nonexistent");
    const int walls = static_cast<int>(state.range(0));
    for (auto _ : state) {
        emptyItemTable(g);
        g.level.itemAt.create();
        for (int k = 0; k < walls; ++k)
            addItem(g, 1, k % 101, k / 101);
        // Doors and room interiors free scattered entries, which the next additions refill.
        for (int k = 0; k < walls; k += 7)
            removeItem(g, k + 1);
        for (int k = 0; k < walls; k += 7)
            addItem(g, 17, k % 101, k / 101);
        benchmark::DoNotOptimize(g.items.size());
    }
}
BENCHMARK(BM_RandomLevelWalls)->Arg(2100)->Arg(9000)->Unit(benchmark::kMicrosecond);

} // namespace
