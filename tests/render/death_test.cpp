#include "scene.h"

#include "render/death.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace gf::test {
namespace {

// Keeps, per shown frame, the red boxes drawn over it.
class FrameCanvas : public RecordingCanvas {
public:
    void present() override {
        std::set<std::pair<int, int>> red;
        for (const Op& o : ops)
            if (o.kind == "box" && o.color == 255 && o.x2 == o.x + 31 && o.y2 == o.y + 31)
                red.insert({o.x, o.y});
        frames.push_back(red);
        RecordingCanvas::present();
    }
    std::vector<std::set<std::pair<int, int>>> frames;
};

class PauseClock : public ScriptedClock {
public:
    void pause(float seconds) override { pauses.push_back(seconds); }
    std::vector<float> pauses;
};

class DeathTest : public ::testing::Test {
protected:
    DeathTest() {
        canvas.resize(480, 416);
        prepareScene(g);
    }
    TestGame t;
    FrameCanvas canvas;
    PauseClock clock;
    Game g{Platform{clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string()};
};

// A 480 x 416 view has halves 8 and 6, so 9 frames close in one ring at a time
// until the whole view is red.
TEST_F(DeathTest, redClosesInOneRingPerFrame) {
    EXPECT_EQ(Death(g), 9);
    ASSERT_EQ(canvas.frames.size(), 9u);
    EXPECT_EQ(canvas.presents, 9) << "the view itself is drawn without showing";
    EXPECT_EQ(clock.pauses, std::vector<float>(9, 0.01f));
    for (int k = 8; k >= 0; --k) {
        const auto& red = canvas.frames[static_cast<std::size_t>(8 - k)];
        const int inner = k == 0 ? 0 : (2 * k - 1) * (2 * k - 1);
        EXPECT_EQ(red.size(), static_cast<std::size_t>(17 * 17 - inner)) << "ring " << k;
        EXPECT_EQ(red.count({(8 - 1) * 32, (8 - 1) * 32}) == 1, k == 0) << "centre red only at the end";
    }
    for (int x = 0; x < 480; x += 32)
        for (int y = 0; y < 416; y += 32)
            EXPECT_EQ(canvas.frames.back().count({x, y}), 1u) << x << "," << y;
}

} // namespace
} // namespace gf::test
