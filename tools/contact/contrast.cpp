#include "contact/contrast.hpp"

#include "arena.hpp"
#include "platform/canvas.h"
#include "qt_canvas.h"
#include "render/tile_geometry.h"
#include "util/files.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace gloamfell::tools {

namespace {

constexpr int kFacings = 8;

struct Linear {
    double r = 0, g = 0, b = 0;
    int pixels = 0;
    void add(QRgb c) {
        r += linearChannel(qRed(c));
        g += linearChannel(qGreen(c));
        b += linearChannel(qBlue(c));
        ++pixels;
    }
    double meanLuminance() const { return pixels ? luminance(r / pixels, g / pixels, b / pixels) : 0; }
};

// One cell as drawCell lays it: the floor, maybe a creature's frame, the light.
const QImage& drawCell(gf::QtCanvas& canvas, int sheet, int frame, int band) {
    canvas.copyTile(gf::kSheetBackground, 0, 0, 0);
    if (sheet >= 0) canvas.drawTile(sheet, frame, 0, 0);
    canvas.drawTile(gf::kSheetLight, band, 0, 0);
    canvas.present();
    return canvas.shown();
}

} // namespace

double linearChannel(int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double contrastRatio(double a, double b) {
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double luminance(double r, double g, double b) {
    return 0.2126 * r + 0.7152 * g + 0.0722 * b;
}

double darkestFloor(const std::string& dataFolder) {
    gf::QtCanvas canvas(gf::kTile, gf::kTile);
    if (!canvas.loadSheet(gf::kSheetBackground, gf::fileIn(dataFolder, "background.bmp")))
        throw std::runtime_error("the game cannot load background.bmp");
    const QImage& floor = drawCell(canvas, -1, 0, 0);
    double darkest = 1;
    for (int y = 0; y < gf::kTile; ++y)
        for (int x = 0; x < gf::kTile; ++x) {
            Linear pixel;
            pixel.add(floor.pixel(x, y));
            darkest = std::min(darkest, pixel.meanLuminance());
        }
    return darkest;
}

std::vector<CreatureContrast> measureContrast(const std::string& dataFolder) {
    balance::Arena arena(dataFolder);
    const gf::Game& game = arena.game();
    std::vector<CreatureContrast> out{{"user", 0, {}}};
    for (int m = 1; m <= game.catalogue.monsters.size(); ++m)
        if (!game.catalogue.monsters(m).name.empty())
            out.push_back({game.catalogue.monsters(m).name, game.catalogue.monsters(m).image, {}});

    gf::QtCanvas canvas(gf::kTile, gf::kTile);
    const auto load = [&](int sheet, const std::string& file) {
        if (!canvas.loadSheet(sheet, gf::fileIn(dataFolder, file)))
            throw std::runtime_error("the game cannot load " + file);
    };
    load(gf::kSheetBackground, "background.bmp");
    load(gf::kSheetLight, "light.bmp");
    for (CreatureContrast& c : out) {
        const int sheet = gf::playerSheet(c.sheet);
        load(sheet, "player" + std::to_string(c.sheet) + ".bmp");
        const QImage& picture = canvas.sheet(sheet)->image();
        for (int band = 0; band < kLitBands; ++band) {
            Linear floor;
            const QImage& bare = drawCell(canvas, -1, 0, band);
            for (int y = 0; y < gf::kTile; ++y)
                for (int x = 0; x < gf::kTile; ++x)
                    floor.add(bare.pixel(x, y));
            double worst = INFINITY;
            for (int frame = 0; frame < kFacings; ++frame) {
                Linear body;
                const QImage& cell = drawCell(canvas, sheet, frame, band);
                for (int y = 0; y < gf::kTile; ++y)
                    for (int x = 0; x < gf::kTile; ++x)
                        if (picture.pixel(gf::tileX(frame) + x, gf::tileY(frame) + y) != qRgb(255, 255, 255))
                            body.add(cell.pixel(x, y));
                worst = std::min(worst, contrastRatio(body.meanLuminance(), floor.meanLuminance()));
            }
            c.ratio[static_cast<std::size_t>(band)] = worst;
        }
    }
    return out;
}

} // namespace gloamfell::tools
