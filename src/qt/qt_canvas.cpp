#include "qt_canvas.h"

#include "qt_text.h"

#include <QFontMetrics>

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
    clsBitmap bitmap;
    const bool ok = bitmap.LoadBitmap(path, true);
    sheets_[sheet] = std::move(bitmap);
    return ok;
}

const clsBitmap* QtCanvas::sheet(int sheet) const {
    const auto it = sheets_.find(sheet);
    return it == sheets_.end() || it->second.empty() ? nullptr : &it->second;
}

QPainter& QtCanvas::painter() {
    if (!painter_.isActive()) painter_.begin(&back_);
    return painter_;
}

void QtCanvas::settle() {
    if (painter_.isActive()) painter_.end();
}

QRect QtCanvas::tileRect(const QImage& sheet, int tile) {
    if (tile < 0) return {};
    const QRect r((tile % kTilesPerRow) * kTile, (tile / kTilesPerRow) * kTile, kTile, kTile);
    return r.intersected(sheet.rect());
}

void QtCanvas::clear() {
    settle();
    back_.fill(kBackground);
}

void QtCanvas::copyTile(int sheet, int tile, int x, int y) {
    const clsBitmap* bmp = this->sheet(sheet);
    if (!bmp) return;
    const QRect src = tileRect(bmp->image(), tile);
    if (src.isEmpty()) return;
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(x, y), bmp->image(), src);
}

void QtCanvas::drawTile(int sheet, int tile, int x, int y) {
    const clsBitmap* bmp = this->sheet(sheet);
    if (!bmp) return;
    const QImage& source = bmp->masked().isNull() ? bmp->image() : bmp->masked();
    const QRect src = tileRect(source, tile);
    if (src.isEmpty()) return;
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
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

void QtCanvas::text(int x, int y, const std::string& text, int pointSize, bool bold, Color color) {
    const QFont font = gameFont(pointSize, bold);
    QPainter& p = painter();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setFont(font);
    p.setPen(toQColor(color));
    p.drawText(QPoint(x, y + QFontMetrics(font).ascent()), toQt(text));
}

void QtCanvas::pixel(int x, int y, Color color) {
    if (!back_.rect().contains(x, y)) return;
    settle();
    back_.setPixel(x, y, toQColor(color).rgb());
}

void QtCanvas::present() {
    settle();
    shown_ = back_;
    if (presenter_) presenter_();
}

void QtCanvas::resize(int width, int height) {
    width = qMax(width, 1);
    height = qMax(height, 1);
    if (width == back_.width() && height == back_.height()) return;
    settle();
    QImage resized(width, height, QImage::Format_RGB32);
    resized.fill(kBackground);
    QPainter(&resized).drawImage(0, 0, back_);
    back_ = resized;
}

} // namespace gf
