#include "about_box.h"

#include "state/version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace gf {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 20, 28, 16);

    titleLabel = new QLabel(QStringLiteral("Gloamfell"), this);
    QFont title = titleLabel->font();
    title.setPointSize(title.pointSize() + 6);
    title.setBold(true);
    titleLabel->setFont(title);
    versionLabel =
        new QLabel(QStringLiteral("Version ") + QLatin1String(kVersion.data(), kVersion.size()), this);
    teamLabel = new QLabel(QStringLiteral("Gloamfell team"), this);
    creditsLabel = new QLabel(QStringLiteral("Art, sounds and levels by the Gloamfell team"), this);
    for (QLabel* label : {titleLabel, versionLabel, teamLabel, creditsLabel}) {
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
