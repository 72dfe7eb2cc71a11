#include "scene.h"

#include "messages/messages.h"
#include "render/view.h"
#include "shell/text.h"

#include <gtest/gtest.h>

#include <set>

namespace gf::test {
namespace {

using Op = RecordingCanvas::Op;

// "copy 0 0" / "draw 2 3" / "box": enough to compare a cell's layers at a glance.
std::vector<std::string> layers(const std::vector<Op>& ops) {
    std::vector<std::string> out;
    for (const Op& o : ops)
        out.push_back(o.kind == "box" || o.kind == "text"
                          ? o.kind
                          : o.kind + " " + std::to_string(o.sheet) + " " + std::to_string(o.tile));
    return out;
}

class ViewTest : public ::testing::Test {
protected:
    ViewTest() { prepareScene(g); }

    // Top-left pixel of a cell in the default 640 x 480 view (halves 10 and 8).
    std::pair<int, int> pixelOf(int cx, int cy) const {
        return {(cx - g.ViewX + 9) * 32, (cy - g.ViewY + 7) * 32};
    }
    std::vector<std::string> cellLayers(int cx, int cy) {
        const auto [x, y] = pixelOf(cx, cy);
        return layers(opsAt(canvas, x, y));
    }
    int32_t monster(int16_t facing, int32_t life, int32_t maxLife) {
        const int32_t m = modPlayer_Add(g, kSceneMonster, 50, 50);
        g.Players(m).Facing = facing;
        g.Players(m).Life = life;
        g.Players(m).MaxLife = maxLife;
        return m;
    }

