// Any bytes as a tile sheet, loaded with its mask as start-up loads every sheet.
#include "fuzz_folder.h"
#include "qt_canvas.h"
#include "render/sizes.h"
#include "tile_sheet.h"

#include <QGuiApplication>
#include <QPainter>

using namespace gf;

namespace {

struct Target {
    Target() {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        // Qt complains on standard error about each broken picture; thousands a
        // second would slow the run and bury the fuzzer's own report.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    int argc = 1;
    char name[16] = "fuzz_tile_sheet";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QGuiApplication> app;
    fuzz::FuzzFolder folder;
};

// The canvas skips blank tiles and copies solid ones instead of blending;
// every tile must come out as a plain blend of the masked sheet would draw
// it, also when drawing goes on after a present without a clear.
void drawsLikeABlend(const std::string& path) {
    constexpr int kTiles = 12;
    QtCanvas canvas(kTiles * kTile + 7, 2 * kTile + 5);
    if (!canvas.loadSheet(0, path)) return;
    const QImage& masked = canvas.sheet(0)->masked();
    QImage expected(canvas.width(), canvas.height(), QImage::Format_RGB32);
    expected.fill(QtCanvas::kBackground);
    canvas.clear();
    {
        QPainter p(&expected);
        for (int pass = 0; pass < 2; ++pass) {
            for (int n = 0; n < kTiles; ++n) {
                const int tile = n + pass * kTilesPerRow;
                const QRect src = QRect(tileX(tile), tileY(tile), kTile, kTile).intersected(masked.rect());
                // Off by a few pixels, so tiles overlap and hang over the edges.
                const QPoint at(n * kTile - 3 + pass * 5, pass * kTile - 2 + n % 3);
                if (!src.isEmpty()) p.drawImage(at, masked, src);
                canvas.drawTile(0, tile, at.x(), at.y());
            }
            if (pass == 0) canvas.present();
        }
    }
    canvas.present();
    fuzz::require(canvas.shown() == expected, "the canvas drew a tile unlike a blend of it");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static Target t;
    const std::string path = t.folder.write("sheet.bmp", data, size);
    TileSheet sheet;
    if (sheet.load(path, true)) {
        fuzz::require(sheet.width() > 0 && sheet.height() > 0, "a loaded sheet has no pixels");
        fuzz::require(sheet.image().size() == sheet.masked().size(), "the mask does not fit the picture");
        fuzz::require(sheet.width() == sheet.image().width() && sheet.height() == sheet.image().height(),
                      "the sheet's size is not its picture's");
        // Loaded again and drawn pixel by pixel: only up to a quarter of a million
        // pixels, well past any real sheet, so the runs stay quick.
        if (sheet.width() * sheet.height() <= 256 * 1024) drawsLikeABlend(path);
    } else {
        fuzz::require(sheet.empty() && sheet.width() == 0 && sheet.height() == 0,
                      "a sheet that failed to load is not empty");
    }
    return 0;
}
