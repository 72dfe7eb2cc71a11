#include "render/sheet_header.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace gf::test {
namespace {

struct Sheet {
    const char* name;
    const char* magic;
    uint32_t headerSize;
    int32_t width, height;
    uint16_t bits;
    uint32_t compression;
    std::size_t pixelBytes;
    const char* problem;
};

// A BMP file with the given header and that many bytes of pixels after it.
std::string bmp(const Sheet& s) {
    std::string b(std::max<std::size_t>(14 + s.headerSize, 54), '\0'); // room for every field written
    const auto put = [&](std::size_t at, uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b[at + static_cast<std::size_t>(i)] = static_cast<char>(v >> (8 * i));
    };
    b.replace(0, 2, s.magic);
    put(10, 14 + s.headerSize, 4);
    put(14, s.headerSize, 4);
    const bool core = s.headerSize == 12;
    put(18, static_cast<uint32_t>(s.width), core ? 2 : 4);
    put(core ? 20 : 22, static_cast<uint32_t>(s.height), core ? 2 : 4);
    put(core ? 24 : 28, s.bits, 2);
    if (!core) put(30, s.compression, 4), put(46, 16, 4); // of the palette, sixteen colours used
    return b + std::string(s.pixelBytes, '\0');
}

// Whether a sheet is drawn: rows padded to 4 bytes, only kinds the decoder takes, no header cut off.
TEST(SheetHeader, headersPassOrSayWhy) {
    const Sheet sheets[] = {
        {"plain 24 bits", "BM", 40, 3, 2, 24, 0, 24, ""},
        {"cut short", "BM", 40, 3, 2, 24, 0, 23, "BMP cut short: its pixels need 24 bytes"},
        {"top-down", "BM", 124, 3, -2, 24, 0, 24, ""},
        {"right to left", "BM", 40, -3, 2, 24, 0, 24, "BMP of -3 x 2 pixels"},
        {"one bit rounds up to a word", "BM", 64, 33, 1, 1, 0, 7, "BMP cut short: its pixels need 8 bytes"},
        {"core header", "BM", 12, 2, 2, 8, 0, 8, ""},
        {"core header, 300 rows", "BM", 12, 2, 300, 8, 0, 1200, ""},
        {"RLE4", "BM", 40, 4, 4, 4, 2, 0, ""},
        {"RLE8", "BM", 108, 4, 4, 8, 1, 0, ""},
        {"RLE8 of 4 bits", "BM", 40, 4, 4, 4, 1, 0, "BMP of an unknown kind (4 bits, compression 1)"},
        {"16 bits, 5-5-5", "BM", 40, 2, 2, 16, 0, 8, ""},
        {"RLE8 of 16 bits", "BM", 40, 2, 2, 16, 1, 8, "BMP of an unknown kind (16 bits, compression 1)"},
        {"bits past a byte", "BM", 40, 2, 2, 256 + 8, 0, 8,
         "BMP of an unknown kind (264 bits, compression 0)"},
        {"header of 11 bytes", "BM", 11, 4, 4, 8, 0, 64, "BMP header of an unknown kind"},
        {"XM", "XM", 40, 3, 2, 24, 0, 24, "not a BMP file"},
        {"BX", "BX", 40, 3, 2, 24, 0, 24, "not a BMP file"},
    };
    for (const Sheet& s : sheets) {
        SheetHeader h;
        EXPECT_EQ(readSheetHeader(bmp(s), h), s.problem) << s.name;
        if (*s.problem == '\0') {
            EXPECT_EQ(std::tuple(h.width, h.height, h.topDown, h.paletteUsed),
                      std::tuple(s.width, std::abs(s.height), s.height < 0, s.headerSize == 12 ? 0u : 16u))
                << s.name;
        }
    }
    SheetHeader h;
    EXPECT_EQ(readSheetHeader(bmp(sheets[2]).substr(0, 99), h), "damaged BMP header"); // 124 bytes long
}

} // namespace
} // namespace gf::test
