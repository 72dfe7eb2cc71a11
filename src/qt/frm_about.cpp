#include "frm_about.h"

#include "shell/version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gf {

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);

    Label1 = new QLabel(QStringLiteral("Gloamfell"), this);
    QFont title = Label1->font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    Label1->setFont(title);
    lblVersion =
        new QLabel(QStringLiteral("Version ") + QLatin1String(kVersion.data(), kVersion.size()), this);
    lblOriginal = new QLabel(QStringLiteral("Gloamfell team"), this);
    lblOther = new QLabel(QStringLiteral("Art, sounds and levels by the Gloamfell team"), this);
    for (QLabel* label : {Label1, lblVersion, lblOriginal, lblOther}) {
        label->setAlignment(Qt::AlignCenter);
        layout->addWidget(label);
    }
    layout->addSpacing(10);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace gf
