#pragma once
// viewWidget: shows what the canvas last presented.
#include <QWidget>

namespace gf {

class QtCanvas;

class ViewWidget : public QWidget {
    Q_OBJECT
public:
    ViewWidget(QtCanvas& canvas, QWidget* parent = nullptr);
    // Each canvas pixel covers zoom x zoom pixels of the widget.
    void setZoom(int zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QtCanvas& canvas_;
    int zoom_ = 1;
};

} // namespace gf
