// The view drawn into the real Qt canvas, beside the floor of any full-frame
// redraw: one memcpy of a 1920 x 1080 frame. A redraw runs on every key press
// and every 100 ms, so it must stay a small multiple of that floor.
#include "bench_game.h"
#include "qt_canvas.h"
#include "render/view.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

using namespace gf;

void memcpyFrame(benchmark::State& state) {
    std::vector<char> from(1920 * 1080 * 4, 1), to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(memcpyFrame)->Unit(benchmark::kMicrosecond);

enum class Level { Murkhol1, Open };

void display(benchmark::State& state, Level level, int width, int height) {
    QtCanvas canvas(width, height);
    bench::BenchGame b(&canvas);
    if (level == Level::Open)
        b.playOpenLevel();
    else
        b.playLevel("murkhol1.map");
    // Sheets as start-up loads them.
    for (const auto& [sheet, file] : {std::pair{kSheetBackground, "/background.bmp"},
                                      {kSheetVoid, "/void.bmp"},
                                      {kSheetLight, "/light.bmp"},
                                      {kSheetDamage, "/damage.bmp"},
                                      {kSheetItem, "/item.bmp"}})
        canvas.loadSheet(sheet, b.game.folder + file);
    for (int n = 0; n <= b.game.catalogue.monsters.size(); ++n)
        canvas.loadSheet(playerSheet(n), b.game.folder + "/player" + std::to_string(n) + ".bmp");
    for (auto _ : state) {
        gf::redraw(b.game, true);
        benchmark::DoNotOptimize(canvas.shown().constBits());
    }
}
BENCHMARK_CAPTURE(display, murkhol1_1920x1080, Level::Murkhol1, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(display, open_1920x1080, Level::Open, 1920, 1080)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(display, murkhol1_640x480, Level::Murkhol1, 640, 480)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(display, open_640x480, Level::Open, 640, 480)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the view's text
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
