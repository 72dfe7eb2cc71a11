// The main window as a player drives it: keys, panel, pop-ups, menus, boxes, layout and settings.
#include "about_box.h"
#include "app/keys.h"
#include "app/menus.h"
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "key_codes.h"
#include "main_window.h"
#include "messages/messages.h"
#include "qt_canvas.h"
#include "qt_clock.h"
#include "qt_window.h"
#include "render/layout.h"
#include "render/status.h"
#include "render/view.h"
#include "settings.h"
#include "start_menu.h"
#include "state/version.h"
#include "test_game.h"
#include "util/text.h"

#include <QAbstractButton>
#include <QActionGroup>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDockWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace gf {
namespace {

using B = QMessageBox;
// Runs `f` every `ms` milliseconds of the event loop while the timer lives.
std::unique_ptr<QTimer> every(int ms, const std::function<void()>& f) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, f);
    timer->start(ms);
    return timer;
}

// Lets queued events take effect, in passes: a loaded machine may spend a whole time slice on one.
void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    QTest::qWait(20);
}

// A key event as the window system sends it, `at` its time in milliseconds.
void sendKey(QWidget* to, QEvent::Type type, int key, quint64 at = 0, bool repeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, {}, repeat);
    event.setTimestamp(at);
    QApplication::sendEvent(to, &event);
}

// Every redraw starts with clear(); the first after arming opens a box, as a failure in redraw would.
class BoxOnRedraw : public RecordingCanvas {
public:
    void clear() override {
        ++redraws;
        redrawsWhileOpen += boxOpen;
        RecordingCanvas::clear();
        if (const auto openBox = std::exchange(open, nullptr)) {
            boxOpen = true;
            openBox();
            boxOpen = false;
            boxClosed = true;
        }
    }
    std::function<void()> open;
    bool boxOpen = false, boxClosed = false;
    int redraws = 0, redrawsWhileOpen = 0;
};

// The game in the real window with its own dialogs; a box nobody asked for is noted and closed.
class WindowTest : public ::testing::Test {
protected:
    WindowTest()
        : game(Platform{t.io.clock, t.io.random, dialogs, t.io.sound, canvas}, t.folder.string()),
          window(game, view) {
        dialogs.attach(&window);
        test::prepareEmptyLevel(t, game);
        initSkills(game);
        game.creatures.current = addCreature(game, 0, 50, 50);
        game.screen.viewX = game.screen.viewY = 50;
        window.show();
        window.activateWindow();
        settle();
    }
    ~WindowTest() override { EXPECT_EQ(boxes, QStringList{}); }

    Creature& player() { return game.creatures(game.creatures.current); }
    void refresh() { updateStatus(game), window.refreshPanel(); }
    // Sent unaccepted, as the window system and the shortcut map send keys; whether it came back taken.
    static bool press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        bool taken = true;
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress}) {
            QKeyEvent event(type, key, modifiers);
            event.ignore();
            QApplication::sendEvent(target, &event);
            taken = taken && event.isAccepted();
        }
        return taken;
    }
    // The pop-up entries a release over `box` shows; `choose` is taken if offered, else it is dismissed.
    QStringList popupFor(int box, const QString& choose = {}) {
        QStringList entries;
        const auto chooser = every(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* a : menu ? menu->actions() : QList<QAction*>())
                if (a->isVisible() && (entries << a->text()).back() == choose) menu->setActiveAction(a);
            QKeyEvent key(QEvent::KeyPress, choose.isEmpty() ? Qt::Key_Escape : Qt::Key_Return, {});
            if (menu) QApplication::sendEvent(menu, &key), menu->close();
        });
        QWidget* target = window.statusPanel->carryBoxes[static_cast<std::size_t>(box)];
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)),
                            Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &release);
        return entries;
    }
    test::TestGame t;
    QtWindow dialogs;
    BoxOnRedraw canvas;
    QtCanvas view;
    Game game;
    MainWindow window;
    QStringList boxes;
    std::unique_ptr<QTimer> boxCloser = every(20, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !canvas.boxOpen) boxes << box->text(), box->reject();
    });
};

// A turning key reaches the game once from any control, taken there: no parent, scroll or shortcut sees it.
TEST_F(WindowTest, keysReachTheGameFromEveryControl) {
    StatusPanelWidget* panel = window.statusPanel;
    player().skill(1).known = true;
    refresh();
    window.messageLogDock->setFloating(true);
    window.messageLogDock->show();
    for (QWidget* target :
         std::initializer_list<QWidget*>{panel->carryScrollBar, panel->raiseButtons[0], panel->carryBoxes[2],
                                         window.viewWidget, window.messageLog}) {
        target->setFocus();
        settle();
        QWidget* focused = QApplication::focusWidget();
        const int scroll = panel->carryScrollBar->value();
        const char* name = target->metaObject()->className();
        for (const Qt::KeyboardModifiers m :
             {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            player().facing = 6; // a second pass over the key would turn it twice
            const bool taken = press(target, Qt::Key_Left, m);
            EXPECT_EQ(std::pair(player().facing, taken || m != Qt::NoModifier), std::pair(int16_t{9}, true))
                << name << " " << m;
            press(target, Qt::Key_Right, m);
            EXPECT_EQ(player().facing, 6) << name << " " << m;
        }
        for (const int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Space})
            press(target, key);
        EXPECT_EQ(panel->carryScrollBar->value(), scroll) << name;
        EXPECT_EQ(QApplication::focusWidget(), focused) << name;
    }
    int shortcuts = 0;
    QShortcut shortcut(QKeySequence(Qt::Key_Left), &window);
    QObject::connect(&shortcut, &QShortcut::activated, [&] { ++shortcuts; });
    QTest::keyClick(window.viewWidget, Qt::Key_Left);
    EXPECT_EQ(std::pair(player().facing, shortcuts), std::pair(int16_t{9}, 0));
    QLineEdit other; // another window of the program keeps its own keys
    other.show();
    press(&other, Qt::Key_Left);
    EXPECT_EQ(player().facing, 9) << "a key typed in another window turned the creature";
    QKeyEvent altF(QEvent::ShortcutOverride, Qt::Key_F, Qt::AltModifier);
    altF.ignore();
    QApplication::sendEvent(window.viewWidget, &altF);
    EXPECT_FALSE(altF.isAccepted()) << "Alt+F was kept from the menu";
}

