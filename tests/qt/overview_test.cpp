// The whole-level overview as the player sees it, by its pixels.
#include "creatures/creature_table.h"
#include "items/item_table.h"
#include "qt_canvas.h"
#include "render/overview.h"
#include "render/view.h"
#include "test_game.h"

#include <gtest/gtest.h>

#include <set>

namespace gf {
namespace {

// Each mark has a colour of its own; the user's red cell leaves its neighbours whole; the legend shows all.
TEST(Overview, marksStandApartByTheirPixels) {
    test::TestGame t;
    QtCanvas canvas;
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string());
    test::prepareEmptyLevel(t, game);
    const std::pair<int16_t, Color> row[] = {{ItemId::StoneWall, kOverviewWall},
                                             {ItemId::DoorClosedEW, kOverviewDoor},
                                             {ItemId::StairsDown, kOverviewStairsDown},
                                             {0, kOverviewYou},
                                             {ItemId::StairsUp, kOverviewStairsUp},
                                             {ItemId::SmallGold, kOverviewGold},
                                             {26, kOverviewItem}};
    std::set<QRgb> distinct{QtCanvas::kBackground.rgb()};
    for (int i = 0; i < 7; ++i) {
        if (row[i].first) addItem(game, row[i].first, 10 + i, 10);
        distinct.insert(QtCanvas::toQColor(row[i].second).rgb());
    }
    EXPECT_EQ(distinct.size(), 8u);
    game.creatures.current = addCreature(game, 0, 13, 10);
    showOverview(game);
    const QImage& shot = canvas.shown();
    const QColor red = QtCanvas::toQColor(kOverviewYou);
    const auto redIn = [&](const QRect& area) {
        QRect found;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (shot.pixelColor(x, y) == red) found |= QRect(x, y, 1, 1);
        return found;
    };
    constexpr int kLegendRight = 124;
    const QRect you = redIn(shot.rect().adjusted(kLegendRight, 0, 0, 0));
    // Red inside a dark rim one pixel wide.
    const int s = you.width() + 2;
    ASSERT_TRUE(s >= 4 && you.height() + 2 == s) << you.width() << " x " << you.height();
    const auto cell = [&](int i) { return QRect(you.left() - 1 + (i - 3) * s, you.top() - 1, s, s); };
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(shot.pixelColor(cell(i).center()), QtCanvas::toQColor(row[i].second)) << i;
    EXPECT_TRUE(redIn(cell(2)).isEmpty() && redIn(cell(4)).isEmpty()) << "the marker covers the stairs";

    Creature& me = game.creatures(game.creatures.current);
    game.level.creatureAt(me.x, me.y) = 0;
    me.x = 15;
    game.level.creatureAt(me.x, me.y) = game.creatures.current;
    showOverview(game);
    EXPECT_EQ(shot.pixelColor(cell(5).center()), QtCanvas::toQColor(kOverviewGold)) << "gold under the user";
    EXPECT_EQ(shot.pixelColor(cell(5).left(), cell(5).center().y()), red);

    std::set<QRgb> legend;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < kLegendRight; ++x)
            legend.insert(shot.pixel(x, y));
    for (const auto& [id, colour] : row)
        EXPECT_TRUE(legend.count(QtCanvas::toQColor(colour).rgb())) << "no " << colour << " in the legend";
}

} // namespace
} // namespace gf
