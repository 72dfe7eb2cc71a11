// Tile sheets, how tiles land on the view, the canvas's frames, the screenshot and the death frame.
#include "draw_scene.h"
#include "platform/forwarding_canvas.h"
#include "qt_canvas.h"
#include "render/death.h"
#include "render/sheet_header.h"
#include "render/view.h"
#include "screenshot.h"
#include "test_game.h"
#include "tile_sheet.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace gf {
namespace {

const QRgb kRed = qRgb(255, 0, 0), kBlue = qRgb(0, 0, 255);
const QRgb kWhite = qRgb(255, 255, 255), kNearWhite = qRgb(254, 255, 255);

enum class Layout { Bottom, TopDown, Rle8, Bitfields }; // Bitfields: 16 bits as 5-6-5

using test::le;

// A BMP as paint programs save one (1, 4, 8, 16, 24 or 32 bits), so no binary fixtures are needed.
std::string bmpBytes(const QImage& picture, int bits, Layout layout = Layout::Bottom) {
    const int w = picture.width(), h = picture.height();
    const bool rle = layout == Layout::Rle8;
    std::vector<QRgb> palette;
    const auto index = [&](QRgb c) {
        auto at = std::find(palette.begin(), palette.end(), c);
        if (at == palette.end()) at = palette.insert(at, c);
        return static_cast<int>(at - palette.begin());
    };
    std::string pixels;
    for (int i = 0; i < h; ++i) {
        std::string row(static_cast<std::size_t>((w * bits + 31) / 32 * 4), '\0');
        for (int x = 0; x < w; ++x) {
            const QRgb c = picture.pixel(x, layout == Layout::TopDown ? i : h - 1 - i) & 0xFFFFFFu;
            const auto at = static_cast<std::size_t>(x * bits / 8);
            if (rle) // runs of one pixel are still run-length coded
                pixels += {'\1', char(index(c))};
            else if (bits <= 8)
                row[at] = char(row[at] | index(c) << (8 - bits - x * bits % 8));
            else if (bits == 16 && layout == Layout::Bitfields)
                row.replace(at, 2, le((qRed(c) >> 3) << 11 | (qGreen(c) >> 2) << 5 | qBlue(c) >> 3, 2));
            else if (bits == 16)
                row.replace(at, 2, le((qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | qBlue(c) >> 3, 2));
            else
                row.replace(at, 3, le(c, 3)); // blue, green, red
        }
        pixels += rle ? std::string("\0\0", 2) : row;
    }
    pixels += rle ? std::string("\0\1", 2) : "";
    const bool masks = layout == Layout::Bitfields;
    const int64_t offset = 54 + 4 * std::ssize(palette) + 12 * masks, size = std::ssize(pixels);
    std::string out = "BM" + le(offset + size, 4) + le(0, 4) + le(offset, 4) + le(40, 4) + le(w, 4) +
                      le(layout == Layout::TopDown ? -h : h, 4) + le(1, 2) + le(bits, 2) +
                      le(rle + 3 * masks, 4) + le(size, 4) + le(2835, 4) + le(2835, 4) +
                      le(std::ssize(palette), 4) + le(0, 4);
    for (const QRgb c : palette)
        out += le(c, 4); // blue, green, red, zero
    return out + (masks ? le(0xF800, 4) + le(0x07E0, 4) + le(0x001F, 4) : "") + pixels;
}

QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Every pixel, row by row.
std::vector<QRgb> pixels(const QImage& image) {
    std::vector<QRgb> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.pixel(x, y));
    return out;
}

// The one colour a picture shows, 0 when it shows more than one.
QRgb uniform(const QImage& image) {
    const std::vector<QRgb> all = pixels(image);
    return std::all_of(all.begin(), all.end(), [&](QRgb c) { return c == all[0]; }) ? all[0] : 0;
}

class SheetFiles : public ::testing::Test {
protected:
    // An empty `bytes` writes nothing, for a missing file.
    std::string save(const std::string& name, const std::string& bytes) {
        const std::string path = dir.filePath(QString::fromStdString(name)).toStdString();
        if (!bytes.empty()) std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    QTemporaryDir dir;
};

struct Variant {
    const char* name;
    int bits;
    Layout layout;
};

class BmpVariants : public SheetFiles, public ::testing::WithParamInterface<Variant> {};

// Every layout an editor may save loads the right way round with white, 16-bit white too, transparent.
TEST_P(BmpVariants, loadsWithWhiteTransparent) {
    const Variant v = GetParam();
    QImage picture = filled(40, 33, kRed);
    QPainter(&picture).fillRect(0, 16, 20, 17, QColor(kWhite));
    if (v.bits > 1) picture.setPixel(1, 1, kBlue), picture.setPixel(39, 32, kBlue); // which way round
    TileSheet bmp;
    ASSERT_TRUE(bmp.load(save("sheet.bmp", bmpBytes(picture, v.bits, v.layout)), true));
    EXPECT_EQ(pixels(bmp.image()), pixels(picture));
    std::vector<QRgb> clear = pixels(picture);
    std::replace(clear.begin(), clear.end(), kWhite, QRgb{0});
    EXPECT_EQ(pixels(bmp.masked()), clear);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, BmpVariants,
    ::testing::Values(Variant{"mono", 1, Layout::Bottom}, Variant{"four", 4, Layout::Bottom},
                      Variant{"eight", 8, Layout::Bottom}, Variant{"rle8", 8, Layout::Rle8},
                      Variant{"sixteen", 16, Layout::Bottom}, Variant{"bitfields", 16, Layout::Bitfields},
                      Variant{"truecolour", 24, Layout::Bottom}, Variant{"topdown", 24, Layout::TopDown},
                      Variant{"thirtytwo", 32, Layout::Bottom}),
    [](const auto& info) { return std::string(info.param.name); });

// Tile n sits at column n mod 10, row n div 10. Whole or cut by any edge, copied or drawn, a tile
// shows the pixels Qt's own painter puts there: drawn, only pure white is clear; copied, nothing is.
TEST_F(SheetFiles, tilesWholeOrCutByAnEdgeShowTheirOwnPixels) {
    QImage sheet(10 * kTile, kTile + 8, QImage::Format_RGB32); // a short last row
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            sheet.setPixel(x, y, qRgb(x & 0xFF, y * 3, 100 + x / kTile)); // each pixel its own colour
    QPainter paint(&sheet);
    paint.fillRect(4 * kTile, 0, kTile, kTile, QColor(kWhite));     // tile 4
    paint.fillRect(5 * kTile, 0, kTile, kTile, QColor(kNearWhite)); // tile 5
    paint.fillRect(6 * kTile + 4, 6, 9, 11, QColor(kWhite));        // tile 6 partly clear
    paint.end();
    TileSheet bmp;
    const std::string path = save("sheet.bmp", bmpBytes(sheet, 24));
    ASSERT_TRUE(bmp.load(path, true));
    const int w = 2 * kTile + 7, h = 2 * kTile + 5;
    const QPoint places[] = {{9, 10},  {-9, 10},       {w - 9, 10},     {10, -9},       {10, h - 9},
                             {-9, -9}, {w - 5, h - 5}, {-kTile + 1, 3}, {w - 1, h - 1}, {w, 0}};
    for (const int tile : {0, 1, 4, 5, 6, 13, 20, -1})
        for (const bool copy : {false, true})
            for (const QPoint at : places) {
                QtCanvas canvas(w, h);
                ASSERT_TRUE(canvas.loadSheet(kSheetItem, path));
                copy ? canvas.copyTile(kSheetItem, tile, at.x(), at.y())
                     : canvas.drawTile(kSheetItem, tile, at.x(), at.y());
                canvas.present();
                QImage expected = QtCanvas(w, h).shown();
                QPainter paint(&expected);
                if (copy) paint.setCompositionMode(QPainter::CompositionMode_Source);
                if (tile >= 0)
                    paint.drawImage(at, copy ? bmp.image() : bmp.masked(),
                                    QRect(tile % 10 * kTile, tile / 10 * kTile, kTile, kTile));
                paint.end();
                EXPECT_EQ(canvas.shown(), expected)
                    << "tile " << tile << (copy ? " copied" : " drawn") << " at " << at.x() << ", " << at.y();
            }
    for (const std::string& broken : {save("bad.bmp", "BM not a bitmap"), save("missing.bmp", "")}) {
        QtCanvas canvas(w, h);
        EXPECT_FALSE(canvas.loadSheet(kSheetItem, broken));
        canvas.copyTile(kSheetItem, 0, 0, 0);
        canvas.drawTile(kSheetItem, 0, 0, 0);
        canvas.present();
        EXPECT_EQ(canvas.shown(), QtCanvas(w, h).shown()) << broken;
    }
}

// Drawing shows once presented, goes on from the frame shown, and stays in its corner on a resize.
TEST(QtCanvasFrames, drawingShowsWhenPresentedAndSurvivesResizes) {
    QtCanvas canvas(20, 20);
    int presented = 0;
    canvas.setPresenter([&] { ++presented; });
    QImage expected = canvas.shown();
    canvas.fillBox(12, 12, 2, 2, 255);
    EXPECT_EQ(canvas.shown(), expected);
    QPainter(&expected).fillRect(QRect(QPoint(2, 2), QPoint(12, 12)), QColor(kRed));
    const std::pair<std::function<void()>, QRect> steps[] = {
        {[] {}, {}},
        {[&] { canvas.pixel(0, 19, 16711680); }, QRect(0, 19, 1, 1)},
        {[&] { canvas.fillBox(19, 0, 19, 0, 16711680); }, QRect(19, 0, 1, 1)},
        {[] {}, {}},
        {[&] { canvas.pixel(20, 3, 65280), canvas.pixel(-1, 3, 65280); }, {}}};
    for (const auto& [draw, blue] : steps) {
        draw();
        canvas.present();
        QPainter(&expected).fillRect(blue, QColor(kBlue));
        EXPECT_EQ(canvas.shown(), expected) << presented;
    }
    EXPECT_EQ(presented, 5);
    canvas.resize(30, 25);
    canvas.present();
    QImage grown = QtCanvas(30, 25).shown();
    QPainter(&grown).drawImage(0, 0, expected);
    EXPECT_EQ(std::tuple(canvas.width(), canvas.height(), canvas.shown()), std::tuple(30, 25, grown));
    canvas.resize(30, 10); // one side alone
    EXPECT_EQ(canvas.height(), 10);
    canvas.clear();
    canvas.present();
    EXPECT_EQ(canvas.shown(), QtCanvas(30, 10).shown());
}

// Text hangs below and right of its place, in the game's font: as tall as its capitals, no taller.
TEST(QtCanvasFrames, textHangsBelowItsPlaceInTheGameFont) {
    QtCanvas canvas(200, 80);
    canvas.text(40, 20, "HM", 24, true, 65535);
    canvas.present();
    QRect yellow;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            if (canvas.shown().pixel(x, y) == qRgb(255, 255, 0)) yellow |= QRect(x, y, 1, 1);
    const QRect capitals = QFontMetrics(QtCanvas::gameFont(24, true)).tightBoundingRect(QStringLiteral("HM"));
    EXPECT_EQ(std::tuple(yellow.left() >= 40, yellow.top() >= 20,
                         yellow.bottom() < 20 + canvas.lineHeight(24, true)),
              std::tuple(true, true, true));
    EXPECT_NEAR(yellow.height(), capitals.height(), 2);
}

// Message lines in the real font never overlap, even with descenders and accents.
TEST(QtCanvasFrames, messageLinesDoNotOverlap) {
    test::TestGame t;
    QtCanvas canvas(640, 480);
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string());
    scene::prepare(game);
    game.messages.line(19) = Message{true, "||gjpqy||", 255, 0};
    game.messages.line(20) = Message{true, "||\xC5\xC9||", 65280, 0};
    redraw(game, true);
    int lowestRed = -1, highestGreen = canvas.height();
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QColor c = canvas.shown().pixelColor(x, y);
            if (c.red() > 128 && c.green() < 64 && c.blue() < 64) lowestRed = y;
            if (c.green() > 128 && c.red() < 64 && c.blue() < 64) highestGreen = std::min(highestGreen, y);
        }
    ASSERT_GE(lowestRed, 0);
    EXPECT_LT(lowestRed, highestGreen);
}

