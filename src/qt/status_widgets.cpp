#include "status_widgets.h"

#include "qt_canvas.h"
#include "qt_text.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace gf {

namespace {

constexpr int kBarHeight = 18;
constexpr int kLabelHeight = 16;
constexpr int kSkillRowHeight = 24;
constexpr int kCarryBoxSide = kTile + 2 * CarryBoxWidget::kBorder;
constexpr int kCarryGap = 4;

const QColor kPanelColor(0x23, 0x20, 0x1C);
const QColor kPanelText(0xE6, 0xDC, 0xC6);
const QColor kButtonColor(0x45, 0x3E, 0x34);
const QColor kCarryColor(0xBD, 0xB3, 0x9C);

QPalette darkPalette(QPalette palette) {
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, kPanelColor);
        palette.setColor(group, QPalette::WindowText, kPanelText);
        palette.setColor(group, QPalette::Base, kPanelColor.darker(120));
        palette.setColor(group, QPalette::Button, kButtonColor);
        palette.setColor(group, QPalette::ButtonText, kPanelText);
        palette.setColor(group, QPalette::Text, kPanelText);
        palette.setColor(group, QPalette::Light, kButtonColor.lighter(150));
        palette.setColor(group, QPalette::Midlight, kButtonColor.lighter(125));
        palette.setColor(group, QPalette::Mid, kButtonColor.darker(130));
        palette.setColor(group, QPalette::Dark, kButtonColor.darker(160));
        palette.setColor(group, QPalette::Shadow, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, kPanelText.darker(160));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, kPanelText.darker(160));
    return palette;
}

QLabel* statLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setFixedHeight(kLabelHeight);
    // A long item name is cut at the panel's edge instead of widening it.
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    return label;
}

void setTextAndTip(QLabel* label, const std::string& text, const std::string& tip) {
    label->setText(toQt(text));
    label->setToolTip(toQt(tip));
}

} // namespace

StatusBarWidget::StatusBarWidget(QWidget* parent) : QWidget(parent) {
    setFixedHeight(kBarHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatusBarWidget::setBar(const StatusBar& bar) {
    if (bar.tooltip != bar_.tooltip) setToolTip(toQt(bar.tooltip));
    const bool changed = bar != bar_;
    bar_ = bar;
    if (changed) update();
}

int StatusBarWidget::filledWidth() const {
    const int inner = width() - 2;
    if (bar_.max <= 0 || bar_.value <= 0) return 0;
    if (bar_.value >= bar_.max) return inner;
    return static_cast<int>(static_cast<int64_t>(inner) * bar_.value / bar_.max);
}

void StatusBarWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    const int filled = filledWidth();
    p.fillRect(QRect(inner.left(), inner.top(), filled, inner.height()), QtCanvas::toQColor(bar_.fill));
    p.fillRect(QRect(inner.left() + filled, inner.top(), inner.width() - filled, inner.height()), Qt::white);
    p.setFont(QtCanvas::gameFont(11, true));
    p.setPen(Qt::black);
    p.drawText(inner, Qt::AlignHCenter | Qt::AlignTop, toQt(bar_.text));
}

CarryBoxWidget::CarryBoxWidget(int box, QWidget* parent) : QWidget(parent), index_(box) {
    setFixedSize(kCarryBoxSide, kCarryBoxSide);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CarryBoxWidget::setBox(const CarryBox& box, const TileSheet* itemSheet) {
    const bool changed = box != box_ || itemSheet != sheet_;
    if (box.tooltip != box_.tooltip) setToolTip(toQt(box.tooltip));
    box_ = box;
    sheet_ = itemSheet;
    if (changed) update();
}

void CarryBoxWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kCarryColor.darker(250));
    const QRect inner = rect().adjusted(kBorder, kBorder, -kBorder, -kBorder);
    p.fillRect(inner.adjusted(-1, -1, 0, 0), kCarryColor);
    if (!box_.filled) return;
    if (sheet_ && box_.tile >= 0) {
        const QImage& source = sheet_->masked().isNull() ? sheet_->image() : sheet_->masked();
        const QRect tile(tileX(box_.tile), tileY(box_.tile), kTile, kTile);
        const QRect onSheet = tile.intersected(source.rect());
        if (!onSheet.isEmpty()) p.drawImage(inner.topLeft(), source, onSheet);
    }
    if (box_.readied) {
        const QFont font = QtCanvas::gameFont(8, true);
        p.setFont(font);
        p.setPen(QtCanvas::toQColor(kBlue));
        p.drawText(inner.topLeft() + QPoint(0, QFontMetrics(font).ascent()), QStringLiteral("R"));
    }
}

void CarryBoxWidget::mouseReleaseEvent(QMouseEvent*) {
    Q_EMIT released(index_);
}

