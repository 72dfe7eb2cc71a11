// The main window: keys from any control, the carry pop-up, the layout, keys held into a box and ticks behind
// one.
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "frm_main.h"
#include "frm_main_menu.h"
#include "key_codes.h"
#include "qt_canvas.h"
#include "qt_clock.h"
#include "qt_window.h"
#include "render/layout.h"
#include "shell/keys.h"
#include "shell/menus.h"
#include "test_game.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace gf {
namespace {

// Runs `f` every `ms` milliseconds of the event loop while the timer lives.
std::unique_ptr<QTimer> every(int ms, const std::function<void()>& f) {
    auto timer = std::make_unique<QTimer>();
    QObject::connect(timer.get(), &QTimer::timeout, f);
    timer->start(ms);
    return timer;
}

// Lets the event loop run until the condition holds; a stuck test fails rather than hangs.
bool runUntil(const std::function<bool()>& done, int ms = 20000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

// Lets queued events (a resize, a focus change) take effect: a number of passes, as a loaded
// machine may spend the whole time slice on one.
void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    runUntil([] { return false; }, 20);
}

// Every redraw starts with clear(); the first one after arming opens a box,
// as a failure inside Display or a key's action would.
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

// The game in the real window with the desktop's own dialogs. A message box
// nobody asked for is noted and closed, so a failure cannot hang.
class WindowTest : public ::testing::Test {
protected:
    WindowTest()
        : game(Platform{t.io.clock, t.io.random, dialogs, t.io.sound, canvas}, t.folder.string()),
          window(game, view) {
        dialogs.attach(&window);
        test::prepareEmptyLevel(t, game);
        modSkill_Init(game);
        game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);
        game.ViewX = game.ViewY = 50;
        window.show();
        window.activateWindow();
        settle();
    }
    ~WindowTest() override { EXPECT_EQ(boxes, QStringList{}); }

    Player& player() { return game.player(game.CurrentPlayer); }
    static void press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress}) {
            QKeyEvent event(type, key, modifiers);
            QApplication::sendEvent(target, &event);
        }
    }
    // The visible entries of the pop-up that releasing the mouse over `box`
    // opens; `choose` is taken if offered, else the pop-up is dismissed.
    QStringList popupFor(int box, const QString& choose = {}) {
        QStringList entries;
        const auto chooser = every(0, [&] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* a : menu ? menu->actions() : QList<QAction*>())
                if (a->isVisible() && (entries << a->text()).back() == choose) menu->setActiveAction(a);
            QKeyEvent key(QEvent::KeyPress, choose.isEmpty() ? Qt::Key_Escape : Qt::Key_Return, {});
            if (menu) QApplication::sendEvent(menu, &key), menu->close();
        });
        QWidget* target = window.picStatus->picCarry[static_cast<std::size_t>(box)];
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
    frmMain window;
    QStringList boxes;
    std::unique_ptr<QTimer> boxCloser = every(20, [this] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box && !canvas.boxOpen) boxes << box->text(), box->reject();
    });
};

// Turning keys reach the game from every control, with or without Shift,
// Ctrl or Alt (Alt+F still opens the menu through its shortcut), and no key
// scrolls the bar or moves the focus away from that control.
TEST_F(WindowTest, keysReachTheGameFromEveryControl) {
    StatusPanelWidget* panel = window.picStatus;
    for (QWidget* target : std::initializer_list<QWidget*>{panel->vsCarry, panel->cmdSkillRaise[1],
                                                           panel->picCarry[2], window.picView}) {
        target->setFocus();
        settle();
        QWidget* focused = QApplication::focusWidget();
        const int scroll = panel->vsCarry->value();
        const char* name = target->metaObject()->className();
        for (const Qt::KeyboardModifiers m :
             {Qt::NoModifier, Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            const int16_t before = player().Facing;
            press(target, Qt::Key_Left, m);
            EXPECT_NE(player().Facing, before) << name << " " << m;
            press(target, Qt::Key_Right, m);
            EXPECT_EQ(player().Facing, before) << name << " " << m;
        }
        for (const int key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_Space})
            press(target, key);
        EXPECT_EQ(panel->vsCarry->value(), scroll) << name;
        EXPECT_EQ(QApplication::focusWidget(), focused) << name;
    }
    QKeyEvent altF(QEvent::ShortcutOverride, Qt::Key_F, Qt::AltModifier);
    altF.ignore();
    QApplication::sendEvent(window.picView, &altF);
    EXPECT_FALSE(altF.isAccepted()) << "Alt+F was kept from the menu";
}

