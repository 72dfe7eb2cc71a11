// The main window: keys from any control, the carry pop-up, the panel, the
// layout, the screenshot and the Load dialog.
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "frm_main.h"
#include "key_codes.h"
#include "qt_canvas.h"
#include "qt_window.h"
#include "render/layout.h"
#include "render/status.h"
#include "shell/menus.h"
#include "shell/text.h"
#include "test_game.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

namespace gf {
namespace {

using test::TestGame;

// The scripted dialogs, except that the carry pop-up is the window's real one.
class PopupDialogs : public ScriptedWindow {
public:
    using ScriptedWindow::ScriptedWindow;
    PopupChoice carryMenu(int, bool offerReady) override { return window->popupCarryMenu(offerReady); }
    frmMain* window = nullptr;
};

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest()
        : dialogs(t.io.log),
          game(Platform{t.io.clock, t.io.random, dialogs, t.io.sound, t.io.canvas}, t.folder.string()),
          window(game, view) {
        dialogs.window = &window;
        test::prepareEmptyLevel(t, game);
        modSkill_Init(game);
        me = modPlayer_Add(game, 0, 50, 50);
        game.CurrentPlayer = me;
        window.show();
        window.activateWindow();
        settle();
    }
    ~WindowTest() override { EXPECT_TRUE(t.io.log.of("msgbox").empty()) << "an error box was shown"; }

    Player& player() { return game.player(me); }
    void carry(int slot, int16_t id) { player().carry(slot) = Item{true, id, 0, 0, 0}; }
    void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent override(QEvent::ShortcutOverride, key, modifiers);
        QApplication::sendEvent(target, &override);
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
    }
    // The visible entries of the pop-up that releasing the mouse over `box` opens.
    QStringList popupFor(int box, const QString& choose = {}) {
        QStringList entries;
        QTimer closer;
        closer.setSingleShot(true);
        QObject::connect(&closer, &QTimer::timeout, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (!menu) return;
            QAction* chosen = nullptr;
            for (QAction* a : menu->actions())
                if (a->isVisible()) {
                    entries << a->text();
                    if (a->text() == choose) chosen = a;
                }
            if (!chosen) {
                menu->close();
                return;
            }
            menu->setActiveAction(chosen);
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(menu, &enter);
            if (menu->isVisible()) menu->close();
        });
        closer.start(0);
        QWidget* target = window.picStatus->picCarry[static_cast<std::size_t>(box)];
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                            Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        return entries;
    }

    TestGame t;
    PopupDialogs dialogs;
    QtCanvas view;
    Game game;
    frmMain window;
    int32_t me = 0;
};

// Turning keys reach the game from every control, and neither scroll the bar
// nor move the focus away from that control.
TEST_F(WindowTest, arrowsReachTheGameFromEveryControl) {
    StatusPanelWidget* panel = window.picStatus;
    QWidget* targets[] = {panel->vsCarry, panel->cmdSkillRaise[1], panel->picCarry[2], window.picView};
    for (QWidget* target : targets) {
        target->setFocus();
        settle();
        QWidget* focused = QApplication::focusWidget();
        const int scroll = panel->vsCarry->value();
        const int16_t before = player().Facing;
        press(target, Qt::Key_Left);
        EXPECT_NE(player().Facing, before) << target->metaObject()->className();
        press(target, Qt::Key_Right);
        EXPECT_EQ(player().Facing, before);
        for (int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Space})
            press(target, key);
        EXPECT_EQ(panel->vsCarry->value(), scroll);
        EXPECT_EQ(QApplication::focusWidget(), focused);
    }
}

// Keys act the same with Shift, Ctrl or Alt held (Alt+F still opens the menu
// through its shortcut, which never reaches here as a key press).
TEST_F(WindowTest, modifiersDoNotStopAKey) {
    for (Qt::KeyboardModifiers m : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        const int16_t before = player().Facing;
        press(window.picView, Qt::Key_Left, m);
        EXPECT_NE(player().Facing, before);
    }
}

// Qt's keys become the game's virtual-key codes; the keypad's digits only
// while NumLock makes them digits.
TEST(KeyCodes, qtKeysBecomeVirtualKeys) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        int16_t code;
    };
    const Case cases[] = {
        {Qt::Key_Up, Qt::NoModifier, 38},          {Qt::Key_Left, Qt::KeypadModifier, 37},
        {Qt::Key_8, Qt::KeypadModifier, 104},      {Qt::Key_1, Qt::KeypadModifier, 97},
        {Qt::Key_8, Qt::NoModifier, 56},           {Qt::Key_A, Qt::ShiftModifier, 65},
        {Qt::Key_P, Qt::NoModifier, 80},           {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_Insert, Qt::NoModifier, 45},      {Qt::Key_Home, Qt::NoModifier, 36},
        {Qt::Key_PageUp, Qt::NoModifier, 33},      {Qt::Key_Comma, Qt::NoModifier, 188},
        {Qt::Key_Less, Qt::ShiftModifier, 188},    {Qt::Key_Period, Qt::NoModifier, 190},
        {Qt::Key_Greater, Qt::ShiftModifier, 190}, {Qt::Key_Shift, Qt::ShiftModifier, 0},
        {Qt::Key_Eacute, Qt::NoModifier, 0},       {Qt::Key_Pause, Qt::NoModifier, 19},
        {Qt::Key_Escape, Qt::NoModifier, 27},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKey(c.key, c.modifiers), c.code) << std::hex << c.key;
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

