#pragma once
// statusPanel, the side panel: it paints what the core left in the game's screen.status and
// reports clicks; it decides nothing.
#include "state/status_panel.h"
#include "tile_sheet.h"

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;
class QScrollBar;

namespace gf {

// lifeBar and staminaBar: the filled part over value/max of the width, white
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

// One carry box: the item's tile and, when readied, a blue R.
class CarryBoxWidget : public QWidget {
    Q_OBJECT
public:
    CarryBoxWidget(int box, QWidget* parent = nullptr);
    void setBox(const CarryBox& box, const TileSheet* itemSheet);
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
    const TileSheet* sheet_ = nullptr;
};

class StatusPanelWidget : public QWidget {
    Q_OBJECT
public:
    explicit StatusPanelWidget(QWidget* parent = nullptr);
    // Paints the panel as the core last filled it.
    void showStatus(const StatusPanel& status, const TileSheet* itemSheet, int carryScroll);

    QLabel* nameLabel;
    StatusBarWidget* lifeBar;
    StatusBarWidget* staminaBar;
    QLabel* levelLabel;
    QLabel* xpLabel;
    QLabel* nextLevelXpLabel;
    QLabel* spendableXpLabel;
    QLabel* goldLabel;
    QLabel* weaponLabel;
    QLabel* armourLabel;
    std::array<QLabel*, kSkillRows> skillNames{};
    std::array<QLabel*, kSkillRows> skillValues{};
    std::array<QPushButton*, kSkillRows> raiseButtons{};
    std::array<CarryBoxWidget*, kCarryBoxes> carryBoxes{};
    QScrollBar* carryScrollBar;

Q_SIGNALS:
    void raiseClicked(int row);
    void carryReleased(int box);
    void carryScrolled(int value);
};

} // namespace gf