// Qt's keys become the game's virtual-key codes. The keypad's digits that
// move or turn act the same with NumLock off, when Qt reports them as the keys
// they double as; Shift keeps the comma and full stop.
TEST(KeyCodes, qtKeysBecomeVirtualKeys) {
    const std::pair<int, int> keypad[] = {{Qt::Key_1, Qt::Key_End},      {Qt::Key_2, Qt::Key_Down},
                                          {Qt::Key_3, Qt::Key_PageDown}, {Qt::Key_4, Qt::Key_Left},
                                          {Qt::Key_6, Qt::Key_Right},    {Qt::Key_8, Qt::Key_Up}};
    for (const auto& [digit, numLockOff] : keypad) {
        EXPECT_EQ(virtualKey(digit, Qt::KeypadModifier), Key::Num0 + digit - Qt::Key_0) << digit;
        EXPECT_EQ(virtualKey(numLockOff, Qt::KeypadModifier), Key::Num0 + digit - Qt::Key_0) << digit;
    }
    EXPECT_EQ(std::vector<int16_t>(
                  {virtualKey(Qt::Key_End, Qt::NoModifier), virtualKey(Qt::Key_Left, {}),
                   virtualKey(Qt::Key_9, Qt::KeypadModifier), virtualKey(Qt::Key_9, Qt::NoModifier),
                   virtualKey(Qt::Key_Less, Qt::ShiftModifier), virtualKey(Qt::Key_Eacute, {}),
                   shiftState(Qt::ShiftModifier | Qt::AltModifier),
                   shiftState(Qt::ControlModifier | Qt::KeypadModifier)}),
              std::vector<int16_t>({35, 37, 105, 57, 188, 0, 5, 2}));
}

// The carry pop-up offers Ready only for what can be wielded or worn, an
// empty box opens nothing, and Ready readies the item of the box clicked.
TEST_F(WindowTest, carryPopupOffersReadyForWeaponsAndArmour) {
    for (const auto& [slot, id] :
         {std::pair(1, 26), std::pair(2, 28), std::pair(3, 27)}) // dagger, carcass, armour
        player().carry(slot) = Item{true, static_cast<int16_t>(id), 0, 0, 0};
    EXPECT_EQ(popupFor(0), QStringList({"Ready", "Drop"}));
    EXPECT_EQ(popupFor(1), QStringList{"Drop"});
    EXPECT_EQ(popupFor(3), QStringList{});
    EXPECT_EQ(popupFor(2, "Ready"), QStringList({"Ready", "Drop"}));
    EXPECT_EQ(std::tuple(player().WeaponSlot, player().ArmorSlot, game.CarrySlot), std::tuple(0, 3, 0));
}

// Every widget of the panel inside it and clear of every other.
void expectPanelTidy(QWidget* panel) {
    std::vector<QRect> rects;
    for (QWidget* w : panel->findChildren<QWidget*>())
        if (w->isVisible() && w->findChildren<QWidget*>().isEmpty()) // frames hold the others
            rects.emplace_back(w->mapTo(panel, QPoint(0, 0)), w->size());
    ASSERT_GT(rects.size(), 30u);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(panel->rect().contains(rects[i])) << i;
        for (std::size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].intersects(rects[j])) << i << " and " << j;
    }
}

// However the window is sized, the view fills what the panel leaves, the
// canvas follows the view, and nothing overlaps. A size below the minimum
// from the window system (nothing else holds the window there without a
// window manager) grows back until the panel is whole.
TEST_F(WindowTest, layoutFollowsResizes) {
    EXPECT_EQ(window.picView->size(), QSize(kDefaultViewWidth, kDefaultViewHeight));
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
        expectPanelTidy(window.picStatus);
    }
    window.windowHandle()->resize(400, 300);
    settle();
    EXPECT_EQ(window.size(), window.size().expandedTo(window.minimumSize()));
    EXPECT_GE(window.picStatus->height(), window.picStatus->minimumSizeHint().height());
    expectPanelTidy(window.picStatus);
}

