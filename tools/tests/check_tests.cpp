// Checks of the level checker's own rules, where a fixture folder per case
// would say less than a table. Reading itself is the game's, tested there.
#include "check/level.hpp"
#include "check/sheet.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "expect.h"

using namespace gloamfell::tools;

namespace {

// The game draws a door by the wall it sits in; only one straight run fits.
TEST(CheckerRules, doorsMustSitInOneStraightRun) {
    struct Case {
        const char* around; // north, east, south, west of the door
        bool fits;
    };
    const Case cases[] = {{".X.X", true}, {"X.X.", true},  {"XX.X", true},  {"XXXX", true},
                          {"D.X.", true}, {"XXX.", false}, {"X..X", false}, {"....", false}};
    for (const Case& c : cases) {
        Level l;
        l.file = "a.map";
        l.name = {"a", 1};
        std::vector<std::string> rows{"XXXXX", "XS..X", "X.D.X", "X...X", "XXXXX"};
        rows[1][2] = c.around[0];
        rows[2][3] = c.around[1];
        rows[3][2] = c.around[2];
        rows[2][1] = c.around[3];
        for (std::size_t i = 0; i < rows.size(); ++i)
            l.rows.push_back({rows[i], int(i) + 1});
        Faults faults;
        checkLevel(l, faults);
        bool doorFault = false;
        for (const auto& f : faults)
            doorFault = doorFault || f.text.find("door at (2,2)") != std::string::npos;
        check(doorFault != c.fits,
              std::string("door with ") + c.around + " around it" + (c.fits ? " fits" : " does not fit"));
    }
}

// A little-endian field of a hand-made BMP.
void put(std::string& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = char(v >> (8 * i));
}

std::string bmp(int width, int height, int bits, std::size_t paletteSize, std::size_t pixelBytes) {
    const std::size_t offset = 54 + paletteSize * 4;
    std::string b(offset + pixelBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    put(b, 2, std::uint32_t(b.size()), 4);
    put(b, 10, std::uint32_t(offset), 4);
    put(b, 14, 40, 4);
    put(b, 18, std::uint32_t(width), 4);
    put(b, 22, std::uint32_t(height), 4);
    put(b, 26, 1, 2);
    put(b, 28, std::uint32_t(bits), 2);
    return b;
}

// Paint programs write many kinds of BMP; size and blank tiles must read the same in each.
TEST(CheckerRules, sheetsOfEveryUncompressedKind) {
    // 24-bit, 64 x 32, all white but one black pixel in tile 1, top-down.
    auto b24 = bmp(64, -32, 24, 0, 64 * 3 * 32);
    for (std::size_t i = 54; i < b24.size(); ++i)
        b24[i] = char(255);
    const std::size_t black = 54 + 5 * 64 * 3 + 40 * 3; // row 5, x 40
    b24[black] = b24[black + 1] = b24[black + 2] = 0;
    std::string error;
    const auto s24 = Sheet::read(b24, error);
    check(s24 && s24->width() == 64 && s24->height() == 32, "a top-down sheet has a positive height");
    check(s24 && s24->tileIsBlank(0) && !s24->tileIsBlank(1), "a tile with one dark pixel is drawn");
    check(s24 && s24->hasTile(1) && !s24->hasTile(2) && !s24->hasTile(10) && !s24->hasTile(-1),
          "tiles run ten to a row and only as far as the picture");

    // 8-bit with a two-colour palette: index 1 white, index 0 black, bottom-up.
    auto b8 = bmp(32, 32, 8, 2, 32 * 32);
    put(b8, 46, 2, 4);
    b8[54 + 4] = b8[54 + 5] = b8[54 + 6] = char(255);
    for (std::size_t i = 62; i < b8.size(); ++i)
        b8[i] = 1;
    auto s8 = Sheet::read(b8, error);
    check(s8 && s8->tileIsBlank(0), "palette indices are looked up");
    b8.back() = 0;
    s8 = Sheet::read(b8, error);
    check(s8 && !s8->tileIsBlank(0), "a palette black pixel draws the tile");

    const auto cut = b24.substr(0, b24.size() - 1);
    check(!Sheet::read(cut, error) && error.find("cut short") != std::string::npos,
          "a truncated sheet is unreadable");
    check(!Sheet::read(std::string("BM\0", 3), error), "a stub is unreadable");
    auto wide = bmp(1000, 32, 8, 0, 0);
    put(wide, 30, 1, 4); // run-length coded: its pixels are not looked at
    const auto rle = Sheet::read(wide, error);
    check(rle && rle->hasTile(9) && !rle->tileIsBlank(9), "a compressed sheet still gives its size");
}

} // namespace
