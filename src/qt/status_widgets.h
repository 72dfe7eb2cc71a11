#pragma once
// picStatus, the side panel: it paints what the core left in Game::status and
// reports clicks; it decides nothing.
#include "cls_bitmap.h"
#include "render/status_panel.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QScrollBar;

namespace gf {

// picLife and picStamina: the filled part over value/max of the width, white
// over the rest, "value/max" centred on top.
class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusBarWidget(QWidget* parent = nullptr);
    void setBar(const StatusBar& bar);
    const StatusBar& bar() const { return bar_; }
    // Pixels of the inner width that are filled.
    int filledWidth() const;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    StatusBar bar_;
};

// One picCarry box: the item's tile and, when readied, a blue R.
class CarryBoxWidget : public QWidget {
    Q_OBJECT
public:
    CarryBoxWidget(int box, QWidget* parent = nullptr);
    void setBox(const CarryBox& box, const clsBitmap* itemSheet);
    const CarryBox& box() const { return box_; }
    static constexpr int kBorder = 2;

Q_SIGNALS:
    void released(int box);

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;

private:
    int index_;
    CarryBox box_;
    const clsBitmap* sheet_ = nullptr;
};

class StatusPanelWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanelWidget(QWidget* parent = nullptr);
    // Paints the panel as the core last filled it.
    void showStatus(const StatusPanel& status, const clsBitmap* itemSheet, int carryScroll);

    QLabel* lblPlayerName;
    StatusBarWidget* picLife;
    StatusBarWidget* picStamina;
    QLabel* lblPlayerLevel;
    QLabel* lblPlayerXP;
    QLabel* lblPlayerNextLevelXP;
    QLabel* lblPlayerSpendableXP;
    QLabel* lblPLayerGold;
    QLabel* lblPlayerWeapon;
    QLabel* lblPlayerArmor;
    std::array<QLabel*, kSkillRows> lblSkillName{};
    std::array<QLabel*, kSkillRows> lblSkillValue{};
    std::array<QPushButton*, kSkillRows> cmdSkillRaise{};
    std::array<CarryBoxWidget*, kCarryBoxes> picCarry{};
    QScrollBar* vsCarry;

Q_SIGNALS:
    void raiseClicked(int row);
    void carryReleased(int box);
    void carryScrolled(int value);
};

} // namespace gf