// Qt's keys become the game's: keypad digits act alike with NumLock off; Shift keeps the comma and full
// stop; a key with no action is still the game's, to end a pause, but one the table lacks is not.
TEST(KeyCodes, qtKeysBecomeGameKeys) {
    const std::tuple<int, int, Key> keypad[] = {
        {Qt::Key_1, Qt::Key_End, Key::Num1},      {Qt::Key_2, Qt::Key_Down, Key::Num2},
        {Qt::Key_3, Qt::Key_PageDown, Key::Num3}, {Qt::Key_4, Qt::Key_Left, Key::Num4},
        {Qt::Key_6, Qt::Key_Right, Key::Num6},    {Qt::Key_8, Qt::Key_Up, Key::Num8}};
    for (const auto& [digit, numLockOff, key] : keypad)
        EXPECT_EQ(std::pair(gameKey(digit, Qt::KeypadModifier), gameKey(numLockOff, Qt::KeypadModifier)),
                  std::pair(std::optional(key), std::optional(key)))
            << digit;
    EXPECT_EQ(
        std::vector<std::optional<Key>>(
            {gameKey(Qt::Key_End, Qt::NoModifier), gameKey(Qt::Key_Left, {}),
             gameKey(Qt::Key_9, Qt::KeypadModifier), gameKey(Qt::Key_9, {}), gameKey(Qt::Key_A, {}),
             gameKey(Qt::Key_Z, {}), gameKey(Qt::Key_Less, Qt::ShiftModifier), gameKey(Qt::Key_Eacute, {})}),
        std::vector<std::optional<Key>>(
            {Key::Other, Key::Left, Key::Other, Key::Other, Key::A, Key::Other, Key::Comma, std::nullopt}));
    EXPECT_EQ(shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

// A carry box's pop-up and tooltip name its item; Ready is offered only for what can be readied.
TEST_F(WindowTest, carryBoxesNameTheirItemsInThePopupAndTheTooltip) {
    for (const auto& [slot, id] : {std::pair(1, 26), std::pair(2, 28), std::pair(3, 27), std::pair(4, 26)})
        player().carry(slot) = Item{true, static_cast<int16_t>(id), 0, 0, 0};
    EXPECT_EQ(popupFor(0), QStringList({"dagger", "Ready", "Drop"}));
    EXPECT_EQ(popupFor(1), QStringList({"rat carcass", "Drop"}));
    EXPECT_EQ(popupFor(4), QStringList{});
    EXPECT_EQ(popupFor(2, "Ready"), QStringList({"soft leather armor", "Ready", "Drop"}));
    EXPECT_EQ(std::tuple(player().weaponSlot, player().armourSlot, game.screen.carrySlot),
              std::tuple(0, 3, 0));
    EXPECT_EQ(popupFor(2), QStringList({"soft leather armor", "Ready", "Drop"})) << "one heading, not two";
    player().weaponSlot = 4;
    refresh();
    const char* expected[] = {"dagger\nDamage: 3", "rat carcass", "soft leather armor\nArmor: 2\nWorn",
                              "dagger\nDamage: 3\nReadied", ""};
    for (std::size_t box = 0; box < std::size(expected); ++box)
        EXPECT_EQ(window.statusPanel->carryBoxes[box]->toolTip().toStdString(), expected[box]) << box;
    CarryBoxWidget* hovered = window.statusPanel->carryBoxes[3];
    QHelpEvent hover(QEvent::ToolTip, QPoint(5, 5), hovered->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(hovered, &hover);
    EXPECT_EQ(QToolTip::text().toStdString(), expected[3]);
    popupFor(1, "Drop");
    EXPECT_FALSE(player().carry(2).inUse) << "Drop left the carcass carried";
}

// The message log lists the last thousand lines in their colours, following new ones at the bottom only.
TEST_F(WindowTest, messageLogFollowsTheRunningGame) {
    QStringList entries; // of every menu, a separator as "-"
    for (const QMenu* menu : window.findChildren<QMenu*>())
        for (const QAction* a : menu->actions())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(
        entries.join(',').toStdString(),
        "New,Save,Load,-,Exit,Message Log,-,Zoom In,Zoom Out,Actual Size,-,Full Screen,About,&Sound,&Help,"
        "Ready,Use,Drop,Mute,-,Volume 100%,Volume 75%,Volume 50%,Volume 25%");
    QTest::keyClick(window.viewWidget, Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(window.messageLogDock->isVisible());
    MessageLogWidget* log = window.messageLog;
    QScrollBar* bar = log->verticalScrollBar();
    const auto add = [&](const std::string& text, Color color, int times = 1) {
        for (int i = 0; i < times; ++i)
            addMessage(game, text + " " + std::to_string(i), static_cast<int32_t>(color));
        window.refreshPanel();
        settle();
    };
    add("first", kGreen, 60);
    ASSERT_EQ(log->count(), 60);
    const QImage shown = log->viewport()->grab().toImage(); // the lines' colours stand on black
    EXPECT_EQ(shown.pixel(shown.width() - 2, 1), qRgb(0, 0, 0));
    EXPECT_EQ(std::tuple(log->item(0)->text(), log->item(59)->foreground().color()),
              std::tuple(QStringLiteral("first 0"), QColor(0, 255, 0)));
    ASSERT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(3);
    add("read past", kYellow);
    EXPECT_EQ(bar->value(), 3);
    bar->setValue(bar->maximum());
    add("more", kBlue, 1000);
    EXPECT_EQ(std::tuple(log->count(), log->item(0)->text(), log->item(999)->foreground().color()),
              std::tuple(1000, QStringLiteral("more 0"), QColor(0, 0, 255)));
    EXPECT_EQ(bar->value(), bar->maximum());
    game.messages.log.clear();
    add("new game", kGreen);
    EXPECT_EQ(log->count(), 1);
    QTest::keyClick(window.viewWidget, Qt::Key_L, Qt::ControlModifier);
    EXPECT_FALSE(window.messageLogDock->isVisible());
}

// What the window shows on screen, as last painted, not what the widget would paint if asked.
QImage onScreen(QWidget* widget) {
    settle();
    const QPoint at = widget->mapTo(widget->window(), QPoint(0, 0));
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), widget->width(), widget->height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Per column inside a bar's frame: 'f' the fill, 'w' white; the frame's own columns '|' if black.
std::string barColumns(const QImage& bar, QRgb fill) {
    const auto frame = [&](int x) { return bar.pixel(x, 1) == qRgb(0, 0, 0) ? '|' : '?'; };
    std::string columns(1, frame(0));
    for (int x = 1; x + 1 < bar.width(); ++x) {
        char kind = '?';
        for (int y = 1; y + 1 < bar.height(); ++y)
            kind = bar.pixel(x, y) == fill ? 'f' : bar.pixel(x, y) == qRgb(255, 255, 255) ? 'w' : kind;
        columns += kind;
    }
    return columns + frame(bar.width() - 1);
}

// The panel on screen follows each change: bars, name, level, gold, gear, skills, each box's item and R.
TEST_F(WindowTest, panelShowsEachChangeOnScreen) {
    ASSERT_TRUE(view.loadSheet(kSheetItem, GLOAMFELL_DATA_DIR "/item.bmp"));
    struct State {
        const char* name;     // Latin-1
        std::array<int, 9> n; // life, max, stamina, max, level, gold, dagger in slot 1, weapon, armour slot
        int skills;           // known ones, skill n at bit n - 1
        const char* shown;    // the labels, life's and a skill's tooltips, two skill names, the raise buttons
    };
    // clang-format off
    const State states[] = {
        {"Wren", {37, 50, 10, 40, 3, 15, 1, 1, 0}, 0, "Wren| Level: 3| XP: 0| Next Level XP: 1000| Spendable "
         "XP: 500| Gold: 15| Weapon: dagger| Armor: none|Life Points||||00000"},
        {"Zo\xEB", {50, 50, 1, 1, 4, 0, 1, 0, 2}, 5, "Zoë| Level: 4| XP: 0| Next Level XP: 1000| Spendable "
         "XP: 500| Gold: 0| Weapon: Bare Hands| Armor: soft leather armor|Life Points|70 XP needed| Melee| "
         "|11000"},
        {"Ann", {1, 50, 41, 40, 5, 120, 0, 0, 0}, 1, "Ann| Level: 5| XP: 0| Next Level XP: 1000| Spendable "
         "XP: 400| Gold: 120| Weapon: Bare Hands| Armor: none|Life Points|70 XP needed| Melee||10000"}};
    // clang-format on
    StatusPanelWidget* panel = window.statusPanel;
    Creature& p = player();
    std::tie(p.spendableXp, p.skill(1).xpToRaise, p.skill(3).xpToRaise) = std::tuple(500, 70, 100);
    for (const State& s : states) {
        const auto& [life, maxLife, stamina, maxStamina, level, gold, dagger, weapon, armour] = s.n;
        p.name = fixedName(s.name);
        std::tie(p.life, p.maxLife, p.stamina, p.maxStamina, p.level, p.gold) =
            std::tie(life, maxLife, stamina, maxStamina, level, gold);
        std::tie(p.carry(1), p.carry(2), p.weaponSlot, p.armourSlot) =
            std::tuple(Item{dagger != 0, 26, 0, 0, 0}, Item{true, 27, 0, 0, 0}, weapon, armour);
        for (int skill = 1; skill <= 3; ++skill)
            p.skill(skill).known = s.skills >> (skill - 1) & 1;
        refresh();
        QStringList texts;
        for (const QLabel* label :
             {panel->nameLabel, panel->levelLabel, panel->xpLabel, panel->nextLevelXpLabel,
              panel->spendableXpLabel, panel->goldLabel, panel->weaponLabel, panel->armourLabel})
            texts << label->text();
        texts << panel->lifeBar->toolTip() << panel->skillValues[0]->toolTip() << panel->skillNames[0]->text()
              << panel->skillNames[1]->text() << QString();
        for (QPushButton* button : panel->raiseButtons)
            texts.back() += button->isVisible() ? '1' : '0';
        EXPECT_EQ(texts.join('|').toStdString(), s.shown);
        for (const auto& [bar, value, max, fill] :
             {std::tuple(panel->lifeBar, life, maxLife, qRgb(0, 255, 0)),
              std::tuple(panel->staminaBar, stamina, maxStamina, qRgb(255, 255, 0))}) {
            const int inner = bar->width() - 2, filled = std::min(inner * value / max, inner);
            const QImage shot = onScreen(bar);
            int ink = 0; // the black of "value/max"
            for (int y = 1; y + 1 < shot.height(); ++y)
                for (int x = 1; x + 1 < shot.width(); ++x)
                    ink += shot.pixel(x, y) == qRgb(0, 0, 0);
            EXPECT_EQ(
                std::pair(barColumns(shot, fill), ink > 10),
                std::pair('|' + std::string(filled, 'f') + std::string(inner - filled, 'w') + '|', true))
                << s.name << " " << value << "/" << max;
        }
        for (const int b : {0, 1, 2}) {
            const bool filled = b == 1 || (b == 0 && dagger), readied = b + 1 == weapon || b + 1 == armour;
            const int border = CarryBoxWidget::kBorder, tile = panel->carryBoxes[b]->box().tile;
            const QImage shown = onScreen(panel->carryBoxes[b]).copy(border, border, kTile, kTile);
            const QImage item = view.sheet(kSheetItem)->masked().copy(tileX(tile), tileY(tile), kTile, kTile);
            int same = 0, other = 0, blue = 0, unlikeTheCorner = 0;
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) {
                    const QRgb pixel = shown.pixel(x, y);
                    blue += pixel == qRgb(0, 0, 255);
                    unlikeTheCorner += pixel != shown.pixel(kTile - 1, kTile - 1);
                    if (qAlpha(item.pixel(x, y)) == 255) ++(pixel == item.pixel(x, y) ? same : other);
                }
            // A shown item: its opaque pixels, all of them unless the R covers some; else one colour.
            EXPECT_EQ(std::tuple(panel->carryBoxes[b]->box().filled, blue > 0,
                                 filled ? same > 50 : unlikeTheCorner == 0, filled && !readied ? other : 0),
                      std::tuple(filled, readied, true, 0))
                << s.name << " box " << b;
        }
        if (s.skills != 5) continue;
        const QString before = panel->skillValues[1]->text();
        panel->raiseButtons[1]->click(); // the second known skill's, and the panel shows it at once
        EXPECT_EQ(std::tuple(p.skill(3).raises, p.spendableXp,
                             (before + "|" + panel->skillValues[1]->text()).toStdString()),
                  std::tuple(1, 400, "0 |1 "));
    }
    game.screen.carryScroll = 5;
    window.refreshPanel();
    EXPECT_EQ(panel->carryScrollBar->value(), 5) << "the carry bar left behind the game's scroll";
    panel->carryScrollBar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(game.screen.carryScroll, 9) << "a step of the bar shows the next row of four";
    panel->carryScrollBar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(std::pair(game.screen.carryScroll, panel->carryBoxes[7]->box().slot), std::pair(13, 20));
}

// Every widget of a panel or box inside it and clear of every other.
void expectTidy(QWidget* panel, std::size_t widgets) {
    std::vector<QRect> rects;
    for (QWidget* w : panel->findChildren<QWidget*>())
        if (w->isVisible() && w->findChildren<QWidget*>().isEmpty()) // frames hold the others
            rects.emplace_back(w->mapTo(panel, QPoint(0, 0)), w->size());
    ASSERT_GE(rects.size(), widgets);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(panel->rect().contains(rects[i])) << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
    }
}

// However sized, the view fills what the panel leaves, nothing overlaps, and too small a size grows back.
TEST_F(WindowTest, layoutFollowsResizes) {
    for (int skill = 1; skill <= 3; ++skill) // each row's Raise button shown beside its value
        player().skill(skill).known = true;
    refresh();
    EXPECT_EQ(window.viewWidget->size(), QSize(kDefaultViewWidth, kDefaultViewHeight));
    for (const QSize size : {QSize(1200, 800), QSize(1, 1), QSize(700, 2000), window.sizeForView(640, 480)}) {
        window.resize(size);
        settle();
        QWidget* area = window.centralWidget();
        const auto expected = formLayout(area->width(), area->height(), kStatusWidth, false);
        ASSERT_TRUE(expected);
        const QRect placed = window.viewWidget->geometry();
        EXPECT_EQ(placed, QRect(0, 0, expected->view.width, expected->view.height));
        EXPECT_EQ(window.statusPanel->geometry(),
                  QRect(expected->panel.left, 0, kStatusWidth, area->height() - 1));
        EXPECT_EQ(QSize(view.width(), view.height()), placed.size());
        expectTidy(window.statusPanel, 26);
    }
    window.windowHandle()->resize(400, 300);
    settle();
    EXPECT_EQ(window.size(), window.size().expandedTo(window.minimumSize()));
    EXPECT_GE(window.statusPanel->height(), window.statusPanel->minimumSizeHint().height());
    expectTidy(window.statusPanel, 26);
}

// A key held, or repeating, when a box opens (attacking as one dies) never answers it; a fresh press does.
TEST(ModalBoxes, keysHeldWhenTheBoxOpensDoNotAnswerIt) {
    using Open = std::function<void(QtWindow&, int key)>;
    const std::tuple<const char*, Open, std::vector<int>> cases[] = {
        {"message box",
         [](QtWindow& w, int) {
             w.msgBox("Your player has died!!!", "Oh Bananas!", Buttons::Ok, Icon::None);
         },
         {Qt::Key_Return, Qt::Key_Escape}},
        {"name box",
         [](QtWindow& w, int) { w.inputBox("Enter your players name:", ""); },
         {Qt::Key_Return, Qt::Key_Escape}},
        {"Load dialog", // cancelled, the file chosen at opening is not loaded
         [](QtWindow& w, int) {
             EXPECT_EQ(w.openFile({"Load", QDir::tempPath().toStdString(), "a.saved", "", ""}), "");
         },
         {Qt::Key_Escape}},
        {"start menu", // Return presses the first button
         [](QtWindow& w, int key) {
             EXPECT_EQ(w.startMenu(), key == Qt::Key_Return ? MenuChoice::New : MenuChoice::Close);
         },
         {Qt::Key_Return, Qt::Key_Escape}}};
    // Unseen: the key went down where no watcher saw it (the death animation drops input).
    for (const auto& [name, open, keys] : cases) {
        for (const auto& [key, seen] : {std::pair(keys.front(), true), std::pair(keys.back(), false)}) {
            QtWindow boxes;
            QLineEdit game; // another window, whose keys are its own
            if (seen) sendKey(&game, QEvent::KeyPress, key, 1000);
            bool openWhileHeld = false, answered = true, pressed = false;
            const auto presser = every(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                if (!box || std::exchange(pressed, true)) return;
                QWidget* to = box->focusWidget() ? box->focusWidget() : box;
                QKeyEvent typed(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"), true);
                QApplication::sendEvent(&game, &typed);
                for (const quint64 at : {1500, 1540, 1580}) {
                    sendKey(to, QEvent::KeyRelease, key, at, at == 1540);
                    sendKey(to, QEvent::KeyPress, key, at, at == 1540);
                }
                sendKey(to, QEvent::KeyRelease, key, 1600);
                settle();
                openWhileHeld = box->isVisible();
                sendKey(to, QEvent::KeyPress, key, 1900);
                sendKey(to, QEvent::KeyRelease, key, 1950);
            });
            // A box still open a few seconds later is closed, so a failure cannot hang.
            const auto rescue = every(3000, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) answered = false, box->close();
            });
            open(boxes, key);
            EXPECT_TRUE(openWhileHeld) << name << " " << key << (seen ? "" : " unseen");
            EXPECT_TRUE(answered) << name << " " << key << ": a fresh press did not answer it";
            EXPECT_EQ(game.text(), QStringLiteral("a")) << name;
        }
    }
}

