#include "view_widget.h"

#include "qt_canvas.h"

#include <QPaintEvent>
#include <QPainter>

namespace gf {

ViewWidget::ViewWidget(QtCanvas& canvas, QWidget* parent) : QWidget(parent), canvas_(canvas) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ViewWidget::setZoom(int zoom) {
    zoom_ = zoom;
    update();
}

void ViewWidget::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QImage& shown = canvas_.shown();
    const QRect covered(QPoint(0, 0), shown.size() * zoom_);
    if (zoom_ == 1) {
        const QRect onImage = event->rect().intersected(shown.rect());
        if (!onImage.isEmpty()) p.drawImage(onImage.topLeft(), shown, onImage);
    } else {
        // Without smoothing the painter scales by nearest neighbour: tiles stay crisp.
        p.drawImage(covered, shown);
    }
    // Beyond the last presented frame (the widget has just grown).
    const QRegion rest = QRegion(event->rect()) - QRegion(covered);
    for (const QRect& r : rest)
        p.fillRect(r, QtCanvas::kBackground);
}

} // namespace gf
