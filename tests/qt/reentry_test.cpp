// Timer ticks keep arriving while a modal box is open; they must not run on
// top of the tick or key press that is still waiting below the box.
#include "creatures/creature_table.h"
#include "creatures/skills.h"
#include "frm_main.h"
#include "qt_canvas.h"
#include "qt_window.h"
#include "test_game.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>

namespace gf {
namespace {

enum class Box { Message, Input, File };
enum class Trigger { Tick, KeyPress };

// Every redraw starts with clear(); the first one after arming opens the box,
// as a failure inside Display or a key's action would.
class BoxOnRedraw : public RecordingCanvas {
public:
    void clear() override {
        ++redraws;
        if (boxOpen) ++redrawsWhileOpen;
        RecordingCanvas::clear();
        if (!open) return;
        const auto openBox = std::move(open);
        open = nullptr;
        boxOpen = true;
        if (onOpen) onOpen();
        openBox();
        boxOpen = false;
        boxClosed = true;
    }
    std::function<void()> open;
    std::function<void()> onOpen;
    bool boxOpen = false;
    bool boxClosed = false;
    int redraws = 0;
    int redrawsWhileOpen = 0;
};

class Reentry : public ::testing::TestWithParam<std::tuple<Box, Trigger>> {
protected:
    Reentry()
        : game(Platform{t.io.clock, t.io.random, dialogs, t.io.sound, canvas}, t.folder.string()),
          window(game, view) {
        dialogs.attach(&window);
        test::prepareEmptyLevel(t, game);
        modSkill_Init(game);
        game.CurrentPlayer = modPlayer_Add(game, 0, 50, 50);
        game.ViewX = game.ViewY = 50;
        // Below its maximum, so a refresh tick that ran would show in its life.
        game.player(game.CurrentPlayer).Life = 10;
        window.show();
        for (QTimer* timer : {&window.Timer1, &window.Timer2, &window.Timer3})
            QObject::connect(timer, &QTimer::timeout, [this, timer] {
                if (canvas.boxOpen) ++ticksWhileOpen[timer];
            });
    }

    int life() { return game.player(game.CurrentPlayer).Life; }

    // Opens the box kind under test through the window's own dialogs.
    std::function<void()> opener(Box box) {
        switch (box) {
        case Box::Message:
            return [this] { dialogs.msgBox("Error_Display : Overflow", "", Buttons::Ok, Icon::None); };
        case Box::Input:
            return [this] { dialogs.inputBox("Enter your players name:", ""); };
        case Box::File:
            return [this] {
                dialogs.openFile(FileDialogRequest{"Load game", t.folder.string(), "", "saved",
                                                   "Saved Games (*.saved)|*.saved", 0});
            };
        }
        return nullptr;
    }

    // Closes the box once `timers` of the three timers have each ticked behind
    // it a few times. Qt never fires the timer whose tick opened the box again
    // until that tick returns, so a tick can count on only the other two.
    void closeAfterTicks(int timers) {
        auto* closer = new QTimer(&window);
        QObject::connect(closer, &QTimer::timeout, [this, closer, timers] {
            QWidget* modal = QApplication::activeModalWidget();
            int ticked = 0;
            for (const auto& [timer, ticks] : ticksWhileOpen)
                ticked += ticks >= 3 ? 1 : 0;
            if (!modal || ticked < timers) return;
            lifeAtClose = life();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
            closer->deleteLater();
        });
        closer->start(5);
    }

    // Lets the event loop run until the condition holds; a stuck test fails rather than hangs.
    bool runUntil(const std::function<bool()>& done) {
        QElapsedTimer waited;
        waited.start();
        while (!done() && waited.elapsed() < 20000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        return done();
    }

    test::TestGame t;
    QtWindow dialogs;
    BoxOnRedraw canvas;
    QtCanvas view;
    Game game;
    frmMain window;
    std::map<QTimer*, int> ticksWhileOpen;
    int lifeAtClose = -1;
};

// Each box, opened inside a tick or a key press, holds every tick back until
// it closes; afterwards the ticks run again.
TEST_P(Reentry, ticksBehindAModalBoxDoNotReenterTheHandler) {
    const auto [box, trigger] = GetParam();
    canvas.open = opener(box);
    int lifeAtOpen = -1;
    canvas.onOpen = [&] { lifeAtOpen = life(); };
    closeAfterTicks(trigger == Trigger::Tick ? 2 : 3);
    window.startTimers(20, 5, 15);
    if (trigger == Trigger::KeyPress) {
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(window.picView, &up);
        ASSERT_TRUE(canvas.boxClosed) << "the key press did not open and close the box";
    }
    ASSERT_TRUE(runUntil([&] { return canvas.boxClosed; })) << "the box never opened or never closed";

    EXPECT_EQ(canvas.redrawsWhileOpen, 0) << "a tick redrew while the box was open";
    EXPECT_EQ(lifeAtClose, lifeAtOpen) << "a refresh tick ran while the box was open";
    // Held back, not stopped: once the box is gone the ticks redraw and refresh again.
    const int redrawsAtClose = canvas.redraws;
    EXPECT_TRUE(runUntil([&] { return canvas.redraws > redrawsAtClose + 2 && life() > lifeAtClose; }));
    window.stopTimers();
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Box, Trigger>>& info) {
    static const std::array<const char*, 3> box{"message", "input", "file"};
    static const std::array<const char*, 2> trigger{"Tick", "KeyPress"};
    return std::string(box[static_cast<std::size_t>(std::get<0>(info.param))]) + "BoxDuring" +
           trigger[static_cast<std::size_t>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(EachBox, Reentry,
                         ::testing::Combine(::testing::Values(Box::Message, Box::Input, Box::File),
                                            ::testing::Values(Trigger::Tick, Trigger::KeyPress)),
                         caseName);

} // namespace
} // namespace gf