// Only a death's box and the start menu after it turn a deaf ear to a press; the next ones answer at once.
TEST(ModalBoxes, onlyTheBoxesOfADeathAreDeaf) {
    QtWindow w;
    std::vector<bool> atOnce;
    const auto presser = every(0, [&, at = quint64(5000)]() mutable {
        if (QWidget* box = QApplication::activeModalWidget()) {
            if (qobject_cast<StartMenu*>(box)) expectTidy(box, 5); // the title and four buttons
            for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
                sendKey(box->focusWidget() ? box->focusWidget() : box, type, Qt::Key_Return, at += 100);
            settle();
            atOnce.push_back(!box->isVisible());
            box->close();
        }
    });
    w.gameOver(0);
    for (int round = 0; round < 2; ++round)
        w.msgBox("Game over!", "", Buttons::Ok, Icon::None), w.startMenu();
    EXPECT_EQ(atOnce, (std::vector<bool>{false, false, true, true}));
}

// Each box shows its icon and buttons and answers with the one pressed; long paths wrap on screen.
TEST(MessageBoxes, eachBoxAnswersWithItsButtonAndLongTextsWrap) {
    std::string text = "Error_modMap_Load : File not found: ";
    for (int i = 0; i < 12; ++i)
        text += "/a-rather-long-folder-name-" + std::to_string(i);
    text += "/" + std::string(120, 'x') + ".map";
    const B::StandardButtons three = B::Save | B::Discard | B::Cancel;
    const std::tuple<Buttons, Icon, B::StandardButton, Answer, B::Icon, B::StandardButtons> cases[] = {
        {Buttons::Ok, Icon::Critical, B::Ok, Answer::Ok, B::Critical, B::Ok},
        {Buttons::YesNo, Icon::Question, B::No, Answer::No, B::Question, B::Yes | B::No},
        {Buttons::YesNo, Icon::Exclamation, B::Yes, Answer::Yes, B::Warning, B::Yes | B::No},
        {Buttons::SaveDiscardCancel, Icon::Information, B::Discard, Answer::No, B::Information, three},
        {Buttons::SaveDiscardCancel, Icon::None, B::Save, Answer::Yes, B::NoIcon, three},
        {Buttons::SaveDiscardCancel, Icon::None, B::NoButton, Answer::Cancel, B::NoIcon, three}};
    for (const auto& [buttons, icon, press, answer, shownIcon, offered] : cases) {
        QtWindow boxes;
        bool seen = false;
        const auto answerer = every(10, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            const auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            seen = true;
            const QAbstractButton* discard = box->button(B::Discard);
            EXPECT_EQ(std::tuple(box->icon(), box->standardButtons(), box->windowTitle(),
                                 discard ? discard->text() : QString()),
                      std::tuple(shownIcon, offered, QStringLiteral("Title"),
                                 offered & B::Discard ? QStringLiteral("Don't Save") : QString()));
            EXPECT_LE(label->minimumSizeHint().width(), label->width());
            EXPECT_LE(box->frameGeometry().width(), box->screen()->availableGeometry().width());
            if (press == B::NoButton)
                box->close();
            else
                box->button(press)->click();
        });
        EXPECT_EQ(boxes.msgBox(text, "Title", buttons, icon), answer) << static_cast<int>(press);
        EXPECT_TRUE(seen);
    }
}

