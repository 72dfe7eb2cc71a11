#include "cls_bitmap.h"

#include "qt_text.h"
#include "render/sizes.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <array>
#include <bit>
#include <cstdlib>

namespace gf {

namespace {

// A sheet holds at most a hundred items or eight frames, 320 x 320 pixels;
// ten times that keeps room for any author (a thousand item pictures) and
// keeps a hostile file of a few bytes from claiming megabytes and
// milliseconds of mask work.
constexpr int kMaxSide = 8192;
constexpr qint64 kMaxPixels = 1024 * 1024;

// The channel widths of a 16-bit BMP; zero for any other file.
std::array<int, 3> sixteenBitChannels(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray head = file.read(66);
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(head.constData() + at); };
    if (head.size() < 34 || !head.startsWith("BM") || qFromLittleEndian<quint16>(head.constData() + 28) != 16)
        return {};
    constexpr quint32 kBitfields = 3;
    std::array<quint32, 3> masks{0x7C00, 0x03E0, 0x001F};
    if (u32(30) == kBitfields && head.size() >= 66) masks = {u32(54), u32(58), u32(62)};
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

QImage withWhiteTransparent(const QImage& opaque) {
    QImage out = opaque.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0, width = out.width(); x < width; ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
    }
    return out;
}

std::vector<clsBitmap::Cover> tileCovers(const QImage& masked) {
    std::vector<clsBitmap::Cover> covers;
    const int rows = (masked.height() + kTile - 1) / kTile;
    for (int n = 0; n < rows * kTilesPerRow; ++n) {
        const QRect tile = QRect((n % kTilesPerRow) * kTile, (n / kTilesPerRow) * kTile, kTile, kTile)
                               .intersected(masked.rect());
        bool any = false;
        bool all = true;
        // Once a tile shows both kinds of pixel it is mixed; the rest need not be read.
        for (int y = tile.top(); y <= tile.bottom() && (all || !any); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(masked.constScanLine(y));
            for (int x = tile.left(); x <= tile.right(); ++x) {
                const bool opaque = qAlpha(line[x]) != 0;
                any = any || opaque;
                all = all && opaque;
            }
        }
        covers.push_back(tile.isEmpty() || (any && !all) ? clsBitmap::Cover::Mixed
                         : any                           ? clsBitmap::Cover::Full
                                                         : clsBitmap::Cover::None);
    }
    return covers;
}

} // namespace

bool clsBitmap::LoadBitmap(const std::string& strName, bool flgMask) {
    *this = clsBitmap{};
    const QString path = pathToQt(strName);
    QImageReader reader(path);
    // A top-down picture states a negative height.
    const qint64 w = std::abs(reader.size().width());
    const qint64 h = std::abs(reader.size().height());
    if (w > kMaxSide || h > kMaxSide || w * h > kMaxPixels) return false;
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull()) return false;

    // Stored alpha means nothing to a tile sheet: only pure white is transparent.
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    if (const auto bits = sixteenBitChannels(path); bits[0] > 0) widenChannels(image_, bits);
    if (flgMask) {
        masked_ = withWhiteTransparent(image_);
        covers_ = tileCovers(masked_);
    }
    width_ = image_.width();
    height_ = image_.height();
    return true;
}

} // namespace gf
