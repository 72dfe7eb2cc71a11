// Gloamfell on the desktop.
#include "folders.h"
#include "frm_main.h"
#include "qt_platform.h"
#include "qt_text.h"
#include "shell/version.h"
#include "startup_log.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

namespace {

// Read before QApplication exists, so --help and --version answer on a
// terminal without a display.
QString parseCommandLine(int argc, char* argv[]) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("A real-time, tile-based role-playing game."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption data(
        QStringLiteral("data"), QStringLiteral("Read the catalogues, levels, sheets and sounds from <dir>."),
        QStringLiteral("dir"));
    parser.addOption(data);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "gloamfell: %s\n", qPrintable(parser.errorText()));
        std::exit(2);
    }
    if (parser.isSet(help)) parser.showHelp();
    if (parser.isSet(version)) parser.showVersion();
    return parser.value(data);
}

QIcon gameIcon() {
    QIcon icon;
    for (const QString& file : QDir(QStringLiteral(":/icons")).entryList())
        icon.addFile(QStringLiteral(":/icons/") + file);
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("gloamfell"));
    QCoreApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(gf::kVersionMajor).arg(gf::kVersionMinor).arg(gf::kVersionRevision));
    const QString dataOption = parseCommandLine(argc, argv);
    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral(GLOAMFELL_APP_ID));
    QApplication::setWindowIcon(gameIcon());
    const gf::Folders folders = gf::chooseFolders(QCoreApplication::applicationDirPath(), dataOption);
    qCInfo(lcStartup) << "data" << folders.data << "saved games" << folders.player;
    gf::QtPlatform io;
    gf::Game game(io.platform(), gf::pathFromQt(folders.data), gf::pathFromQt(folders.player));
    gf::frmMain window(game, io.canvas);
    io.window.attach(&window);
    window.show();
    // The load event runs inside the event loop, so its boxes and the timers work.
    QTimer::singleShot(0, &window, [&window] { window.start(); });
    return app.exec();
}
