#include "draw_scene.h"
#include "map/sight.h"
#include "messages/messages.h"
#include "render/layout.h"
#include "render/overview.h"
#include "render/view.h"
#include "test_game.h"
#include "util/text.h"

#include <gtest/gtest.h>

namespace gf::test {
namespace {

using Op = RecordingCanvas::Op;

class ViewTest : public ::testing::Test {
protected:
    ViewTest() { scene::prepare(g); }

    std::vector<Op> ops(const std::string& kind) const {
        std::vector<Op> out;
        std::copy_if(canvas.ops.begin(), canvas.ops.end(), std::back_inserter(out),
                     [&](const Op& o) { return o.kind == kind; });
        return out;
    }
    // What covers a cell of the default 640 x 480 view (halves 10 and 8), in
    // drawing order: "copy 0 0, draw 2 3, bar 11" (a bar is green, two rows high).
    std::string cell(int cx, int cy) const {
        const int x = (cx - g.screen.viewX + 9) * 32, y = (cy - g.screen.viewY + 7) * 32;
        std::string out;
        for (const Op& o : canvas.ops)
            if (o.x == x && o.y == y && o.kind == "box")
                out += o.color == kGreen && o.y2 == y + 1 ? ", bar " + std::to_string(o.x2 - x + 1) : ", box";
            else if (o.x == x && o.y == y && (o.kind == "copy" || o.kind == "draw"))
                out += ", " + o.kind + " " + std::to_string(o.sheet) + " " + std::to_string(o.tile);
        return out.substr(std::min<std::size_t>(2, out.size()));
    }

