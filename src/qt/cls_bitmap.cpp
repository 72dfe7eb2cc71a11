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
// forty times that keeps room for any author and keeps a hostile file from
// claiming gigabytes or seconds.
constexpr int kMaxSide = 8192;
constexpr qint64 kMaxPixels = 4LL * 1024 * 1024;

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
    const auto widen = [](int value, int n) {
        if (n <= 0 || n >= 8) return value;
        const int top = value >> (8 - n);
        const int max = (1 << n) - 1;
        return (top * 255 + max / 2) / max;
    };
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(widen(qRed(line[x]), bits[0]), widen(qGreen(line[x]), bits[1]),
                           widen(qBlue(line[x]), bits[2]));
    }
}

QImage withWhiteTransparent(const QImage& opaque) {
    QImage out = opaque.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
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
        for (int y = tile.top(); y <= tile.bottom(); ++y) {
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
