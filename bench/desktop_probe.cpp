// The desktop program as main.cpp starts it, for whole-process measures:
//   gloamfell-probe menu          ends as soon as the start menu is painted;
//   gloamfell-probe bare          the floor: an empty window painted, then the end;
//   gloamfell-probe play SECONDS  starts a new game on the default level and
//                                 presses keys at random for that long.
#include "main_window.h"
#include "qt_platform.h"
#include "qt_text.h"
#include "start_menu.h"

#include <QApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

// Ends the process once the first paint of the watched kind of window has been handled.
template <class Window> class EndWhenPainted : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && qobject_cast<Window*>(watched))
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }
};

// Answers whatever box is open as a player starting a game would, and
// otherwise walks and turns at random.
void autoPlay(gf::MainWindow& window, gf::Game& game, double seconds) {
    auto* player = new QTimer(&window);
    auto* rng = new std::mt19937(7);
    static int presses = 0;
    QObject::connect(player, &QTimer::timeout, &window, [&window, rng] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* menu = qobject_cast<gf::StartMenu*>(modal)) {
            for (auto* button : menu->findChildren<QPushButton*>())
                if (button->text() == QStringLiteral("&New")) button->click();
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            // No to a random level: the default one; OK to anything else.
            if (QAbstractButton* no = box->button(QMessageBox::No))
                no->click();
            else
                box->accept();
        } else if (auto* input = qobject_cast<QInputDialog*>(modal)) {
            input->setTextValue(QStringLiteral("Probe"));
            input->accept();
        } else if (!modal) {
            static const int keys[] = {Qt::Key_Up,   Qt::Key_Up,    Qt::Key_Up,
                                       Qt::Key_Left, Qt::Key_Right, Qt::Key_Down};
            QKeyEvent press(QEvent::KeyPress, keys[(*rng)() % std::size(keys)], Qt::NoModifier);
            QApplication::sendEvent(window.viewWidget, &press);
            ++presses;
        }
    });
    player->start(20);
    // Says what was played, so a run that never got past a box shows as one.
    QTimer::singleShot(static_cast<int>(seconds * 1000), [&game] {
        std::fprintf(stderr, "probe: %d key presses, level \"%s\", creature %d\n", presses,
                     game.level.name.c_str(), game.creatures.current);
        std::_Exit(0);
    });
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode != "menu" && mode != "bare" && !(mode == "play" && argc > 2)) {
        std::fprintf(stderr, "usage: gloamfell-probe menu | bare | play SECONDS\n");
        return 2;
    }
    QApplication app(argc, argv);
    if (mode == "bare") {
        EndWhenPainted<QWidget> painted;
        app.installEventFilter(&painted);
        QWidget empty;
        empty.show();
        return app.exec();
    }
    EndWhenPainted<gf::StartMenu> menuPainted;
    if (mode == "menu") app.installEventFilter(&menuPainted);
    gf::QtPlatform io;
    gf::Game game(io.platform(), gf::pathFromQt(QCoreApplication::applicationDirPath()));
    gf::MainWindow window(game, io.canvas);
    io.window.attach(&window);
    window.show();
    if (mode == "play") autoPlay(window, game, std::atof(argv[2]));
    QTimer::singleShot(0, &window, [&window] { window.start(); });
    return app.exec();
}
