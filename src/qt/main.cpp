// Gloamfell on the desktop.
#include "folders.h"
#include "main_window.h"
#include "qt_platform.h"
#include "qt_text.h"
#include "startup_log.h"
#include "state/version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QSettings>
#include <QTimer>

#include <memory>

namespace {

struct CommandLine {
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();
    QCommandLineOption data{QStringLiteral("data"),
                            QStringLiteral("Read the catalogues, levels, sheets and sounds from <dir>."),
                            QStringLiteral("dir")};
    CommandLine() {
        parser.setApplicationDescription(QStringLiteral("A real-time, tile-based role-playing game."));
        parser.addOption(data);
    }
};

// --help and --version answer before QApplication exists, so they need no
// display. Other mistakes wait until QApplication has taken its own options.
void answerHelpOrVersion(int argc, char* argv[]) {
    CommandLine line;
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    line.parser.parse(arguments);
    if (!line.parser.isSet(line.help) && !line.parser.isSet(line.version)) return;
    const QCoreApplication terminal(argc, argv);
    if (line.parser.isSet(line.help)) line.parser.showHelp();
    line.parser.showVersion();
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
        QString::fromLatin1(gf::kVersion.data(), static_cast<qsizetype>(gf::kVersion.size())));
    answerHelpOrVersion(argc, argv);
    QApplication app(argc, argv);
    CommandLine line;
    line.parser.process(app);
    QGuiApplication::setDesktopFileName(QStringLiteral(GLOAMFELL_APP_ID));
    QApplication::setWindowIcon(gameIcon());
    const gf::Folders folders =
        gf::chooseFolders(QCoreApplication::applicationDirPath(), line.parser.value(line.data));
    qCInfo(lcStartup) << "data" << folders.data << "saved games" << folders.player;
    gf::QtPlatform io;
    gf::Game game(io.platform(), gf::pathFromQt(folders.data), gf::pathFromQt(folders.player));
    gf::MainWindow window(game, io.canvas);
    io.window.attach(&window);
    window.setSoundGain([&io](float gain) { io.sound.setGain(gain); });
    // In the XDG configuration folder: gloamfell/gloamfell.ini.
    window.remember(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                QStringLiteral("gloamfell"), QStringLiteral("gloamfell")));
    window.show();
    // Start-up runs inside the event loop, so its boxes and the timers work.
    QTimer::singleShot(0, &window, [&window] { window.start(); });
    return app.exec();
}
