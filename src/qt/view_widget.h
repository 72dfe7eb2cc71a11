#pragma once
// picView: shows what the canvas last presented.
#include <QWidget>

namespace gf {

class QtCanvas;

class ViewWidget : public QWidget {
    Q_OBJECT
public:
    ViewWidget(QtCanvas& canvas, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QtCanvas& canvas_;
};

} // namespace gf
