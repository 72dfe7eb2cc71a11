#include "check/sheet.hpp"

namespace gloamfell::tools {

namespace {

std::uint32_t le(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= std::uint32_t(b[at + i]) << (8 * i);
    return v;
}

struct Rgb {
    std::uint8_t r, g, b;
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

} // namespace

bool Sheet::hasTile(int n) const {
    return n >= 0 && (n % kTilesPerRow + 1) * kTileSize <= width_ &&
           (n / kTilesPerRow + 1) * kTileSize <= height_;
}

bool Sheet::tileIsBlank(int n) const {
    if (white_.empty() || !hasTile(n)) return false;
    const int x0 = n % kTilesPerRow * kTileSize, y0 = n / kTilesPerRow * kTileSize;
    for (int y = y0; y < y0 + kTileSize; ++y)
        for (int x = x0; x < x0 + kTileSize; ++x)
            if (!white_[std::size_t(y) * width_ + x]) return false;
    return true;
}

std::optional<Sheet> Sheet::read(const std::vector<std::uint8_t>& b, std::string& error) {
    if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') {
        error = "not a BMP file";
        return std::nullopt;
    }
    const std::uint32_t offset = le(b, 10, 4), header = le(b, 14, 4);
    const bool core = header == 12;
    if ((!core && header < 40) || 14 + std::size_t(header) > b.size()) {
        error = "damaged BMP header";
        return std::nullopt;
    }
    const std::int64_t width = core ? std::int16_t(le(b, 18, 2)) : std::int32_t(le(b, 18, 4));
    const std::int64_t rawHeight = core ? std::int16_t(le(b, 20, 2)) : std::int32_t(le(b, 22, 4));
    const int bits = int(le(b, core ? 24 : 28, 2));
    const std::uint32_t compression = core ? 0 : le(b, 30, 4);
    const std::int64_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535) {
        error = "BMP of " + std::to_string(width) + " x " + std::to_string(rawHeight) + " pixels";
        return std::nullopt;
    }
    Sheet s;
    s.width_ = int(width);
    s.height_ = int(height);
    const bool decodable =
        compression == 0 && (bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32);
    if (!decodable) {
        if (compression > 3 || (compression == 0 && bits != 16)) {
            error = "BMP of an unknown kind (" + std::to_string(bits) + " bits, compression " +
                    std::to_string(compression) + ")";
            return std::nullopt;
        }
        return s;
    }
    const std::size_t rowBytes = (std::size_t(width) * bits + 31) / 32 * 4;
    if (offset > b.size() || (b.size() - offset) / rowBytes < std::size_t(height)) {
        error = "BMP cut short: its pixels need " + std::to_string(rowBytes * height) + " bytes";
        return std::nullopt;
    }
    std::vector<Rgb> palette;
    if (bits <= 8) {
        const std::size_t at = 14 + header, stride = core ? 3 : 4;
        const std::uint32_t used = core ? 0 : le(b, 46, 4);
        const std::size_t count = used ? used : std::size_t(1) << bits;
        for (std::size_t i = 0; i < count && at + i * stride + 3 <= offset; ++i)
            palette.push_back({b[at + i * stride + 2], b[at + i * stride + 1], b[at + i * stride]});
    }
    s.white_.resize(std::size_t(width) * height);
    for (std::int64_t y = 0; y < height; ++y) {
        const std::size_t row = offset + std::size_t(rawHeight < 0 ? y : height - 1 - y) * rowBytes;
        for (std::int64_t x = 0; x < width; ++x) {
            bool white = false;
            if (bits >= 24) {
                const std::size_t at = row + std::size_t(x) * (bits / 8);
                white = Rgb{b[at + 2], b[at + 1], b[at]}.white();
            } else {
                const std::size_t bit = std::size_t(x) * bits;
                const unsigned index = (b[row + bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
                white = index < palette.size() && palette[index].white();
            }
            s.white_[std::size_t(y) * width + x] = white;
        }
    }
    return s;
}

} // namespace gloamfell::tools
