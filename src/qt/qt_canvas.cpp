#include "qt_canvas.h"

#include "qt_text.h"

#include <QFontMetrics>

#include <cstring>

#include <algorithm>

namespace gf {

// Light, so the black dots of the map overview stand out.
const QColor QtCanvas::kBackground(0xE4, 0xDC, 0xC8);

QtCanvas::QtCanvas(int width, int height)
    : back_(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32),
      shown_(back_.size(), QImage::Format_RGB32) {
    back_.fill(kBackground);
    shown_.fill(kBackground);
}

bool QtCanvas::loadSheet(int sheet, const std::string& path) {
    TileSheet bitmap;
    const bool ok = bitmap.load(path, true);
    sheets_[sheet] = std::move(bitmap);
    return ok;
}

const TileSheet* QtCanvas::sheet(int sheet) const {
    const auto it = sheets_.find(sheet);
    return it == sheets_.end() || it->second.empty() ? nullptr : &it->second;
}

QPainter& QtCanvas::painter() {
    if (!painter_.isActive()) {
        restoreBack();
        painter_.begin(&back_);
    }
    return painter_;
}

void QtCanvas::restoreBack() {
    if (!backStale_) return;
    backStale_ = false;
    std::memcpy(back_.bits(), shown_.constBits(), static_cast<std::size_t>(shown_.sizeInBytes()));
}

void QtCanvas::settle() {
    if (painter_.isActive()) painter_.end();
}

// Switching the mode costs the paint engine a state change, even to the same mode.
static void setMode(QPainter& p, QPainter::CompositionMode mode) {
    if (p.compositionMode() != mode) p.setCompositionMode(mode);
}

QRect QtCanvas::tileRect(const QImage& sheet, int tile) {
    if (tile < 0) return {};
    const QRect r(tileX(tile), tileY(tile), kTile, kTile);
    return r.intersected(sheet.rect());
}

void QtCanvas::clear() {
    settle();
    backStale_ = false;
    back_.fill(kBackground);
}

void QtCanvas::copyTile(int sheet, int tile, int x, int y) {
    const TileSheet* bmp = this->sheet(sheet);
    if (!bmp) return;
    const QRect src = tileRect(bmp->image(), tile);
    if (src.isEmpty()) return;
    copyPixels(bmp->image(), src, x, y);
}

void QtCanvas::copyPixels(const QImage& source, const QRect& src, int x, int y) {
    // Row copies: a view redraw makes thousands of these, and the painter's
    // set-up per call would cost more than the pixels.
    const QRect to = QRect(QPoint(x, y), src.size()).intersected(back_.rect());
    if (to.isEmpty()) return;
    if (source.format() != back_.format()) {
        QPainter& p = painter();
        setMode(p, QPainter::CompositionMode_Source);
        p.drawImage(QPoint(x, y), source, src);
        return;
    }
    restoreBack();
    const int fromX = src.x() + to.x() - x;
    const int fromY = src.y() + to.y() - y;
    const auto bytes = static_cast<std::size_t>(to.width()) * 4;
    for (int row = 0; row < to.height(); ++row)
        std::memcpy(back_.scanLine(to.y() + row) + static_cast<std::ptrdiff_t>(to.x()) * 4,
                    source.constScanLine(fromY + row) + static_cast<std::ptrdiff_t>(fromX) * 4, bytes);
}

void QtCanvas::drawTile(int sheet, int tile, int x, int y) {
    const TileSheet* bmp = this->sheet(sheet);
    if (!bmp) return;
    const TileSheet::Cover cover = bmp->cover(tile);
    if (cover == TileSheet::Cover::None) return;
    // A solid tile is copied: the same pixels as blending it, at a fraction of the cost.
    const bool solid = bmp->masked().isNull() || cover == TileSheet::Cover::Full;
    const QImage& source = solid ? bmp->image() : bmp->masked();
    const QRect src = tileRect(source, tile);
    if (src.isEmpty()) return;
    if (solid) {
        copyPixels(source, src, x, y);
        return;
    }
    QPainter& p = painter();
    setMode(p, QPainter::CompositionMode_SourceOver);
    p.drawImage(QPoint(x, y), source, src);
}

void QtCanvas::fillBox(int x1, int y1, int x2, int y2, Color color) {
    // Not QRect::normalized(): it moves swapped corners inward by a pixel.
    const QRect box(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2), std::max(y1, y2)));
    painter().fillRect(box, toQColor(color));
}

QFont QtCanvas::gameFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, (pointSize * 96 + 36) / 72));
    font.setBold(bold);
    return font;
}

int QtCanvas::lineHeight(int pointSize, bool bold) const {
    return QFontMetrics(gameFont(pointSize, bold)).lineSpacing();
}

void QtCanvas::text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) {
    const QFont font = gameFont(pointSize, bold);
    QPainter& p = painter();
    setMode(p, QPainter::CompositionMode_SourceOver);
    p.setFont(font);
    p.setPen(toQColor(color));
    p.drawText(QPoint(x, y + QFontMetrics(font).ascent()), toQt(text));
}

void QtCanvas::pixel(int x, int y, Color color) {
    if (!back_.rect().contains(x, y)) return;
    settle();
    restoreBack();
    back_.setPixel(x, y, toQColor(color).rgb());
}

void QtCanvas::present() {
    settle();
    // The drawn pixels move to the shown frame instead of being copied; every
    // redraw starts with clear(), so the back image rarely needs them again.
    // Nothing drawn since the last present: the shown frame is already right.
    if (backStale_) {
        if (presenter_) presenter_();
        return;
    }
    shown_.swap(back_);
    if (back_.size() != shown_.size()) back_ = QImage(shown_.size(), shown_.format());
    backStale_ = true;
    if (presenter_) presenter_();
}

void QtCanvas::resize(int width, int height) {
    width = qMax(width, 1);
    height = qMax(height, 1);
    if (width == back_.width() && height == back_.height()) return;
    settle();
    restoreBack();
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(kBackground);
    QPainter(&resized).drawImage(0, 0, back_);
    back_ = resized;
}

} // namespace gf
