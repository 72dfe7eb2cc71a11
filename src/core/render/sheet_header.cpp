#include "render/sheet_header.h"

#include <algorithm>
#include <array>

namespace gf {

namespace {

uint32_t le(std::string_view b, std::size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= uint32_t(uint8_t(b[at + static_cast<std::size_t>(i)])) << (8 * i);
    return v;
}

constexpr uint32_t kRle8 = 1, kRle4 = 2, kBitfields = 3;
// The header kinds the picture decoder takes: core, Windows, OS/2 2, version 4 and 5.
constexpr std::array<uint32_t, 5> kHeaderSizes{12, 40, 64, 108, 124};

} // namespace

bool SheetHeader::plain() const {
    return compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
}

std::size_t SheetHeader::rowBytes() const {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 31) / 32 * 4;
}

std::string readSheetHeader(std::string_view b, SheetHeader& h) {
    h = SheetHeader{};
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return "not a BMP file";
    h.pixelOffset = le(b, 10, 4);
    h.headerSize = le(b, 14, 4);
    const bool core = h.headerSize == 12;
    if (std::find(kHeaderSizes.begin(), kHeaderSizes.end(), h.headerSize) == kHeaderSizes.end())
        return "BMP header of an unknown kind";
    if (14 + std::size_t(h.headerSize) > b.size()) return "damaged BMP header";
    h.width = core ? int16_t(le(b, 18, 2)) : int32_t(le(b, 18, 4));
    const int64_t rawHeight = core ? int16_t(le(b, 20, 2)) : int32_t(le(b, 22, 4));
    h.topDown = rawHeight < 0;
    h.height = h.topDown ? -rawHeight : rawHeight;
    h.bits = int(le(b, core ? 24 : 28, 2));
    h.compression = core ? 0 : le(b, 30, 4);
    h.paletteUsed = core ? 0 : le(b, 46, 4);
    const std::string size = std::to_string(h.width) + " x " + std::to_string(rawHeight) + " pixels";
    if (h.width <= 0 || h.height <= 0) return "BMP of " + size;
    if (h.width > kMaxSheetSide || h.height > kMaxSheetSide || h.width * h.height > kMaxSheetPixels)
        return "BMP of " + size + ", more than the " + std::to_string(kMaxSheetPixels) +
               " pixels a sheet may have";
    const bool known = h.plain() || (h.compression == 0 && h.bits == 16) ||
                       (h.compression == kRle8 && h.bits == 8) || (h.compression == kRle4 && h.bits == 4) ||
                       (h.compression == kBitfields && (h.bits == 16 || h.bits == 32));
    if (!known)
        return "BMP of an unknown kind (" + std::to_string(h.bits) + " bits, compression " +
               std::to_string(h.compression) + ")";
    if (h.plain() &&
        (h.pixelOffset > b.size() || (b.size() - h.pixelOffset) / h.rowBytes() < std::size_t(h.height)))
        return "BMP cut short: its pixels need " + std::to_string(h.rowBytes() * std::size_t(h.height)) +
               " bytes";
    return {};
}

} // namespace gf
