#include "tile_sheet.h"

#include "qt_text.h"
#include "render/sheet_header.h"
#include "render/sizes.h"
#include "util/failure.h"
#include "util/files.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <bit>

namespace gf {

namespace {

// The channel widths of a 16-bit BMP; zero for any other file.
std::array<int, 3> sixteenBitChannels(const QByteArray& bytes, const SheetHeader& header) {
    if (header.bits != 16) return {};
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    constexpr quint32 kBitfields = 3;
    std::array<quint32, 3> masks{0x7C00, 0x03E0, 0x001F};
    if (header.compression == kBitfields && bytes.size() >= 66) masks = {u32(54), u32(58), u32(62)};
    return {std::popcount(masks[0]), std::popcount(masks[1]), std::popcount(masks[2])};
}

// The reader widens a 5-bit channel by shifting, so a 16-bit white would come
// out (248, 248, 248) and stay opaque; spread each value over the full range.
void widenChannels(QImage& image, const std::array<int, 3>& bits) {
    using Table = std::array<uint8_t, 256>;
    const auto tableFor = [](int n) {
        Table table;
        const bool keep = n <= 0 || n >= 8;
        const int max = keep ? 1 : (1 << n) - 1;
        for (int value = 0; value < 256; ++value)
            table[static_cast<std::size_t>(value)] =
                static_cast<uint8_t>(keep ? value : ((value >> (8 - n)) * 255 + max / 2) / max);
        return table;
    };
    const Table red = tableFor(bits[0]), green = tableFor(bits[1]), blue = tableFor(bits[2]);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0, width = image.width(); x < width; ++x)
            line[x] = qRgb(red[static_cast<std::size_t>(qRed(line[x]))],
                           green[static_cast<std::size_t>(qGreen(line[x]))],
                           blue[static_cast<std::size_t>(qBlue(line[x]))]);
    }
}

// Makes pure white transparent and, in the same pass, works out what each
// tile covers, so a sheet is read once.
void maskSheet(const QImage& opaque, QImage& masked, std::vector<TileSheet::Cover>& covers) {
    using Cover = TileSheet::Cover;
    constexpr uint8_t kOpaque = 1;
    constexpr uint8_t kClear = 2;
    masked = opaque.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = masked.width();
    const int rows = (masked.height() + kTile - 1) / kTile;
    std::vector<uint8_t> seen(static_cast<std::size_t>(rows * kTilesPerRow), 0);
    for (int y = 0; y < masked.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(masked.scanLine(y));
        for (int column = 0, x0 = 0; x0 < width; ++column, x0 += kTile) {
            uint8_t kinds = 0;
            for (int x = x0, x1 = std::min(width, x0 + kTile); x < x1; ++x) {
                const bool white = (line[x] & 0x00FFFFFFu) == 0x00FFFFFFu;
                if (white) line[x] = 0;
                kinds |= white ? kClear : kOpaque;
            }
            // Tiles past the tenth column are never drawn.
            if (column < kTilesPerRow)
                seen[static_cast<std::size_t>((y / kTile) * kTilesPerRow + column)] |= kinds;
        }
    }
    covers.clear();
    for (const uint8_t kinds : seen)
        covers.push_back(kinds == kOpaque ? Cover::Full : kinds == kClear ? Cover::None : Cover::Mixed);
}

} // namespace

bool TileSheet::load(const std::string& path, bool withMask) {
    *this = TileSheet{};
    QByteArray bytes;
    try {
        const std::string contents = readDataFile(path, kMaxSheetFile);
        bytes = QByteArray(contents.data(), static_cast<qsizetype>(contents.size()));
    } catch (const Failure&) {
        return false;
    }
    SheetHeader header;
    if (!readSheetHeader(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), header)
             .empty())
        return false;
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "bmp");
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull()) return false;

    // Stored alpha means nothing to a tile sheet: only pure white is transparent.
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    if (const auto bits = sixteenBitChannels(bytes, header); bits[0] > 0) widenChannels(image_, bits);
    if (withMask) {
        maskSheet(image_, masked_, covers_);
    }
    width_ = image_.width();
    height_ = image_.height();
    return true;
}

} // namespace gf
