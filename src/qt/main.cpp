// Gloamfell on the desktop.
#include "frm_main.h"
#include "qt_platform.h"
#include "qt_text.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    gf::QtPlatform io;
    gf::Game game(io.platform(), gf::pathFromQt(QCoreApplication::applicationDirPath()));
    gf::frmMain window(game, io.canvas);
    io.window.attach(&window);
    window.show();
    // The load event runs inside the event loop, so its boxes and the timers work.
    QTimer::singleShot(0, &window, [&window] { window.start(); });
    return app.exec();
}
