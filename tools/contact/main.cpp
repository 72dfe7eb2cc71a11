// gloamfell-contact-sheet DATA_FOLDER OUT.png
// Every creature as the view draws it: a row per sheet (the user's creature,
// then each monster type), its eight facings on the floor in full light, the
// same in the dimmest lit band, then the item it leaves behind, lit and dim.
// Prints each creature's contrast against the floor in every lit band.
#include "arena.hpp"
#include "art/sheets.hpp"
#include "common/png.hpp"
#include "contact/contrast.hpp"
#include "tile_sheet.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

using namespace gloamfell::tools;

namespace {

constexpr int kFacings = 8;
constexpr int kDimmestLitBand = kLitBands - 1;
constexpr int kZoom = 2;
constexpr int kGap = 8;

// A sheet as the game loads it: the same header checks, the same decoder.
Image loadSheet(const std::filesystem::path& path) {
    gf::TileSheet bitmap;
    if (!bitmap.load(path.string())) throw std::runtime_error("the game cannot load " + path.string());
    const QImage& picture = bitmap.image();
    Image out(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb c = picture.pixel(x, y);
            out.set(x, y,
                    {static_cast<std::uint8_t>(qRed(c)), static_cast<std::uint8_t>(qGreen(c)),
                     static_cast<std::uint8_t>(qBlue(c))});
        }
    return out;
}

// Draws tile n of a sheet over dst at (x, y), white left out.
void overlay(Image& dst, const Image& sheet, int n, int x, int y) {
    for (int ty = 0; ty < kTile; ++ty)
        for (int tx = 0; tx < kTile; ++tx)
            if (const Rgb c = sheet.at(tileX(n) + tx, tileY(n) + ty); !(c == kTransparent))
                dst.set(x + tx, y + ty, c);
}

// One cell of the view, enlarged: floor, the thing on it, then the light.
void cell(Image& out, int x, int y, const Image& floor, const Image& sheet, int tile, const Image& light,
          int band) {
    Image c(kTile, kTile);
    c.blit(floor, 0, 0);
    overlay(c, sheet, tile, 0, 0);
    overlay(c, light, band, 0, 0);
    for (int py = 0; py < kTile * kZoom; ++py)
        for (int px = 0; px < kTile * kZoom; ++px)
            out.set(x + px, y + py, c.at(px / kZoom, py / kZoom));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: gloamfell-contact-sheet DATA_FOLDER OUT.png\n";
        return 2;
    }
    try {
        const std::filesystem::path data = argv[1];
        gloamfell::balance::Arena arena(data.string());
        const gf::Game& g = arena.game();
        const Image floor = loadSheet(data / "background.bmp");
        const Image light = loadSheet(data / "light.bmp");
        const Image items = loadSheet(data / "item.bmp");
        const int rows = g.catalogue.monsters.size() + 1;
        const int step = kTile * kZoom;
        const int width = (2 * kFacings + 2) * step + 3 * kGap;
        Image out(width, rows * (step + kGap) + kGap, Rgb{24, 22, 26});
        for (int row = 0; row < rows; ++row) {
            const int y = kGap + row * (step + kGap);
            const int image = row == 0 ? 0 : g.catalogue.monsters(row).image;
            const Image sheet = loadSheet(data / ("player" + std::to_string(image) + ".bmp"));
            for (int f = 0; f < kFacings; ++f) {
                cell(out, f * step, y, floor, sheet, f, light, 0);
                cell(out, kGap + (kFacings + f) * step, y, floor, sheet, f, light, kDimmestLitBand);
            }
            const int dead = row == 0 ? 0 : g.catalogue.monsters(row).deadItem;
            if (dead < 1 || !g.catalogue.items.valid(dead)) continue;
            const int tile = g.catalogue.items(dead).image;
            cell(out, 2 * kGap + 2 * kFacings * step, y, floor, items, tile, light, 0);
            cell(out, 2 * kGap + (2 * kFacings + 1) * step, y, floor, items, tile, light, kDimmestLitBand);
        }
        savePng(out, argv[2]);
        std::printf("%-10s", "contrast");
        for (int band = 0; band < kLitBands; ++band)
            std::printf("  band %d", band);
        std::printf("\n");
        for (const CreatureContrast& c : measureContrast(data.string())) {
            std::printf("%-10s", c.name.c_str());
            for (double r : c.ratio)
                std::printf("  %6.2f", r);
            std::printf("\n");
        }
    } catch (const std::exception& e) {
        std::cerr << "gloamfell-contact-sheet: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