// The carry pop-up offers Ready only for what can be wielded or worn, and an
// empty box opens nothing.
TEST_F(WindowTest, carryPopupOffersReadyOnlyForWeaponsAndArmour) {
    carry(1, 26); // dagger
    carry(2, 28); // rat carcass
    carry(3, 27); // armour
    const QStringList readyAndDrop{"Ready", "Drop"};
    EXPECT_EQ(popupFor(0), readyAndDrop);
    EXPECT_EQ(popupFor(1), QStringList{"Drop"});
    EXPECT_EQ(popupFor(2), readyAndDrop);
    EXPECT_TRUE(popupFor(3).isEmpty());
    EXPECT_EQ(game.CarrySlot, 0);
}

// Choosing Ready in the pop-up readies the item of the box that was clicked.
TEST_F(WindowTest, choosingReadyReadiesThatSlot) {
    carry(1, 28);
    carry(2, 26);
    popupFor(1, "Ready");
    EXPECT_EQ(player().WeaponSlot, 2);
}

// The panel shows what the last update wrote, character for character.
TEST_F(WindowTest, panelShowsTheLastUpdate) {
    Player& p = player();
    p.Life = 37;
    p.MaxLife = 50;
    p.Gold = 15;
    carry(3, 26);
    p.WeaponSlot = 3;
    p.skill(kMeleeSkill).Known = true;
    Update_Status(game);
    window.refreshPanel();
    StatusPanelWidget* panel = window.picStatus;
    EXPECT_EQ(panel->lblPLayerGold->text(), " Gold: 15");
    EXPECT_EQ(panel->lblPlayerWeapon->text(), " Weapon: dagger");
    EXPECT_EQ(panel->lblPlayerArmor->text(), " Armor: none");
    EXPECT_EQ(panel->lblPlayerLevel->text(), QString::fromStdString(" Level: " + std::to_string(p.Level)));
    EXPECT_EQ(panel->picLife->bar().text, "37/50");
    EXPECT_EQ(panel->picLife->toolTip(), "Life Points");
    EXPECT_EQ(panel->picStamina->toolTip(), "Stamina Points");
    EXPECT_EQ(panel->picLife->filledWidth(), (panel->picLife->width() - 2) * 37 / 50);
    EXPECT_EQ(panel->lblSkillName[0]->text(), QString::fromLatin1(" " + game.Skills[0].Name));
    EXPECT_TRUE(panel->lblSkillValue[0]->toolTip().endsWith(" XP needed"));
    EXPECT_TRUE(panel->picCarry[2]->box().readied);
    EXPECT_FALSE(panel->picCarry[1]->box().filled);
}

// Every widget of the panel inside it and clear of every other.
void expectPanelTidy(QWidget* panel) {
    std::vector<QRect> rects;
    for (QWidget* w : panel->findChildren<QWidget*>()) {
        if (!w->isVisible() || !w->findChildren<QWidget*>().isEmpty()) continue; // frames hold the others
        rects.emplace_back(w->mapTo(panel, QPoint(0, 0)), w->size());
    }
    ASSERT_GT(rects.size(), 30u);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(panel->rect().contains(rects[i])) << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
    }
}

// However the window is sized, the view fills what the panel leaves, the
// canvas follows the view, and nothing overlaps.
TEST_F(WindowTest, layoutFollowsResizes) {
    const QSize defaultView = window.picView->size();
    EXPECT_EQ(defaultView, QSize(kDefaultViewWidth, kDefaultViewHeight));
    for (const QSize size : {QSize(1200, 800), QSize(1, 1), QSize(700, 2000), window.sizeForView(640, 480)}) {
        window.resize(size);
        settle();
        QWidget* area = window.centralWidget();
        const auto expected = formLayout(area->width(), area->height(), kStatusWidth, false);
        ASSERT_TRUE(expected);
        const QRect placed = window.picView->geometry();
        EXPECT_EQ(placed, QRect(0, 0, expected->picView.width, expected->picView.height));
        EXPECT_EQ(window.picStatus->geometry(),
                  QRect(expected->picStatus.left, 0, kStatusWidth, area->height() - 1));
        EXPECT_EQ(QSize(view.width(), view.height()), placed.size());
        EXPECT_FALSE(placed.intersects(window.picStatus->geometry()));
        expectPanelTidy(window.picStatus);
    }
}