// The game's filters become Qt's: "*.*" matches every file, a name without patterns is dropped.
TEST(FileDialogs, filtersBecomeQtFilters) {
    EXPECT_EQ(QtWindow::qtFilter("Saved Games (*.saved)|*.saved|All Files (*.*)|*.*|Odd"),
              QStringLiteral("Saved Games (*.saved);;All Files (*)"));
    EXPECT_EQ(QtWindow::qtFilter("Sheets|*.bmp;*.dib"), QStringLiteral("Sheets (*.bmp *.dib)"));
}

// The menus reach the game: Save, Load under a non-ASCII name, New with names asked again, About, and Exit.
TEST_F(WindowTest, menuCommandsReachTheGame) {
    boxCloser.reset();
    const QString savedName = QStringLiteral(u"Zoë.saved");
    bool listed = false;
    int picks = 0;
    const auto answerer = every(10, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal))
            boxes << box->text(), box->done(box->button(B::Yes) ? B::Yes : B::Discard);
        if (auto* about = qobject_cast<AboutBox*>(modal))
            boxes << about->versionLabel->text(),
                about->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        // A name outside Latin-1 is asked for again with the reason; a second refusal gives up.
        if (auto* name = qobject_cast<QInputDialog*>(modal); name && (boxes << name->labelText()).size() < 5)
            name->setTextValue(boxes.size() == 2 ? QStringLiteral(u"Łukasz") : QStringLiteral(u"Renée")),
                name->accept();
        else if (name)
            name->reject();
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        // Saved games only, and a name that is not there is refused by the dialog itself.
        EXPECT_EQ(
            std::pair(dialog->selectedNameFilter().endsWith(QStringLiteral("(*.saved)")), dialog->fileMode()),
            std::pair(true, QFileDialog::ExistingFile));
        // The dialog lists its folder in the background: wait for the file, then type its name.
        const auto* model = dialog->findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(dialog->directory().absolutePath());
        for (int row = 0; row < model->rowCount(folder); ++row)
            listed = listed || model->index(row, 0, folder).data().toString() == savedName;
        if (!listed || ++picks > 200) return picks > 200 ? dialog->reject() : void();
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit->text() != u"Zoë") return edit->setText(QStringLiteral(u"Zoë")); // without its extension
        QTimer::singleShot(0, dialog, &QDialog::accept); // a refusal's box must not stop this timer
    });
    std::tie(player().name, player().gold) = std::tuple(fixedName("Zo\xEB"), 77);
    window.saveAction->trigger();
    ASSERT_TRUE(std::filesystem::exists(t.folder / "saved" / std::filesystem::u8path("Zoë.saved")));
    std::tie(player().name, player().gold) = std::tuple(fixedName("Ann"), 0);
    game.session.unsavedChanges = false;
    window.loadAction->trigger();
    EXPECT_EQ(std::tuple(displayName(player().name), player().gold, listed), std::tuple("Zo\xEB", 77, true));
    window.newAction->trigger();
    const QString title = window.windowTitle(); // names the level
    EXPECT_EQ(std::tuple(window.statusPanel->nameLabel->text(), player().gold, title.endsWith(": Random")),
              std::tuple(QStringLiteral(u"Renée"), 0, true));
    window.aboutAction->trigger();
    // Only Exit may end the loop here, not the window closing as the last one.
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, window.exitAction, &QAction::trigger);
    QTimer::singleShot(10000, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 0) << "File, Exit left the event loop running";
    QApplication::setQuitOnLastWindowClosed(true);
    EXPECT_FALSE(window.isVisible());
    ASSERT_EQ(boxes.size(), 4);
    EXPECT_TRUE(boxes[2].contains("outside Latin-1")) << boxes[2].toStdString();
    EXPECT_EQ(QStringList({boxes[0], boxes[1], boxes[3]}),
              QStringList({"Use random map?",
                           "Enter your players name:", "Version " + QString::fromLatin1(kVersion)}));
    boxes.clear();
}

