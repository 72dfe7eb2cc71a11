#include "scene.h"

#include "messages/messages.h"
#include "render/view.h"
#include "shell/text.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <utility>

namespace gf::test {
namespace {

using Op = RecordingCanvas::Op;

class ViewTest : public ::testing::Test {
  protected:
    ViewTest() { prepareScene(g); }

    // Top-left pixel of a cell in the default 640 x 480 view (halves 10 and 8).
    std::pair<int, int> pixelOf(int cx, int cy) const {
        return {(cx - g.ViewX + 9) * 32, (cy - g.ViewY + 7) * 32};
    }
    int32_t monsterAt(int x, int y) { return modPlayer_Add(g, kSceneMonster, x, y); }
    void expectNoBox() { EXPECT_TRUE(t.io.log.of("msgbox").empty()) << t.io.log.of("msgbox").front().dump(); }

    TestGame t;
    Game& g = t.game;
    RecordingCanvas& canvas = t.io.canvas;
};

// The view size decides how many cells are drawn; halves go to the even neighbour.
TEST(ViewHalfSize, halvesRoundToEven) {
    struct Case {
        int w, h, halfW, halfH;
    };
    for (const Case c : {Case{640, 480, 10, 8}, Case{600, 480, 9, 8}, Case{480, 416, 8, 6}, Case{0, 0, 0, 0},
                         Case{1920, 1088, 30, 17}}) {
        const HalfSize half = viewHalfSize(c.w, c.h);
        EXPECT_EQ(half.w, c.halfW) << c.w;
        EXPECT_EQ(half.h, c.halfH) << c.h;
    }
}

// The reference cell sits one tile up-left of the halves, and the cell loop
// runs one tile beyond the left and top edges and reaches past the others.
TEST_F(ViewTest, referenceCellAndCoveredRange) {
    Display(g, true);
    std::set<int> xs, ys;
    int tiles = 0;
    for (const Op& o : canvas.ops)
        if (o.kind == "copy") {
            ++tiles;
            xs.insert(o.x);
            ys.insert(o.y);
        }
    EXPECT_EQ(tiles, 22 * 18);
    EXPECT_EQ(*xs.begin(), -32);
    EXPECT_EQ(*xs.rbegin(), 640);
    EXPECT_EQ(*ys.begin(), -32);
    EXPECT_EQ(*ys.rbegin(), 512);
    EXPECT_EQ(pixelOf(50, 50), std::make_pair(288, 224));
}

// Layers of one cell go floor, item, creature, life bar, shading, in that order.
TEST_F(ViewTest, cellLayersDrawnInOrder) {
    modItem_Add(g, kScenePlainItem, 50, 50);
    const int32_t rat = monsterAt(50, 50);
    g.Players(rat).Facing = 6;
    g.MapLight(50, 50) = 3;
    Display(g, true);
    const auto ops = opsAt(canvas, 288, 224);
    ASSERT_EQ(ops.size(), 5u);
    EXPECT_EQ(ops[0].kind, "copy");
    EXPECT_EQ(ops[0].sheet, kSheetBackground);
    EXPECT_EQ(ops[1].kind, "draw");
    EXPECT_EQ(ops[1].sheet, kSheetItem);
    EXPECT_EQ(ops[1].tile, kScenePlainItem);
    EXPECT_EQ(ops[2].kind, "draw");
    EXPECT_EQ(ops[2].sheet, playerSheet(1));
    EXPECT_EQ(ops[2].tile, 3);
    EXPECT_EQ(ops[3].kind, "box");
    EXPECT_EQ(ops[4].kind, "draw");
    EXPECT_EQ(ops[4].sheet, kSheetLight);
    EXPECT_EQ(ops[4].tile, 3);
}

// Off the map there is nothing to see, whatever the visibility layer says.
TEST_F(ViewTest, cellsOffTheMapDrawVoid) {
    g.ViewX = 0;
    g.ViewY = 0;
    Display(g, true);
    int voids = 0;
    for (const Op& o : opsOf(canvas, "copy")) {
        const bool offMap = o.x < 288 || o.y < 224;
        EXPECT_EQ(o.sheet, offMap ? kSheetVoid : kSheetBackground) << o.x << "," << o.y;
        voids += offMap;
    }
    EXPECT_EQ(voids, 22 * 18 - 12 * 10);
    EXPECT_EQ(opsOf(canvas, "draw").size(), 12u * 10u) << "only on-map cells get shading";
}

// A hidden cell shows the void tile alone: no floor, item, creature or shading.
TEST_F(ViewTest, hiddenCellShowsOnlyVoid) {
    modItem_Add(g, kScenePlainItem, 51, 50);
    monsterAt(51, 50);
    g.MapVisible(51, 50) = false;
    Display(g, true);
    const auto [x, y] = pixelOf(51, 50);
    const auto ops = opsAt(canvas, x, y);
    ASSERT_EQ(ops.size(), 1u);
    EXPECT_EQ(ops[0].kind, "copy");
    EXPECT_EQ(ops[0].sheet, kSheetVoid);
}

// Only the last two decimal digits of an image number pick the tile.
TEST_F(ViewTest, itemImageUsesLastTwoDigits) {
    g.ItemTypes(kScenePlainItem).Image = 123;
    modItem_Add(g, kScenePlainItem, 52, 49);
    Display(g, true);
    const auto [x, y] = pixelOf(52, 49);
    const auto ops = opsAt(canvas, x, y);
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[1].sheet, kSheetItem);
    EXPECT_EQ(ops[1].tile, 23);
}

// Each facing has its own frame of the creature sheet.
TEST_F(ViewTest, creatureFrameFollowsFacing) {
    const std::pair<int16_t, int> cases[] = {{1, 0}, {2, 1}, {3, 2}, {4, 7}, {6, 3}, {7, 6}, {8, 5}, {9, 4}};
    for (const auto& [facing, frame] : cases) {
        const int32_t rat = monsterAt(50, 50);
        g.Players(rat).Facing = facing;
        Display(g, true);
        const auto ops = opsAt(canvas, 288, 224);
        ASSERT_GE(ops.size(), 2u);
        EXPECT_EQ(ops[1].sheet, playerSheet(1));
        EXPECT_EQ(ops[1].tile, frame) << "facing " << facing;
        modPlayer_Remove(g, rat);
    }
}

// The bar is Life * 32 / MaxLife wide, halves to even; nothing when empty,
// never wider than the tile, and a MaxLife of 0 costs only the bar.
TEST_F(ViewTest, monsterLifeBarWidth) {
    struct Case {
        int32_t life, maxLife, width;
    };
    for (const Case c : {Case{1, 3, 11}, Case{3, 3, 32}, Case{1, 64, 0}, Case{3, 64, 2}, Case{0, 3, 0},
                         Case{-2, 3, 0}, Case{9, 3, 32}, Case{2000000000, 1, 32}, Case{5, 0, 0}}) {
        const int32_t rat = monsterAt(50, 50);
        g.Players(rat).Life = c.life;
        g.Players(rat).MaxLife = c.maxLife;
        Display(g, true);
        const auto boxes = opsOf(canvas, "box");
        if (c.width == 0) {
            EXPECT_TRUE(boxes.empty()) << c.life << "/" << c.maxLife;
        } else {
            ASSERT_EQ(boxes.size(), 1u) << c.life << "/" << c.maxLife;
            EXPECT_EQ(boxes[0].x, 288);
            EXPECT_EQ(boxes[0].y, 224);
            EXPECT_EQ(boxes[0].x2, 288 + c.width - 1) << c.life << "/" << c.maxLife;
            EXPECT_EQ(boxes[0].y2, 225);
            EXPECT_EQ(boxes[0].color, 65280u);
        }
        EXPECT_EQ(canvas.presents, 1);
        canvas.presents = 0;
        modPlayer_Remove(g, rat);
    }
    expectNoBox();
}

// The user's creature is drawn from sheet 0 and carries no bar.
TEST_F(ViewTest, userCreatureHasNoBar) {
    modPlayer_Add(g, 0, 50, 50);
    Display(g, true);
    const auto ops = opsAt(canvas, 288, 224);
    ASSERT_EQ(ops.size(), 3u);
    EXPECT_EQ(ops[1].sheet, playerSheet(0));
    EXPECT_EQ(ops[1].tile, 1);
}

// A creature whose picture was never loaded must not stop the view: the rest
// of its cell and of the picture is drawn and shown, without an error box.
TEST_F(ViewTest, creatureWithoutSheetLeavesRestDrawn) {
    for (const int16_t image : {int16_t{3}, int16_t{40}, int16_t{-1}}) {
        const int32_t rat = monsterAt(50, 50);
        g.Players(rat).Image = image;
        g.Players(rat).Life = 3;
        g.Players(rat).MaxLife = 6;
        Display(g, true);
        const auto ops = opsAt(canvas, 288, 224);
        ASSERT_EQ(ops.size(), 3u) << image;
        EXPECT_EQ(ops[1].kind, "box");
        EXPECT_EQ(ops[2].sheet, kSheetLight);
        EXPECT_EQ(canvas.ops.back().kind, "present");
        modPlayer_Remove(g, rat);
    }
    expectNoBox();
}

// Damage numbers: splash under the number, " 7" nudged right to centre a
// single digit, longer numbers at the tile's edge, 5 pixels down, bold 12 yellow.
TEST_F(ViewTest, damageNumberPlacement) {
    struct Case {
        int32_t amount;
        const char* text;
        int dx;
    };
    for (const Case c : {Case{7, " 7", 6}, Case{0, " 0", 6}, Case{12, " 12", 0}, Case{1234, " 1234", 0},
                         Case{-3, "-3", 0}}) {
        g.Damages = {};
        modMessage_Add_Damage(g, 53, 48, c.amount);
        Display(g, true);
        const auto [x, y] = pixelOf(53, 48);
        const auto texts = opsOf(canvas, "text");
        ASSERT_EQ(texts.size(), 1u) << c.amount;
        EXPECT_EQ(texts[0].text, c.text);
        EXPECT_EQ(texts[0].x, x + c.dx) << c.amount;
        EXPECT_EQ(texts[0].y, y + 5);
        EXPECT_EQ(texts[0].size, 12);
        EXPECT_TRUE(texts[0].bold);
        EXPECT_EQ(texts[0].color, 65535u);
        const auto here = opsAt(canvas, x, y);
        ASSERT_EQ(here.size(), 3u) << "floor, shading, then the splash over them";
        EXPECT_EQ(here[2].sheet, kSheetDamage);
        EXPECT_EQ(here[2].tile, 0);
        EXPECT_EQ(canvas.ops[canvas.ops.size() - 2].kind, "text") << "the number goes over its splash";
    }
}

// Numbers on hidden cells or beyond the half-sizes are skipped, yet they stay
// in the table to expire as usual.
TEST_F(ViewTest, damageNumbersOnlyInViewAndVisible) {
    g.MapVisible(52, 50) = false;
    modMessage_Add_Damage(g, 52, 50, 1);  // hidden
    modMessage_Add_Damage(g, 61, 50, 2);  // one column beyond halfW
    modMessage_Add_Damage(g, 50, 59, 3);  // one row beyond halfH
    modMessage_Add_Damage(g, 60, 58, 4);  // at both limits: drawn
    modMessage_Add_Damage(g, 40, 42, 5);  // at both lower limits: drawn
    modMessage_Add_Damage(g, 150, 50, 6); // off the map
    Display(g, true);
    std::vector<std::string> shown;
    for (const Op& o : opsOf(canvas, "text"))
        shown.push_back(o.text);
    EXPECT_EQ(shown, (std::vector<std::string>{" 4", " 5"}));
    EXPECT_TRUE(g.damage(1).InUse);
}

// Messages: newest (20) lowest, 16 pixels a line, each in its own colour at size 16.
TEST_F(ViewTest, messagesNewestLowestInTheirColours) {
    canvas.resize(640, 400);
    g.message(1) = Message{true, "oldest", 255, 0};
    g.message(12) = Message{true, "middle", 16711680, 0};
    g.message(20) = Message{true, "You pick up 5 gold!", 65280, 0};
    Display(g, true);
    const auto texts = opsOf(canvas, "text");
    ASSERT_EQ(texts.size(), 3u);
    const std::tuple<const char*, int, Color> expected[] = {{"You pick up 5 gold!", 400 - 345 + 320, 65280},
                                                            {"middle", 400 - 345 + 192, 16711680},
                                                            {"oldest", 71, 255}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(texts[i].text, std::get<0>(expected[i]));
        EXPECT_EQ(texts[i].x, 5);
        EXPECT_EQ(texts[i].y, std::get<1>(expected[i]));
        EXPECT_EQ(texts[i].color, std::get<2>(expected[i]));
        EXPECT_EQ(texts[i].size, 16);
        EXPECT_FALSE(texts[i].bold);
    }
}

// Display(false) draws the frame but leaves showing it to the caller.
TEST_F(ViewTest, refreshDecidesWhetherToShow) {
    Display(g, false);
    EXPECT_EQ(canvas.presents, 0);
    EXPECT_EQ(canvas.ops.size(), 1u + 22u * 18u * 2u);
    Display(g, true);
    EXPECT_EQ(canvas.presents, 1);
    EXPECT_EQ(canvas.ops.back().kind, "present");
}

// Recentring follows the user's creature, draws around it and refreshes the panel.
TEST_F(ViewTest, userViewFollowsTheUser) {
    const int32_t me = modPlayer_Add(g, 0, 20, 30);
    g.Players(me).Name = fixedName("Ann");
    g.CurrentPlayer = me;
    Update_User_View(g);
    EXPECT_EQ(g.ViewX, 20);
    EXPECT_EQ(g.ViewY, 30);
    EXPECT_EQ(canvas.presents, 1);
    const auto ops = opsAt(canvas, 288, 224);
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[1].sheet, playerSheet(0));
    EXPECT_EQ(g.status.name, "Ann");
}

// Without a user's creature there is nothing to recentre on.
TEST_F(ViewTest, userViewWithoutUserDoesNothing) {
    Update_User_View(g);
    EXPECT_EQ(g.ViewX, 50);
    EXPECT_TRUE(canvas.ops.empty());
}

// The overview marks every item, seen or not, as one black pixel per cell.
TEST_F(ViewTest, mapOverviewMarksItems) {
    modItem_Add(g, kScenePlainItem, 0, 0);
    modItem_Add(g, 26, 100, 7);
    modPlayer_Add(g, kSceneMonster, 3, 3);
    g.MapVisible(100, 7) = false;
    Display_Map(g);
    const auto pixels = opsOf(canvas, "pixel");
    ASSERT_EQ(pixels.size(), 2u);
    EXPECT_EQ(std::make_pair(pixels[0].x, pixels[0].y), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(pixels[1].x, pixels[1].y), std::make_pair(100, 7));
    EXPECT_EQ(pixels[1].color, 0u);
    EXPECT_EQ(canvas.ops.front().kind, "clear");
    EXPECT_EQ(canvas.ops.back().kind, "present");
}

} // namespace
} // namespace gf::test
