// Tile sheets: what loads, what is transparent, and how tiles land on the view.
#include "bmp_writer.h"
#include "cls_bitmap.h"
#include "creatures/creature_table.h"
#include "qt_canvas.h"
#include "render/view.h"
#include "test_game.h"

#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace gf {
namespace {

using test::blankBmp;
using test::bmpBytes;
using test::BmpLayout;
using test::writeFile;

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kNearWhite = qRgb(254, 255, 255);
const QRgb kGreen = qRgb(0, 255, 0);

class SheetFiles : public ::testing::Test {
protected:
    std::string save(const std::string& name, const QImage& picture, int bits = 24,
                     BmpLayout layout = BmpLayout::Bottom) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        writeFile(path, bmpBytes(picture, bits, layout));
        return path;
    }
    static QImage filled(int w, int h, QRgb colour) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    // A canvas of one green tile, so what a draw leaves behind is plain to see.
    static QtCanvas greenCanvas() { return QtCanvas(kTile, kTile); }
    static QRgb at(const QtCanvas& c, int x, int y) { return c.shown().pixel(x, y) | 0xFF000000u; }

    QTemporaryDir dir;
};

// The bottom-left quadrant is white, the rest red; with enough colours two
// blue corners show that rows and columns stayed the right way round.
QImage pattern(bool withBlue) {
    QImage image(40, 33, QImage::Format_RGB32);
    image.fill(kRed);
    QPainter(&image).fillRect(0, 16, 20, 17, QColor(kWhite));
    if (withBlue) {
        image.setPixel(1, 1, kBlue);
        image.setPixel(39, 32, kBlue);
    }
    return image;
}

struct Variant {
    const char* name;
    int bits;
    BmpLayout layout;
};

class BmpVariants : public SheetFiles, public ::testing::WithParamInterface<Variant> {};

// Every layout an editor may save a sheet in loads with the right size,
// orientation and transparent white.
TEST_P(BmpVariants, loadsWithWhiteTransparent) {
    const Variant v = GetParam();
    const bool withBlue = v.bits > 1;
    clsBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(save(v.name, pattern(withBlue), v.bits, v.layout), true));
    EXPECT_EQ(bmp.Width(), 40);
    EXPECT_EQ(bmp.Height(), 33);
    EXPECT_EQ(bmp.image().pixel(30, 5) | 0xFF000000u, kRed);
    EXPECT_EQ(bmp.image().pixel(5, 30) | 0xFF000000u, kWhite);
    if (withBlue) {
        EXPECT_EQ(bmp.image().pixel(1, 1) | 0xFF000000u, kBlue);
        EXPECT_EQ(bmp.image().pixel(39, 32) | 0xFF000000u, kBlue);
    }
    EXPECT_EQ(qAlpha(bmp.masked().pixel(5, 30)), 0);
    EXPECT_EQ(qAlpha(bmp.masked().pixel(30, 5)), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BmpVariants,
    ::testing::Values(Variant{"mono.bmp", 1, BmpLayout::Bottom}, Variant{"four.bmp", 4, BmpLayout::Bottom},
                      Variant{"eight.bmp", 8, BmpLayout::Bottom}, Variant{"rle8.bmp", 8, BmpLayout::Rle8},
                      Variant{"sixteen.bmp", 16, BmpLayout::Bottom},
                      Variant{"truecolour.bmp", 24, BmpLayout::Bottom},
                      Variant{"topdown.bmp", 24, BmpLayout::TopDown},
                      Variant{"thirtytwo.bmp", 32, BmpLayout::Bottom}),
    [](const auto& info) {
        return std::string(info.param.name).substr(0, std::string(info.param.name).find('.'));
    });

// Only pure white is see-through: the tile over green shows green exactly where
// the tile was white, and near-white covers like any colour.
TEST_F(SheetFiles, transparentDrawKeepsOnlyPureWhiteClear) {
    struct Case {
        const char* name;
        QRgb tile;
        QRgb expected;
    };
    for (const Case& c :
         {Case{"white", kWhite, kGreen}, Case{"red", kRed, kRed}, Case{"near", kNearWhite, kNearWhite}}) {
        QtCanvas canvas = greenCanvas();
        canvas.fillBox(0, 0, kTile - 1, kTile - 1, 65280);
        canvas.loadSheet(kSheetItem, save(std::string(c.name) + ".bmp", filled(kTile, kTile, c.tile)));
        canvas.drawTile(kSheetItem, 0, 0, 0);
        canvas.present();
        for (const QPoint p : {QPoint(0, 0), QPoint(16, 16), QPoint(31, 31)})
            EXPECT_EQ(at(canvas, p.x(), p.y()), c.expected) << c.name;
    }
}