// Taps of the attack key through a death answer neither the game-over box nor the start menu.
TEST_F(WindowTest, tapsThroughADeathAnswerNeitherTheBoxNorTheStartMenu) {
    boxCloser.reset();
    player().name = "Ann";
    onSaveGame(game);
    const QString saved = QString::fromStdString(t.path("saved/Ann.saved"));
    ASSERT_TRUE(QFile::exists(saved));
    QElapsedTimer clock;
    clock.start();
    qint64 boxAt = -1, menuAt = -1;
    bool died = false, pressAnswered = false;
    QStringList opened; // each box, dialog and menu shown, in order
    QWidget* lastModal = nullptr;
    const auto tap = [&](QWidget* to, int key) {
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease})
            sendKey(to->focusWidget() ? to->focusWidget() : to, type, key,
                    static_cast<quint64>(clock.elapsed()) + 10000);
    };
    const auto tapper = every(250, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        const qint64 openedAt = qobject_cast<QMessageBox*>(modal) ? boxAt : menuAt;
        if (!modal || clock.elapsed() - openedAt < 900) tap(modal ? modal : window.viewWidget, Qt::Key_Space);
    });
    // Answers once its second is over; anything a tap opened is closed, so a failure cannot hang.
    const auto driver = every(10, [&] {
        if (!died && clock.elapsed() > 300) died = true, game.creatures.current = 0;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != std::exchange(lastModal, modal)) opened << modal->windowTitle();
        const bool astray = opened.size() > 3;
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && !astray) {
            if (boxAt < 0) boxAt = clock.elapsed();
            if (clock.elapsed() - boxAt < 2100) return;
            tap(box, Qt::Key_Return);
            pressAnswered = !box->isVisible();
        } else if (auto* menu = qobject_cast<StartMenu*>(modal)) {
            if (menuAt < 0) menuAt = clock.elapsed();
            if (clock.elapsed() - menuAt < 2100 && !astray) return;
            for (QPushButton* button : menu->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("&Load")) button->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            dialog->selectFile(saved);
            static_cast<QDialog*>(dialog)->accept();
        } else if (modal) {
            modal->close();
        }
    });
    window.startTimers(20, 50, 50);
    // A stuck test fails rather than hangs.
    EXPECT_TRUE(QTest::qWaitFor([&] { return menuAt >= 0 && game.creatures.current != 0; }, 20000));
    window.stopTimers();
    EXPECT_EQ(opened.join(QStringLiteral("|")).toStdString(), "Oh Bananas!| Main Menu|Load Saved Game");
    EXPECT_TRUE(pressAnswered) << "the box ignored a press a second after the taps";
}

