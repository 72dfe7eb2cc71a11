#pragma once
// The modal start menu: New, Load, About, Exit.
#include "platform/window.h"

#include <QDialog>

class QLabel;

namespace gf {

class frmMainMenu : public QDialog {
    Q_OBJECT
public:
    explicit frmMainMenu(QWidget* parent = nullptr);
    // Shows the menu modally; Close when it was shut by its frame or Escape.
    MenuChoice choose();

    QLabel* Label1;

private:
    MenuChoice choice_ = MenuChoice::Close;
};

} // namespace gf