// The opaque copy lays the floor down as it is, white included.
TEST_F(SheetFiles, opaqueCopyKeepsWhite) {
    QtCanvas canvas = greenCanvas();
    canvas.fillBox(0, 0, kTile - 1, kTile - 1, 65280);
    canvas.loadSheet(kSheetBackground, save("floor.bmp", filled(kTile, kTile, kWhite)));
    canvas.copyTile(kSheetBackground, 0, 0, 0);
    canvas.present();
    EXPECT_EQ(at(canvas, 10, 10), kWhite);
}

// A picture that is missing or not a picture leaves an empty sheet that draws
// nothing and raises no error.
TEST_F(SheetFiles, unreadablePictureLeavesEmptySheet) {
    const std::string garbage = dir.filePath("garbage.bmp").toStdString();
    writeFile(garbage, "BM this is not a bitmap");
    for (const std::string& path : {dir.filePath("missing.bmp").toStdString(), garbage}) {
        clsBitmap bmp;
        EXPECT_FALSE(bmp.LoadBitmap(path, true));
        EXPECT_EQ(bmp.Width(), 0);
        EXPECT_EQ(bmp.Height(), 0);
        EXPECT_TRUE(bmp.empty());

        QtCanvas canvas = greenCanvas();
        canvas.fillBox(0, 0, kTile - 1, kTile - 1, 65280);
        EXPECT_FALSE(canvas.loadSheet(kSheetVoid, path));
        canvas.copyTile(kSheetVoid, 0, 0, 0);
        canvas.drawTile(kSheetVoid, 0, 0, 0);
        canvas.present();
        EXPECT_EQ(at(canvas, 5, 5), kGreen);
    }
}

// A few bytes of header must not buy gigabytes or seconds of mask work: a
// sheet is at most 8,192 pixels a side and 1,048,576 pixels in all.
TEST_F(SheetFiles, picturesPastTheSizeLimitAreRefused) {
    struct Case {
        int w, h;
        bool loads;
    };
    for (const Case c : {Case{1024, 1024, true}, Case{1025, 1024, false}, Case{128, 8192, true},
                         Case{1, 8193, false}, Case{8193, 1, false}}) {
        const std::string path = dir.filePath("big.bmp").toStdString();
        writeFile(path, blankBmp(c.w, c.h, kRed));
        clsBitmap bmp;
        EXPECT_EQ(bmp.LoadBitmap(path, true), c.loads) << c.w << " x " << c.h;
        EXPECT_EQ(bmp.Width(), c.loads ? c.w : 0) << c.w << " x " << c.h;
    }
}

// Tile n sits at column n mod 10, row n div 10; a tile beyond the sheet draws nothing.
TEST_F(SheetFiles, tilesAreAddressedTenToARow) {
    QImage sheet = filled(10 * kTile, 2 * kTile, kRed);
    QPainter(&sheet).fillRect(3 * kTile, kTile, kTile, kTile, QColor(kBlue)); // tile 13
    const std::string path = save("sheet.bmp", sheet);
    struct Case {
        int tile;
        QRgb expected;
    };
    for (const Case c : {Case{13, kBlue}, Case{3, kRed}, Case{20, kGreen}, Case{-1, kGreen}}) {
        QtCanvas canvas = greenCanvas();
        canvas.fillBox(0, 0, kTile - 1, kTile - 1, 65280);
        canvas.loadSheet(kSheetItem, path);
        canvas.drawTile(kSheetItem, c.tile, 0, 0);
        canvas.present();
        EXPECT_EQ(at(canvas, 16, 16), c.expected) << "tile " << c.tile;
    }
}