// The death animation's pauses paint but take no key; a closed window leaves no box holding it open.
TEST_F(WindowTest, deathPausesTakeNoKeysAndAClosedWindowEndsTheGame) {
    const int16_t facing = player().facing;
    int ticks = 0;
    const auto presser = every(5, [&] { ++ticks, press(window.viewWidget, Qt::Key_Left); });
    QtClock clock;
    const float before = clock.now();
    clock.pause(0.1f);
    const float waited = clock.now() - before; // a busy machine may only wake it late
    EXPECT_TRUE(waited > 0.09f && waited < 1.0f) << "the game's clock ran at another pace: " << waited;
    EXPECT_GT(ticks, 3);
    EXPECT_EQ(player().facing, facing) << "a key reached the game during the pause";
    const auto rescue = every(2000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    window.close();
    dialogs.msgBox("Your player has died!!!\r\nGame over!", "Oh Bananas!", Buttons::Ok, Icon::Exclamation);
    EXPECT_EQ(
        std::pair(dialogs.msgBox("Use random map?", "", Buttons::YesNo, Icon::Question), dialogs.startMenu()),
        std::pair(Answer::No, MenuChoice::Exit)); // nobody is there to say yes
}

// The box (a message, input or file box) and whether a key press opens it, else a tick.
class Reentry : public WindowTest, public ::testing::WithParamInterface<std::tuple<char, bool>> {};

// Ticks behind a modal box must not re-enter the tick or key press still waiting below it.
TEST_P(Reentry, ticksBehindAModalBoxDoNotReenterTheHandler) {
    const auto [box, byKey] = GetParam();
    player().life = 10; // below its maximum, so a refresh tick shows
    int lifeAtOpen = -1, lifeAtClose = -1;
    canvas.open = [&] {
        lifeAtOpen = player().life;
        if (box == 'm') dialogs.msgBox("Error_Display : Overflow", "", Buttons::Ok, Icon::None);
        if (box == 'i') dialogs.inputBox("Enter your players name:", "");
        if (box == 'f')
            dialogs.openFile({"Load game", t.folder.string(), "", "saved", "Saved Games (*.saved)|*.saved"});
    };
    std::map<QTimer*, int> ticksWhileOpen;
    for (QTimer* timer : {&window.monsterTimer, &window.frameTimer, &window.refreshTimer})
        QObject::connect(timer, &QTimer::timeout, [&, timer] { ticksWhileOpen[timer] += canvas.boxOpen; });
    // Closes the box once the timers ticked behind it; the tick that opened it can count on the others.
    const auto closer = every(5, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const auto ticked = std::count_if(ticksWhileOpen.begin(), ticksWhileOpen.end(),
                                          [](const auto& timer) { return timer.second >= 3; });
        if (!modal || ticked < (byKey ? 3 : 2)) return;
        lifeAtClose = player().life;
        modal->reject();
    });
    window.startTimers(20, 5, 15);
    if (byKey) {
        press(window.viewWidget, Qt::Key_Up);
        ASSERT_TRUE(canvas.boxClosed) << "the key press did not open and close the box";
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return canvas.boxClosed; }, 20000))
        << "the box never opened or never closed";
    EXPECT_EQ(canvas.redrawsWhileOpen, 0) << "a tick redrew while the box was open";
    EXPECT_EQ(lifeAtClose, lifeAtOpen) << "a refresh tick ran while the box was open";
    const int redrawsAtClose = canvas.redraws;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return canvas.redraws > redrawsAtClose + 2 && player().life > lifeAtClose; }, 20000));
    window.stopTimers();
}

