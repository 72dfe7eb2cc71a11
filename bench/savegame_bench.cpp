// Saving and loading a game in play, beside the floor of writing and reading
// the same bytes with nothing else done.
#include "bench_game.h"
#include "savegame/savegame.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

using namespace gf;
namespace fs = std::filesystem;

// The shipped data in a folder of our own, since saving writes into it.
struct SaveFolder {
    SaveFolder() : path(fs::temp_directory_path() / ("gloamfell-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(path);
        for (const char* name : {"item.ini", "monster.ini", "murkhol1.map"})
            fs::copy_file(fs::path(GLOAMFELL_DATA_DIR) / name, path / name,
                          fs::copy_options::overwrite_existing);
    }
    ~SaveFolder() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

std::string readAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFloor(benchmark::State& state) {
    SaveFolder folder;
    bench::BenchGame b(nullptr, folder.path.string());
    b.playLevel("murkhol1.map");
    saveGameFile(b.game, "Bench");
    const std::string bytes = readAll(folder.path / "saved" / "Bench.saved");
    const fs::path file = folder.path / "floor.saved";
    for (auto _ : state) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
        ::close(fd);
    }
}
BENCHMARK(writeFloor)->Unit(benchmark::kMicrosecond);

void save(benchmark::State& state) {
    SaveFolder folder;
    bench::BenchGame b(nullptr, folder.path.string());
    b.playLevel("murkhol1.map");
    for (auto _ : state)
        if (!saveGameFile(b.game, "Bench")) state.SkipWithError("the save failed");
}
BENCHMARK(save)->Unit(benchmark::kMicrosecond);

void readFloor(benchmark::State& state) {
    SaveFolder folder;
    bench::BenchGame b(nullptr, folder.path.string());
    b.playLevel("murkhol1.map");
    saveGameFile(b.game, "Bench");
    const fs::path file = folder.path / "saved" / "Bench.saved";
    for (auto _ : state)
        benchmark::DoNotOptimize(readAll(file));
}
BENCHMARK(readFloor)->Unit(benchmark::kMicrosecond);

// Reading, checking every record and rebuilding the layers.
void load(benchmark::State& state) {
    SaveFolder folder;
    bench::BenchGame b(nullptr, folder.path.string());
    b.playLevel("murkhol1.map");
    saveGameFile(b.game, "Bench");
    const std::string file = (folder.path / "saved" / "Bench.saved").string();
    for (auto _ : state)
        if (!loadGameFile(b.game, file)) state.SkipWithError("the load failed");
}
BENCHMARK(load)->Unit(benchmark::kMicrosecond);

} // namespace