// The screenshot shows the zoomed view beside the panel and hands the game's drawing back untouched.
TEST_F(SheetFiles, screenshotShowsViewAndPanelAndGivesTheDrawingBack) {
    test::TestGame t;
    ForwardingCanvas drawing(t.io.canvas);
    Game game(Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, drawing}, t.folder.string());
    drawing.loadSheet(kSheetBackground, save("floor.bmp", bmpBytes(filled(kTile, kTile, kRed), 24)));
    scene::prepare(game);
    game.creatures.current = addCreature(game, 0, 50, 50);
    t.io.canvas.ops.clear();
    const std::string png = save("shot.png", "");
    EXPECT_EQ(std::pair(saveWindowScreenshot(game, drawing, png, 0, 480, 1),
                        saveWindowScreenshot(game, drawing, png, 1, 1, 1)),
              std::pair(false, true));
    ASSERT_TRUE(saveWindowScreenshot(game, drawing, png, 320, 480, 2));
    EXPECT_EQ(std::tuple(&drawing.target(), t.io.canvas.ops.size(), test::boxTexts(t).size()),
              std::tuple(static_cast<Canvas*>(&t.io.canvas), 0u, 0u));
    const QImage shot(QString::fromStdString(png));
    const int menuBar = shot.height() - 481;
    EXPECT_EQ(std::pair(shot.width(), menuBar > 0), std::pair(320 + 1 + kStatusWidth, true));
    EXPECT_EQ(uniform(shot.copy(0, menuBar, 320, 480).convertToFormat(QImage::Format_RGB32)), kRed);
}

