#include "frm_main_menu.h"

#include "qt_text.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gf {

frmMainMenu::frmMainMenu(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral(" Main Menu"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(8);

    Label1 = new QLabel(toQt("Gloamfell\r\nMain Menu"), this);
    Label1->setAlignment(Qt::AlignCenter);
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() + 4);
    title.setBold(true);
    Label1->setFont(title);
    layout->addWidget(Label1);
    layout->addSpacing(6);

    const std::pair<const char*, MenuChoice> buttons[] = {{"&New", MenuChoice::New},
                                                          {"&Load", MenuChoice::Load},
                                                          {"&About", MenuChoice::About},
                                                          {"&Exit", MenuChoice::Exit}};
    for (const auto& [caption, choice] : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setMinimumWidth(160);
        connect(button, &QPushButton::clicked, this, [this, choice = choice] {
            choice_ = choice;
            accept();
        });
        layout->addWidget(button);
    }
}

MenuChoice frmMainMenu::choose() {
    choice_ = MenuChoice::Close;
    exec();
    return choice_;
}

} // namespace gf