INSTANTIATE_TEST_SUITE_P(EachBox, Reentry,
                         ::testing::Combine(::testing::Values('m', 'i', 'f'), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(1, std::get<0>(info.param)) +
                                    (std::get<1>(info.param) ? "DuringKeyPress" : "DuringTick");
                         });

// Ctrl+Plus, Minus, 0 and wheel zoom by whole steps from 1x to 4x, shown crisp; F11 goes full screen.
TEST_F(WindowTest, zoomScalesTheViewByWholeSteps) {
    window.resize(window.sizeForView(640, 480));
    settle();
    const auto key = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QTest::keyClick(window.viewWidget, k, m);
    };
    const auto wheel = [&](int dy, Qt::KeyboardModifiers m = Qt::ControlModifier) {
        QWheelEvent event(QPointF(5, 5), window.viewWidget->mapToGlobal(QPointF(5, 5)), {}, QPoint(0, dy),
                          Qt::NoButton, m, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.viewWidget, &event);
    };
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { key(Qt::Key_Plus); }, 2}, {[&] { key(Qt::Key_Equal); }, 3}, {[&] { wheel(120); }, 4},
        {[&] { wheel(-120, {}); }, 4},   {[&] { key(Qt::Key_Plus); }, 4},  {[&] { key(Qt::Key_Minus); }, 3},
        {[&] { wheel(-120); }, 2},       {[&] { key(Qt::Key_0); }, 1},     {[&] { key(Qt::Key_Minus); }, 1},
        {[&] { window.setZoom(3); }, 3}};
    for (const auto& [step, zoom] : steps) {
        step();
        settle();
        EXPECT_EQ(std::tuple(window.zoom(), window.zoomInAction->isEnabled(),
                             window.zoomOutAction->isEnabled(), QSize(view.width(), view.height())),
                  std::tuple(zoom, zoom<4, zoom> 1, QSize(zoomedLength(640, zoom), zoomedLength(480, zoom))));
    }
    // Read back from the window's own pixels: a frame presented but never repainted shows nowhere.
    view.fillBox(0, 0, view.width() - 1, view.height() - 1, 0x0000FF);
    view.pixel(1, 2, 0xFF0000);
    view.present();
    const QImage expected = view.shown().scaled(view.width() * 3, view.height() * 3).copy(0, 0, 640, 480);
    EXPECT_EQ(onScreen(window.viewWidget), expected.convertToFormat(QImage::Format_RGB32));
    for (const bool full : {true, false}) {
        key(Qt::Key_F11, Qt::NoModifier);
        EXPECT_EQ(window.isFullScreen(), full);
    }
    window.setWindowState(Qt::WindowFullScreen); // as a window manager may
    EXPECT_TRUE(window.fullScreenAction->isChecked()) << "the menu's tick did not follow the window";
}