    TestGame t;
    Game& g = t.game;
    RecordingCanvas& canvas = t.io.canvas;
};

using Layers = std::vector<std::string>;

// The view size decides how many cells are drawn; halves go to the even neighbour.
TEST(ViewHalfSize, halvesRoundToEven) {
    const int cases[][4] = {{640, 480, 10, 8}, {600, 480, 9, 8}, {480, 416, 8, 6}, {0, 0, 0, 0}};
    for (const auto& c : cases) {
        const HalfSize half = viewHalfSize(c[0], c[1]);
        EXPECT_EQ(std::make_pair(half.w, half.h), std::make_pair(c[2], c[3])) << c[0] << "x" << c[1];
    }
}

// The reference cell sits one tile up-left of the halves; columns -1 to 20 and
// rows -1 to 16 are drawn, so the picture's edges are always covered.
TEST_F(ViewTest, referenceCellAndCoveredRange) {
    modItem_Add(g, kScenePlainItem, 50, 50);
    Display(g, true);
    std::set<int> xs, ys;
    for (const Op& o : opsOf(canvas, "copy")) {
        xs.insert(o.x);
        ys.insert(o.y);
    }
    EXPECT_EQ(xs.size() * ys.size(), opsOf(canvas, "copy").size());
    EXPECT_EQ(std::make_pair(*xs.begin(), *xs.rbegin()), std::make_pair(-32, 640));
    EXPECT_EQ(std::make_pair(*ys.begin(), *ys.rbegin()), std::make_pair(-32, 512));
    EXPECT_EQ(layers(opsAt(canvas, 288, 224)), (Layers{"copy 0 0", "draw 4 5", "draw 2 0"}));
}

// Floor, item, creature, bar, shading; a hidden cell, or one off the map
// whatever the layer says, shows the void tile alone.
TEST_F(ViewTest, cellLayersAndVoid) {
    modItem_Add(g, kScenePlainItem, 50, 50);
    monster(6, 6, 6);
    g.MapLight(50, 50) = 3;
    modItem_Add(g, kScenePlainItem, 51, 50);
    modPlayer_Add(g, kSceneMonster, 51, 50);
    g.MapVisible(51, 50) = false;
    Display(g, true);
    EXPECT_EQ(cellLayers(50, 50), (Layers{"copy 0 0", "draw 4 5", "draw 6 3", "box", "draw 2 3"}));
    EXPECT_EQ(cellLayers(51, 50), (Layers{"copy 1 0"}));
    g.ViewX = 0;
    g.ViewY = 0;
    Display(g, true);
    for (const Op& o : opsOf(canvas, "copy"))
        EXPECT_EQ(o.sheet, o.x < 288 || o.y < 224 ? kSheetVoid : kSheetBackground) << o.x << "," << o.y;
    EXPECT_EQ(opsOf(canvas, "draw").size(), 12u * 10u) << "only cells on the map get shading";
}

// Only the last two decimal digits of an image number pick the item tile.
TEST_F(ViewTest, itemImageUsesLastTwoDigits) {
    g.ItemTypes(kScenePlainItem).Image = 123;
    modItem_Add(g, kScenePlainItem, 52, 49);
    Display(g, true);
    EXPECT_EQ(cellLayers(52, 49), (Layers{"copy 0 0", "draw 4 23", "draw 2 0"}));
}

// Each facing has its frame; the user's creature is drawn from sheet 0 without a bar.
TEST_F(ViewTest, creatureFrameFollowsFacing) {
    const std::pair<int16_t, int> cases[] = {{1, 0}, {2, 1}, {3, 2}, {4, 7}, {6, 3}, {7, 6}, {8, 5}, {9, 4}};
    for (const auto& [facing, frame] : cases) {
        const int32_t m = monster(facing, 6, 6);
        Display(g, true);
        EXPECT_EQ(cellLayers(50, 50).at(1), "draw 6 " + std::to_string(frame)) << "facing " << facing;
        modPlayer_Remove(g, m);
    }
    modPlayer_Add(g, 0, 50, 50);
    Display(g, true);
    EXPECT_EQ(cellLayers(50, 50), (Layers{"copy 0 0", "draw 5 1", "draw 2 0"}));
}

// The bar is Life * 32 / MaxLife wide, halves to even: nothing when it rounds
// to 0, never wider than the tile, and a MaxLife of 0 costs only the bar.
TEST_F(ViewTest, monsterLifeBarWidth) {
    const int32_t cases[][3] = {{1, 3, 11}, {3, 3, 32},          {1, 64, 0}, {3, 64, 2},
                                {-2, 3, 0}, {2000000000, 1, 32}, {5, 0, 0}};
    for (const auto& [life, maxLife, width] : cases) {
        const int32_t m = monster(2, life, maxLife);
        Display(g, true);
        const auto boxes = opsOf(canvas, "box");
        ASSERT_EQ(boxes.size(), width > 0 ? 1u : 0u) << life << "/" << maxLife;
        if (width > 0) {
            EXPECT_EQ(std::make_tuple(boxes[0].x, boxes[0].y, boxes[0].x2, boxes[0].y2, boxes[0].color),
                      std::make_tuple(288, 224, 288 + width - 1, 225, Color{65280}))
                << life << "/" << maxLife;
        }
        EXPECT_EQ(canvas.ops.back().kind, "present");
        modPlayer_Remove(g, m);
    }
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// A creature whose picture was never loaded must not stop the view: the rest
// of its cell and of the picture is drawn and shown, without an error box.
TEST_F(ViewTest, creatureWithoutSheetLeavesRestDrawn) {
    for (const int16_t image : {int16_t{3}, int16_t{-1}}) {
        const int32_t m = monster(2, 3, 6);
        g.Players(m).Image = image;
        Display(g, true);
        EXPECT_EQ(cellLayers(50, 50), (Layers{"copy 0 0", "box", "draw 2 0"})) << image;
        EXPECT_EQ(canvas.ops.back().kind, "present");
        modPlayer_Remove(g, m);
    }
    EXPECT_TRUE(t.io.log.of("msgbox").empty());
}

// A splash under the number; " 7" nudged right to centre a single digit,
// longer numbers at the tile's edge; 5 pixels down, bold 12 yellow.
TEST_F(ViewTest, damageNumberPlacement) {
    const std::tuple<int32_t, const char*, int> cases[] = {
        {7, " 7", 6}, {0, " 0", 6}, {12, " 12", 0}, {1234, " 1234", 0}, {-3, "-3", 0}};
    for (const auto& [amount, text, dx] : cases) {
        g.Damages = {};
        modMessage_Add_Damage(g, 53, 48, amount);
        Display(g, true);
        const auto [x, y] = pixelOf(53, 48);
        EXPECT_EQ(cellLayers(53, 48), (Layers{"copy 0 0", "draw 2 0", "draw 3 0"}));
        const Op& number = canvas.ops[canvas.ops.size() - 2];
        EXPECT_EQ(std::make_tuple(number.kind, number.text, number.x, number.y),
                  std::make_tuple("text", text, x + dx, y + 5));
        EXPECT_EQ(std::make_tuple(number.size, number.bold, number.color),
                  std::make_tuple(12, true, Color{65535}));
    }
}

// Numbers on hidden cells or beyond the half-sizes are skipped, yet they stay
// in the table to expire as usual.
TEST_F(ViewTest, damageNumbersOnlyInViewAndVisible) {
    g.MapVisible(52, 50) = false;
    const int32_t cells[][2] = {{52, 50}, {61, 50}, {50, 59}, {60, 58}, {40, 42}, {150, 50}};
    for (int i = 0; i < 6; ++i)
        modMessage_Add_Damage(g, cells[i][0], cells[i][1], i + 1);
    Display(g, true);
    std::vector<std::string> shown;
    for (const Op& o : opsOf(canvas, "text"))
        shown.push_back(o.text);
    EXPECT_EQ(shown, (std::vector<std::string>{" 4", " 5"}));
    EXPECT_TRUE(g.damage(1).InUse);
}

// Messages: newest (20) lowest, 25 pixels above the bottom, older ones a line height (16 here) up each.
TEST_F(ViewTest, messagesNewestLowestInTheirColours) {
    canvas.resize(640, 400);
    g.message(1) = Message{true, "oldest", 255, 0};
    g.message(12) = Message{true, "middle", 16711680, 0};
    g.message(20) = Message{true, "newest", 65280, 0};
    Display(g, true);
    std::vector<std::tuple<std::string, int, int, Color, int, bool>> shown;
    for (const Op& o : opsOf(canvas, "text"))
        shown.emplace_back(o.text, o.x, o.y, o.color, o.size, o.bold);
    EXPECT_EQ(shown, (std::vector<std::tuple<std::string, int, int, Color, int, bool>>{
                         {"newest", 5, 375, 65280, 16, false},
                         {"middle", 5, 247, 16711680, 16, false},
                         {"oldest", 5, 71, 255, 16, false}}));
}

// Display(false) draws the frame but leaves showing it to the caller.
TEST_F(ViewTest, refreshDecidesWhetherToShow) {
    Display(g, false);
    EXPECT_EQ(canvas.presents, 0);
    EXPECT_FALSE(opsOf(canvas, "copy").empty());
    Display(g, true);
    EXPECT_EQ(canvas.presents, 1);
}

// Recentring follows the user's creature, draws around it and refreshes the
// panel; without one there is nothing to recentre on.
TEST_F(ViewTest, userViewFollowsTheUser) {
    Update_User_View(g);
    EXPECT_TRUE(canvas.ops.empty());
    g.CurrentPlayer = modPlayer_Add(g, 0, 20, 30);
    g.Players(g.CurrentPlayer).Name = fixedName("Ann");
    Update_User_View(g);
    EXPECT_EQ(std::make_pair(g.ViewX, g.ViewY), std::make_pair(20, 30));
    EXPECT_EQ(canvas.presents, 1);
    EXPECT_EQ(layers(opsAt(canvas, 288, 224)).at(1), "draw 5 1");
    EXPECT_EQ(g.status.name, "Ann");
}

// The overview marks every item, seen or not, at whole pixels a cell, what the level fills
// centred, the user in red.
TEST_F(ViewTest, mapOverviewIsScaledAndCentred) {
    struct Case {
        int w, h, scale, left, top;
    };
    modItem_Add(g, kScenePlainItem, 0, 0);
    modItem_Add(g, 26, 100, 7);
    modPlayer_Add(g, kSceneMonster, 3, 3);
    g.CurrentPlayer = modPlayer_Add(g, 0, 60, 40);
    g.MapVisible(100, 7) = false;
    for (const Case& c : {Case{640, 480, 6, 17, 117}, Case{99, 300, 1, -1, 129}, Case{303, 303, 3, 0, 90}}) {
        canvas.resize(c.w, c.h);
        Display_Map(g);
        std::vector<std::tuple<int, int, int, int, Color>> boxes;
        for (const Op& o : opsOf(canvas, "box"))
            boxes.emplace_back(o.x, o.y, o.x2, o.y2, o.color);
        const int s = c.scale;
        const int ux = c.left + 60 * s, uy = c.top + 40 * s;
        EXPECT_EQ(boxes,
                  (std::vector<std::tuple<int, int, int, int, Color>>{
                      {c.left, c.top, c.left + s - 1, c.top + s - 1, kBlack},
                      {c.left + 100 * s, c.top + 7 * s, c.left + 101 * s - 1, c.top + 8 * s - 1, kBlack},
                      {ux - s, uy - s, ux + 2 * s - 1, uy + 2 * s - 1, kRed}}))
            << c.w << " x " << c.h;
        EXPECT_EQ(canvas.ops.back().kind, "present");
    }
}

} // namespace
} // namespace gf::test
