#include "cls_bitmap.h"

#include "qt_text.h"

#include <QImageReader>

namespace gf {

namespace {

// Far beyond any tile sheet; keeps a hostile file from claiming gigabytes.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxPixels = 32LL * 1024 * 1024;

QImage withWhiteTransparent(const QImage& opaque) {
    QImage out = opaque.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFFu) == 0x00FFFFFFu) line[x] = 0;
    }
    return out;
}

} // namespace

bool clsBitmap::LoadBitmap(const std::string& strName, bool flgMask) {
    *this = clsBitmap{};
    QImageReader reader(pathToQt(strName));
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > kMaxSide || size.height() > kMaxSide ||
        qint64(size.width()) * size.height() > kMaxPixels)
        return false;
    QImage loaded;
    if (!reader.read(&loaded) || loaded.isNull()) return false;

    // Stored alpha means nothing to a tile sheet: only pure white is transparent.
    image_ = loaded.convertToFormat(QImage::Format_RGB32);
    if (flgMask) masked_ = withWhiteTransparent(image_);
    width_ = image_.width();
    height_ = image_.height();
    return true;
}

} // namespace gf
