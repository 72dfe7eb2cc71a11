#pragma once
// Whether a tile sheet will be drawn at all, decided from its BMP header the
// same way by the game, the driver and the checker. Decoding the pixels is
// the front end's.
#include <cstdint>
#include <string>
#include <string_view>

namespace gf {

// A sheet holds at most a hundred items or eight frames, 320 x 320 pixels;
// ten times that keeps room for any author (a thousand item pictures) and
// keeps a hostile file of a few bytes from claiming megabytes and
// milliseconds of mask work.
inline constexpr int64_t kMaxSheetSide = 8192;
inline constexpr int64_t kMaxSheetPixels = 1024 * 1024;
// Far beyond any sheet within the pixel limit; the header decides the rest.
inline constexpr std::size_t kMaxSheetFile = 64 * 1024 * 1024;

struct SheetHeader {
    int64_t width = 0;
    int64_t height = 0; // positive; topDown says which row comes first
    bool topDown = false;
    int bits = 0;
    uint32_t compression = 0;
    uint32_t headerSize = 0;  // 12 for the old core header
    uint32_t pixelOffset = 0; // where the pixels start
    uint32_t paletteUsed = 0; // 0 for all the bits allow
    // Uncompressed with a palette or 24 or 32 bits: pixels are simply laid out.
    bool plain() const;
    std::size_t rowBytes() const;
};

// Empty when the sheet will be drawn, else why not. bytes is the whole file.
std::string readSheetHeader(std::string_view bytes, SheetHeader& out);

} // namespace gf