// A game saved under a name outside ASCII shows in the desktop's Load dialog and reopens from it.
TEST(LoadDialog, reopensAGameSavedUnderALatin1Name) {
    TestGame t;
    QtWindow dialogs;
    Game game(Platform{t.io.clock, t.io.random, dialogs, t.io.sound, t.io.canvas}, t.folder.string());
    test::prepareEmptyLevel(t, game);
    game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);

    const QString saved = QString::fromUtf8("Zo\xC3\xAB.saved");
    bool listed = false;
    int polls = 0;
    int picks = 0;
    QStringList boxes;
    QTimer chooser;
    // The dialog lists its folder in the background: wait for the file, then pick it as a user would.
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            boxes << box->text();
            box->accept();
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        const auto* model = dialog->findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(dialog->directory().absolutePath());
        for (int row = 0; row < model->rowCount(folder); ++row)
            listed = listed || model->index(row, 0, folder).data().toString() == saved;
        if (!listed && ++polls < 2000) return;
        // Typed as a user would, then taken on a later tick once the dialog has seen it;
        // a pick the dialog refuses would otherwise be retried for ever.
        if (++picks > 20) return dialog->reject();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit->text() != saved) return edit->setText(saved);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its own
    });
    chooser.start(10);
    game.player(game.CurrentPlayer).Name = fixedName("Zo\xEB");
    mnuFileSave_Click(game);
    game.player(game.CurrentPlayer).Name = fixedName("Ann");
    mnuFileLoad_Click(game);
    chooser.stop();
    EXPECT_TRUE(listed);
    EXPECT_EQ(displayName(game.player(game.CurrentPlayer).Name), "Zo\xEB");
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();
}

// Opens a box through the window's seam and runs `inside` once it shows; a box
// still open a few seconds later is closed, so a failure cannot hang. True
// when the box had to be closed that way.
bool withBox(QtWindow& boxes, const std::string& text, const std::function<void(QMessageBox&)>& inside) {
    bool rescued = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) inside(*box);
    });
    QTimer rescue;
    rescue.setSingleShot(true);
    QObject::connect(&rescue, &QTimer::timeout, [&] {
        rescued = true;
        if (QWidget* box = QApplication::activeModalWidget()) box->close();
    });
    rescue.start(3000);
    boxes.msgBox(text, "Oh Bananas!", Buttons::Ok, Icon::None);
    return rescued;
}

// `at` is the window system's time in milliseconds.
void sendKey(QWidget* to, QEvent::Type type, int key, quint64 at, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, {}, repeat);
    event.setTimestamp(at);
    QApplication::sendEvent(to, &event);
}

// A key held when a box opens (attacking at the moment of death) neither
// closes it by repeating nor by its release; a fresh press does. X repeats
// as a release and a press at one moment, which Qt does not always mark.
TEST(MessageBoxes, keysHeldWhenTheBoxOpensDoNotAnswerIt) {
    for (const int key : {int{Qt::Key_Return}, int{Qt::Key_Escape}}) {
        QtWindow boxes;
        QWidget game;
        sendKey(&game, QEvent::KeyPress, key, 1000);
        bool openWhileHeld = false;
        const bool unanswered = withBox(boxes, "Your player has died!!!", [&](QMessageBox& box) {
            QWidget* to = box.focusWidget() ? box.focusWidget() : &box;
            for (const quint64 at : {1500, 1540, 1580}) {
                const bool marked = at == 1540;
                sendKey(to, QEvent::KeyRelease, key, at, marked);
                sendKey(to, QEvent::KeyPress, key, at, marked);
            }
            sendKey(to, QEvent::KeyRelease, key, 1600);
            settle();
            openWhileHeld = box.isVisible();
            sendKey(to, QEvent::KeyPress, key, 1900);
            sendKey(to, QEvent::KeyRelease, key, 1950);
        });
        const std::string name = QKeySequence(key).toString().toStdString();
        EXPECT_TRUE(openWhileHeld) << name;
        EXPECT_FALSE(unanswered) << name << ": a fresh press did not answer the box";
    }
}

// A long path wraps inside the screen instead of running off the box.
TEST(MessageBoxes, longTextsWrapInsideTheScreen) {
    std::string path = "Error_modMap_Load : File not found: ";
    for (int i = 0; i < 12; ++i)
        path += "/a-rather-long-folder-name-" + std::to_string(i);
    path += "/" + std::string(120, 'x') + ".map";
    QtWindow boxes;
    withBox(boxes, path, [&](QMessageBox& box) {
        const auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
        ASSERT_NE(label, nullptr);
        EXPECT_LE(label->minimumSizeHint().width(), label->width());
        EXPECT_LE(box.width(), box.screen()->availableGeometry().width());
        box.close();
    });
}

// A size below the minimum from the window system (nothing else holds the
// window there without a window manager) grows back until the panel is whole.
TEST_F(WindowTest, tooSmallSizesFromTheWindowSystemGrowBack) {
    window.windowHandle()->resize(400, 300);
    settle();
    EXPECT_GE(window.width(), window.minimumWidth());
    EXPECT_GE(window.height(), window.minimumHeight());
    EXPECT_GE(window.picStatus->height(), window.picStatus->minimumSizeHint().height());
    expectPanelTidy(window.picStatus);
}

} // namespace
} // namespace gf
