#include "check/sheet.hpp"

#include "render/sheet_header.h"
#include "render/sizes.h"

namespace gloamfell::tools {

namespace {

using gf::kTile;
using gf::kTilesPerRow;

std::uint8_t byte(const std::string& b, std::size_t at) {
    return std::uint8_t(b[at]);
}

struct Rgb {
    std::uint8_t r, g, b;
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

} // namespace

bool Sheet::hasTile(int n) const {
    return n >= 0 && (n % kTilesPerRow + 1) * kTile <= width_ && (n / kTilesPerRow + 1) * kTile <= height_;
}

bool Sheet::tileIsBlank(int n) const {
    if (white_.empty() || !hasTile(n)) return false;
    const int x0 = n % kTilesPerRow * kTile, y0 = n / kTilesPerRow * kTile;
    for (int y = y0; y < y0 + kTile; ++y)
        for (int x = x0; x < x0 + kTile; ++x)
            if (!white_[std::size_t(y) * width_ + x]) return false;
    return true;
}

std::optional<Sheet> Sheet::read(const std::string& b, std::string& error) {
    if (b.size() > gf::kMaxSheetFile) {
        error =
            "larger than the " + std::to_string(gf::kMaxSheetFile / (1024 * 1024)) + " MiB a sheet may have";
        return std::nullopt;
    }
    gf::SheetHeader h;
    error = gf::readSheetHeader(b, h);
    if (!error.empty()) return std::nullopt;
    Sheet s;
    s.width_ = int(h.width);
    s.height_ = int(h.height);
    if (!h.plain()) return s;
    const std::size_t offset = h.pixelOffset, rowBytes = h.rowBytes();
    const bool core = h.headerSize == 12;
    const int bits = h.bits;
    const std::int64_t width = h.width, height = h.height;
    std::vector<Rgb> palette;
    if (bits <= 8) {
        const std::size_t at = 14 + h.headerSize, stride = core ? 3 : 4;
        const std::size_t count = h.paletteUsed ? h.paletteUsed : std::size_t(1) << bits;
        for (std::size_t i = 0; i < count && at + i * stride + 3 <= offset; ++i)
            palette.push_back(
                {byte(b, at + i * stride + 2), byte(b, at + i * stride + 1), byte(b, at + i * stride)});
    }
    s.white_.resize(std::size_t(width) * height);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::size_t row = offset + std::size_t(h.topDown ? y : height - 1 - y) * rowBytes;
        for (std::int64_t x = 0; x < width; ++x) {
            bool white = false;
            if (bits >= 24) {
                const std::size_t at = row + std::size_t(x) * (bits / 8);
                white = Rgb{byte(b, at + 2), byte(b, at + 1), byte(b, at)}.white();
            } else {
                const std::size_t bit = std::size_t(x) * bits;
                const unsigned index = (byte(b, row + bit / 8) >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                white = index < palette.size() && palette[index].white();
            }
            s.white_[std::size_t(y) * width + x] = white;
        }
    }
    return s;
}

} // namespace gloamfell::tools
