// The headless driver's picture of the window.
#include "bmp_writer.h"
#include "creatures/creature_table.h"
#include "platform/forwarding_canvas.h"
#include "render/sizes.h"
#include "screenshot.h"
#include "test_game.h"

#include <QImage>

#include <gtest/gtest.h>

namespace gf {
namespace {

// The shot draws the view through a Qt canvas holding the sheets the game
// loaded, shows view and panel side by side, and gives the drawing back.
TEST(Screenshot, showsViewAndPanelThenRestoresTheCanvas) {
    test::TestGame t;
    ForwardingCanvas drawing(t.io.canvas);
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, drawing}, t.folder.string());
    QImage red(kTile, kTile, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    test::writeFile(t.path("background.bmp"), test::bmpBytes(red, 24));
    drawing.loadSheet(kSheetBackground, t.path("background.bmp"));
    test::prepareEmptyLevel(t, game);
    game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);
    game.ViewX = game.ViewY = 50;
    t.io.canvas.ops.clear();

    ASSERT_TRUE(saveWindowScreenshot(game, drawing, t.path("shot.png"), 320, 480));
    EXPECT_EQ(&drawing.target(), &t.io.canvas);
    EXPECT_TRUE(t.io.canvas.ops.empty()) << "the shot drew on the game's own canvas";
    EXPECT_TRUE(t.io.log.of("msgbox").empty());

    QImage shot(QString::fromStdString(t.path("shot.png")));
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.width(), 320 + 1 + kStatusWidth);
    const int menuBar = shot.height() - (480 + 1);
    EXPECT_GT(menuBar, 0);
    // The creature's own cell: tile (halfW - 1, halfH - 1) = (4, 7), floor under it.
    EXPECT_EQ(shot.pixel(4 * kTile + 1, menuBar + 7 * kTile + 1) | 0xFF000000u, qRgb(255, 0, 0));
}

} // namespace
} // namespace gf
