#include "start_menu.h"

#include "qt_text.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gf {

StartMenu::StartMenu(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral(" Main Menu"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    layout->setSpacing(8);

    titleLabel = new QLabel(toQt("Gloamfell\r\nMain Menu"), this);
    titleLabel->setAlignment(Qt::AlignCenter);
    QFont title = titleLabel->font();
    title.setPointSize(title.pointSize() + 4);
    title.setBold(true);
    titleLabel->setFont(title);
    layout->addWidget(titleLabel);
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

MenuChoice StartMenu::choose() {
    choice_ = MenuChoice::Close;
    exec();
    return choice_;
}

} // namespace gf