// Settings read back as written; a damaged file gives the defaults; the zoom follows the screen size.
TEST(Settings, roundTripAndDamagedFilesGiveTheDefaults) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gloamfell.ini"));
    // Far left of many screens; then each number at the ends of its range (a volume of 0 is silence, not
    // damage).
    for (const WindowSettings& chosen :
         {WindowSettings{QRect(-30000, 50, 900, 700), true, false, 3, 50, true},
          WindowSettings{QRect(0, 0, 1, 1), false, true, kMinZoom, 0, false},
          WindowSettings{QRect(9, 9, 32767, 32767), false, false, kMaxZoom, 100, false}}) {
        QSettings written(file, QSettings::IniFormat);
        writeSettings(written, chosen); // and syncs
        QSettings back(file, QSettings::IniFormat);
        EXPECT_EQ(readSettings(back), chosen);
    }
    const char* damaged[] = {
        "\xFF\xFE\x01[[[=\n\x00\x80",
        "[window]\ngeometry=banana\nmaximized=perhaps\nfullScreen=2\n[view]\nzoom=9\n[sound]\nvolume=-5\n"
        "muted=yes\n",
        "[window]\ngeometry=@Rect(0 0 -5 -5)\n[view]\nzoom=0\n[sound]\nvolume=1e9\n",
        "[window]\ngeometry=@Rect(0 0 32768 5)\n[view]\nzoom=@Rect(1 2 3 4)\n",
        "[window]\ngeometry=@Rect(0 0 5 32768)\n"};
    for (const char* contents : damaged) {
        std::ofstream(file.toStdString(), std::ios::binary) << contents;
        QSettings settings(file, QSettings::IniFormat);
        EXPECT_EQ(readSettings(settings), WindowSettings{}) << contents;
    }
    QSettings folder(dir.path(), QSettings::IniFormat);
    EXPECT_EQ(readSettings(folder), WindowSettings{});
    for (const auto& [w, h, zoom] :
         {std::tuple{1920, 1080, 1}, {3840, 2160, 2}, {2560, 1440, 1}, {800, 600, 1}, {15360, 8640, 4}})
        EXPECT_EQ(zoomForScreen({w, h}), zoom) << w;
}

// The window takes its size, zoom and sound from the settings and leaves them there on closing.
TEST_F(WindowTest, settingsAreRememberedAcrossRuns) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gloamfell.ini"));
    QSettings first(file, QSettings::IniFormat);
    writeSettings(first, {QRect(30, 40, 1000, 700), false, false, 3, 50, false});
    std::vector<float> gains;
    window.setSoundGain([&](float gain) { gains.push_back(gain); });
    window.remember(std::make_unique<QSettings>(file, QSettings::IniFormat));
    settle();
    EXPECT_EQ(std::tuple(window.normalGeometry().size(), window.zoom(), gains.back()),
              std::tuple(QSize(1000, 700), 3, 0.5f));
    window.muteAction->trigger();
    window.volumeActions->actions().at(1)->trigger();
    EXPECT_EQ(gains.back(), 0.0f);
    QTest::keyClick(window.viewWidget, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(gains.back(), 0.75f);
    window.resize(900, 650);
    window.setZoom(2);
    window.fullScreenAction->trigger();
    settle();
    window.leave();
    QSettings settings(file, QSettings::IniFormat);
    const WindowSettings kept = readSettings(settings);
    EXPECT_EQ(
        std::tuple(kept.geometry.size(), kept.maximized, kept.fullScreen, kept.zoom, kept.volume, kept.muted),
        std::tuple(QSize(900, 650), false, true, 2, 75, false));
    writeSettings(settings, {QRect(9000, 9000, 700, 500), false, false, 2, 50, true});
    window.remember(std::make_unique<QSettings>(file, QSettings::IniFormat));
    EXPECT_EQ(std::pair(window.muteAction->isChecked(), gains.back()), std::pair(true, 0.0f)) << "mute kept";
    const QPoint off = window.geometry().center() - window.screen()->availableGeometry().center();
    EXPECT_LE(off.manhattanLength(), 1) << "a place on a screen that is gone is not centred on this one";
}

// Closing asks Save / Don't Save / Cancel only for a changed game, and each answer does its part.
TEST_F(WindowTest, closingAChangedGameAsksFirst) {
    boxCloser->stop();
    player().name = fixedName("Ann");
    const std::filesystem::path saved = t.folder / "saved" / "Ann.saved";
    const std::tuple<const char*, bool, B::StandardButton, bool, bool> cases[] = {
        {"unchanged", false, B::NoButton, true, false},
        {"cancel", true, B::Cancel, false, false},
        {"don't save", true, B::Discard, true, false},
        {"save", true, B::Save, true, true}};
    for (const auto& [name, changed, answer, closes, saves] : cases) {
        window.show();
        settle();
        std::filesystem::remove(saved);
        game.session.unsavedChanges = changed;
        QStringList buttons;
        const auto answerer = every(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            for (QAbstractButton* b : box->buttons())
                buttons << b->text();
            box->button(answer)->click();
        });
        window.startTimers(1000, 1000, 1000);
        window.close();
        settle();
        EXPECT_EQ(std::tuple(window.monsterTimer.isActive(), window.isVisible(), buttons.size(),
                             buttons.contains(QStringLiteral("Don't Save")), std::filesystem::exists(saved)),
                  std::tuple(!closes, !closes, changed ? 3 : 0, changed, saves))
            << name;
    }
}

} // namespace
} // namespace gf
