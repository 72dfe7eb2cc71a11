// A full redraw of a large view: runs on every key press and every 100 ms.
#include "draw_scene.h"
#include "render/view.h"
#include "scripted_platform.h"

#include <benchmark/benchmark.h>

namespace {

using namespace gf;

// Takes the drawing calls and does nothing, so only the view's own work is timed.
class NullCanvas : public Canvas {
public:
    bool loadSheet(int, const std::string&) override { return true; }
    int width() const override { return 1920; } // 60 x 34 cells
    int height() const override { return 1088; }
    void clear() override {}
    void copyTile(int, int, int, int) override { ++calls; }
    void drawTile(int, int, int, int) override { ++calls; }
    void fillBox(int, int, int, int, Color) override { ++calls; }
    void text(int, int, const std::string&, int, bool, Color) override { ++calls; }
    void pixel(int, int, Color) override {}
    void present() override {}
    long calls = 0;
};

// An open hall around the user's creature, with a wall ring, items, monsters and messages in view.
void prepare(Game& g) {
    scene::prepare(g);
    for (int16_t i = ItemId::StoneWall; i <= ItemId::LastWallPiece; ++i)
        g.catalogue.items(i).blocksMovement = true;
    for (int x = 15; x <= 85; ++x) {
        addItem(g, 1, x, 30);
        addItem(g, 1, x, 70);
    }
    for (int k = 0; k < 40; ++k)
        addItem(g, static_cast<int16_t>(23 + k % 5), 30 + (k * 7) % 40, 35 + (k * 11) % 30);
    for (int k = 0; k < 15; ++k)
        addCreature(g, static_cast<int16_t>(1 + k % 2), 25 + k * 3, 45 + k % 7);
    g.creatures.current = addCreature(g, 0, 50, 50);
    for (int i = 1; i <= kMessageLines; ++i)
        g.messages.line(i) = Message{true, "You pick up 12 gold!", 16711680, 0};
    for (int i = 1; i <= 5; ++i)
        g.messages.damage(i) = DamageNumber{true, 50 + i, 50, 7 * i, 0};
}

void displayLargeView(benchmark::State& state) {
    ScriptedPlatform io;
    NullCanvas canvas;
    Game g(Platform{io.clock, io.random, io.window, io.sound, canvas}, ".");
    prepare(g);
    for (auto _ : state)
        redraw(g, true);
    state.counters["calls/frame"] =
        static_cast<double>(canvas.calls) / static_cast<double>(state.iterations());
}
BENCHMARK(displayLargeView)->Unit(benchmark::kMicrosecond);

} // namespace