// A key held when a box opens (attacking at the moment of death) neither
// closes it by repeating nor by its release; a fresh press does. X repeats
// as a release and a press at one moment, which Qt does not always mark.
// Every modal box and dialog behaves so.
TEST(ModalBoxes, keysHeldWhenTheBoxOpensDoNotAnswerIt) {
    using Open = std::function<void(QtWindow&)>;
    const std::tuple<const char*, Open, std::vector<int>> cases[] = {
        {"message box",
         [](QtWindow& w) { w.msgBox("Your player has died!!!", "Oh Bananas!", Buttons::Ok, Icon::None); },
         {Qt::Key_Return, Qt::Key_Escape}},
        {"name box",
         [](QtWindow& w) { w.inputBox("Enter your players name:", ""); },
         {Qt::Key_Return, Qt::Key_Escape}},
        {"Load dialog",
         [](QtWindow& w) {
             w.openFile({"Load Saved Game", QDir::tempPath().toStdString(), "", "saved", "", 0});
         },
         {Qt::Key_Escape}},
        {"start menu", [](QtWindow& w) { w.startMenu(); }, {Qt::Key_Escape}}};
    for (const auto& [name, open, keys] : cases) {
        for (const int key : keys) {
            // `at` is the window system's time in milliseconds.
            const auto send = [key](QWidget* to, QEvent::Type type, quint64 at, bool repeat = false) {
                QKeyEvent event(type, key, Qt::NoModifier, {}, repeat);
                event.setTimestamp(at);
                QApplication::sendEvent(to, &event);
            };
            QtWindow boxes;
            QWidget game;
            send(&game, QEvent::KeyPress, 1000);
            bool openWhileHeld = false, answered = true, pressed = false;
            const auto presser = every(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                if (!box || std::exchange(pressed, true)) return;
                QWidget* to = box->focusWidget() ? box->focusWidget() : box;
                for (const quint64 at : {1500, 1540, 1580}) {
                    send(to, QEvent::KeyRelease, at, at == 1540);
                    send(to, QEvent::KeyPress, at, at == 1540);
                }
                send(to, QEvent::KeyRelease, 1600);
                settle();
                openWhileHeld = box->isVisible();
                send(to, QEvent::KeyPress, 1900);
                send(to, QEvent::KeyRelease, 1950);
            });
            // A box still open a few seconds later is closed, so a failure cannot hang.
            const auto rescue = every(3000, [&] {
                if (QWidget* box = QApplication::activeModalWidget()) answered = false, box->close();
            });
            open(boxes);
            EXPECT_TRUE(openWhileHeld) << name << " " << key;
            EXPECT_TRUE(answered) << name << " " << key << ": a fresh press did not answer it";
        }
    }
}