// Drawing skips a blank tile and copies a solid one without blending, so the
// cover worked out at load must match the tile's pixels, edge tiles included.
TEST_F(SheetFiles, eachTileKnowsWhetherItIsBlankSolidOrMixed) {
    using Cover = clsBitmap::Cover;
    QImage sheet = filled(3 * kTile + 8, kTile + 5, kRed); // a narrow last column, a short last row
    QPainter paint(&sheet);
    paint.fillRect(kTile, 0, kTile, kTile, QColor(kWhite));     // tile 1
    paint.fillRect(2 * kTile + 5, 7, 1, 1, QColor(kWhite));     // one pixel of tile 2
    paint.fillRect(0, kTile, kTile, 5, QColor(kWhite));         // tile 10
    paint.fillRect(3 * kTile, kTile, 8, 5, QColor(kNearWhite)); // tile 13: near white is opaque
    paint.end();
    clsBitmap bmp;
    ASSERT_TRUE(bmp.LoadBitmap(save("covers.bmp", sheet), true));
    struct Case {
        int tile;
        Cover expected;
    };
    for (const Case c :
         {Case{0, Cover::Full}, Case{1, Cover::None}, Case{2, Cover::Mixed}, Case{3, Cover::Full},
          Case{4, Cover::Mixed}, Case{10, Cover::None}, Case{11, Cover::Full}, Case{13, Cover::Full},
          Case{20, Cover::Mixed}, Case{-1, Cover::Mixed}})
        EXPECT_EQ(bmp.cover(c.tile), c.expected) << "tile " << c.tile;
}

// Boxes include both corners; a drawn frame only reaches the screen on present().
TEST(QtCanvasDrawing, boxCornersInclusiveAndShownOnlyWhenPresented) {
    QtCanvas canvas(20, 20);
    canvas.fillBox(12, 12, 2, 2, 255); // corners in either order
    EXPECT_EQ(canvas.shown().pixel(5, 5) | 0xFF000000u, QtCanvas::kBackground.rgb());
    canvas.present();
    EXPECT_EQ(canvas.shown().pixel(2, 2) | 0xFF000000u, kRed);
    EXPECT_EQ(canvas.shown().pixel(12, 12) | 0xFF000000u, kRed);
    EXPECT_EQ(canvas.shown().pixel(13, 13) | 0xFF000000u, QtCanvas::kBackground.rgb());
    EXPECT_EQ(canvas.shown().pixel(1, 2) | 0xFF000000u, QtCanvas::kBackground.rgb());
}

// Text is placed by its top-left corner, in the colour the game gives.
TEST(QtCanvasDrawing, textHangsBelowAndRightOfItsPosition) {
    QtCanvas canvas(200, 60);
    canvas.text(40, 20, "HM", 12, true, 65535);
    canvas.present();
    const QImage& shown = canvas.shown();
    int yellow = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if ((shown.pixel(x, y) | 0xFF000000u) == qRgb(255, 255, 0)) {
                ++yellow;
                EXPECT_GE(x, 40);
                EXPECT_GE(y, 20);
                EXPECT_LT(y, 20 + QFontMetrics(QtCanvas::gameFont(12, true)).height());
            }
    EXPECT_GT(yellow, 10);
}

// A resized view keeps what it drew and paints the new strip in its background.
TEST(QtCanvasDrawing, resizeKeepsDrawingInItsCorner) {
    QtCanvas canvas(10, 10);
    canvas.fillBox(0, 0, 9, 9, 255);
    canvas.resize(20, 15);
    EXPECT_EQ(canvas.width(), 20);
    EXPECT_EQ(canvas.height(), 15);
    canvas.present();
    EXPECT_EQ(canvas.shown().pixel(9, 9) | 0xFF000000u, kRed);
    EXPECT_EQ(canvas.shown().pixel(15, 12) | 0xFF000000u, QtCanvas::kBackground.rgb());
}

// Message lines step by their font's height, so the bars of one line stay
// clear of the next line's, however tall the font draws.
TEST(QtCanvasDrawing, messageLinesDoNotOverlap) {
    test::TestGame t;
    QtCanvas canvas(640, 480);
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string());
    test::prepareEmptyLevel(t, game);
    game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);
    game.message(19) = Message{true, "||gjpqy||", 255, 0};
    game.message(20) = Message{true, "||\xC5\xC9||", 65280, 0};
    Display(game, true);
    int lowestRed = -1;
    int highestGreen = canvas.height();
    const QImage& shown = canvas.shown();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QColor c = shown.pixelColor(x, y);
            if (c.red() > 128 && c.green() < 64) lowestRed = y;
            if (c.green() > 128 && c.red() < 64) highestGreen = std::min(highestGreen, y);
        }
    ASSERT_GE(lowestRed, 0);
    EXPECT_LT(lowestRed, highestGreen);
}

} // namespace
} // namespace gf
