#include "draw_scene.h"
#include "render/death.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace gf::test {
namespace {

using Cell = std::pair<int, int>;
using Frame = std::tuple<std::size_t, bool, Cell, Cell>; // red cells, the centre red, the red span

class FrameCanvas : public RecordingCanvas {
public:
    void present() override {
        std::set<Cell> red;
        for (const Op& o : ops)
            if (o.kind == "box" && o.color == kRed && o.x2 == o.x + 31 && o.y2 == o.y + 31)
                red.insert({o.x, o.y});
        if (red.empty()) red.insert({0, 0}); // a frame without red still shows
        frames.emplace_back(red.size(), red.count({7 * 32, 7 * 32}) == 1, *red.begin(), *red.rbegin());
        RecordingCanvas::present();
    }
    std::vector<Frame> frames;
};

class PauseClock : public ScriptedClock {
public:
    void pause(float seconds) override { pauses.push_back(seconds); }
    std::vector<float> pauses;
};

// A 480 x 416 view (halves 8 and 6) turns red in 9 frames, one ring each, drawn without showing.
TEST(Death, redClosesInOneRingPerFrame) {
    TestGame t;
    FrameCanvas canvas;
    PauseClock clock;
    Game g{Platform{clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string()};
    canvas.resize(480, 416);
    scene::prepare(g);
    EXPECT_EQ(Death(g), 9);
    EXPECT_EQ(canvas.presents, 9);
    EXPECT_EQ(clock.pauses, std::vector<float>(9, 0.01f));
    std::vector<Frame> expected;
    for (int k = 8; k >= 0; --k)
        expected.emplace_back(18 * 18 - (k == 0 ? 0 : (2 * k - 1) * (2 * k - 1)), k == 0, Cell{-32, -32},
                              Cell{512, 512});
    EXPECT_EQ(canvas.frames, expected);
}

} // namespace
} // namespace gf::test
