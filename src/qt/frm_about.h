#pragma once
// The about box: the title, the version and the credits.
#include <QDialog>

class QLabel;

namespace gf {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* lblVersion;
    QLabel* lblOriginal;
    QLabel* lblOther;
};

} // namespace gf
