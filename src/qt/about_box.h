#pragma once
// The about box: the title, the version and the credits.
#include <QDialog>

class QLabel;

namespace gf {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);

    QLabel* titleLabel;
    QLabel* versionLabel;
    QLabel* teamLabel;
    QLabel* creditsLabel;
};

} // namespace gf
