#pragma once
// The modal start menu: New, Load, About, Exit.
#include "platform/window.h"

#include <QDialog>

class QLabel;

namespace gf {

class StartMenu : public QDialog {
    Q_OBJECT
public:
    explicit StartMenu(QWidget* parent = nullptr);
    // Shows the menu modally; Close when it was shut by its frame or Escape.
    MenuChoice choose();

    QLabel* titleLabel;

private:
    MenuChoice choice_ = MenuChoice::Close;
};

} // namespace gf