// A player tapping the attack key as the creature dies: the taps, going on for
// most of a second after the game-over box opens and again after the start
// menu does, neither close the box nor press a button; a press a second after
// the last tap does. The game then goes on from the start menu's Load.
TEST_F(WindowTest, tapsThroughADeathAnswerNeitherTheBoxNorTheStartMenu) {
    boxCloser.reset();
    player().Name = "Ann";
    mnuFileSave_Click(game);
    const QString saved = QString::fromStdString(t.path("saved/Ann.saved"));
    ASSERT_TRUE(QFile::exists(saved));
    QElapsedTimer clock;
    clock.start();
    qint64 boxAt = -1, menuAt = -1;
    bool died = false, pressAnswered = false;
    QStringList opened; // each box, dialog and menu shown, in order
    QWidget* lastModal = nullptr;
    const auto send = [&](QWidget* to, QEvent::Type type, int key) {
        QKeyEvent event(type, key, Qt::NoModifier);
        event.setTimestamp(static_cast<quint64>(clock.elapsed()) + 10000);
        QApplication::sendEvent(to, &event);
    };
    const auto tap = [&](QWidget* to, int key) {
        for (const QEvent::Type type : {QEvent::ShortcutOverride, QEvent::KeyPress, QEvent::KeyRelease})
            send(to->focusWidget() ? to->focusWidget() : to, type, key);
    };
    const auto tapper = every(250, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        const qint64 openedAt = qobject_cast<QMessageBox*>(modal) ? boxAt : menuAt;
        if (!modal || clock.elapsed() - openedAt < 900) tap(modal ? modal : window.picView, Qt::Key_Space);
    });
    // Answers what it expects once its second is over; anything a tap opened
    // is closed and the menu's Load taken, so a failure cannot hang.
    const auto driver = every(10, [&] {
        if (!died && clock.elapsed() > 300) died = true, game.CurrentPlayer = 0;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != std::exchange(lastModal, modal)) opened << modal->windowTitle();
        const bool astray = opened.size() > 3;
        if (auto* box = qobject_cast<QMessageBox*>(modal); box && !astray) {
            if (boxAt < 0) boxAt = clock.elapsed();
            if (clock.elapsed() - boxAt < 2100) return;
            tap(box, Qt::Key_Return);
            pressAnswered = !box->isVisible();
        } else if (auto* menu = qobject_cast<frmMainMenu*>(modal)) {
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
    EXPECT_TRUE(runUntil([&] { return menuAt >= 0 && game.CurrentPlayer != 0; }));
    window.stopTimers();
    EXPECT_EQ(opened.join(QStringLiteral("|")).toStdString(), "Oh Bananas!| Main Menu|Load Saved Game");
    EXPECT_TRUE(pressAnswered) << "the box ignored a press a second after the taps";
}

// Between the death animation's frames timers run, so the window paints, but
// no key reaches the game; once the window is closed no box holds the program
// open: the game-over box is skipped and the start menu answers Exit.
TEST_F(WindowTest, deathPausesTakeNoKeysAndAClosedWindowEndsTheGame) {
    const int16_t facing = player().Facing;
    int ticks = 0;
    const auto presser = every(5, [&] { ++ticks, press(window.picView, Qt::Key_Left); });
    QtClock().pause(0.1f);
    EXPECT_GT(ticks, 3);
    EXPECT_EQ(player().Facing, facing) << "a key reached the game during the pause";
    const auto rescue = every(2000, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    window.close();
    dialogs.msgBox("Your player has died!!!\r\nGame over!", "Oh Bananas!", Buttons::Ok, Icon::Exclamation);
    EXPECT_EQ(dialogs.startMenu(), MenuChoice::Exit);
}

struct BoxCase {
    const char* name;
    bool byKey; // opened in a key press, else in a tick
    char box;   // a message, input or file box
    friend void PrintTo(const BoxCase& c, std::ostream* os) { *os << c.name; }
};

class Reentry : public WindowTest, public ::testing::WithParamInterface<BoxCase> {};

// Timer ticks keep arriving while a modal box is open; they must not run on
// top of the tick or key press still waiting below it. Each box, opened in a
// tick or a key press, holds every tick back until it closes; afterwards the
// ticks redraw and refresh again.
TEST_P(Reentry, ticksBehindAModalBoxDoNotReenterTheHandler) {
    const BoxCase& c = GetParam();
    player().Life = 10; // below its maximum, so a refresh tick shows
    int lifeAtOpen = -1, lifeAtClose = -1;
    canvas.open = [&] {
        lifeAtOpen = player().Life;
        if (c.box == 'm') dialogs.msgBox("Error_Display : Overflow", "", Buttons::Ok, Icon::None);
        if (c.box == 'i') dialogs.inputBox("Enter your players name:", "");
        if (c.box == 'f')
            dialogs.openFile(
                {"Load game", t.folder.string(), "", "saved", "Saved Games (*.saved)|*.saved", 0});
    };
    std::map<QTimer*, int> ticksWhileOpen;
    for (QTimer* timer : {&window.Timer1, &window.Timer2, &window.Timer3})
        QObject::connect(timer, &QTimer::timeout, [&, timer] { ticksWhileOpen[timer] += canvas.boxOpen; });
    // Closes the box once the timers have each ticked behind it a few times. Qt
    // never fires the timer whose tick opened the box again until that tick
    // returns, so a tick can count on only the other two.
    const auto closer = every(5, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const auto ticked = std::count_if(ticksWhileOpen.begin(), ticksWhileOpen.end(),
                                          [](const auto& timer) { return timer.second >= 3; });
        if (!modal || ticked < (c.byKey ? 3 : 2)) return;
        lifeAtClose = player().Life;
        modal->reject();
    });
    window.startTimers(20, 5, 15);
    if (c.byKey) {
        press(window.picView, Qt::Key_Up);
        ASSERT_TRUE(canvas.boxClosed) << "the key press did not open and close the box";
    }
    ASSERT_TRUE(runUntil([&] { return canvas.boxClosed; })) << "the box never opened or never closed";
    EXPECT_EQ(canvas.redrawsWhileOpen, 0) << "a tick redrew while the box was open";
    EXPECT_EQ(lifeAtClose, lifeAtOpen) << "a refresh tick ran while the box was open";
    const int redrawsAtClose = canvas.redraws;
    EXPECT_TRUE(runUntil([&] { return canvas.redraws > redrawsAtClose + 2 && player().Life > lifeAtClose; }));
    window.stopTimers();
}

INSTANTIATE_TEST_SUITE_P(EachBox, Reentry,
                         ::testing::Values(BoxCase{"messageBoxDuringTick", false, 'm'},
                                           BoxCase{"messageBoxDuringKeyPress", true, 'm'},
                                           BoxCase{"inputBoxDuringTick", false, 'i'},
                                           BoxCase{"inputBoxDuringKeyPress", true, 'i'},
                                           BoxCase{"fileBoxDuringTick", false, 'f'},
                                           BoxCase{"fileBoxDuringKeyPress", true, 'f'}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace gf
