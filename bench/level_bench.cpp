// Building a level: what the stairs and a new game cost, beside the floor of
// reading the level file alone.
#include "bench_game.h"
#include "map/random_level.h"
#include "util/files.h"

#include <benchmark/benchmark.h>

namespace {

using namespace gf;

void readLevelFile(benchmark::State& state) {
    const std::string path = std::string(GLOAMFELL_DATA_DIR) + "/murkhol1.map";
    for (auto _ : state)
        benchmark::DoNotOptimize(readDataFile(path));
}
BENCHMARK(readLevelFile)->Unit(benchmark::kMicrosecond);

// Read, clear (the item catalogue re-read with it), place, join walls.
void buildMurkhol1(benchmark::State& state) {
    bench::BenchGame b;
    b.playLevel("murkhol1.map");
    const std::string path = b.game.folder + "/murkhol1.map";
    for (auto _ : state)
        loadLevel(b.game, path);
}
BENCHMARK(buildMurkhol1)->Unit(benchmark::kMicrosecond);

void createRandom(benchmark::State& state) {
    bench::BenchGame b;
    for (auto _ : state)
        createRandomLevel(b.game);
}
BENCHMARK(createRandom)->Unit(benchmark::kMicrosecond);

} // namespace