// A few header bytes must not buy gigabytes of mask work; a refused file leaves the sheet empty.
TEST_F(SheetFiles, picturesPastTheSizeLimitOrUnreadableAreRefused) {
    const auto blank = [](int w, int h, std::size_t size = 0) { // padded to `size` bytes
        const std::string bytes = bmpBytes(filled(w, h, kRed), 1);
        return bytes + std::string(std::max(size, bytes.size()) - bytes.size(), '\0');
    };
    // No bytes: no file; 0 x 0: refused.
    // clang-format off
    const std::tuple<std::string, std::string, int, int> cases[] = {
        {"at the pixel limit", blank(1024, 1024), 1024, 1024}, {"past it", blank(1025, 1024), 0, 0},
        {"at the side limit", blank(128, 8192), 128, 8192}, {"too tall", blank(1, 8193), 0, 0},
        {"too wide", blank(8193, 1), 0, 0}, {"a file at the byte limit", blank(8, 8, kMaxSheetFile), 8, 8},
        {"a byte past it", blank(8, 8, kMaxSheetFile + 1), 0, 0}, {"not a picture", "BM not a bitmap", 0, 0},
        {"missing", "", 0, 0}};
    // clang-format on
    TileSheet bmp;
    for (const auto& [name, bytes, w, h] : cases) {
        const bool loaded = bmp.load(save(name + ".bmp", bytes), true);
        EXPECT_EQ(std::tuple(loaded, bmp.width(), bmp.height(), bmp.empty()), std::tuple(w > 0, w, h, w == 0))
            << name;
    }
    ASSERT_EQ(mkfifo(save("pipe.bmp", "").c_str(), 0600), 0); // opened, it would wait for a writer forever
    EXPECT_FALSE(bmp.load(save("pipe.bmp", ""), true));
}

// The death animation's last frame is red to every edge, whatever part of a cell is left over.
TEST(DeathAnimation, lastFrameCoversTheWholeView) {
    for (const QSize size : {QSize(640, 480), QSize(656, 495), QSize(687, 511), QSize(481, 417)}) {
        test::TestGame t;
        QtCanvas canvas(size.width(), size.height());
        Game g{Platform{t.io.clock, t.io.random, t.io.window, t.io.sound, canvas}, t.folder.string()};
        scene::prepare(g);
        playDeath(g);
        ASSERT_EQ(canvas.shown().size(), size);
        EXPECT_EQ(uniform(canvas.shown()), kRed) << size.width() << " x " << size.height();
    }
}

} // namespace
} // namespace gf