    TestGame t;
    Game& g = t.game;
    RecordingCanvas& canvas = t.io.canvas;
};

// Cells -1 to 20 by -1 to 16 stack floor, item, creature and shading; hidden or off-map ones show the void.
TEST_F(ViewTest, coveredRangeAndCellLayers) {
    g.catalogue.items(scene::kPlainItem).image = 105;
    addItem(g, scene::kPlainItem, 50, 50);
    g.level.light(50, 50) = 3;
    addItem(g, scene::kPlainItem, 49, 50);
    addCreature(g, 0, 49, 50);
    addItem(g, scene::kPlainItem, 51, 50);
    addCreature(g, scene::kRat, 51, 50);
    g.level.visible(51, 50) = false;
    redraw(g, true);
    EXPECT_EQ(std::tuple(ops("copy").size(), cell(50, 50), cell(49, 50), cell(51, 50)),
              std::tuple(22u * 18u, "copy 0 0, draw 4 5, draw 2 3", "copy 0 0, draw 4 5, draw 5 1, draw 2 0",
                         "copy 1 0"));
    g.screen.viewX = g.screen.viewY = 0;
    redraw(g, true);
    for (const Op& o : ops("copy"))
        EXPECT_EQ(o.sheet, o.x < 288 || o.y < 224 ? kSheetVoid : kSheetBackground) << o.x << "," << o.y;
    EXPECT_EQ(ops("draw").size(), 12u * 10u) << "only cells on the map get shading";
}

// Frames count up round the compass; the life bar is Life * 32 / MaxLife wide; a missing sheet is silent.
TEST_F(ViewTest, creatureFramesAndLifeBars) {
    // facing, life, max life, image; what lies between the floor and the shading
    // clang-format off
    const std::tuple<int16_t, int32_t, int32_t, int16_t, std::string> rows[] = {
        {1, 1, 3, 1, "draw 6 0, bar 11"}, {2, 3, 3, 1, "draw 6 1, bar 32"}, {3, 1, 64, 1, "draw 6 2"},
        {3, 1, 32, 1, "draw 6 2, bar 1"}, {6, 3, 64, 1, "draw 6 3, bar 2"}, {9, -2, 3, 1, "draw 6 4"},
        {8, 2000000000, 1, 1, "draw 6 5, bar 32"}, {7, 5, 0, 1, "draw 6 6"}, {2, 3, 6, 3, "bar 16"},
        {4, 3, 6, 2, "draw 7 7, bar 16"}, {5, 3, 6, 1, "draw 6 1, bar 16"}, {0, 3, 6, 1, "draw 6 1, bar 16"},
        {10, 3, 6, 1, "draw 6 1, bar 16"}, {2, 3, 6, -1, "bar 16"}};
    // clang-format on
    int x = 41;
    for (const auto& [facing, life, maxLife, image, between] : rows) {
        Creature& p = g.creatures(addCreature(g, scene::kRat, x++, 50));
        std::tie(p.facing, p.life, p.maxLife, p.image) = std::tie(facing, life, maxLife, image);
    }
    redraw(g, true);
    x = 41;
    for (const auto& [facing, life, maxLife, image, between] : rows)
        EXPECT_EQ(cell(x++, 50), "copy 0 0, " + between + ", draw 2 0") << "facing " << facing;
    EXPECT_EQ(boxTexts(t), Texts{});
}

// Messages stack up from the bottom; damage numbers sit on visible cells; "Paused" stands over them all.
TEST_F(ViewTest, messagesAndDamageNumbers) {
    g.messages.line(1) = Message{true, "oldest", 255, 0};
    g.messages.line(12) = Message{true, "middle", 16711680, 0};
    g.messages.line(20) = Message{true, "newest", 65280, 0};
    g.level.visible(52, 50) = false;
    const int32_t damages[][3] = {{53, 48, 7}, {52, 50, 1},  {61, 50, 1},    {50, 59, 1}, {60, 58, 12},
                                  {40, 42, 0}, {150, 50, 1}, {45, 45, 1234}, {55, 55, -3}};
    for (const auto& [x, y, amount] : damages)
        addDamageMessage(g, x, y, amount);
    g.screen.paused = true;
    redraw(g, true);
    std::vector<std::string> shown; // text, place, size, bold, colour
    for (const Op& o : ops("text"))
        shown.push_back(o.text + " @" + std::to_string(o.x) + "," + std::to_string(o.y) + " " +
                        std::to_string(o.size) + (o.bold ? "b " : " ") + std::to_string(o.color));
    EXPECT_EQ(shown,
              (Texts{"newest @5,455 16 65280", "middle @5,327 16 16711680", "oldest @5,151 16 255",
                     " 7 @390,165 12b 65535", " 12 @608,485 12b 65535", " 0 @-26,-27 12b 65535",
                     " 1234 @128,69 12b 65535", "-3 @448,389 12b 65535", "Paused @255,102 24b 65535"}));
    EXPECT_EQ(cell(53, 48), "copy 0 0, draw 2 0, draw 3 0");
    EXPECT_TRUE(g.messages.damage(2).inUse);
    const Op box = ops("box").back(); // Paused's, 180 x 48 pixels
    EXPECT_EQ(std::tuple(box.x, box.y, box.x2, box.y2, box.color), std::tuple(230, 96, 409, 143, kBlack));
}

// Recentring follows the user and redoes sight and light; the overview draws at whole pixels a cell.
TEST_F(ViewTest, userViewAndMapOverview) {
    addItem(g, scene::kPlainItem, 0, 0);
    showOverview(g);
    const auto marks = ops("box");
    EXPECT_EQ(std::count_if(marks.begin(), marks.end(), [](const Op& o) { return o.x >= 124; }), 1)
        << "the first column alone is a level too";
    canvas.ops.clear();
    canvas.presents = 0;
    addItem(g, 26, 100, 7);
    addCreature(g, scene::kRat, 3, 3);
    centreOnCreature(g);
    EXPECT_TRUE(canvas.ops.empty());
    g.creatures.current = addCreature(g, 0, 60, 20);
    g.creatures(g.creatures.current).name = fixedName("Ann");
    centreOnCreature(g);
    EXPECT_EQ(std::make_tuple(g.screen.viewX, g.screen.viewY, canvas.presents, g.screen.status.name,
                              cell(60, 20), g.level.visible(30, 40), g.level.light(30, 40)),
              std::make_tuple(60, 20, 1, "Ann", "copy 0 0, draw 5 1, draw 2 0", false, kUnlit));
    addItem(g, 26, 60, 20);
    addItem(g, 26, 30, 40);
    constexpr Color kNone = 0xFFFFFFFF;
    // width, height, then pixels a cell and the level's top-left corner; it spans 101 x 41 cells
    const int sizes[][5] = {
        {530, 400, 4, 125, 118}, {1920, 1080, 17, 163, 191}, {303, 303, 1, 163, 131}, {440, 200, 3, 130, 38}};
    for (const auto& [w, h, s, left, top] : sizes) {
        canvas.resize(w, h);
        showOverview(g);
        std::vector<Color> pixels(static_cast<std::size_t>(w * h), kNone);
        for (const Op& o : ops("box"))
            for (int y = std::max(o.y, 0); y <= std::min(o.y2, h - 1); ++y)
                for (int x = std::max(o.x, 0); x <= std::min(o.x2, w - 1); ++x)
                    pixels[static_cast<std::size_t>(y * w + x)] = o.color;
        const auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y * w + x)]; };
        const auto depth = [s](int dx, int dy) { return std::min({dx, dy, s - 1 - dx, s - 1 - dy}); };
        const auto item = [&](int dx, int dy, Color color) {
            return s >= 4 && depth(dx, dy) == 0 ? kBlack : color;
        };
        // Under 3 pixels the user's mark covers the item; from 3 up a rim a quarter cell thick shows it.
        const int rim = s < 3 ? s : std::max(1, s / 4);
        for (int dx = 0; dx < s; ++dx)
            for (int dy = 0; dy < s; ++dy) {
                for (const auto& [cx, cy, color] :
                     {std::tuple{0, 0, kOverviewWall}, {100, 7, kOverviewItem}, {30, 40, kOverviewItem}})
                    EXPECT_EQ(at(left + cx * s + dx, top + cy * s + dy), item(dx, dy, color))
                        << w << ": " << cx;
                EXPECT_EQ(at(left + 60 * s + dx, top + 20 * s + dy),
                          depth(dx, dy) < rim ? kOverviewYou : item(dx, dy, kOverviewItem))
                    << w << ": user cell " << dx << "," << dy;
            }
        // The crosshair: one pixel through the middle of the user's cell across the level, under the marks.
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kOverviewCrosshair), (100 + 40) * s) << w;
        const int inner = std::max(0, s - 2 * rim); // the user's mark inside its cell, the legend's 8 x 8
        EXPECT_EQ(std::count(pixels.begin(), pixels.end(), kOverviewYou), s * s - inner * inner + 64) << w;
        const int mx = left + 60 * s + s / 2, my = top + 20 * s + s / 2;
        for (const auto& [x, y] :
             {std::pair{left, my}, {left + 101 * s - 1, my}, {mx, top}, {mx, top + 41 * s - 1}})
            EXPECT_EQ(at(x, y), kOverviewCrosshair) << w << ": " << x << "," << y;
        // The legend: a black frame at a 6-pixel margin, 112 wide, round seven rows of 12 with 3 of paper
        // above and below; in each row a 10-pixel swatch 5 pixels in, its name 6 pixels beyond it.
        const Color paper = at(7, 7);
        EXPECT_EQ(std::tuple(at(6, 6), at(117, 97), at(116, 96), at(6, 98), at(118, 6), at(6, 50), at(5, 50)),
                  std::tuple(kBlack, kBlack, paper, kNone, kNone, kBlack, kNone));
        const std::string names[] = {"Wall", "Door", "Stairs down", "Stairs up", "Gold", "Other item", "You"};
        const Color colors[] = {kOverviewWall, kOverviewDoor, kOverviewStairsDown, kOverviewStairsUp,
                                kOverviewGold, kOverviewItem, kOverviewYou};
        std::vector<std::string> texts;
        for (const Op& o : ops("text"))
            texts.push_back(o.text + " @" + std::to_string(o.x) + "," + std::to_string(o.y));
        ASSERT_EQ(texts.size(), 7u) << w;
        for (int row = 0, y = 10; row < 7; ++row, y += 12) {
            EXPECT_EQ(std::tuple(at(12, y + 1), at(21, y + 10), at(16, y + 5), at(11, y + 5), at(22, y + 5),
                                 at(16, y + 11)),
                      std::tuple(kBlack, kBlack, colors[row], paper, paper, paper))
                << w << " " << names[row];
            EXPECT_EQ(texts[static_cast<std::size_t>(row)], names[row] + " @28," + std::to_string(y));
        }
        EXPECT_EQ(canvas.ops.back().kind, "present");
    }
    g.screen.overview = true; // each frame after the first keeps the messages over the map
    g.messages.line(20) = Message{true, "newest", 65280, 0};
    redraw(g, true);
    EXPECT_EQ(std::pair(ops("text").size(), ops("text").back().text),
              std::pair(std::size_t{8}, std::string("newest")));
}

// The view takes what the panel leaves; a window too small or minimised keeps its old layout.
TEST(FormLayout, viewTakesTheRestBesideThePanel) {
    const std::tuple<int, int, bool, std::optional<ViewLayout>> cases[] = {
        {881, 481, false, ViewLayout{{0, 0, 640, 480}, {640, 0, 240, 480}}},
        {242, 2, false, ViewLayout{{0, 0, 1, 1}, {1, 0, 240, 1}}},
        {241, 100, false, ViewLayout{{0, 0, 0, 99}, {0, 0, 240, 99}}},
        {881, 481, true, std::nullopt},
        {240, 481, false, std::nullopt},
        {881, 1, false, std::nullopt}};
    for (const auto& [w, h, minimized, expected] : cases)
        EXPECT_EQ(formLayout(w, h, 240, minimized), expected) << w << "x" << h;
}

} // namespace
} // namespace gf::test