StatusPanelWidget::StatusPanelWidget(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setPalette(darkPalette(palette()));
    setFixedWidth(kStatusWidth);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(2);

    nameLabel = new QLabel(QStringLiteral("Player Name"), this);
    QFont nameFont = nameLabel->font();
    nameFont.setBold(true);
    nameFont.setPointSize(nameFont.pointSize() + 2);
    nameLabel->setFont(nameFont);
    nameLabel->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    nameLabel->setFixedHeight(22);
    nameLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    column->addWidget(nameLabel);

    lifeBar = new StatusBarWidget(this);
    staminaBar = new StatusBarWidget(this);
    lifeBar->setBar(StatusPanel{}.life);
    staminaBar->setBar(StatusPanel{}.stamina);
    column->addWidget(lifeBar);
    column->addWidget(staminaBar);
    column->addSpacing(3);

    const StatusPanel initial;
    levelLabel = statLabel(toQt(initial.level), this);
    xpLabel = statLabel(toQt(initial.xp), this);
    nextLevelXpLabel = statLabel(toQt(initial.nextLevelXP), this);
    spendableXpLabel = statLabel(toQt(initial.spendableXP), this);
    goldLabel = statLabel(toQt(initial.gold), this);
    weaponLabel = statLabel(toQt(initial.weapon), this);
    armourLabel = statLabel(toQt(initial.armor), this);
    for (QLabel* label :
         {levelLabel, xpLabel, nextLevelXpLabel, spendableXpLabel, goldLabel, weaponLabel, armourLabel})
        column->addWidget(label);
    column->addSpacing(3);

    auto* skills = new QGroupBox(QStringLiteral("Skills"), this);
    auto* skillGrid = new QGridLayout(skills);
    skillGrid->setContentsMargins(4, 2, 4, 4);
    skillGrid->setHorizontalSpacing(4);
    skillGrid->setVerticalSpacing(1);
    for (int row = 0; row < kSkillRows; ++row) {
        skillNames[row] = new QLabel(skills);
        skillNames[row]->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        skillValues[row] = new QLabel(skills);
        skillValues[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        skillValues[row]->setFixedWidth(34);
        raiseButtons[row] = new QPushButton(QStringLiteral("Raise Skill"), skills);
        raiseButtons[row]->setFixedHeight(kSkillRowHeight - 2);
        // Rows keep their height while empty, so the panel does not jump as skills are learnt.
        QSizePolicy keepsRoom = raiseButtons[row]->sizePolicy();
        keepsRoom.setRetainSizeWhenHidden(true);
        raiseButtons[row]->setSizePolicy(keepsRoom);
        raiseButtons[row]->hide();
        connect(raiseButtons[row], &QPushButton::clicked, this, [this, row] { Q_EMIT raiseClicked(row); });
        for (QWidget* w : std::initializer_list<QWidget*>{skillNames[row], skillValues[row]})
            w->setFixedHeight(kSkillRowHeight - 2);
        skillGrid->addWidget(skillNames[row], row, 0);
        skillGrid->addWidget(skillValues[row], row, 1);
        skillGrid->addWidget(raiseButtons[row], row, 2);
    }
    skillGrid->setColumnStretch(0, 1);
    column->addWidget(skills);

    auto* carrying = new QGroupBox(QStringLiteral("Carrying"), this);
    auto* carryRow = new QHBoxLayout(carrying);
    carryRow->setContentsMargins(6, 2, 6, 6);
    auto* boxes = new QGridLayout;
    boxes->setSpacing(kCarryGap);
    for (int b = 0; b < kCarryBoxes; ++b) {
        carryBoxes[b] = new CarryBoxWidget(b, carrying);
        connect(carryBoxes[b], &CarryBoxWidget::released, this, &StatusPanelWidget::carryReleased);
        boxes->addWidget(carryBoxes[b], b / 4, b % 4);
    }
    carryRow->addStretch(1);
    carryRow->addLayout(boxes);
    carryScrollBar = new QScrollBar(Qt::Vertical, carrying);
    carryScrollBar->setRange(kCarryScrollMin, kCarryScrollMax);
    carryScrollBar->setSingleStep(kCarryScrollStep);
    carryScrollBar->setPageStep(kCarryScrollStep);
    carryScrollBar->setFixedHeight(2 * kCarryBoxSide + kCarryGap);
    connect(carryScrollBar, &QScrollBar::valueChanged, this, &StatusPanelWidget::carryScrolled);
    carryRow->addWidget(carryScrollBar);
    carryRow->addStretch(1);
    column->addWidget(carrying);
    column->addStretch(1);
}

void StatusPanelWidget::showStatus(const StatusPanel& status, const TileSheet* itemSheet, int carryScroll) {
    nameLabel->setText(toQt(status.name));
    lifeBar->setBar(status.life);
    staminaBar->setBar(status.stamina);
    levelLabel->setText(toQt(status.level));
    xpLabel->setText(toQt(status.xp));
    nextLevelXpLabel->setText(toQt(status.nextLevelXP));
    spendableXpLabel->setText(toQt(status.spendableXP));
    goldLabel->setText(toQt(status.gold));
    weaponLabel->setText(toQt(status.weapon));
    armourLabel->setText(toQt(status.armor));
    for (int row = 0; row < kSkillRows; ++row) {
        const SkillRow& skill = status.skills[static_cast<std::size_t>(row)];
        setTextAndTip(skillNames[row], skill.name, skill.nameTooltip);
        setTextAndTip(skillValues[row], skill.value, skill.valueTooltip);
        raiseButtons[row]->setVisible(skill.known);
    }
    for (int b = 0; b < kCarryBoxes; ++b)
        carryBoxes[b]->setBox(status.carry[static_cast<std::size_t>(b)], itemSheet);
    if (carryScrollBar->value() != carryScroll) {
        const QSignalBlocker quiet(carryScrollBar);
        carryScrollBar->setValue(carryScroll);
    }
}

} // namespace gf
